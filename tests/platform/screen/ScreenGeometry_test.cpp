// Device pixels versus Qt's logical coordinates on multi-monitor and
// scaled desktops, and the grab plan for a 5 x 5 block.
#include <gtest/gtest.h>

#include <vector>

#include "platform/screen/ScreenGeometry.h"

namespace marnova {
namespace {

// Two monitors side by side: a plain one and a doubled one to its right,
// and a 1.5-scaled one below the first.
const std::vector<TScreenArea> kDesktop = {
    {QRect(0, 0, 1920, 1080), 1.0},
    {QRect(1920, 0, 1280, 720), 2.0},
    {QRect(0, 1080, 1280, 720), 1.5},
};

TEST(ScreenGeometry, NativeExtentKeepsTheOriginAndScalesTheSize) {
  EXPECT_EQ(NativeGeometry(kDesktop[0]), QRect(0, 0, 1920, 1080));
  EXPECT_EQ(NativeGeometry(kDesktop[1]), QRect(1920, 0, 2560, 1440));
  EXPECT_EQ(NativeGeometry(kDesktop[2]), QRect(0, 1080, 1920, 1080));
  EXPECT_EQ(LogicalToNative({1930, 5}, kDesktop[1]), QPoint(1940, 10));
  EXPECT_EQ(LogicalToNative({10, 1090}, kDesktop[2]), QPoint(15, 1095));
}

TEST(ScreenGeometry, TheScreenHoldingAPointIsFoundByDevicePixels) {
  const struct {
    QPoint native;
    int screen;
  } cases[] = {
      {{0, 0}, 0},      {{1919, 1079}, 0}, {{1920, 0}, 1},     {{4479, 1439}, 1},
      {{4480, 0}, -1},  {{3000, 1200}, 1},  // beyond the doubled screen's logical size
      {{100, 1080}, 2}, {{1919, 2159}, 2}, {{1920, 2000}, -1}, {{-1, 0}, -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ScreenIndexAt(c.native, kDesktop), c.screen) << c.native.x() << "," << c.native.y();
  }
}

TEST(ScreenGeometry, BlockPlansCoverTheWantedPixelsAndClipAtEdges) {
  const struct {
    const char* what;
    QPoint centre;
    int screen;
    QRect wanted;  // screen-relative device pixels
    QPoint blockOffset;
  } cases[] = {
      {"inside", {100, 200}, 0, QRect(98, 198, 5, 5), {0, 0}},
      {"top-left corner", {0, 0}, 0, QRect(0, 0, 3, 3), {2, 2}},
      {"one in from the corner", {1, 1}, 0, QRect(0, 0, 4, 4), {1, 1}},
      {"bottom-right corner", {1919, 1079}, 0, QRect(1917, 1077, 3, 3), {0, 0}},
      {"doubled screen, odd pixel", {1921, 3}, 1, QRect(0, 1, 4, 5), {1, 0}},
      {"doubled screen inside", {2921, 701}, 1, QRect(999, 699, 5, 5), {0, 0}},
      {"scaled by 1.5", {7, 1089}, 2, QRect(5, 7, 5, 5), {0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TScreenArea& screen = kDesktop[c.screen];
    const auto plan = PlanBlockGrab(c.centre, 5, screen);
    ASSERT_TRUE(plan.has_value());
    EXPECT_EQ(plan->Wanted, c.wanted);
    EXPECT_EQ(plan->BlockOffset, c.blockOffset);
    // The grab, as Qt scales it to device pixels, holds every wanted one.
    const QSize nativeSize(qRound(plan->Source.width() * screen.Ratio),
                           qRound(plan->Source.height() * screen.Ratio));
    const QRect grabbed(plan->SourceOrigin, nativeSize);
    EXPECT_TRUE(grabbed.contains(plan->Wanted))
        << "grab " << grabbed.x() << "," << grabbed.y() << " " << grabbed.width() << "x"
        << grabbed.height();
    EXPECT_EQ(plan->SourceOrigin, QPoint(qRound(plan->Source.x() * screen.Ratio),
                                         qRound(plan->Source.y() * screen.Ratio)));
    EXPECT_TRUE(QRect(QPoint(), screen.Logical.size()).contains(plan->Source));
  }
}

TEST(ScreenGeometry, ABlockEntirelyOffTheScreenHasNoPlan) {
  EXPECT_FALSE(PlanBlockGrab({-3, -3}, 5, kDesktop[0]).has_value());
  EXPECT_TRUE(PlanBlockGrab({-2, -2}, 5, kDesktop[0]).has_value());
  EXPECT_FALSE(PlanBlockGrab({0, 0}, 5, {QRect(0, 0, 10, 10), 0.0}).has_value());
}

}  // namespace
}  // namespace marnova
