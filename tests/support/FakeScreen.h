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

#include "platform/screen/ScreenAccess.h"

namespace marnova {

class TFakeScreen final : public TScreenAccess {
 public:
  // A desktop of `size` device pixels, all black.
  explicit TFakeScreen(QSize size = QSize(64, 48));

  // The desktop's pixels; change them freely between ticks.
  QImage& Desktop();
  void Fill(QRgb colour);
  void SetPixel(QPoint at, QRgb colour);

  void SetCursorPos(QPoint at) override;
  void SetMinimised(bool minimised);
  // An unreadable screen makes every ReadBlock fail (a desktop that
  // refuses screen capture).
  void SetReadable(bool readable);

  // Objects handed out and still alive.
  int LiveGrabs() const;
  int LiveDevices() const;
  int LiveBlocks() const;
  int LiveObjects() const { return LiveGrabs() + LiveDevices() + LiveBlocks(); }
  // Objects handed out so far, alive or not.
  int HandedOut() const;
  // ReadBlock calls so far, successful or not.
  int Reads() const;
  // ActivateWindow calls so far, and how many of them the event loop has
  // carried out.
  int ActivationsRequested() const;
  int ActivationsDone() const;
  int Raises() const;
  // The window of the newest grab still alive; null when none is.
  QWidget* Grabber() const;

  std::unique_ptr<TPointerGrab> GrabPointer(QWidget& window) override;
  QPoint CursorPos() const override;
  bool IsMinimised(const QWidget& window) const override;
  std::unique_ptr<TScreenDevice> OpenScreen() override;
  void ActivateWindow(QWidget& window) override;
  void RaiseWindow(QWidget& window) override;

  struct TState;

 private:
  std::shared_ptr<TState> FState;
};

}  // namespace marnova
