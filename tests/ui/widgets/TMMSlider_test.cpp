#include "ui/widgets/TMMSlider.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <memory>
#include <vector>

#include "ui/widgets/WidgetTestSupport.h"

namespace marnova {
namespace {

using test::kFace;
using test::kGroove;
using test::kThumb;
using test::Opaque;
using test::PixelAt;
using test::SendMouse;
using test::SetUpFrameSlider;

// Counts and records the slider's change events from construction on.
struct Recorder {
  int changes = 0;
  std::vector<int> values;
  explicit Recorder(TMMCustomSlider& s) {
    s.OnChange = [this, &s](QObject* sender) {
      EXPECT_EQ(sender, &s);
      ++changes;
      values.push_back(s.Position());
    };
  }
};

std::unique_ptr<TMMSlider> LoadedFrameSlider(int position = 10) {
  auto s = std::make_unique<TMMSlider>();
  SetUpFrameSlider(*s);
  s->setPosition(position);
  s->Loaded();
  return s;
}

// A request is compared with the stored value before it is clamped.
TEST(SliderValue, OneEventPerDifferentRequestAndNoneOtherwise) {
  struct Case {
    const char* what;
    int start, set, expected, events;
  } cases[] = {
      {"same value", 10, 10, 10, 0},
      {"new value", 10, 11, 11, 1},
      {"above the range", 10, 300, 255, 1},
      {"below the range", 10, -3, 0, 1},
      {"beyond the end it sits at", 255, 300, 255, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto s = LoadedFrameSlider(c.start);
    Recorder r(*s);
    s->setPosition(c.set);
    EXPECT_EQ(s->Position(), c.expected);
    EXPECT_EQ(r.changes, c.events);
  }
}

TEST(SliderValue, SilentWhileLoadingAndClampedAsAssigned) {
  TMMSlider s;
  Recorder r(s);
  s.setPosition(300);  // before the range arrives: clamped to the default 0..10
  EXPECT_EQ(s.Position(), 10);
  s.setMaxValue(359);
  s.setMinValue(400);  // not forced apart while loading
  EXPECT_EQ(s.MaxValue(), 359);
  s.setMinValue(0);
  EXPECT_EQ(s.Position(), 10);
  s.setPosition(300);  // within the range given so far
  s.Loaded();
  EXPECT_EQ(s.Position(), 300);
  EXPECT_EQ(r.changes, 0);
  s.setPosition(301);
  EXPECT_EQ(r.changes, 1);
}

TEST(SliderValue, RangeChangesReapplyTheValueAndAnnounceIt) {
  auto s = LoadedFrameSlider(200);
  Recorder r(*s);
  s->setMaxValue(300);  // value stays, still announced
  EXPECT_EQ(r.values, std::vector<int>({200}));
  s->setMaxValue(100);  // value clamped
  EXPECT_EQ(r.values, std::vector<int>({200, 100}));
  s->setMaxValue(100);  // no change at all
  EXPECT_EQ(r.changes, 2);
  s->setMaxValue(-7);  // not above MinValue: becomes MinValue + 1
  EXPECT_EQ(s->MaxValue(), 1);
  EXPECT_EQ(s->Position(), 1);
  s->setMinValue(50);
  EXPECT_EQ(s->MaxValue(), 51);
  EXPECT_EQ(s->Position(), 50);
  EXPECT_EQ(r.changes, 4);
}

TEST(SliderKeyboard, KeysFollowTheTable) {
  struct Case {
    const char* what;
    bool vertical;
    int start;
    Qt::Key key;
    int expected;
  } cases[] = {
      {"page up", true, 10, Qt::Key_PageUp, 15},
      {"page up near the top", true, 253, Qt::Key_PageUp, 255},
      {"page up at the top", true, 255, Qt::Key_PageUp, 255},
      {"page down", true, 10, Qt::Key_PageDown, 5},
      {"page down near the bottom", true, 2, Qt::Key_PageDown, 0},
      {"home vertical", true, 10, Qt::Key_Home, 255},
      {"home vertical at the top", true, 255, Qt::Key_Home, 255},
      {"end vertical", true, 10, Qt::Key_End, 0},
      {"home horizontal", false, 10, Qt::Key_Home, 0},
      {"end horizontal", false, 10, Qt::Key_End, 255},
      {"up", true, 10, Qt::Key_Up, 11},
      {"right", true, 10, Qt::Key_Right, 11},
      {"up at the top", true, 255, Qt::Key_Up, 255},
      {"down", true, 10, Qt::Key_Down, 9},
      {"left", true, 10, Qt::Key_Left, 9},
      {"down at the bottom", true, 0, Qt::Key_Down, 0},
      {"other key", true, 10, Qt::Key_A, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto s = LoadedFrameSlider(c.start);
    if (!c.vertical) s->resize(114, 25);
    Recorder r(*s);
    int trackEnds = 0;
    s->OnTrackEnd = [&](QObject*) { ++trackEnds; };
    QTest::keyClick(s.get(), c.key);
    EXPECT_EQ(s->Position(), c.expected);
    EXPECT_EQ(r.changes, c.expected != c.start ? 1 : 0);
    EXPECT_EQ(trackEnds, c.key == Qt::Key_A ? 0 : 1);
  }
}

TEST(SliderKeyboard, LargeStepsDoNotOverflow) {
  auto s = LoadedFrameSlider(200);
  s->setMaxValue(2147483647);
  s->setPageSize(2147483647);
  s->setPosition(2147483000);
  QTest::keyClick(s.get(), Qt::Key_PageUp);
  EXPECT_EQ(s->Position(), 2147483647);
}

TEST(SliderMouse, PressOnThumbStartsADragWithoutMovingTheValue) {
  auto s = LoadedFrameSlider(128);
  Recorder r(*s);
  const QRect thumb = s->ThumbRect();
  ASSERT_EQ(thumb, QRect(1, 51, 23, 11));
  SendMouse(*s, QEvent::MouseButtonPress, thumb.center());
  EXPECT_TRUE(s->Dragging());
  EXPECT_EQ(r.changes, 0);
  // Upwards raises the value: 10 px of 91 over a range of 255 is 28.
  SendMouse(*s, QEvent::MouseMove, thumb.center() - QPoint(0, 10), Qt::NoButton);
  EXPECT_EQ(s->Position(), 156);
  SendMouse(*s, QEvent::MouseMove, thumb.center() + QPoint(0, 10), Qt::NoButton);
  EXPECT_EQ(s->Position(), 100);
  SendMouse(*s, QEvent::MouseMove, QPoint(5, 500), Qt::NoButton);
  EXPECT_EQ(s->Position(), 0);
  SendMouse(*s, QEvent::MouseButtonRelease, QPoint(5, 500), Qt::LeftButton, Qt::NoButton);
  EXPECT_FALSE(s->Dragging());
  SendMouse(*s, QEvent::MouseMove, QPoint(12, 30), Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(s->Position(), 0);  // moves without the button do nothing
  EXPECT_EQ(r.values, std::vector<int>({156, 100, 0}));
}

TEST(SliderMouse, PressOnTheGrooveJumpsToThePointer) {
  struct Case {
    int y, expected;
  } cases[] = {{80, 62}, {11, 255}, {102, 0}, {3, 255}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.y);
    auto s = LoadedFrameSlider(128);
    Recorder r(*s);
    SendMouse(*s, QEvent::MouseButtonPress, QPoint(12, c.y));
    EXPECT_FALSE(s->Dragging());
    EXPECT_EQ(s->Position(), c.expected);
    EXPECT_EQ(r.changes, 1);
  }
}

TEST(SliderMouse, RightButtonDoesNotMoveAndCursorFollowsTheThumb) {
  auto s = LoadedFrameSlider(128);
  SendMouse(*s, QEvent::MouseButtonPress, QPoint(12, 90), Qt::RightButton, Qt::RightButton);
  EXPECT_EQ(s->Position(), 128);
  SendMouse(*s, QEvent::MouseMove, s->ThumbRect().center(), Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(s->cursor().shape(), crHandPoint);
  SendMouse(*s, QEvent::MouseMove, QPoint(12, 100), Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(s->cursor().shape(), crDefault);
  s->setCursor(QCursor(crHelp));
  EXPECT_EQ(s->cursor().shape(), crHelp);
}

TEST(SliderShape, OrientationFollowsTheShape) {
  TMMSlider s;
  EXPECT_EQ(s.Orientation(), TMMSlider::orHorizontal);
  s.resize(25, 114);
  EXPECT_EQ(s.Orientation(), TMMSlider::orVertical);
  s.resize(50, 50);
  EXPECT_EQ(s.Orientation(), TMMSlider::orHorizontal);
}

TEST(SliderPaint, BuiltInThumbBevelAndGroove) {
  auto s = LoadedFrameSlider(0);
  const QImage at0 = s->grab().toImage();
  const QColor frame = ToQColor(clWindowFrame);
  struct Probe {
    const char* what;
    int x, y;
    QColor colour;
  } probes[] = {
      {"outer bevel", 0, 0, ToQColor(kGroove)},
      {"border", 3, 3, ToQColor(kFace)},
      {"client", 7, 40, ToQColor(kFace)},
      {"groove bevel shadow", 10, 40, QColor(Qt::black)},
      {"groove bevel light", 13, 40, ToQColor(kGroove)},
      {"groove interior", 11, 40, ToQColor(kGroove)},
      {"thumb frame", 1, 97, frame},
      {"thumb light edge", 2, 98, ToQColor(clBtnHighlight)},
      {"thumb shadow edge", 22, 100, ToQColor(clBtnShadow)},
      {"thumb corner", 22, 98, ToQColor(clBtnHighlight)},
      {"thumb fill", 12, 102, ToQColor(kThumb)},
  };
  for (const Probe& p : probes) {
    SCOPED_TRACE(p.what);
    EXPECT_EQ(at0.pixel(p.x, p.y) | 0xFF000000u, Opaque(p.colour));
  }
  s->setPosition(255);
  EXPECT_EQ(PixelAt(*s, 12, 11), Opaque(ToQColor(kThumb)));
  EXPECT_EQ(PixelAt(*s, 11, 102), Opaque(ToQColor(kGroove)));
}

TEST(SliderPaint, DisabledThumbIsDotted) {
  auto s = LoadedFrameSlider(0);
  s->setDisabledColor(0x00FF00);
  s->setEnabled(false);
  const QImage image = s->grab().toImage();
  // Interior starts at (3, 99), two pixels inside the thumb at (1, 97).
  EXPECT_EQ(image.pixel(3, 99) | 0xFF000000u, Opaque(QColor(0, 255, 0)));
  EXPECT_EQ(image.pixel(4, 99) | 0xFF000000u, Opaque(ToQColor(kThumb)));
  EXPECT_EQ(image.pixel(4, 100) | 0xFF000000u, Opaque(QColor(0, 255, 0)));
}

TEST(SliderPaint, OwnerDrawGetsTheThumbRectAndFlags) {
  auto s = LoadedFrameSlider(255);
  s->setThumbStyle(TMMSlider::tsOwnerDraw);
  std::vector<std::pair<QRect, bool>> calls;
  s->OnDrawThumb = [&](QObject* sender, QPainter& canvas, const QRect& rect, bool dragged,
                       bool focused) {
    EXPECT_EQ(sender, s.get());
    EXPECT_FALSE(focused);
    calls.emplace_back(rect, dragged);
    canvas.fillRect(rect, Qt::green);
  };
  const QImage image = s->grab().toImage();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].first, QRect(1, 6, 23, 11));
  EXPECT_FALSE(calls[0].second);
  EXPECT_EQ(image.pixel(1, 6) | 0xFF000000u, Opaque(Qt::green));
  SendMouse(*s, QEvent::MouseButtonPress, QPoint(12, 10));
  (void)s->grab();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_TRUE(calls[1].second);
}

TEST(SliderAccessibility, ReportsRoleNameAndValue) {
  auto s = LoadedFrameSlider(42);
  s->setHint(QStringLiteral("Rosso"));
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(s.get());
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::Slider);
  EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("Rosso"));
  EXPECT_EQ(a->text(QAccessible::Value), QStringLiteral("42"));
  QAccessibleValueInterface* v = a->valueInterface();
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->maximumValue().toInt(), 255);
  v->setCurrentValue(77);
  EXPECT_EQ(s->Position(), 77);
}

// Focus needs a shown, active window.
class SliderFocus : public ::testing::Test {
 protected:
  void SetUp() override {
    window.resize(100, 130);
    other.setFocusPolicy(Qt::StrongFocus);  // takes the focus when the window activates
    other.setGeometry(60, 0, 20, 20);
    for (auto* s : {&a, &b}) {
      SetUpFrameSlider(*s);
      s->setFocusAction(TMMSlider::faFocusThumb);
      s->setThumbStyle(TMMSlider::tsOwnerDraw);
      s->Loaded();
    }
    b.move(30, 0);
    a.OnDrawThumb = [this](QObject*, QPainter&, const QRect&, bool, bool focused) {
      phases.push_back(focused);
    };
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ASSERT_FALSE(a.hasFocus());
  }
  bool PaintedPhase() {
    phases.clear();
    (void)a.grab();
    return !phases.empty() && phases.back();
  }

  QWidget window;
  QWidget other{&window};
  TMMSlider a{&window};
  TMMSlider b{&window};
  std::vector<bool> phases;
};

TEST_F(SliderFocus, ThumbBlinksEveryHalfSecondWhileFocused) {
  a.setFocus();
  ASSERT_TRUE(a.hasFocus());
  EXPECT_TRUE(a.OwnsBlinkTimer());
  ASSERT_NE(a.findChild<QTimer*>(), nullptr);
  // Never early, as coarse ones are.
  EXPECT_EQ(a.findChild<QTimer*>()->timerType(), Qt::PreciseTimer);
  EXPECT_FALSE(PaintedPhase());
  QTest::qWait(750);  // one tick at 500
  EXPECT_TRUE(PaintedPhase());
  QTest::qWait(500);  // second tick at 1000
  EXPECT_FALSE(PaintedPhase());
  b.setFocus();
  EXPECT_FALSE(a.OwnsBlinkTimer());
  EXPECT_TRUE(b.OwnsBlinkTimer());
  QTest::qWait(550);
  EXPECT_FALSE(PaintedPhase());
  EXPECT_TRUE(b.BlinkPhase());
}

TEST_F(SliderFocus, MousePressTakesFocusAndDraggingHoldsThePhaseOn) {
  SendMouse(a, QEvent::MouseButtonPress, a.ThumbRect().center());
  ASSERT_TRUE(a.hasFocus());
  ASSERT_TRUE(a.Dragging());
  QTest::qWait(1250);  // ticks at 500 and 1000 both leave it on
  EXPECT_TRUE(a.BlinkPhase());
  SendMouse(a, QEvent::MouseButtonRelease, a.ThumbRect().center(), Qt::LeftButton, Qt::NoButton);
  QTest::qWait(500);
  EXPECT_FALSE(a.BlinkPhase());
}

TEST_F(SliderFocus, FocusRectangleShowsOnlyWhileFocused) {
  a.setThumbStyle(TMMSlider::tsRect);
  a.setFocusAction(TMMSlider::faFocusRect);
  const QRgb unfocused = PixelAt(a, 5, 5);
  a.setFocus();
  // Border without an inner bevel: the dots sit one pixel outside the track.
  EXPECT_NE(PixelAt(a, 5, 5), unfocused);
  EXPECT_FALSE(a.OwnsBlinkTimer());
  b.setFocus();
  EXPECT_EQ(PixelAt(a, 5, 5), unfocused);
}

}  // namespace
}  // namespace marnova
