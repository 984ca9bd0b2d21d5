#include "ui/widgets/SliderGeometry.h"

#include <gtest/gtest.h>

namespace marnova {
namespace {

// The colour panel's sliders: 25 x 114, bevel 6 on each side, thumb 23 x 11,
// groove 2 wide inside a 1-pixel bevel, range 0..255.
// Fields in order: track, vertical, thumb width and height, groove size and
// bevel, range.
TSliderGeometry FrameSlider() {
  return {QRect(6, 6, 13, 102), true, 23, 11, 2, 1, 0, 255};
}

TEST(SliderGeometry, VerticalThumbTravelsUpwardsOverNinetyOnePixels) {
  const TSliderGeometry g = FrameSlider();
  EXPECT_EQ(g.Travel(), 91);
  struct Case {
    int position, top;
  } cases[] = {{0, 97}, {255, 6}, {128, 51}, {1, 97}, {254, 6}, {-5, 97}, {999, 6}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position);
    // The thumb overhangs the 13-pixel track on both sides.
    EXPECT_EQ(g.ThumbRect(c.position), QRect(1, c.top, 23, 11));
  }
}

TEST(SliderGeometry, GrooveRunsTheFullTrackCentred) {
  EXPECT_EQ(FrameSlider().GrooveRect(), QRect(10, 6, 4, 102));
  TSliderGeometry g = FrameSlider();
  g.GrooveBevel = 0;
  g.GrooveSize = 3;
  EXPECT_EQ(g.GrooveRect(), QRect(11, 6, 3, 102));
}

TEST(SliderGeometry, PressPositionMapsToTheValueUnderThePointer) {
  const TSliderGeometry g = FrameSlider();
  struct Case {
    int y, value;
  } cases[] = {
      {11, 255},  // thumb centre at the top
      {102, 0},   // thumb centre at the bottom
      {0, 255},   // above the track: clamped
      {113, 0},   // below the track: clamped
      {57, 126},  // 91 - 46 = 45 pixels up: 45 / 91 * 255 = 126.1
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.y);
    EXPECT_EQ(g.ValueAt(QPoint(12, c.y), 50), c.value);
  }
}

TEST(SliderGeometry, DragScalesTheDistanceWithRounding) {
  const TSliderGeometry g = FrameSlider();
  struct Case {
    int startValue, startY, y, value;
  } cases[] = {
      {100, 50, 40, 128},                        // 10 px up: 28.02 -> 28
      {100, 50, 60, 72},                         // 10 px down lowers the value
      {100, 50, 50, 100},   {100, 50, 48, 106},  // 5.6 rounds up
      {100, 50, -500, 255},                      // clamped at both ends
      {100, 50, 900, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.y);
    EXPECT_EQ(g.DragValue(c.startValue, QPoint(12, c.startY), QPoint(30, c.y)), c.value);
  }
}

TEST(SliderGeometry, HorizontalMirrorsWithTheMinimumAtTheLeft) {
  const TSliderGeometry g{QRect(6, 6, 102, 13), false, 11, 23, 3, 0, 0, 255};
  EXPECT_EQ(g.Travel(), 91);
  EXPECT_EQ(g.ThumbRect(0), QRect(6, 1, 11, 23));
  EXPECT_EQ(g.ThumbRect(255), QRect(97, 1, 11, 23));
  EXPECT_EQ(g.ValueAt(QPoint(102, 12), 0), 255);
  EXPECT_EQ(g.DragValue(100, QPoint(50, 12), QPoint(60, 0)), 128);  // right raises
}

TEST(SliderGeometry, DegenerateShapesStayInRange) {
  TSliderGeometry g = FrameSlider();
  g.Track = QRect(6, 6, 13, 5);  // shorter than the thumb: no travel
  EXPECT_EQ(g.Travel(), 0);
  EXPECT_EQ(g.ThumbRect(200).top(), 6);
  EXPECT_EQ(g.ValueAt(QPoint(10, 0), 77), 77);
  EXPECT_EQ(g.DragValue(77, QPoint(10, 0), QPoint(10, -40)), 77);
  g = FrameSlider();
  g.MinValue = g.MaxValue = 4;  // empty range, as while loading
  EXPECT_EQ(g.ThumbRect(4).top(), 97);
  g.MinValue = -2147483647 - 1;  // the widest range must not overflow
  g.MaxValue = 2147483647;
  EXPECT_EQ(g.ThumbRect(2147483647).top(), 6);
  EXPECT_EQ(g.DragValue(0, QPoint(0, 100), QPoint(0, 0)), 2147483647);
}

}  // namespace
}  // namespace marnova
