// The image list's mechanics on synthetic strips: which columns a picture
// comes from, opaque and keyed drawing, out-of-range references, signals.
#include <gtest/gtest.h>

#include <QPainter>
#include <QPointer>
#include <QSignalSpy>

#include "ui/imagelist/TLMDImageList.h"

namespace marnova {
namespace {

constexpr QRgb kSentinel = 0xFF123456;

// A strip whose every pixel tells its own column and row.
QImage ColumnStrip(int width, int height) {
  QImage strip(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) strip.setPixel(x, y, qRgb(x % 256, x / 256, y));
  return strip;
}

QImage Canvas(int w, int h) {
  QImage canvas(w, h, QImage::Format_RGB32);
  canvas.fill(kSentinel);
  return canvas;
}

TEST(ImageList, PictureKComesFromColumnsKTimesWidth) {
  struct Case {
    int width, height, count, picture;
  } cases[] = {{23, 11, 6, 3}, {23, 11, 6, 0}, {23, 11, 6, 5}, {29, 31, 2, 1}, {2, 348, 1, 0}};
  for (const Case& c : cases) {
    TLMDImageList list;
    const int index = list.Add("strip", c.width, c.height, 1);
    ASSERT_TRUE(list.SetStrip(index, ColumnStrip(c.width * c.count, c.height)));
    EXPECT_EQ(list.PictureCount(index), c.count);
    EXPECT_EQ(list.PictureSize(index), QSize(c.width, c.height));
    const QImage picture = list.Picture(index, c.picture);
    ASSERT_EQ(picture.size(), QSize(c.width, c.height));
    const int first = c.picture * c.width;
    EXPECT_EQ(picture.pixel(0, 0), qRgb(first % 256, first / 256, 0))
        << c.width << "/" << c.picture;
    EXPECT_EQ(picture.pixel(c.width - 1, c.height - 1),
              qRgb((first + c.width - 1) % 256, (first + c.width - 1) / 256, c.height - 1));
    EXPECT_EQ(list.TransparencyKey(index, c.picture), qRgb(first % 256, first / 256, c.height - 1));
  }
}

TEST(ImageList, StripsThatDoNotFitLeaveTheListEmpty) {
  TLMDImageList list;
  const int index = list.Add("Sliders", 23, 11, 4);
  EXPECT_FALSE(list.SetStrip(index, ColumnStrip(23 * 6, 12)));  // wrong height
  EXPECT_EQ(list.PictureCount(index), 0);
  EXPECT_FALSE(list.SetStrip(index, ColumnStrip(22, 11)));  // narrower than one picture
  EXPECT_EQ(list.PictureCount(index), 0);
  EXPECT_TRUE(list.SetStrip(index, ColumnStrip(23 * 2 + 7, 11)));  // a partial picture is cut off
  EXPECT_EQ(list.PictureCount(index), 2);
  EXPECT_EQ(list.PictureSize(index), QSize(23, 11));
}

TEST(ImageList, OutOfRangeReferencesGiveNothing) {
  TLMDImageList list;
  const int index = list.Add("Buttons", 4, 3, 2);
  list.SetStrip(index, ColumnStrip(8, 3));
  const struct { int list, picture; } bad[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 2}, {99, 99}};
  for (const auto& b : bad) {
    EXPECT_FALSE(list.IsValidPicture(b.list, b.picture));
    EXPECT_TRUE(list.Picture(b.list, b.picture).isNull());
    EXPECT_EQ(list.TransparencyKey(b.list, b.picture), 0u);
    QImage target = Canvas(1, 1);
    EXPECT_FALSE(list.CopyPicture(b.list, b.picture, target));
    EXPECT_EQ(target.size(), QSize(1, 1));
    QImage canvas = Canvas(10, 10);
    {
      QPainter painter(&canvas);
      list.Draw(painter, QPoint(0, 0), b.list, b.picture);
      list.DrawTransparent(painter, QRect(0, 0, 10, 10), b.list, b.picture);
    }
    EXPECT_EQ(canvas, Canvas(10, 10));
  }
  EXPECT_EQ(list.PictureSize(5), QSize());
  EXPECT_EQ(list.PictureCount(-1), 0);
  EXPECT_EQ(list.Item(1), nullptr);
}

// A 6 x 4 picture whose key (bottom-left) colour also appears inside it.
QImage KeyedStrip() {
  QImage strip = ColumnStrip(12, 4);
  const QRgb key = qRgb(200, 0, 0);
  for (QPoint p : {QPoint(6, 3), QPoint(8, 1), QPoint(11, 0), QPoint(9, 2)}) strip.setPixel(p, key);
  return strip;
}

TEST(ImageList, DrawingCopiesEveryPixelOrLeavesExactlyTheKeyPixels) {
  TLMDImageList list;
  const int index = list.Add("keyed", 6, 4, 1);
  ASSERT_TRUE(list.SetStrip(index, KeyedStrip()));
  const QImage picture = list.Picture(index, 1);
  const QRgb key = list.TransparencyKey(index, 1);
  ASSERT_EQ(key, qRgb(200, 0, 0));

  for (const bool transparent : {false, true}) {
    QImage canvas = Canvas(9, 7);
    {
      QPainter painter(&canvas);
      if (transparent)
        list.DrawTransparent(painter, QRect(2, 1, 6, 4), index, 1);
      else
        list.Draw(painter, QPoint(2, 1), index, 1);
    }
    for (int y = 0; y < canvas.height(); ++y) {
      for (int x = 0; x < canvas.width(); ++x) {
        const QPoint inside(x - 2, y - 1);
        QRgb expected = kSentinel;
        if (picture.rect().contains(inside) && !(transparent && picture.pixel(inside) == key))
          expected = picture.pixel(inside);
        EXPECT_EQ(canvas.pixel(x, y), expected) << transparent << " at " << x << "," << y;
      }
    }
  }
}

TEST(ImageList, ARectangleOfAnotherSizeScalesPixelByPixel) {
  TLMDImageList list;
  const int index = list.Add("keyed", 6, 4, 1);
  list.SetStrip(index, KeyedStrip());
  const QImage picture = list.Picture(index, 1);
  for (const bool transparent : {false, true}) {
    QImage canvas = Canvas(12, 8);
    {
      QPainter painter(&canvas);
      list.DrawInRect(painter, canvas.rect(), index, 1, transparent);
    }
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 12; ++x) {
        const QRgb source = picture.pixel(x / 2, y / 2);
        const bool undrawn = transparent && source == list.TransparencyKey(index, 1);
        EXPECT_EQ(canvas.pixel(x, y), undrawn ? kSentinel : source) << x << "," << y;
      }
  }
}

TEST(ImageList, CopyPictureResizesTheTarget) {
  TLMDImageList list;
  const int index = list.Add("Back", 2, 5, 1);
  list.SetStrip(index, ColumnStrip(2, 5));
  QImage target = Canvas(40, 1);
  ASSERT_TRUE(list.CopyPicture(index, 0, target));
  EXPECT_EQ(target.size(), QSize(2, 5));
  EXPECT_EQ(target.pixel(1, 4), qRgb(1, 0, 4));
}

TEST(ImageList, UsersLearnOfChangesAndOfTheEnd) {
  auto list = std::make_unique<TLMDImageList>();
  QSignalSpy changed(list.get(), &TLMDImageList::Changed);
  QPointer<TLMDImageList> held(list.get());
  const int index = list->Add("one", 2, 2, 1);
  list->SetStrip(index, ColumnStrip(4, 2));
  list->Clear();
  EXPECT_EQ(changed.count(), 3);
  EXPECT_EQ(list->Count(), 0);
  bool gone = false;
  QObject::connect(list.get(), &QObject::destroyed, [&gone] { gone = true; });
  list.reset();
  EXPECT_TRUE(gone);
  EXPECT_TRUE(held.isNull());
}

}  // namespace
}  // namespace marnova
