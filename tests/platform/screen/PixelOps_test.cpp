// The magnifier's bitmap operations: replication, XOR lines, pixel reads.
#include <gtest/gtest.h>

#include <QImage>
#include <set>
#include <utility>

#include "platform/screen/PixelOps.h"

namespace marnova {
namespace {

constexpr QRgb kBack = 0xFF102030;
constexpr QRgb kInverted = 0xFFEFDFCF;  // kBack XOR white

QImage Filled(QSize size, QRgb colour, QImage::Format format = QImage::Format_RGB32) {
  QImage image(size, format);
  image.fill(colour);
  return image;
}

// A 5 x 5 block whose every pixel tells where it came from.
QImage NumberedBlock() {
  QImage block(5, 5, QImage::Format_RGB32);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x) block.setPixel(x, y, qRgb(10 + x, 20 + y, 99));
  return block;
}

std::set<std::pair<int, int>> PixelsOf(const QImage& image, QRgb colour) {
  std::set<std::pair<int, int>> found;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) == colour) found.emplace(x, y);
  return found;
}

TEST(ScaleReplicate, FiveToThirtyThreeGivesRunsOfSixOrSevenAndTheCentreAtSeventeen) {
  QImage magnifier = Filled({33, 33}, kBack);
  ScaleReplicate(NumberedBlock(), magnifier);

  // Walk one row and one column: every target pixel is exactly one source
  // pixel (no blending), the sources come in order and each run is 6 or 7.
  for (int axis = 0; axis < 2; ++axis) {
    int source = 0, run = 0;
    for (int i = 0; i < 33; ++i) {
      const QRgb p = axis == 0 ? magnifier.pixel(i, 0) : magnifier.pixel(0, i);
      const int s = axis == 0 ? qRed(p) - 10 : qGreen(p) - 20;
      ASSERT_EQ(qBlue(p), 99) << "blended pixel at " << i;
      if (s != source) {
        EXPECT_EQ(s, source + 1) << "axis " << axis << " at " << i;
        EXPECT_TRUE(run == 6 || run == 7) << "run of " << run;
        source = s;
        run = 0;
      }
      ++run;
    }
    EXPECT_EQ(source, 4);
    EXPECT_TRUE(run == 6 || run == 7);
  }
  EXPECT_EQ(magnifier.pixel(17, 17), qRgb(12, 22, 99));
  // The whole outline area 13..20 and its inside show the centre block's
  // neighbours at most one step away; (17, 17) is never on the outline.
  for (int i = 13; i <= 20; ++i) {
    EXPECT_LE(std::abs(qRed(magnifier.pixel(i, 17)) - 12), 1);
  }
}

TEST(ScaleReplicate, NullImagesAreLeftAlone) {
  QImage magnifier = Filled({33, 33}, kBack);
  ScaleReplicate(QImage(), magnifier);
  EXPECT_EQ(PixelsOf(magnifier, kBack).size(), 33u * 33u);
  QImage none;
  ScaleReplicate(NumberedBlock(), none);
  EXPECT_TRUE(none.isNull());
}

TEST(XorLine, LeavesOutTheEndPointInEveryDirection) {
  struct Case {
    QPoint from, to;
    std::set<std::pair<int, int>> pixels;
  };
  const Case cases[] = {
      {{2, 3}, {6, 3}, {{2, 3}, {3, 3}, {4, 3}, {5, 3}}},  // right
      {{6, 3}, {2, 3}, {{6, 3}, {5, 3}, {4, 3}, {3, 3}}},  // left
      {{4, 1}, {4, 4}, {{4, 1}, {4, 2}, {4, 3}}},          // down
      {{4, 4}, {4, 1}, {{4, 4}, {4, 3}, {4, 2}}},          // up
      {{1, 1}, {4, 4}, {{1, 1}, {2, 2}, {3, 3}}},          // diagonal
      {{0, 0}, {4, 2}, {{0, 0}, {1, 1}, {2, 1}, {3, 2}}},  // shallow; halves step early
      {{5, 5}, {5, 5}, {}},                                // a point: nothing
      {{-2, 0}, {2, 0}, {{0, 0}, {1, 0}}},                 // clipped at the edge
  };
  for (const Case& c : cases) {
    QImage image = Filled({8, 8}, kBack);
    XorLine(image, c.from, c.to, 0xFFFFFF);
    EXPECT_EQ(PixelsOf(image, kInverted), c.pixels)
        << "from " << c.from.x() << "," << c.from.y() << " to " << c.to.x() << "," << c.to.y();
    EXPECT_EQ(PixelsOf(image, kBack).size() + c.pixels.size(), 64u) << "other colours appeared";
  }
}

TEST(XorOutline, InvertsTheTwentyEightBorderPixelsOnceAndRestoresOnASecondPass) {
  for (const QImage::Format format :
       {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_RGB888}) {
    QImage magnifier = Filled({33, 33}, kBack, format);
    XorOutline(magnifier, 13, 13, 20, 20, 0xFFFFFF);

    std::set<std::pair<int, int>> border;
    for (int i = 13; i <= 20; ++i) {
      border.insert({i, 13});
      border.insert({i, 20});
      border.insert({13, i});
      border.insert({20, i});
    }
    ASSERT_EQ(border.size(), 28u);
    EXPECT_EQ(PixelsOf(magnifier, kInverted), border) << "format " << format;
    EXPECT_EQ(PixelsOf(magnifier, kBack).size(), 33u * 33u - 28u);
    EXPECT_EQ(magnifier.pixel(17, 17), kBack);

    XorOutline(magnifier, 13, 13, 20, 20, 0xFFFFFF);
    EXPECT_EQ(PixelsOf(magnifier, kBack).size(), 33u * 33u) << "XOR twice must restore";
  }
}

TEST(PixelAt, ReadsInsideAndAnswersZeroOutside) {
  QImage image = Filled({4, 4}, kBack);
  image.setPixel(3, 0, qRgb(1, 2, 3));
  EXPECT_EQ(PixelAt(image, {3, 0}), qRgb(1, 2, 3));
  EXPECT_EQ(PixelAt(image, {0, 3}), kBack);
  for (const QPoint outside : {QPoint(-1, 0), QPoint(4, 0), QPoint(0, 4)}) {
    EXPECT_EQ(PixelAt(image, outside), 0u);
  }
  EXPECT_EQ(PixelAt(QImage(), {0, 0}), 0u);
}

}  // namespace
}  // namespace marnova
