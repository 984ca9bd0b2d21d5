#pragma once
// A screen of known pixels for in-process tests of the picker: install it
// with TScreenOverride (platform/screen/ScreenAccess.h) and drive the
// cursor, the minimised state and the pixels from the test. Link
// marnova_fake_screen.
//
// It counts the objects it hands out (pointer grabs, screen devices,
// pixel blocks) while they live, so that a test can check that many
// picks in a row leave nothing behind. The counts stay valid when a
// handed-out object outlives the fake.
//
// Pointer grabs are real ones (presses are redirected to the window as on
// the real screen), only counted.
#include <QImage>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <vector>

#include "platform/screen/ScreenAccess.h"

namespace marnova {

class TFakeScreen final : public TScreenAccess {
 public:
  // A desktop of `size` device pixels, all black.
  explicit TFakeScreen(QSize size = QSize(64, 48));

  // What the fake holds and counts, shared with the objects it hands out.
  struct TState {
    QImage Desktop;
    QPoint Cursor;
    bool Minimised = false;
    bool Readable = true;
    int Grabs = 0;
    int Devices = 0;
    int Blocks = 0;
    int HandedOut = 0;
    int Reads = 0;
    int ActivationsRequested = 0;
    int ActivationsDone = 0;
    int Raises = 0;
    std::vector<QPointer<QWidget>> GrabStack;  // windows of live grabs, newest last
  };

  // The desktop's pixels; change them freely between ticks.
  QImage& Desktop() { return FState->Desktop; }
  void Fill(QRgb colour) { FState->Desktop.fill(colour); }
  void SetPixel(QPoint at, QRgb colour) { FState->Desktop.setPixel(at, colour); }

  void SetCursorPos(QPoint at) override { FState->Cursor = at; }
  void SetMinimised(bool minimised) { FState->Minimised = minimised; }
  // An unreadable screen makes every ReadBlock fail (a desktop that
  // refuses screen capture).
  void SetReadable(bool readable) { FState->Readable = readable; }

  // Objects handed out and still alive.
  int LiveGrabs() const { return FState->Grabs; }
  int LiveDevices() const { return FState->Devices; }
  int LiveBlocks() const { return FState->Blocks; }
  int LiveObjects() const { return LiveGrabs() + LiveDevices() + LiveBlocks(); }
  // Objects handed out so far, alive or not.
  int HandedOut() const { return FState->HandedOut; }
  // ReadBlock calls so far, successful or not.
  int Reads() const { return FState->Reads; }
  // ActivateWindow calls so far, and how many of them the event loop has
  // carried out.
  int ActivationsRequested() const { return FState->ActivationsRequested; }
  int ActivationsDone() const { return FState->ActivationsDone; }
  int Raises() const { return FState->Raises; }
  // The window of the newest grab still alive; null when none is.
  QWidget* Grabber() const;

  std::unique_ptr<TPointerGrab> GrabPointer(QWidget& window) override;
  QPoint CursorPos() const override { return FState->Cursor; }
  bool IsMinimised(const QWidget&) const override { return FState->Minimised; }
  std::unique_ptr<TScreenDevice> OpenScreen() override;
  void ActivateWindow(QWidget& window) override;
  void RaiseWindow(QWidget&) override { ++FState->Raises; }

 private:
  std::shared_ptr<TState> FState;
};

}  // namespace marnova
