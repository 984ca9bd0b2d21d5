#include "ui/ScreenPick.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include "platform/screen/ScreenAccess.h"

namespace marnova {

namespace {

// Hands the keys pressed anywhere in the program to the pick first; every
// other key goes where it went before.
class TPickKeys final : public QObject {
 public:
  explicit TPickKeys(TScreenPick::TKeyFilter keys) : FKeys(std::move(keys)) {
    QCoreApplication::instance()->installEventFilter(this);
  }
  ~TPickKeys() override { QCoreApplication::instance()->removeEventFilter(this); }

  bool eventFilter(QObject*, QEvent* event) override {
    return event->type() == QEvent::KeyPress && FKeys(*static_cast<const QKeyEvent*>(event));
  }

 private:
  TScreenPick::TKeyFilter FKeys;
};

}  // namespace

TScreenPick::TScreenPick(QWidget& window, TFrameHsvCtrl& frame, TKeyFilter keys)
    : StartColor(frame.SelectedColor()) {
  TScreenAccess& screen = Screen();
  FGrab = screen.GrabPointer(window);
  FFrame = &frame;
  frame.Image->SetBitmapSize(frame.Image->width(), frame.Image->height());
  FScreen = screen.OpenScreen();
  FBlock = FScreen->CreateBlock();
  FKeys = std::make_unique<TPickKeys>(std::move(keys));
}

TScreenPick::~TScreenPick() = default;  // the members, in reverse

bool TScreenPick::ReadBlock(QPoint cursor) {
  return FScreen->ReadBlock(cursor, *FBlock);
}

const QImage& TScreenPick::Block() const {
  return FBlock->Image();
}

}  // namespace marnova
