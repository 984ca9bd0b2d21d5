// The nine embedded strips: their shape, and the places where the pictures
// must show given colours (lamps, title bars, light areas, thumb frames).
#include <gtest/gtest.h>

#include <QPainter>
#include <QPixmap>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "ui/DataModule.h"
#include "ui/imagelist/ImageListLayout.h"

namespace marnova {
namespace {

constexpr QRgb kFace = 0xFFF1F4F5;
constexpr QRgb kNavy = 0xFF17284F;

bool Near(QRgb a, QRgb b, int tolerance) {
  return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
         std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

class ImageStrips : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    list_ = std::make_unique<TLMDImageList>();
    loaded_ = LoadImageList(*list_);
  }
  static void TearDownTestSuite() { list_.reset(); }
  static QImage Pic(int list, int index = 0) { return list_->Picture(list, index); }

  static inline std::unique_ptr<TLMDImageList> list_;
  static inline bool loaded_ = false;
};

TEST_F(ImageStrips, NineListsInOrderWithTheirSizes) {
  ASSERT_TRUE(loaded_);
  const struct {
    const char* description;
    int width, height, count, allocBy;
  } expected[] = {{"Buttons", 29, 31, 2, 2},       {"Sliders", 23, 11, 6, 4},
                  {"Logo", 193, 90, 1, 1},         {"Test Panel", 197, 138, 1, 1},
                  {"Slide Panel", 195, 228, 1, 1}, {"Back", 2, 348, 1, 1},
                  {"Upper panel", 593, 90, 1, 1},  {"Semaphore", 61, 23, 3, 3},
                  {"Box Info", 398, 320, 1, 1}};
  ASSERT_EQ(list_->Count(), 9);
  for (int i = 0; i < 9; ++i) {
    const TLMDImageListItem* item = list_->Item(i);
    EXPECT_EQ(item->Description(), QString::fromUtf8(expected[i].description));
    EXPECT_EQ(list_->PictureSize(i), QSize(expected[i].width, expected[i].height)) << i;
    EXPECT_EQ(list_->PictureCount(i), expected[i].count) << i;
    EXPECT_EQ(item->AllocBy(), expected[i].allocBy) << i;
    EXPECT_FALSE(item->Masked());
    // The raw pixels the build stores are the committed strip's, exactly.
    const QImage painted(QStringLiteral(":/images/") +
                         QString::fromUtf8(kImageListLayout[static_cast<size_t>(i)].FileName));
    EXPECT_EQ(item->Strip(), painted.convertToFormat(QImage::Format_RGB32)) << i;
    EXPECT_EQ(item->DoubleStrip().size(), 2 * item->Strip().size()) << i;
  }
}

// What a device of each ratio gets: the 1x picture up to 1, the @2x
// picture at 2, the @2x picture resampled between; always of the device
// size that covers the logical picture, marked with the ratio.
TEST_F(ImageStrips, PicturesForEveryDevicePixelRatio) {
  for (const qreal ratio : {1.0, 1.5, 2.0}) {
    for (int i = 0; i < list_->Count(); ++i) {
      const QSize logical = list_->PictureSize(i);
      const QSize device(int(std::ceil(logical.width() * ratio)),
                         int(std::ceil(logical.height() * ratio)));
      for (int k = 0; k < list_->PictureCount(i); ++k) {
        SCOPED_TRACE(testing::Message() << "ratio " << ratio << " list " << i << " picture " << k);
        for (const bool keyed : {false, true}) {
          const QPixmap pixmap = list_->Pixmap(i, k, ratio, keyed);
          EXPECT_EQ(pixmap.devicePixelRatio(), ratio);
          EXPECT_EQ(pixmap.size(), device);
        }
        const QImage opaque =
            list_->Pixmap(i, k, ratio).toImage().convertToFormat(QImage::Format_RGB32);
        if (ratio == 1.0) {
          EXPECT_EQ(opaque, Pic(i, k));
        } else if (ratio == 2.0) {
          EXPECT_EQ(opaque, list_->Item(i)->DoubleStrip().copy(k * device.width(), 0,
                                                               device.width(), device.height()));
        }
      }
    }
  }
}

TEST_F(ImageStrips, PictureThreeOfSlidersStartsAtColumn69) {
  const QImage& strip = list_->Item(ilSliders)->Strip();
  EXPECT_EQ(Pic(ilSliders, 3), strip.copy(69, 0, 23, 11));
  EXPECT_NE(Pic(ilSliders, 3), strip.copy(68, 0, 23, 11));
}

TEST_F(ImageStrips, LampsLitAndUnlit) {
  constexpr QRgb off = 0xFF000000, green = 0xFF0BE500, amber = 0xFFFFD200, red = 0xFFFF0000;
  const QRgb lamps[3][3] = {{off, off, green}, {off, amber, off}, {red, off, off}};
  for (int picture = 0; picture < 3; ++picture)
    for (int lamp = 0; lamp < 3; ++lamp) {
      const QImage image = Pic(ilSemaphore, picture);
      // The lens's middle, away from the gleam at its upper left.
      for (QPoint p : {QPoint(10, 11), QPoint(12, 13), QPoint(8, 14), QPoint(13, 9)})
        EXPECT_EQ(image.pixel(p + QPoint(20 * lamp, 0)), lamps[picture][lamp])
            << picture << "/" << lamp;
    }
}

// Title bar and light body of a titled panel, checked away from its corners.
void ExpectTitledPanel(const QImage& image, QRect bar, int bodyBottom) {
  const int radius = 8;
  for (int y = bar.top(); y <= bar.bottom(); ++y)
    for (int x = bar.left(); x <= bar.right(); ++x) {
      if (y < bar.top() + radius && (x < bar.left() + radius || x > bar.right() - radius)) continue;
      ASSERT_TRUE(Near(image.pixel(x, y), kNavy, 16)) << x << "," << y;
    }
  for (int x = bar.left() + radius; x <= bar.right() - radius; ++x) {
    EXPECT_FALSE(Near(image.pixel(x, bar.top() - 1), kNavy, 40)) << x;
    EXPECT_EQ(image.pixel(x, bar.bottom() + 1), kFace) << x;
    EXPECT_EQ(image.pixel(x, bodyBottom), kFace) << x;
    EXPECT_NE(image.pixel(x, bodyBottom + 1), kFace) << x;
  }
  for (int y = bar.bottom() + 1; y <= bodyBottom - radius; ++y) {
    EXPECT_EQ(image.pixel(bar.left(), y), kFace) << y;
    EXPECT_EQ(image.pixel(bar.right(), y), kFace) << y;
    EXPECT_NE(image.pixel(bar.left() - 1, y), kFace) << y;
    EXPECT_NE(image.pixel(bar.right() + 1, y), kFace) << y;
  }
}

TEST_F(ImageStrips, TitleBarsOverLightBodies) {
  ExpectTitledPanel(Pic(ilTestPanel), QRect(QPoint(10, 6), QPoint(186, 28)), 130);
  ExpectTitledPanel(Pic(ilSlidePanel), QRect(QPoint(9, 7), QPoint(185, 29)), 219);
}

// Every pixel of `area` away from its rounded corners is face colour, except
// inside `hole`; the pixels just outside its edges are not.
void ExpectLightArea(const QImage& image, QRect area, QRect hole = {}) {
  const int radius = 13;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) {
      const bool corner = (x < area.left() + radius || x > area.right() - radius) &&
                          (y < area.top() + radius || y > area.bottom() - radius);
      if (corner || hole.contains(x, y)) continue;
      ASSERT_EQ(image.pixel(x, y), kFace) << x << "," << y;
    }
  for (int x = area.left() + radius; x <= area.right() - radius; ++x)
    for (int y : {area.top() - 1, area.bottom() + 1}) EXPECT_NE(image.pixel(x, y), kFace) << x;
  for (int y = area.top() + radius; y <= area.bottom() - radius; ++y)
    for (int x : {area.left() - 1, area.right() + 1}) EXPECT_NE(image.pixel(x, y), kFace) << y;
}

TEST_F(ImageStrips, LightAreasAndTheLogoInsideBoxInfo) {
  ExpectLightArea(Pic(ilUpperPanel), QRect(QPoint(8, 5), QPoint(584, 82)));
  const QRect logo(QPoint(37, 33), QPoint(149, 86));
  const QImage box = Pic(ilBoxInfo);
  ExpectLightArea(box, QRect(QPoint(17, 16), QPoint(379, 303)), logo);
  // The logo fills its place: light face just outside, its own colours inside.
  int yellow = 0, blue = 0, white = 0;
  for (int y = logo.top(); y <= logo.bottom(); ++y)
    for (int x = logo.left(); x <= logo.right(); ++x) {
      const QColor c = QColor::fromRgb(box.pixel(x, y));
      yellow += c.red() > 230 && c.green() > 180 && c.blue() < 90;
      blue += c.blue() > 140 && c.red() < 110;
      white += c.rgb() == qRgb(255, 255, 255);
    }
  EXPECT_GT(yellow, 150);
  EXPECT_GT(blue, 100);
  EXPECT_GT(white, logo.width() * logo.height() / 3);
  for (int y = logo.top() + 8; y <= logo.bottom() - 8; ++y) {
    EXPECT_EQ(box.pixel(logo.left() - 1, y), kFace);
    EXPECT_EQ(box.pixel(logo.right() + 1, y), kFace);
    EXPECT_NE(box.pixel(logo.left(), y), kFace);
    EXPECT_NE(box.pixel(logo.right(), y), kFace);
  }
}

TEST_F(ImageStrips, ThumbFramesRampsAndBlinkDots) {
  constexpr QRgb black = 0xFF000000, white = 0xFFFFFFFF, shadow = 0xFF808080;
  for (int k = 0; k < 6; ++k) {
    const QImage thumb = Pic(ilSliders, k);
    for (int x = 0; x < 23; ++x)
      for (int y : {0, 10}) EXPECT_EQ(thumb.pixel(x, y), black);
    for (int y = 0; y < 11; ++y)
      for (int x : {0, 22}) EXPECT_EQ(thumb.pixel(x, y), black);
    for (int x = 1; x <= 21; ++x) EXPECT_EQ(thumb.pixel(x, 1), white) << k;
    for (int y = 1; y <= 9; ++y) EXPECT_EQ(thumb.pixel(1, y), white) << k;
    for (int x = 2; x <= 21; ++x) EXPECT_EQ(thumb.pixel(x, 9), shadow) << k;
    for (int y = 2; y <= 8; ++y) EXPECT_EQ(thumb.pixel(21, y), shadow) << k;
  }
  // Odd pictures: the even one with black where row and column share parity.
  for (int k = 1; k < 6; k += 2) {
    const QImage plain = Pic(ilSliders, k - 1), dotted = Pic(ilSliders, k);
    for (int y = 0; y < 11; ++y)
      for (int x = 0; x < 23; ++x) {
        const bool dot = x >= 2 && x <= 20 && y >= 2 && y <= 8 && x % 2 == y % 2;
        EXPECT_EQ(dotted.pixel(x, y), dot ? black : plain.pixel(x, y)) << k << ":" << x << "," << y;
      }
  }
  // Value: black to white in 19 even steps, the same down each column.
  const QImage value = Pic(ilSliders, 4);
  for (int i = 0; i < 19; ++i)
    for (int y = 2; y <= 8; ++y)
      EXPECT_TRUE(Near(value.pixel(2 + i, y), qRgb(255 * i / 18, 255 * i / 18, 255 * i / 18), 1));
  // Hue runs from red round to purple; saturation fades to white downwards.
  const QImage hue = Pic(ilSliders, 0), sat = Pic(ilSliders, 2);
  EXPECT_EQ(hue.pixel(2, 5), qRgb(255, 0, 0));
  int lastHue = -1;
  for (int i = 0; i < 19; ++i) {
    const int h = QColor::fromRgb(hue.pixel(2 + i, 5)).hsvHue();
    EXPECT_GT(h, lastHue) << i;
    lastHue = h;
    EXPECT_EQ(sat.pixel(2 + i, 2), hue.pixel(2 + i, 2));
    EXPECT_EQ(sat.pixel(2 + i, 8), white);
  }
  EXPECT_GT(lastHue, 260);
}

TEST_F(ImageStrips, BackgroundColumnDarkensDownwardsFromALightCrest) {
  const QImage back = Pic(ilBack);
  EXPECT_EQ(back.pixel(0, 0), 0xFFC1CCD6);
  EXPECT_EQ(back.pixel(0, 347), 0xFF8DA3B9);
  EXPECT_TRUE(Near(back.pixel(0, 100), 0xFFCCD8DF, 2));
  int lightest = 0;
  for (int y = 0; y < 348; ++y) {
    EXPECT_EQ(back.pixel(1, y), back.pixel(0, y));
    if (qGray(back.pixel(0, y)) > qGray(back.pixel(0, lightest))) lightest = y;
  }
  EXPECT_NEAR(lightest, 100, 15);
}

TEST_F(ImageStrips, SponsorPictureDropsExactlyItsKeyPixels) {
  const QImage logo = Pic(ilLogo);
  const QRgb key = list_->TransparencyKey(ilLogo, 0);
  EXPECT_EQ(key, logo.pixel(0, 89));
  QImage canvas(193, 90, QImage::Format_RGB32);
  canvas.fill(0xFFFF00FF);
  {
    QPainter painter(&canvas);
    list_->DrawTransparent(painter, canvas.rect(), ilLogo, 0);
  }
  int undrawn = 0;
  for (int y = 0; y < 90; ++y)
    for (int x = 0; x < 193; ++x) {
      const bool isKey = logo.pixel(x, y) == key;
      undrawn += isKey;
      ASSERT_EQ(canvas.pixel(x, y), isKey ? 0xFFFF00FF : logo.pixel(x, y)) << x << "," << y;
    }
  // The surround drops out; the plate itself stays, without holes.
  for (int y = 8; y < 80; ++y)
    for (int x = 9; x < 183; ++x) ASSERT_NE(logo.pixel(x, y), key) << x << "," << y;
  EXPECT_GT(undrawn, 193 * 3);
  EXPECT_LT(undrawn, 193 * 90 / 3);
}

TEST_F(ImageStrips, PickButtonPressedIsDarker) {
  const QImage idle = Pic(ilButtons, 0), pressed = Pic(ilButtons, 1);
  EXPECT_TRUE(Near(idle.pixel(9, 9), 0xFFE5E5E5, 24));
  EXPECT_LT(qGray(pressed.pixel(9, 9)), qGray(idle.pixel(9, 9)) - 20);
}

}  // namespace
}  // namespace marnova
