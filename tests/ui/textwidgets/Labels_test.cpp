#include <gtest/gtest.h>

#include <QAccessible>
#include <QFontMetrics>
#include <QStringList>
#include <QTest>
#include <memory>

#include "platform/shell/Shell.h"
#include "ui/textwidgets/Pixels.h"
#include "ui/widgets/ColorConstants.h"
#include "ui/widgets/FontSubstitutes.h"
#include "ui/widgets/TLMDLabel.h"
#include "ui/widgets/TLMDSimpleLabel.h"

namespace marnova {
namespace {

using test::Dark;
using test::Grab;
using test::InkBox;

class LabelTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InstallFontSubstitutes(); }

  void SetUp() override {
    FWindow = std::make_unique<QWidget>();
    FWindow->resize(640, 360);
    FWindow->setAutoFillBackground(true);
    QPalette palette = FWindow->palette();
    palette.setColor(QPalette::Window, Qt::white);
    FWindow->setPalette(palette);
  }

  template <class T>
  T* Make(const QString& caption, QRect bounds = {10, 20, 50, 15}) {
    auto* label = new T(FWindow.get());  // owned by the window
    label->setGeometry(bounds);
    label->setFont(QFont(QStringLiteral("Arial")));
    label->setFontHeight(-14);
    label->setFontColor(clBlack);
    label->setCaption(caption);
    return label;
  }

  static QSize Extent(const TLMDBaseLabel& label, const QString& text) {
    const QFontMetrics metrics(label.font());
    return metrics.size(Qt::TextSingleLine | Qt::TextShowMnemonic, text) + QSize(2, 2);
  }

  std::unique_ptr<QWidget> FWindow;
};

TEST_F(LabelTest, FontNamesResolveToInstalledMetricTwins) {
  for (const char* name : {"Arial", "Courier New", "MS Sans Serif"}) {
    const QFontInfo info{QFont(QString::fromLatin1(name))};
    EXPECT_TRUE(info.family().startsWith(QLatin1String("Liberation")))
        << name << " -> " << info.family().toStdString();
    // Naming the installed family directly draws the same face; the bitmap
    // font's name stays, as its size is drawn smaller.
    const QString installed = InstalledFamily(QString::fromLatin1(name));
    EXPECT_EQ(installed == QLatin1String(name), SubstituteShrink(QString::fromLatin1(name)) != 0);
    EXPECT_EQ(QFontInfo(QFont(installed)).family(), info.family()) << name;
  }
  EXPECT_TRUE(QFontInfo(QFont(QStringLiteral("Courier New"))).fixedPitch());
}

TEST_F(LabelTest, AutoSizeFollowsTheCaptionAndKeepsTheCorner) {
  auto* label = Make<TLMDLabel>(QStringLiteral("888"));
  EXPECT_EQ(label->size(), QSize(50, 15)) << "no sizing while loading";
  label->Loaded();
  for (const QString& caption : {QStringLiteral("Differenza di colore = 765"), QStringLiteral("X"),
                                 QStringLiteral("&Accel"), QString()}) {
    label->setCaption(caption);
    EXPECT_EQ(label->pos(), QPoint(10, 20));
    EXPECT_EQ(label->size(), Extent(*label, caption)) << caption.toStdString();
  }
  label->setCaption(QStringLiteral("Valore"));
  const QSize before = label->size();
  label->setFontHeight(-22);
  EXPECT_GT(label->height(), before.height()) << "a font change resizes";
  EXPECT_EQ(label->pos(), QPoint(10, 20));

  auto* fixed = Make<TLMDLabel>(QStringLiteral("a much longer caption than the box"));
  fixed->setAutoSize(false);
  fixed->Loaded();
  EXPECT_EQ(fixed->size(), QSize(50, 15));
}

TEST_F(LabelTest, MultiLineWrapsAtTheWidthAndGrowsDownwards) {
  auto* label = Make<TLMDLabel>(QStringLiteral("uno due tre quattro cinque sei sette otto nove"),
                                {32, 96, 120, 15});
  label->setMultiLine(true);
  label->Loaded();
  const QFontMetrics metrics(label->font());
  const int line = metrics.height();
  EXPECT_EQ(label->width(), 120);
  EXPECT_GE(label->height(), 2 * line + 2);
  EXPECT_EQ(label->pos(), QPoint(32, 96));

  label->setCaption(QStringLiteral("prima\r\nseconda"));
  EXPECT_NEAR(label->height(), 2 * metrics.lineSpacing() + 2, 1) << "line breaks start new lines";
}

TEST_F(LabelTest, TransparentLabelShowsItsParentOpaqueOneItsColour) {
  auto* label = Make<TLMDLabel>(QString(), {0, 0, 30, 20});
  label->setAutoSize(false);
  label->setColor(0x00999999);
  label->Loaded();
  EXPECT_EQ(QColor(Grab(*FWindow).pixel(5, 5)), QColor(Qt::white));
  label->setTransparent(false);
  EXPECT_EQ(QColor(Grab(*FWindow).pixel(5, 5)), QColor(0x99, 0x99, 0x99));
}

TEST_F(LabelTest, NineAlignmentsPlaceTheText) {
  auto* label = Make<TLMDLabel>(QStringLiteral("Xy"), {0, 0, 150, 90});
  label->setAutoSize(false);
  label->Loaded();
  for (int a = TLMDBaseLabel::agTopLeft; a <= TLMDBaseLabel::agBottomRight; ++a) {
    label->setAlignment(TLMDBaseLabel::TLMDAlignment(a));
    const QRect ink = InkBox(Grab(*label), Dark);
    ASSERT_FALSE(ink.isEmpty());
    const int column = ink.center().x() * 3 / 150, row = ink.center().y() * 3 / 90;
    EXPECT_EQ(column, a % 3) << "alignment " << a;
    EXPECT_EQ(row, a / 3) << "alignment " << a;
  }
}

TEST_F(LabelTest, AuthorLabelReadsUpwardsFromTheBottom) {
  // As the main window's author line: 16 x 296, turned by 90 degrees, bottom-centred.
  auto* label = Make<TLMDLabel>(QStringLiteral("WWWWWWWW iiiiiiiiiiiiiiii  ver.1.2.0.43"),
                                {602, 24, 16, 296});
  label->setFontHeight(-11);
  label->setAutoSize(false);
  label->setFontFXAngle(90);
  label->setAlignment(TLMDBaseLabel::agBottomCenter);
  label->Loaded();
  const QImage image = Grab(*label);
  const QRect ink = InkBox(image, Dark);
  ASSERT_FALSE(ink.isEmpty());
  EXPECT_GT(ink.height(), 3 * ink.width()) << "the text runs vertically";
  EXPECT_GE(ink.bottom(), 296 - 6) << "it starts at the bottom";
  EXPECT_NEAR(ink.center().x(), 8, 2) << "centred across the width";
  // The heavy capitals come first, so they sit in the lower half.
  const int mid = ink.center().y();
  const int lower = test::Count(image.copy(0, mid, 16, 296 - mid), Dark);
  const int upper = test::Count(image.copy(0, 0, 16, mid), Dark);
  EXPECT_GT(lower, upper);
  // The origin is the text's own top-left corner: left edge of its box, near the bottom.
  EXPECT_GE(label->FontFXPosY(), 296 - 4);
  EXPECT_LE(label->FontFXPosX(), ink.left() + 1);
}

TEST_F(LabelTest, AngleIsKeptWithinOneTurnAndAutoSizeTurnsWithIt) {
  auto* label = Make<TLMDLabel>(QStringLiteral("Rotated"));
  label->Loaded();
  const QSize flat = label->size();
  const struct { int set, stored; } angles[] = {{360, 0}, {450, 90}, {-90, 270}, {90, 90}};
  for (const auto& a : angles) {
    label->setFontFXAngle(a.set);
    EXPECT_EQ(label->FontFXAngle(), a.stored);
  }
  label->setFontFXAngle(90);
  EXPECT_NEAR(label->width(), flat.height(), 1);
  EXPECT_NEAR(label->height(), flat.width(), 1);
  EXPECT_EQ(label->pos(), QPoint(10, 20));
}

TEST_F(LabelTest, SunkenEffectDrawsTheLightCopyAndNoneDoesNot) {
  auto* label = Make<TLMDLabel>(QStringLiteral("Area di test"));
  label->setFontHeight(-30);
  label->setFontFXLightColor(clRed);
  label->Loaded();
  const auto reddish = [](QRgb p) { return qRed(p) > 200 && qGreen(p) < 120 && qBlue(p) < 120; };
  EXPECT_EQ(test::Count(Grab(*label), reddish), 0) << "tdNone ignores the effect colours";
  label->setFontFXStyle(TLMDBaseLabel::tdSunken);
  const QImage image = Grab(*label);
  const QRect light = InkBox(image, reddish), text = InkBox(image, Dark);
  ASSERT_FALSE(light.isEmpty());
  // One pixel right and down: the copy shows below and right of the strokes only.
  EXPECT_GT(light.left(), text.left());
  EXPECT_GT(light.top(), text.top());
  EXPECT_LE(light.right(), text.right() + 1);
  EXPECT_LE(light.bottom(), text.bottom() + 1);
}

TEST_F(LabelTest, AccessibleAsStaticTextNamedByItsCaption) {
  auto* label = Make<TLMDLabel>(QStringLiteral("&Area di test"));
  label->setHint(QStringLiteral("Suggerimento"));
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(label);
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->role(), QAccessible::StaticText);
  EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Area di test"));
  EXPECT_EQ(accessible->text(QAccessible::Description), QStringLiteral("Suggerimento"));
  EXPECT_EQ(label->toolTip(), QStringLiteral("Suggerimento"));
  label->setShowHint(false);
  EXPECT_TRUE(label->toolTip().isEmpty());
}

class LinkLabelTest : public LabelTest {
 protected:
  TLMDSimpleLabel* MakeLink(const QString& caption, const QString& jump) {
    auto* link = Make<TLMDSimpleLabel>(caption, {32, 264, 160, 22});
    link->setJump(jump);
    link->setJumpMode(TLMDSimpleLabel::jmInternet);
    link->Loaded();
    FWindow->show();
    return link;
  }
  static void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, {4, 4}); }

  QStringList FOpened;
  bool FAnswer = true;
  ScopedOpenHandler FOpener{[this](const QString& target) {
    FOpened << target;
    return FAnswer;
  }};
};

TEST_F(LinkLabelTest, EnteringAJumpModeShowsTheLinkLook) {
  auto* link = Make<TLMDSimpleLabel>(QStringLiteral("www.quorvel.example"));
  link->setJumpMode(TLMDSimpleLabel::jmInternet);
  EXPECT_EQ(link->FontColor(), clBlue);
  EXPECT_TRUE(link->font().underline());
  EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);

  // Stored before or after the mode, JumpUnderline false leaves no underline.
  auto* before = Make<TLMDSimpleLabel>(QStringLiteral("a"));
  before->setJumpUnderline(false);
  before->setJumpMode(TLMDSimpleLabel::jmInternet);
  auto* after = Make<TLMDSimpleLabel>(QStringLiteral("a"));
  after->setJumpMode(TLMDSimpleLabel::jmInternet);
  after->setJumpUnderline(false);
  EXPECT_FALSE(before->font().underline());
  EXPECT_FALSE(after->font().underline());

  // A font that is underlined itself stays so.
  auto* own = Make<TLMDSimpleLabel>(QStringLiteral("a"));
  QFont underlined = own->font();
  underlined.setUnderline(true);
  own->setFont(underlined);
  own->setJumpMode(TLMDSimpleLabel::jmInternet);
  own->setJumpUnderline(false);
  EXPECT_TRUE(own->font().underline());
}

// A target the caption does not show joins the hint (tool tip and
// accessible description); the label's pixels stay as they were.
TEST_F(LinkLabelTest, HintShowsATargetTheCaptionHides) {
  struct Case {
    const char *caption, *jump, *hint, *shown;
  };
  const Case cases[] = {
      {"marnova.example", "http://evil.example/setup.exe", "", "http://evil.example/setup.exe"},
      {"marnova.example", "  ", "", ""},
      {"marnova.example", "marnova.example", "", ""},
      {"W3C", "https://www.w3.org/", "Apre la pagina:\nhttps://www.w3.org/",
       "Apre la pagina:\nhttps://www.w3.org/"},
      {"W3C", "https://www.w3.org/", "Apre la pagina", "Apre la pagina\nhttps://www.w3.org/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.jump);
    TLMDSimpleLabel* link = MakeLink(c.caption, {});
    const QImage before = link->grab().toImage();
    link->setHint(c.hint);
    link->setJump(c.jump);
    EXPECT_EQ(link->toolTip(), c.shown);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(link)->text(QAccessible::Description), c.shown);
    EXPECT_EQ(link->grab().toImage(), before);
  }
  TLMDSimpleLabel* plain = MakeLink("marnova.example", "http://other.example");
  plain->setJumpMode(TLMDSimpleLabel::jmCustom);  // a click opens nothing
  EXPECT_TRUE(plain->toolTip().isEmpty());
}

TEST_F(LinkLabelTest, InternetTargetRules) {
  const struct {
    const char *jump, *caption, *opened;
  } cases[] = {
      {"http://www.quorvel.example/", "www.quorvel.example", "http://www.quorvel.example/"},
      {"   ", "www.marnova.example", "www.marnova.example"},
      {"", "info@quorvel.example", "mailto:info@quorvel.example"},
      {" ", "&info@quorvel.example", "mailto:info@quorvel.example"},
  };
  for (const auto& c : cases) {
    FOpened.clear();
    Click(MakeLink(QString::fromUtf8(c.caption), QString::fromUtf8(c.jump)));
    EXPECT_EQ(FOpened, QStringList{QString::fromUtf8(c.opened)}) << c.caption;
  }
}

TEST_F(LinkLabelTest, FailureDisablesTheLinkSilentlyKeepingItsLook) {
  FAnswer = false;
  auto* link = MakeLink(QStringLiteral("www.marnova.example"), QString());
  Click(link);
  EXPECT_EQ(link->JumpMode(), TLMDSimpleLabel::jmNone);
  EXPECT_FALSE(link->isEnabled());
  EXPECT_TRUE(link->font().underline());
  EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
  Click(link);
  EXPECT_EQ(FOpened.size(), 1) << "a disabled link ignores clicks";
}

TEST_F(LinkLabelTest, LocalProgramsAreNeverOpenedFromABrowserLink) {
  auto* link = MakeLink(QStringLiteral("download"), QStringLiteral("file:///usr/bin/xterm"));
  Click(link);
  EXPECT_TRUE(FOpened.isEmpty());
  EXPECT_FALSE(link->isEnabled());
}

TEST_F(LinkLabelTest, VisitedColourStaysAndMinusOneDrawsBlack) {
  auto* link = MakeLink(QStringLiteral("www.quorvel.example"), QString());
  link->setActiveColor(-1);
  const auto blue = [](QRgb p) { return qBlue(p) > 150 && qRed(p) < 100; };
  EXPECT_GT(test::Count(Grab(*link), blue), 0);
  QTest::mousePress(link, Qt::LeftButton, {}, {4, 4});
  EXPECT_TRUE(link->Visited());
  QTest::mouseRelease(link, Qt::LeftButton, {}, {4, 4});
  link->setJump(QStringLiteral("http://other.example"));  // a plain assignment
  EXPECT_EQ(link->FontColor(), -1);
  const QImage image = Grab(*link);
  EXPECT_EQ(test::Count(image, blue), 0);
  EXPECT_GT(test::Count(image, [](QRgb p) { return p == qRgb(0, 0, 0); }), 0);
  EXPECT_EQ(
      test::Count(image, [](QRgb p) { return qRed(p) != qGreen(p) || qGreen(p) != qBlue(p); }), 0)
      << "only black ink on white";
}

TEST_F(LinkLabelTest, ApplicationAndPlainModes) {
  auto* link = MakeLink(QStringLiteral("someone@host.example"), QStringLiteral(" "));
  int clicks = 0;
  link->OnClick = [&](QObject* sender) {
    EXPECT_EQ(sender, link);
    ++clicks;
  };
  link->setJumpMode(TLMDSimpleLabel::jmApplication);
  FAnswer = false;
  Click(link);
  EXPECT_EQ(FOpened, QStringList{QStringLiteral("someone@host.example")}) << "no mailto: rule";
  EXPECT_TRUE(link->isEnabled()) << "no failure rule";
  for (auto mode : {TLMDSimpleLabel::jmNone, TLMDSimpleLabel::jmCustom}) {
    link->setJumpMode(mode);
    Click(link);
  }
  EXPECT_EQ(FOpened.size(), 1);
  EXPECT_EQ(clicks, 3);
}

TEST_F(LinkLabelTest, AccessibleAsALinkWithAPressAction) {
  auto* link = MakeLink(QStringLiteral("www.quorvel.example"), QString());
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(link);
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->role(), QAccessible::Link);
  ASSERT_NE(accessible->actionInterface(), nullptr);
  accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(FOpened, QStringList{QStringLiteral("www.quorvel.example")});
}

}  // namespace
}  // namespace marnova
