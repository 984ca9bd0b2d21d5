// The main window's screen colour picker.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/screen/PixelOps.h"
#include "platform/screen/PortalColorPick.h"
#include "platform/screen/ScreenAccess.h"
#include "ui/FrameCmdHsvUnit.h"
#include "ui/MainUnit.h"
#include "ui/widgets/KeyboardFocus.h"
#include "ui/widgets/TLMDNImage.h"
#include "ui/widgets/TTimer.h"

namespace marnova {

namespace {

// The magnifier's pen: white with the XOR mode inverts what it draws on.
constexpr QRgb kPickPen = 0xFFFFFF;
// The magnifier pixel that shows the screen pixel under the hot spot, inside
// the outline drawn from 13 to 20.
constexpr QPoint kMagnifierCentre(17, 17);

// Hands the keys pressed anywhere in the program to the window while it
// picks; every other key goes where it went before.
class TPickKeys final : public QObject {
 public:
  explicit TPickKeys(TFormMain& window) : FWindow(window) {
    QCoreApplication::instance()->installEventFilter(this);
  }
  ~TPickKeys() override { QCoreApplication::instance()->removeEventFilter(this); }

  bool eventFilter(QObject*, QEvent* event) override {
    return event->type() == QEvent::KeyPress &&
           FWindow.PickKeyPress(*static_cast<const QKeyEvent*>(event));
  }

 private:
  TFormMain& FWindow;
};

}  // namespace

bool TFormMain::Picking() const {
  return FPickFrame != nullptr || (FPortalPick != nullptr && FPortalPick->Open());
}

void TFormMain::StartPick(TFrameHsvCtrl* Sender) {
  if (UsePortalPick()) {
    StartPortalPick(*Sender);
    return;
  }
  TScreenAccess& screen = Screen();
  FPointerGrab = screen.GrabPointer(*this);
  FPickFrame = Sender;
  FPickImage = Sender->Image;
  FPickImage->SetBitmapSize(FPickImage->width(), FPickImage->height());
  // A pick started before the previous one's end tick takes over its
  // resources; the previous ones are released here.
  FMemDC = nullptr;
  FMemBitmap.reset();
  FScreenDC = screen.OpenScreen();
  FMemBitmap = FScreenDC->CreateBlock();
  FMemDC = FMemBitmap.get();
  FPickEnding = false;
  // The magnifier was just cleared: the first tick samples wherever the
  // pointer stands, even on the previous pick's last spot.
  FPickSampled = false;
  FPickStartColor = Sender->SelectedColor();
  FPickCancelled = false;
  if (!FPickKeys) FPickKeys = std::make_unique<TPickKeys>(*this);
  Timer->setEnabled(true);
}

bool TFormMain::PickKeyPress(const QKeyEvent& key) {
  if (FPickFrame == nullptr || FPickEnding) return false;
  if (IsPressKey(key)) {
    LeftButtonDown(nullptr);
    return true;
  }
  if (key.key() == Qt::Key_Escape) {
    if (key.isAutoRepeat()) return true;
    FPickCancelled = true;
    LeftButtonDown(nullptr);
    return true;
  }
  const int step = key.modifiers().testFlag(Qt::ShiftModifier) ? 10 : 1;
  QPoint move;
  switch (key.key()) {
    case Qt::Key_Left:
      move = {-step, 0};
      break;
    case Qt::Key_Right:
      move = {step, 0};
      break;
    case Qt::Key_Up:
      move = {0, -step};
      break;
    case Qt::Key_Down:
      move = {0, step};
      break;
    default:
      return false;
  }
  TScreenAccess& screen = Screen();
  screen.SetCursorPos(screen.CursorPos() + move);
  return true;
}

void TFormMain::TimerTimer(QObject*) {
  // Off while the tick runs: the evaluation a sample starts processes
  // pending events, so a tick never runs inside another, and a press
  // handled there is seen below.
  Timer->setEnabled(false);
  if (FPickFrame == nullptr || FPickImage == nullptr || FMemDC == nullptr) return;
  TScreenAccess& screen = Screen();
  if (!FPickCancelled && !screen.IsMinimised(*this)) {
    const QPoint cursor = screen.CursorPos();
    // A screen that cannot be read gives no sample rather than black; the
    // next tick tries again.
    if ((!FPickSampled || cursor != FLastCursor) && FScreenDC->ReadBlock(cursor, *FMemDC)) {
      QImage magnifier = FPickImage->Bitmap();
      ScaleReplicate(FMemDC->Image(), magnifier);
      DrawPickFrame(magnifier, 13, 13, 20, 20);
      FPickImage->setBitmap(magnifier);
      FLastCursor = cursor;
      FPickSampled = true;
      PassSample(*FPickFrame);
    }
  }
  if (FPickEnding) {
    FMemDC = nullptr;
    FMemBitmap.reset();
    FScreenDC.reset();
    FPickKeys.reset();
    // Idle before the last sample is passed on, so that a pick started
    // while its evaluation processes events is not ended here.
    const QPointer<TFrameHsvCtrl> frame = FPickFrame;
    FPickFrame = nullptr;
    FPickEnding = false;
    if (frame == nullptr) return;
    if (FPickCancelled) {
      FPickCancelled = false;
      frame->SetSelectedColor(FPickStartColor);
    } else {
      PassSample(*frame);
    }
    return;
  }
  Timer->setEnabled(true);
}

void TFormMain::PassSample(TFrameHsvCtrl& frame) {
  if (FPickImage == nullptr) return;
  frame.SetSelectedColor(FPickImage->Pixel(kMagnifierCentre.x(), kMagnifierCentre.y()));
}

void TFormMain::LeftButtonDown(QMouseEvent*) {
  if (FPickFrame == nullptr || FPickEnding) return;
  FPointerGrab.reset();
  FPickFrame->EndPick();
  Screen().ActivateWindow(*this);
  FPickEnding = true;
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
