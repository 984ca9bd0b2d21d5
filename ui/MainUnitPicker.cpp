// The main window's screen colour picker.
#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/screen/PixelOps.h"
#include "platform/screen/PortalColorPick.h"
#include "platform/screen/ScreenAccess.h"
#include "ui/MainUnit.h"
#include "ui/ScreenPick.h"
#include "ui/widgets/KeyboardFocus.h"
#include "ui/widgets/TTimer.h"

namespace marnova {

namespace {

// The magnifier's pen: white with the XOR mode inverts what it draws on.
constexpr QRgb kPickPen = 0xFFFFFF;
// The magnifier pixel that shows the screen pixel under the hot spot, inside
// the outline drawn from 13 to 20.
constexpr QPoint kMagnifierCentre(17, 17);

}  // namespace

bool TFormMain::Picking() const {
  return FPick != nullptr || (FPortalPick != nullptr && FPortalPick->Open());
}

void TFormMain::StartPick(TFrameHsvCtrl* Sender) {
  if (UsePortalPick()) {
    StartPortalPick(*Sender);
    return;
  }
  // A pick started before the previous one's end tick takes its place; the
  // previous one gives back what it still holds. The new magnifier is
  // empty, so its first tick samples wherever the pointer stands.
  FPick = std::make_unique<TScreenPick>(*this, *Sender,
                                        [this](const QKeyEvent& key) { return PickKeyPress(key); });
  Timer->setEnabled(true);
}

bool TFormMain::PickKeyPress(const QKeyEvent& key) {
  if (FPick == nullptr || !FPick->Running()) return false;
  if (IsPressKey(key)) {
    LeftButtonDown(nullptr);
    return true;
  }
  if (key.key() == Qt::Key_Escape) {
    if (key.isAutoRepeat()) return true;
    FPick->Cancelled = true;
    LeftButtonDown(nullptr);
    return true;
  }
  // The arrows move the pointer one pixel, ten with Shift.
  const struct {
    int key;
    QPoint direction;
  } moves[] = {{Qt::Key_Left, {-1, 0}},
               {Qt::Key_Right, {1, 0}},
               {Qt::Key_Up, {0, -1}},
               {Qt::Key_Down, {0, 1}}};
  for (const auto& move : moves) {
    if (key.key() != move.key) continue;
    const int step = key.modifiers().testFlag(Qt::ShiftModifier) ? 10 : 1;
    TScreenAccess& screen = Screen();
    screen.SetCursorPos(screen.CursorPos() + move.direction * step);
    return true;
  }
  return false;
}

void TFormMain::TimerTimer(QObject*) {
  // Off while the tick runs: the evaluation a sample starts processes
  // pending events, so a tick never runs inside another, and a press
  // handled there is seen below.
  Timer->setEnabled(false);
  if (FPick == nullptr) return;
  TFrameHsvCtrl* frame = FPick->Frame();
  TScreenAccess& screen = Screen();
  if (frame != nullptr && !FPick->Cancelled && !screen.IsMinimised(*this)) {
    const QPoint cursor = screen.CursorPos();
    // A screen that cannot be read gives no sample rather than black; the
    // next tick tries again.
    if ((!FPick->Sampled || cursor != FLastCursor) && FPick->ReadBlock(cursor)) {
      QImage magnifier = frame->Image->Bitmap();
      ScaleReplicate(FPick->Block(), magnifier);
      DrawPickFrame(magnifier, 13, 13, 20, 20);
      frame->Image->setBitmap(magnifier);
      FLastCursor = cursor;
      FPick->Sampled = true;
      PassSample(*frame);
    }
  }
  if (FPick == nullptr) return;  // a pick started and ended inside the sample's evaluation
  if (FPick->Running()) {
    Timer->setEnabled(true);
    return;
  }
  // Idle before the last sample is passed on, so that a pick started while
  // its evaluation processes events is not ended here.
  const QPointer<TFrameHsvCtrl> ended = FPick->Frame();
  const bool cancelled = FPick->Cancelled;
  const TColor startColor = FPick->StartColor;
  FPick.reset();
  if (ended == nullptr) return;
  if (cancelled) {
    ended->SetSelectedColor(startColor);
  } else {
    PassSample(*ended);
  }
}

void TFormMain::PassSample(TFrameHsvCtrl& frame) {
  frame.SetSelectedColor(frame.Image->Pixel(kMagnifierCentre.x(), kMagnifierCentre.y()));
}

void TFormMain::LeftButtonDown(QMouseEvent*) {
  if (FPick == nullptr || !FPick->Running()) return;
  FPick->End();
  FPick->Frame()->EndPick();
  Screen().ActivateWindow(*this);
}

void TFormMain::RightButtonDown(QMouseEvent* message) {
  QWidget::mousePressEvent(message);
  LeftButtonDown(message);
}

void TFormMain::DrawPickFrame(QImage& canvas, int X1, int Y1, int X2, int Y2) {
  // Each line leaves out its end point, which the next one draws.
  XorLine(canvas, {X1, Y1}, {X2, Y1}, kPickPen);
  XorLine(canvas, {X2, Y1}, {X2, Y2}, kPickPen);
  XorLine(canvas, {X2, Y2}, {X1, Y2}, kPickPen);
  XorLine(canvas, {X1, Y2}, {X1, Y1}, kPickPen);
}

void TFormMain::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    LeftButtonDown(event);
  } else if (event->button() == Qt::RightButton) {
    RightButtonDown(event);
  } else {
    QWidget::mousePressEvent(event);
  }
}

}  // namespace marnova
