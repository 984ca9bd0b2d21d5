// The real screen layer. The same tests run on three platforms, each
// checking what that platform can show:
//  - offscreen: presses, cursor, and reads of the program's own windows;
//  - minimal:   a platform that cannot read the screen at all;
//  - xcb on Xvfb (also at scale factors 1.25, 1.5 and 2): real screen pixels,
//    the system-wide pointer grab, device pixels on a scaled desktop.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QWidget>
#include <memory>
#include <vector>

#include "platform/screen/PixelOps.h"
#include "platform/screen/QtScreen.h"

namespace marnova {
namespace {

bool On(const char* platform) {
  return QGuiApplication::platformName() == platform;
}

// The colour the pattern window shows at device pixel (x, y).
QRgb Pattern(int x, int y) {
  return qRgb(x & 0xFF, (3 * y) & 0xFF, 0x80);
}

// A borderless window at the screen's top-left corner whose every device
// pixel shows Pattern() of its own position.
class TPatternWindow : public QWidget {
 public:
  TPatternWindow() : QWidget(nullptr, Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint) {
    setGeometry(0, 0, 64, 48);
  }
  void paintEvent(QPaintEvent*) override {
    const qreal ratio = devicePixelRatioF();
    QImage image(qRound(width() * ratio), qRound(height() * ratio), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, Pattern(x, y));
    image.setDevicePixelRatio(ratio);
    QPainter(this).drawImage(0, 0, image);
  }
};

// The whole sampling step: replicate, frame, read back at (17, 17).
QRgb MagnifiedCentre(const QImage& block) {
  QImage magnifier(33, 33, QImage::Format_RGB32);
  ScaleReplicate(block, magnifier);
  XorOutline(magnifier, 13, 13, 20, 20, 0xFFFFFF);
  return PixelAt(magnifier, {17, 17});
}

// Shows `window` and waits until the screen shows what it painted.
void ShowAndSettle(QWidget& window) {
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QTest::qWait(100);  // the X server gets the backing store a moment later
}

// Records the presses it is given, by button.
class TPressRecorder : public QWidget {
 public:
  using QWidget::QWidget;
  std::vector<Qt::MouseButton> Presses;
  std::function<void()> OnPress;
  void mousePressEvent(QMouseEvent* event) override {
    Presses.push_back(event->button());
    if (OnPress) OnPress();
  }
};

TEST(QtScreen, ReadsTheBlockUnderAPositionAndItsCentreSurvivesTheMagnifier) {
  if (On("minimal")) GTEST_SKIP() << "the minimal platform has no screen pixels to read";
  TPatternWindow window;
  ShowAndSettle(window);
  const qreal ratio = window.devicePixelRatioF();
  if (qEnvironmentVariable("QT_SCALE_FACTOR") == "2") {
    ASSERT_EQ(ratio, 2.0) << "not a scaled desktop";
  }
  TQtScreen screen;
  auto device = screen.OpenScreen();
  auto block = device->CreateBlock();

  const QPoint centres[] = {{30, 20}, {0, 0}, {1, 1}, {2, 2}, {61, 45}};
  for (const QPoint centre : centres) {
    SCOPED_TRACE(testing::Message()
                 << "centre " << centre.x() << "," << centre.y() << " ratio " << ratio);
    ASSERT_TRUE(device->ReadBlock(centre, *block));
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 5; ++x) {
        const QPoint at = centre + QPoint(x - 2, y - 2);
        const QRgb expected = at.x() < 0 || at.y() < 0 ? qRgb(0, 0, 0) : Pattern(at.x(), at.y());
        EXPECT_EQ(block->Pixel(x, y), expected) << "block pixel " << x << "," << y;
      }
    EXPECT_EQ(MagnifiedCentre(block->Image()), Pattern(centre.x(), centre.y()));
  }
}

TEST(QtScreen, AScreenThatCannotBeReadFailsAndLeavesTheBlockAlone) {
  TQtScreen screen;
  auto device = screen.OpenScreen();
  auto block = device->CreateBlock();
  block->Image().fill(qRgb(9, 8, 7));
  EXPECT_FALSE(device->ReadBlock({-1000, -1000}, *block)) << "a position on no screen";
  if (On("minimal")) {
    EXPECT_FALSE(device->ReadBlock({10, 10}, *block));
    EXPECT_FALSE(device->ReadBlock({0, 0}, *block));
  }
  EXPECT_EQ(block->Centre(), qRgb(9, 8, 7));
  EXPECT_EQ(block->Pixel(0, 0), qRgb(9, 8, 7));
}

TEST(QtScreen, TheCursorIsReadInDevicePixels) {
  if (On("minimal")) GTEST_SKIP() << "the minimal platform has no cursor";
  TPatternWindow window;  // a mapped window keeps the cursor on a screen
  ShowAndSettle(window);
  const qreal ratio = window.devicePixelRatioF();
  TQtScreen screen;
  for (const QPoint logical : {QPoint(20, 15), QPoint(5, 40)}) {
    QCursor::setPos(logical);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QCursor::pos() == logical; }, 1000));
    EXPECT_EQ(screen.CursorPos(), QPoint(qRound(logical.x() * ratio), qRound(logical.y() * ratio)));
  }
}

// On a scaled desktop a logical pixel spans several device pixels; the
// pointer may rest on any of them, and the pick must take that very one.
TEST(QtScreen, OnX11EachDevicePixelOfALogicalOneIsTakenAtEveryScale) {
  if (!On("xcb")) GTEST_SKIP() << "needs a real X server (run under Xvfb)";
  const QString xdotool = QStandardPaths::findExecutable("xdotool");
  if (xdotool.isEmpty()) GTEST_SKIP() << "xdotool is not installed";
  TPatternWindow window;
  ShowAndSettle(window);
  const qreal ratio = window.devicePixelRatioF();
  const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1");
  ASSERT_EQ(ratio, scale.toDouble()) << "not the desktop scale asked for";
  TQtScreen screen;
  auto device = screen.OpenScreen();
  auto block = device->CreateBlock();
  // Four device pixels of four colours, two of them odd in each direction.
  for (const QPoint at : {QPoint(41, 31), QPoint(42, 31), QPoint(41, 32), QPoint(42, 32)}) {
    SCOPED_TRACE(testing::Message()
                 << "device pixel " << at.x() << "," << at.y() << " ratio " << ratio);
    QProcess::execute(xdotool, {"mousemove", QString::number(at.x()), QString::number(at.y())});
    EXPECT_TRUE(QTest::qWaitFor([&] { return screen.CursorPos() == at; }, 2000));
    ASSERT_TRUE(device->ReadBlock(screen.CursorPos(), *block));
    EXPECT_EQ(MagnifiedCentre(block->Image()), Pattern(at.x(), at.y()));
  }
}

// The keyboard pick's arrow steps: one device pixel (ten with Shift), in
// that direction only, from odd and even device pixels alike.
TEST(QtScreen, OnX11PointerStepsAreDevicePixelsAtEveryScale) {
  if (!On("xcb")) GTEST_SKIP() << "needs a real X server (run under Xvfb)";
  TPatternWindow window;  // a mapped window keeps the cursor on a screen
  ShowAndSettle(window);
  TQtScreen screen;
  screen.SetCursorPos({101, 51});
  ASSERT_TRUE(QTest::qWaitFor([&] { return screen.CursorPos() == QPoint(101, 51); }, 2000));
  for (const QPoint step : {QPoint(1, 0), QPoint(1, 0), QPoint(0, 1), QPoint(0, 1), QPoint(-1, 0),
                            QPoint(0, -1), QPoint(10, 0), QPoint(0, 10), QPoint(-10, 0)}) {
    const QPoint want = screen.CursorPos() + step;
    screen.SetCursorPos(want);
    EXPECT_EQ(screen.CursorPos(), want) << "ratio " << window.devicePixelRatioF();
  }
}

TEST(QtScreen, WhileGrabbedEveryPressOfTheProgramReachesTheWindow) {
  TPressRecorder window;
  window.setGeometry(100, 100, 120, 80);
  auto* button = new TPressRecorder(&window);  // like a panel's pick button
  button->setGeometry(10, 10, 30, 30);
  TPressRecorder other;  // another window of the program
  other.setGeometry(300, 100, 50, 50);
  window.show();
  other.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

  TQtScreen screen;
  auto grab = screen.GrabPointer(window);
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseClick(&other, Qt::RightButton, {}, QPoint(5, 5));
  QTest::mouseDClick(button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(button->Presses.empty());
  EXPECT_TRUE(other.Presses.empty());
  ASSERT_GE(window.Presses.size(), 2u);
  EXPECT_EQ(window.Presses[0], Qt::LeftButton);
  EXPECT_EQ(window.Presses[1], Qt::RightButton);

  grab.reset();
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
  const auto before = window.Presses.size();
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(button->Presses.size(), 1u) << "after the release presses go where they were aimed";
  EXPECT_EQ(window.Presses.size(), before);
}

TEST(QtScreen, ThePressThatEndsTheGrabMayReleaseItInItsHandler) {
  TPressRecorder window;
  auto* child = new TPressRecorder(&window);
  window.resize(80, 80);
  child->setGeometry(0, 0, 20, 20);
  window.show();
  TQtScreen screen;
  std::unique_ptr<TPointerGrab> grab = screen.GrabPointer(window);
  window.OnPress = [&grab] { grab.reset(); };  // as the pick's button handler does
  QTest::mouseClick(child, Qt::LeftButton, {}, QPoint(3, 3));
  EXPECT_EQ(grab, nullptr);
  EXPECT_EQ(window.Presses.size(), 1u);
  EXPECT_TRUE(child->Presses.empty());
}

TEST(QtScreen, ANewerGrabTakesOverAndTheOlderReleasesNothing) {
  TPressRecorder first, second, target;
  for (QWidget* w : {&first, &second, &target}) w->show();
  TQtScreen screen;
  auto older = screen.GrabPointer(first);
  auto newer = screen.GrabPointer(second);
  older.reset();
  EXPECT_EQ(QWidget::mouseGrabber(), &second);
  QTest::mouseClick(&target, Qt::LeftButton);
  EXPECT_TRUE(first.Presses.empty());
  EXPECT_EQ(second.Presses.size(), 1u);
  newer.reset();
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST(QtScreen, OnX11PressesAnywhereOnTheScreenReachTheWindow) {
  if (!On("xcb")) GTEST_SKIP() << "needs a real X server (run under Xvfb)";
  const QString xdotool = QStandardPaths::findExecutable("xdotool");
  if (xdotool.isEmpty()) GTEST_SKIP() << "xdotool is not installed";
  TPressRecorder window;
  window.setWindowFlags(Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
  window.setGeometry(10, 10, 60, 40);
  ShowAndSettle(window);
  TQtScreen screen;
  auto grab = screen.GrabPointer(window);
  EXPECT_TRUE(grab->HeldBySystem());
  // Press far away from any window of the program, on the bare desktop.
  QProcess::execute(xdotool, {"mousemove", "300", "300", "click", "3"});
  EXPECT_TRUE(QTest::qWaitFor([&] { return !window.Presses.empty(); }, 2000));
  ASSERT_FALSE(window.Presses.empty());
  EXPECT_EQ(window.Presses[0], Qt::RightButton);
}

TEST(QtScreen, MinimisedTestAndDeferredActivation) {
  TQtScreen screen;
  auto window = std::make_unique<QWidget>();
  window->show();
  EXPECT_FALSE(screen.IsMinimised(*window));
  auto* child = new QWidget(window.get());
  window->setWindowState(Qt::WindowMinimized);
  EXPECT_TRUE(screen.IsMinimised(*child)) << "the test asks the child's window";
  screen.RaiseWindow(*child);
  // An activation queued for a window that goes away is dropped.
  screen.ActivateWindow(*window);
  window.reset();
  QCoreApplication::processEvents();
}

}  // namespace
}  // namespace marnova
