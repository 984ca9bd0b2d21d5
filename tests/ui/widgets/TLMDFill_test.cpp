#include "ui/widgets/TLMDFill.h"

#include <gtest/gtest.h>

#include <QEvent>
#include <QPainter>
#include <QTest>
#include <memory>

#include "ui/widgets/TLMDNImage.h"
#include "ui/widgets/WidgetTestSupport.h"

namespace marnova {
namespace {

// A 2 x 3 picture with a different colour in every pixel.
QRgb Tile(int x, int y) {
  return qRgb(40 * x + 10, 60 * y + 20, 99);
}

std::unique_ptr<TLMDImageList> TileList() {
  auto list = std::make_unique<TLMDImageList>();
  list->Add(QStringLiteral("Back"), 2, 3, 1);
  QImage strip(2, 3, QImage::Format_RGB32);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 2; ++x) strip.setPixel(x, y, Tile(x, y));
  list->SetStrip(0, strip);
  return list;
}

TEST(TLMDFill, TilesItsPictureFromTheTopLeftAndCoversItsParent) {
  auto list = TileList();
  QWidget parent;
  parent.resize(7, 8);
  TLMDFill fill(&parent);
  fill.setFillStyle(TLMDFill::sfBitmapList);
  fill.setImageList(list.get());
  fill.setAlign(TLMDFill::alClient);
  fill.Loaded();
  parent.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
  EXPECT_EQ(fill.geometry(), QRect(0, 0, 7, 8));
  const QImage shot = fill.grab().toImage();
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 7; ++x) ASSERT_EQ(shot.pixel(x, y), Tile(x % 2, y % 3)) << x << "," << y;
  parent.resize(30, 12);
  EXPECT_EQ(fill.geometry(), QRect(0, 0, 30, 12));
}

TEST(TLMDFill, DrawsNothingWithoutAPictureOrAfterTheListGoes) {
  auto list = TileList();
  TLMDFill fill;
  fill.resize(4, 4);
  fill.setFillStyle(TLMDFill::sfBitmapList);
  fill.setImageList(list.get());
  fill.Loaded();
  EXPECT_FALSE(fill.Picture().isNull());
  fill.setImageIndex(-1);  // ignored
  EXPECT_EQ(fill.ImageIndex(), 0);
  fill.setImageIndex(4);
  EXPECT_TRUE(fill.Picture().isNull());
  fill.setImageIndex(0);
  EXPECT_FALSE(fill.Picture().isNull());
  list.reset();
  EXPECT_EQ(fill.ImageList(), nullptr);
  EXPECT_TRUE(fill.Picture().isNull());
}

// Counts the paints a widget receives.
struct PaintCounter : QObject {
  int paints = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++paints;
    return false;
  }
};

TEST(TLMDNImage, OwnsItsBitmapAndRepaintsWhenItChanges) {
  TLMDNImage image;
  image.resize(10, 10);
  image.setColor(clWhite);
  image.Loaded();
  QImage source(5, 5, QImage::Format_RGB32);
  source.fill(Qt::blue);
  image.setBitmap(source);
  source.fill(Qt::red);  // a copy was taken
  EXPECT_EQ(image.Pixel(2, 2), clBlue);
  EXPECT_EQ(image.Pixel(5, 5), -1);

  image.SetBitmapSize(6, 5);
  EXPECT_EQ(image.Pixel(5, 0), clBlack);  // new pixels
  EXPECT_EQ(image.Pixel(4, 0), clBlue);   // old content kept

  image.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&image));
  PaintCounter counter;
  image.installEventFilter(&counter);
  image.DrawOnBitmap(
      [](QPainter& canvas) { canvas.fillRect(0, 0, 2, 2, QColor(0x33, 0x66, 0x99)); });
  QTest::qWait(50);
  EXPECT_GE(counter.paints, 1);
  EXPECT_EQ(image.Pixel(1, 1), 0x996633);
  const QImage shot = image.grab().toImage();
  EXPECT_EQ(shot.pixel(1, 1), qRgb(0x33, 0x66, 0x99));
  EXPECT_EQ(shot.pixel(8, 8), qRgb(255, 255, 255));  // Color around the bitmap
  const int before = counter.paints;
  image.setBitmapHeight(8);
  QTest::qWait(50);
  EXPECT_GT(counter.paints, before);
}

}  // namespace
}  // namespace marnova
