// The fake screen that the picker's tests stand on: known pixels, edges,
// an unreadable desktop, and the counts of what it hands out.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>

#include "support/FakeScreen.h"

namespace marnova {
namespace {

void Paint(TFakeScreen& screen) {
  QImage& desktop = screen.Desktop();
  for (int y = 0; y < desktop.height(); ++y)
    for (int x = 0; x < desktop.width(); ++x) desktop.setPixel(x, y, qRgb(x, y, 7));
}

TEST(FakeScreen, ReadsTheBlockAroundThePositionAndBlackOffTheScreen) {
  TFakeScreen screen(QSize(64, 48));
  Paint(screen);
  auto device = screen.OpenScreen();
  auto block = device->CreateBlock();
  const struct {
    QPoint centre;
    int blackColumns, blackRows;  // off-screen columns and rows at the top-left
  } cases[] = {{{30, 20}, 0, 0}, {{0, 0}, 2, 2}, {{1, 1}, 1, 1}, {{2, 0}, 0, 2}};
  for (const auto& c : cases) {
    ASSERT_TRUE(device->ReadBlock(c.centre, *block));
    EXPECT_EQ(block->Centre(), qRgb(c.centre.x(), c.centre.y(), 7));
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 5; ++x) {
        const bool off = x < c.blackColumns || y < c.blackRows;
        const QRgb expected =
            off ? qRgb(0, 0, 0) : qRgb(c.centre.x() + x - 2, c.centre.y() + y - 2, 7);
        EXPECT_EQ(block->Pixel(x, y), expected) << x << "," << y;
      }
  }
  EXPECT_EQ(screen.Reads(), 4);
}

TEST(FakeScreen, AnUnreadableScreenFailsAndLeavesTheBlockAlone) {
  TFakeScreen screen;
  screen.Fill(qRgb(200, 100, 50));
  auto device = screen.OpenScreen();
  auto block = device->CreateBlock();
  ASSERT_TRUE(device->ReadBlock({5, 5}, *block));
  screen.Fill(qRgb(1, 1, 1));
  screen.SetReadable(false);
  EXPECT_FALSE(device->ReadBlock({5, 5}, *block));
  EXPECT_EQ(block->Centre(), qRgb(200, 100, 50));
  screen.SetReadable(true);
  EXPECT_FALSE(device->ReadBlock({-1, 5}, *block)) << "a position on no screen";
  EXPECT_EQ(block->Centre(), qRgb(200, 100, 50));
}

TEST(FakeScreen, CountsWhatItHandsOutWhileItLives) {
  TFakeScreen screen;
  QWidget window;
  for (int pick = 0; pick < 1000; ++pick) {
    auto grab = screen.GrabPointer(window);
    auto device = screen.OpenScreen();
    auto block = device->CreateBlock();
    ASSERT_EQ(screen.LiveObjects(), 3);
    EXPECT_EQ(screen.Grabber(), &window);
    grab.reset();
    EXPECT_EQ(screen.Grabber(), nullptr);
    block.reset();
    device.reset();
  }
  EXPECT_EQ(screen.LiveObjects(), 0);
  EXPECT_EQ(screen.HandedOut(), 3000);

  // Objects that outlive the fake do no harm.
  std::unique_ptr<TScreenDevice> survivor;
  {
    TFakeScreen shortLived;
    survivor = shortLived.OpenScreen();
  }
  survivor.reset();
}

TEST(FakeScreen, ActivationIsCarriedOutByTheEventLoopNotInTheCall) {
  TFakeScreen screen;
  QWidget window;
  screen.ActivateWindow(window);
  screen.RaiseWindow(window);
  EXPECT_EQ(screen.ActivationsRequested(), 1);
  EXPECT_EQ(screen.ActivationsDone(), 0);
  EXPECT_EQ(screen.Raises(), 1);
  QCoreApplication::processEvents();
  EXPECT_EQ(screen.ActivationsDone(), 1);
}

TEST(FakeScreen, CursorAndMinimisedStateAreTheTestsToSet) {
  TFakeScreen screen;
  QWidget window;
  screen.SetCursorPos({12, 34});
  EXPECT_EQ(screen.CursorPos(), QPoint(12, 34));
  EXPECT_FALSE(screen.IsMinimised(window));
  screen.SetMinimised(true);
  EXPECT_TRUE(screen.IsMinimised(window));
}

TEST(FakeScreen, AnOverrideStandsInForTheRealScreenAndNests) {
  TScreenAccess* real = &Screen();
  TFakeScreen outer, inner;
  {
    TScreenOverride first(outer);
    EXPECT_EQ(&Screen(), &outer);
    {
      TScreenOverride second(inner);
      EXPECT_EQ(&Screen(), &inner);
    }
    EXPECT_EQ(&Screen(), &outer);
  }
  EXPECT_EQ(&Screen(), real);
}

}  // namespace
}  // namespace marnova
