// The main window on a scaled screen (run with QT_SCALE_FACTOR 1.5 and 2):
// pictures come at the screen's resolution instead of enlarged, and the
// slider's lines are one device pixel wide.
#include <QImage>
#include <QPixmap>
#include <QtMath>
#include <vector>

#include "tests/ui/windows/WindowTestSupport.h"

namespace marnova {
namespace {

// Among the aligned 2 x 2 blocks of `area` that lie on an edge (their
// 4 x 4 neighbourhood is not of one colour), the share that is of one
// colour. An enlarged picture has only such blocks: 1.
double UniformShareOfEdgeBlocks(const QImage& image, const QRect& area) {
  auto uniform = [&image](int x, int y, int size) {
    const QRgb first = image.pixel(x, y);
    for (int dy = 0; dy < size; ++dy)
      for (int dx = 0; dx < size; ++dx)
        if (image.pixel(x + dx, y + dy) != first) return false;
    return true;
  };
  int edges = 0, uniformEdges = 0;
  for (int y = area.top(); y + 3 <= area.bottom(); y += 2)
    for (int x = area.left(); x + 3 <= area.right(); x += 2) {
      if (uniform(x, y, 4)) continue;
      ++edges;
      if (uniform(x, y, 2)) ++uniformEdges;
    }
  return edges ? double(uniformEdges) / edges : 1.0;
}

// Lengths of the runs of equal colour along row `y`.
std::vector<int> Runs(const QImage& image, int y) {
  std::vector<int> runs{1};
  for (int x = 1; x < image.width(); ++x) {
    if (image.pixel(x, y) == image.pixel(x - 1, y))
      ++runs.back();
    else
      runs.push_back(1);
  }
  return runs;
}

// The logo and the header's lights hold no text, which is sharp anyway;
// enlarged from 1x strips both measure 1, painted at 2x about 0.4 and 0.2.
TEST_F(MainWindowTest, PicturesAreNotEnlargedAtScaleTwo) {
  if (form->devicePixelRatioF() != 2.0) GTEST_SKIP() << "run with QT_SCALE_FACTOR=2";
  const QImage window = form->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const struct {
    const char* name;
    QRect logical;
  } areas[] = {{"logo", {10, 233, 193, 90}}, {"header's lights", {280, 39, 61, 44}}};
  for (const auto& area : areas) {
    const QRect device(area.logical.topLeft() * 2, area.logical.size() * 2);
    EXPECT_LT(UniformShareOfEdgeBlocks(window, device), 0.5) << area.name;
  }
}

TEST_F(MainWindowTest, SliderLinesAreOneDevicePixelWide) {
  const qreal ratio = form->devicePixelRatioF();
  if (ratio == 1.0) GTEST_SKIP() << "run with QT_SCALE_FACTOR=1.5 or 2";
  TMMSlider* slider = form->FColor->slRed;  // at 255: the thumb is at the top
  const QImage image = slider->grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(image.width(), qCeil(slider->width() * ratio));
  // A row well below the thumb: bevel line, border, groove's dark line,
  // groove, border, bevel line.
  const int y = image.height() * 3 / 4;
  const std::vector<int> runs = Runs(image, y);
  ASSERT_GE(runs.size(), 5u);
  EXPECT_EQ(runs.front(), 1) << "the bevel's left line";
  EXPECT_EQ(runs.back(), 1) << "the bevel's right line";
  EXPECT_EQ(image.pixel(runs[0] + runs[1], y), qRgb(0, 0, 0));
  EXPECT_EQ(runs[2], 1) << "the groove's dark line";
}

}  // namespace
}  // namespace marnova
