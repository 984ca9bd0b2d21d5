// The main window's screen colour picker against a screen of known pixels.
// Ticks are run by calling TimerTimer, as the timer would.
#include <QMouseEvent>

#include "platform/screen/PixelOps.h"
#include "support/FakeScreen.h"
#include "tests/ui/windows/WindowTestSupport.h"

namespace marnova {
namespace {

constexpr QRgb kSample = qRgb(12, 34, 56);

class PickerTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    PointAt({30, 20}, kSample);
  }
  // Puts the pointer at `at` over a pixel of `colour`.
  void PointAt(QPoint at, QRgb colour) {
    screen.SetCursorPos(at);
    screen.SetPixel(at, colour);
  }
  void Tick() { form->TimerTimer(form->Timer); }
  void Press(Qt::MouseButton button, QWidget* where = nullptr) {
    QTest::mouseClick(where ? where : form.get(), button, {}, QPoint(5, 5));
  }
  QString Field(TFrameHsvCtrl* panel) const { return panel->edValue->Text(); }

  TFakeScreen screen;
  TScreenOverride useFake{screen};
};

TEST_F(PickerTest, FirstTickSamplesThePixelUnderTheCursor) {
  PressPickButton(form->FBack);
  EXPECT_TRUE(form->Picking());
  EXPECT_TRUE(form->Timer->Enabled());
  EXPECT_EQ(form->FBack->btnPick->ImageIndex(), 1);
  EXPECT_EQ(form->FBack->Image->BitmapWidth(), 33);
  EXPECT_EQ(form->FBack->Image->BitmapHeight(), 33);
  Tick();
  EXPECT_EQ(Field(form->FBack), "0C2238");
  EXPECT_EQ(form->FBack->SelectedColor(), PackColor(12, 34, 56));
  EXPECT_EQ(Field(form->FColor), "FFFFFF");  // the other panel is untouched
  EXPECT_TRUE(form->Timer->Enabled());       // re-armed at the end of the tick
  EXPECT_FALSE(form->FBack->Image->isVisible());
}

TEST_F(PickerTest, StillCursorTakesNoSample) {
  PressPickButton(form->FColor);
  Tick();
  const int reads = screen.Reads();
  screen.SetPixel({30, 20}, qRgb(200, 100, 0));
  Tick();
  Tick();
  EXPECT_EQ(screen.Reads(), reads);
  EXPECT_EQ(Field(form->FColor), "0C2238");
  PointAt({31, 20}, qRgb(1, 2, 3));
  Tick();
  EXPECT_EQ(Field(form->FColor), "010203");
}

TEST_F(PickerTest, BothButtonsEndThePickAndTheNextTickReleases) {
  for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
    SCOPED_TRACE(button == Qt::LeftButton ? "left" : "right");
    PointAt({30, button == Qt::LeftButton ? 20 : 21}, kSample);
    PressPickButton(form->FColor);
    Tick();
    EXPECT_GT(screen.LiveObjects(), 0);
    Press(button);
    EXPECT_EQ(form->FColor->btnPick->ImageIndex(), 0);  // idle at once
    EXPECT_EQ(screen.LiveGrabs(), 0);                   // the pointer is free
    EXPECT_GT(screen.LiveDevices() + screen.LiveBlocks(), 0);
    EXPECT_GE(screen.Raises(), 1);
    EXPECT_GE(screen.ActivationsRequested(), 1);
    Tick();
    EXPECT_FALSE(form->Picking());
    EXPECT_EQ(screen.LiveObjects(), 0);
    EXPECT_FALSE(form->Timer->Enabled());
    EXPECT_EQ(Field(form->FColor), "0C2238");  // kept
  }
}

// While picking, a press on a panel's own pick button reaches the main
// window and ends the pick rather than starting another.
TEST_F(PickerTest, PressOnAPickButtonEndsThePick) {
  PressPickButton(form->FColor);
  Tick();
  PressPickButton(form->FBack);
  EXPECT_EQ(form->FBack->btnPick->ImageIndex(), 0);
  EXPECT_EQ(form->FColor->btnPick->ImageIndex(), 0);
  Tick();
  EXPECT_FALSE(form->Picking());
  EXPECT_EQ(Field(form->FBack), "000000");
}

// The evaluation a sample starts processes pending events; a press waiting
// there ends the pick within the same tick.
TEST_F(PickerTest, APressDuringATickEndsItInThatTick) {
  PressPickButton(form->FColor);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                    Qt::LeftButton, {});
  QApplication::postEvent(form.get(), press.clone());
  Tick();
  EXPECT_FALSE(form->Picking());
  EXPECT_EQ(screen.LiveObjects(), 0);
  EXPECT_FALSE(form->Timer->Enabled());
  EXPECT_EQ(Field(form->FColor), "0C2238");
}

// A pick that starts and ends where the previous one sampled takes that
// pixel, with the mouse or the keyboard, and not the empty magnifier.
TEST_F(PickerTest, APickStartedWhereTheLastSampledTakesThatPixel) {
  PressPickButton(form->FColor);
  Tick();
  Press(Qt::LeftButton);
  Tick();
  screen.SetPixel({30, 20}, qRgb(0x11, 0x22, 0x33));  // the cursor stays where it sampled
  QTest::keyClick(form->FBack->btnPick, Qt::Key_Space);
  QTest::keyClick(form->FBack->btnPick, Qt::Key_Return);
  Tick();
  EXPECT_FALSE(form->Picking());
  EXPECT_EQ(Field(form->FBack), "112233");
  PressPickButton(form->FBack);
  Tick();
  const int reads = screen.Reads();
  Tick();  // later ticks still wait for the pointer to move
  EXPECT_EQ(screen.Reads(), reads);
  PointAt({32, 22}, qRgb(7, 8, 9));
  Tick();
  EXPECT_EQ(Field(form->FBack), "070809");
}

TEST_F(PickerTest, ScreenEdgesSampleTheHotSpot) {
  for (const QPoint at : {QPoint(1, 1), QPoint(0, 0), QPoint(63, 47)}) {
    SCOPED_TRACE(at.x());
    screen.Fill(qRgb(255, 255, 255));
    PointAt(at, qRgb(0x11, 0x22, 0x33));
    PressPickButton(form->FColor);
    Tick();
    EXPECT_EQ(Field(form->FColor), "112233");
    Press(Qt::LeftButton);
    Tick();
  }
}

// The magnifier: the 5 x 5 block replicated to 33 x 33, the 28-pixel XOR
// outline from 13 to 20, and the centre pixel read back at (17, 17).
TEST_F(PickerTest, MagnifierShowsTheBlockWithItsOutline) {
  for (int dy = -2; dy <= 2; ++dy)
    for (int dx = -2; dx <= 2; ++dx)
      screen.SetPixel({30 + dx, 20 + dy}, qRgb(40 * (dx + 2), 40 * (dy + 2), 100));
  screen.SetPixel({30, 20}, kSample);
  PressPickButton(form->FColor);
  Tick();
  const QImage magnifier = form->FColor->Image->Bitmap();
  ASSERT_EQ(magnifier.size(), QSize(33, 33));
  QImage block(5, 5, QImage::Format_RGB32);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x) block.setPixel(x, y, screen.Desktop().pixel(28 + x, 18 + y));
  QImage replicated(33, 33, QImage::Format_RGB32);
  ScaleReplicate(block, replicated);
  int inverted = 0;
  for (int y = 0; y < 33; ++y) {
    for (int x = 0; x < 33; ++x) {
      const bool onOutline =
          x >= 13 && x <= 20 && y >= 13 && y <= 20 && (x == 13 || x == 20 || y == 13 || y == 20);
      const QRgb plain = replicated.pixel(x, y) & 0xFFFFFFu;
      const QRgb want = onOutline ? (plain ^ 0xFFFFFFu) : plain;
      if ((magnifier.pixel(x, y) & 0xFFFFFFu) != want) {
        ADD_FAILURE() << "pixel " << x << "," << y;
        return;
      }
      inverted += onOutline;
    }
  }
  EXPECT_EQ(inverted, 28);
  EXPECT_EQ(form->FColor->Image->Pixel(17, 17), PackColor(12, 34, 56));
}

TEST_F(PickerTest, MinimisedTicksTakeNoSampleButKeepRunning) {
  PressPickButton(form->FColor);
  screen.SetMinimised(true);
  Tick();
  EXPECT_EQ(screen.Reads(), 0);
  EXPECT_TRUE(form->Timer->Enabled());
  EXPECT_EQ(Field(form->FColor), "FFFFFF");
  Press(Qt::LeftButton);
  Tick();  // an ending pick still finishes
  EXPECT_FALSE(form->Picking());
  EXPECT_EQ(screen.LiveObjects(), 0);
}

// A desktop that refuses screen capture: no sample, rather than black.
TEST_F(PickerTest, UnreadableScreenFeedsNoBlack) {
  screen.SetReadable(false);
  PressPickButton(form->FColor);
  Tick();
  Tick();
  EXPECT_EQ(Field(form->FColor), "FFFFFF");
  screen.SetReadable(true);
  Tick();  // the cursor has not moved, but no tick has sampled it yet
  EXPECT_EQ(Field(form->FColor), "0C2238");
}

// The keyboard alone: Space on the pick button starts, the arrows move the
// pointer (Shift: ten pixels), Enter ends where the pointer is.
TEST_F(PickerTest, KeyboardMovesThePointerAndEndsThePick) {
  QWidget* button = form->FColor->btnPick;
  QTest::keyClick(button, Qt::Key_Space);
  ASSERT_TRUE(form->Picking());
  struct Step {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QPoint cursor;
  };
  const Step steps[] = {{Qt::Key_Right, Qt::NoModifier, {31, 20}},
                        {Qt::Key_Down, Qt::ShiftModifier, {31, 30}},
                        {Qt::Key_Left, Qt::ShiftModifier, {21, 30}},
                        {Qt::Key_Up, Qt::NoModifier, {21, 29}}};
  for (const Step& step : steps) {
    QTest::keyClick(button, step.key, step.modifiers);
    EXPECT_EQ(screen.CursorPos(), step.cursor) << step.key;
  }
  screen.SetPixel({21, 29}, qRgb(1, 2, 3));
  QTest::keyClick(button, Qt::Key_Return);
  EXPECT_EQ(form->FColor->btnPick->ImageIndex(), 0);
  EXPECT_EQ(screen.Grabber(), nullptr);
  Tick();
  EXPECT_FALSE(form->Picking());
  EXPECT_EQ(Field(form->FColor), "010203");
  EXPECT_EQ(screen.LiveObjects(), 0);
  QTest::keyClick(button, Qt::Key_Right);  // no pick: the pointer stays
  EXPECT_EQ(screen.CursorPos(), QPoint(21, 29));
}

TEST_F(PickerTest, EscapePutsBackTheColourThePanelHadAtTheStart) {
  QTest::keyClick(form->FBack->btnPick, Qt::Key_Enter);
  ASSERT_TRUE(form->Picking());
  Tick();
  ASSERT_EQ(Field(form->FBack), "0C2238");
  QTest::keyClick(form->FBack->btnPick, Qt::Key_Escape);
  EXPECT_EQ(form->FBack->btnPick->ImageIndex(), 0);
  Tick();
  EXPECT_FALSE(form->Picking());
  EXPECT_EQ(Field(form->FBack), "000000");
  EXPECT_EQ(form->lbBrightRes->Caption(), "Differenza di Luminosit\u00e0 = 255");
  EXPECT_EQ(screen.LiveObjects(), 0);
}

TEST_F(PickerTest, ManyPicksLeaveNothingBehind) {
  for (int pick = 0; pick < 1000; ++pick) {
    screen.SetCursorPos({pick % 64, (pick / 64) % 48});
    PressPickButton(pick % 2 ? form->FColor : form->FBack);
    Tick();
    Press(pick % 3 ? Qt::LeftButton : Qt::RightButton);
    Tick();
    ASSERT_EQ(screen.LiveObjects(), 0) << "after pick " << pick;
  }
  EXPECT_EQ(screen.HandedOut(), 3000);
  EXPECT_FALSE(form->Timer->Enabled());
}

}  // namespace
}  // namespace marnova
