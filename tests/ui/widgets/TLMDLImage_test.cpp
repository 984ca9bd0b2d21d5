#include "ui/widgets/TLMDLImage.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <memory>

#include "ui/DataModule.h"
#include "ui/widgets/WidgetTestSupport.h"

namespace marnova {
namespace {

using test::Opaque;
using test::SendMouse;

constexpr QRgb kKey = 0xFF102030;  // bottom-left pixel of picture 0 of list 0

// List 0: two 4 x 3 pictures; picture 0 is red with the key colour in its
// bottom-left pixel and at (2, 0). List 1: one 6 x 5 green picture.
struct TestList {
  TLMDImageList list;
  TestList() {
    list.Add(QStringLiteral("Small"), 4, 3, 2);
    QImage strip(8, 3, QImage::Format_RGB32);
    strip.fill(Qt::red);
    strip.setPixel(0, 2, kKey);
    strip.setPixel(2, 0, kKey);
    for (int y = 0; y < 3; ++y)
      for (int x = 4; x < 8; ++x) strip.setPixel(x, y, qRgb(0, 0, 255));
    list.SetStrip(0, strip);
    list.Add(QStringLiteral("Large"), 6, 5, 1);
    QImage large(6, 5, QImage::Format_RGB32);
    large.fill(Qt::green);
    list.SetStrip(1, large);
  }
};

// 10 x 10, filled yellow where its children leave it showing.
struct YellowParent : QWidget {
  YellowParent() {
    resize(10, 10);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::yellow);
    setPalette(p);
  }
};

std::unique_ptr<TLMDLImage> AutosizedImage(TLMDImageList* list) {
  auto image = std::make_unique<TLMDLImage>();
  image->setGeometry(10, 20, 50, 50);
  image->setStyle(TLMDLImage::sbAutosize);
  image->setImageList(list);
  image->Loaded();
  return image;
}

TEST(TLMDLImage, AutosizeFollowsTheReferenceAndKeepsTheCorner) {
  TestList t;
  auto image = AutosizedImage(&t.list);
  EXPECT_EQ(image->geometry(), QRect(10, 20, 4, 3));
  struct Step {
    const char* what;
    int list, index;  // -2: leave alone
    QSize size;
    int listAfter, indexAfter;
  } steps[] = {
      {"other list", 1, -2, QSize(6, 5), 1, 0},
      {"no such picture", -2, 3, QSize(20, 20), 1, 3},
      {"negative index ignored", -2, -1, QSize(20, 20), 1, 3},
      {"back to a picture", 0, 1, QSize(4, 3), 0, 1},
      {"negative list ignored", -1, -2, QSize(4, 3), 0, 1},
      {"no such list", 7, -2, QSize(20, 20), 7, 1},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    if (s.list != -2) image->setListIndex(s.list);
    if (s.index != -2) image->setImageIndex(s.index);
    EXPECT_EQ(image->size(), s.size);
    EXPECT_EQ(image->pos(), QPoint(10, 20));
    EXPECT_EQ(image->ListIndex(), s.listAfter);
    EXPECT_EQ(image->ImageIndex(), s.indexAfter);
  }
}

TEST(TLMDLImage, SettingTheCurrentIndexDoesNothing) {
  TestList t;
  auto image = AutosizedImage(&t.list);
  image->resize(50, 50);
  image->setImageIndex(0);
  image->setListIndex(0);
  EXPECT_EQ(image->size(), QSize(50, 50));
  image->setImageIndex(1);
  EXPECT_EQ(image->size(), QSize(4, 3));
}

TEST(TLMDLImage, NoSizingWhileLoading) {
  TestList t;
  TLMDLImage image;
  image.setGeometry(0, 0, 50, 50);
  image.setStyle(TLMDLImage::sbAutosize);
  image.setImageList(&t.list);
  image.setListIndex(1);
  EXPECT_EQ(image.size(), QSize(50, 50));
  image.Loaded();
  EXPECT_EQ(image.size(), QSize(6, 5));
}

TEST(TLMDLImage, ForcedTransparencyLeavesTheKeyColourUndrawn) {
  TestList t;
  for (bool force : {false, true}) {
    SCOPED_TRACE(force);
    YellowParent parent;
    TLMDLImage image(&parent);
    image.setStyle(TLMDLImage::sbAutosize);
    image.setForceTransparent(force);
    image.setImageList(&t.list);
    image.Loaded();
    const QImage shot = parent.grab().toImage();
    const QRgb key = force ? Opaque(Qt::yellow) : kKey;
    EXPECT_EQ(shot.pixel(0, 2) | 0xFF000000u, key);
    EXPECT_EQ(shot.pixel(2, 0) | 0xFF000000u, key);
    EXPECT_EQ(shot.pixel(1, 1) | 0xFF000000u, Opaque(Qt::red));
    EXPECT_EQ(shot.pixel(5, 5) | 0xFF000000u, Opaque(Qt::yellow));  // outside: parent shows
  }
}

TEST(TLMDLImage, DisabledPictureIsTheStylesDisabledIconInTheSamePlace) {
  TestList t;
  YellowParent parent;
  TLMDLImage image(&parent);
  image.setGeometry(0, 0, 10, 10);
  image.setStyle(TLMDLImage::sbCenter);
  image.setForceTransparent(true);
  image.setImageList(&t.list);
  image.Loaded();
  const QImage enabled = parent.grab().toImage();
  image.setEnabled(false);
  const QImage disabled = parent.grab().toImage();

  QPixmap layer(10, 10);
  layer.fill(Qt::transparent);
  {
    QPainter painter(&layer);
    t.list.DrawInRect(painter, QRect(3, 3, 4, 3), 0, 0, true);
  }
  QStyleOption option;
  option.initFrom(&image);
  QImage expected(10, 10, disabled.format());
  expected.fill(Qt::yellow);
  {
    QPainter painter(&expected);
    painter.drawPixmap(0, 0, image.style()->generatedIconPixmap(QIcon::Disabled, layer, &option));
  }
  EXPECT_EQ(disabled, expected);
  EXPECT_NE(disabled.pixel(4, 4), enabled.pixel(4, 4));
  image.setEnabled(true);
  EXPECT_EQ(parent.grab().toImage(), enabled);
}

TEST(TLMDLImage, SharedListArrivesLaterAndGoesAway) {
  ASSERT_EQ(DM, nullptr);
  auto image = std::make_unique<TLMDLImage>();
  image->setSharedImageList(true);
  image->setStyle(TLMDLImage::sbAutosize);
  image->setListIndex(7);
  image->Loaded();
  EXPECT_EQ(image->ImageList(), nullptr);
  {
    TDM dm;
    ASSERT_EQ(image->ImageList(), dm.ImageList());
    // Sized by the shared list (61 x 23 for the lights, 20 x 20 if the
    // pictures are not built in).
    const QSize expected = dm.ImageList()->IsValidPicture(7, 0) ? QSize(61, 23) : QSize(20, 20);
    EXPECT_EQ(image->size(), expected);
  }
  EXPECT_EQ(image->ImageList(), nullptr);
  EXPECT_FALSE(image->HasPicture());
  (void)image->grab();  // draws nothing, touches nothing freed
}

TEST(TLMDLImage, ClickAndAccessibility) {
  TestList t;
  auto image = AutosizedImage(&t.list);
  int clicks = 0;
  image->OnClick = [&](QObject* sender) {
    EXPECT_EQ(sender, image.get());
    ++clicks;
  };
  SendMouse(*image, QEvent::MouseButtonPress, QPoint(1, 1));
  SendMouse(*image, QEvent::MouseButtonRelease, QPoint(1, 1), Qt::LeftButton, Qt::NoButton);
  SendMouse(*image, QEvent::MouseButtonPress, QPoint(1, 1));
  SendMouse(*image, QEvent::MouseButtonRelease, QPoint(30, 30), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(clicks, 1);  // a release outside is no click
  image->setHint(QStringLiteral("Informazioni"));
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(image.get());
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::Graphic);
  EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("Informazioni"));
}

}  // namespace
}  // namespace marnova
