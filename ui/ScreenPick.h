#pragma once
// One screen pick, from the press of a panel's pick button to the tick
// after the press that ends it. The constructor takes, in this order, the
// pointer for the main window, the panel's magnifier (sized to its
// control), the screen with the 5 x 5 block it reads into, and the
// program's keys; End() drops the pointer; the destructor gives back the
// rest in reverse, once. The main window drives it from its ticks.
#include <QImage>
#include <QPoint>
#include <QPointer>
#include <functional>
#include <memory>

#include "colour/ColorModel.h"
#include "ui/FrameCmdHsvUnit.h"

class QKeyEvent;

namespace marnova {

class TPixelBlock;
class TPointerGrab;
class TScreenDevice;

class TScreenPick {
 public:
  // Sees every key pressed in the program while the pick lives; a key it
  // returns true for goes no further.
  using TKeyFilter = std::function<bool(const QKeyEvent& key)>;

  TScreenPick(QWidget& window, TFrameHsvCtrl& frame, TKeyFilter keys);
  ~TScreenPick();
  TScreenPick(const TScreenPick&) = delete;
  TScreenPick& operator=(const TScreenPick&) = delete;

  // The panel picked for; null once it is gone.
  TFrameHsvCtrl* Frame() const { return FFrame; }
  // Until the ending press: the pointer held and the panel still there.
  bool Running() const { return FGrab != nullptr && FFrame != nullptr; }
  // The ending press: the pointer goes back, the rest waits for the tick.
  void End() { FGrab.reset(); }

  // Copies the screen around `cursor` into the block; false, with the block
  // untouched, where the screen cannot be read.
  bool ReadBlock(QPoint cursor);
  const QImage& Block() const;

  const TColor StartColor;  // the panel's colour when the pick started
  bool Sampled = false;     // a tick of this pick has sampled
  bool Cancelled = false;   // Escape ended it: the end tick puts StartColor back

 private:
  std::unique_ptr<TPointerGrab> FGrab;
  QPointer<TFrameHsvCtrl> FFrame;
  std::unique_ptr<TScreenDevice> FScreen;
  std::unique_ptr<TPixelBlock> FBlock;
  std::unique_ptr<QObject> FKeys;
};

}  // namespace marnova
