// The information and update windows: modal, centred over the main window,
// freed on close, with links that open their targets.
#include <QMouseEvent>
#include <QScreen>

#include "platform/shell/Shell.h"
#include "tests/ui/textwidgets/Pixels.h"
#include "tests/ui/windows/WindowTestSupport.h"
#include "ui/QuorvelUnit.h"
#include "ui/UpdateUnit.h"
#include "ui/WindowPlacement.h"

namespace marnova {
namespace {

QPoint CentredOver(const QWidget& main, const QWidget& window) {
  const QRect m = main.frameGeometry(), w = window.frameGeometry();
  return {m.left() + (m.width() - w.width()) / 2, m.top() + (m.height() - w.height()) / 2};
}

TEST_F(MainWindowTest, InformationWindowOpensFreshAndCentredEachTime) {
  std::vector<QPointer<QWidget>> opened;
  for (const QPoint mainAt : {QPoint(100, 80), QPoint(150, 130)}) {
    form->move(mainAt);
    WhileModal([&] { form->LMDLImageClick(form->LMDLImage); },
               [&](QWidget& window) {
                 EXPECT_EQ(&window, FormQuorvel.data());
                 EXPECT_EQ(window.parentWidget(), form.get());
                 EXPECT_EQ(window.windowTitle(), "Quorvel by Sorvani");
                 EXPECT_EQ(window.size(), QSize(398, 320));
                 EXPECT_EQ(window.frameGeometry().topLeft(), CentredOver(*form, window));
                 opened.push_back(&window);
               });
    ASSERT_EQ(opened.size(), mainAt == QPoint(100, 80) ? 1u : 2u);
    EXPECT_TRUE(opened.back().isNull()) << "the window outlives its closing";
  }
  EXPECT_TRUE(FormQuorvel.isNull());
}

// A main window hanging over the screen's edge: the window is moved back
// onto the screen.
TEST_F(MainWindowTest, InformationWindowStaysOnTheMainWindowsScreen) {
  const QRect screen = form->screen()->availableGeometry();
  form->move(screen.right() - 200, screen.bottom() - 100);
  WhileModal([&] { form->LMDLImageClick(form->LMDLImage); },
             [&](QWidget& window) { EXPECT_TRUE(screen.contains(window.frameGeometry())); });
}

// The place asked for where the window fits; else the least move inside.
TEST(WindowPlacement, KeepsThePlaceWhereTheWindowFitsElseMovesLeastInside) {
  const QSize main(618, 348);
  struct Case {
    const char* screen;
    QRect area;
    QPoint wanted, expected;
  } cases[] = {
      {"1280 x 800", {0, 0, 1280, 800}, {650, 355}, {650, 355}},
      {"1024 x 768", {0, 0, 1024, 768}, {650, 355}, {406, 355}},
      {"1280 x 1024 at scale 2", {0, 0, 640, 512}, {650, 355}, {22, 164}},
      {"below a 30-pixel panel", {0, 30, 1280, 370}, {650, 355}, {650, 52}},
      {"second screen on the right", {1920, 0, 1280, 1024}, {2000, 900}, {2000, 676}},
      {"left of the screen", {0, 0, 1280, 800}, {-50, -9}, {0, 0}},
      {"larger than the screen", {0, 0, 600, 300}, {650, 355}, {0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.screen);
    EXPECT_EQ(FitInside(c.area, c.wanted, main), c.expected);
  }
}

// Run on the default screen and on a 1280 x 1024 screen at scale 2 (see
// CMakeLists.txt): the window opens at 650, 355 only where it fits there.
TEST_F(MainWindowTest, MainWindowOpensWhollyOnItsScreen) {
  const QRect area = form->screen()->availableGeometry();
  const QRect frame = form->frameGeometry();
  EXPECT_TRUE(area.contains(frame));
  EXPECT_EQ(frame.left(), std::min(650, area.right() + 1 - frame.width()));
  EXPECT_EQ(frame.top(), std::min(355, area.bottom() + 1 - frame.height()));
}

// Every text of the three windows shows whole: each label painted with room
// around it (grown away from the side its alignment holds to, so its lines
// stay where they were) puts no ink outside its own box.
TEST_F(MainWindowTest, EveryTextShowsWholeInItsBox) {
  TFormQuorvel information(form.get());
  TFormUpdate update(form.get());
  constexpr int kRoom = 60;
  // Both small windows are the main window's children.
  for (TLMDBaseLabel* label : form->findChildren<TLMDBaseLabel*>()) {
    SCOPED_TRACE((label->window()->objectName() + "." + label->objectName()).toStdString());
    const auto* text = qobject_cast<TLMDLabel*>(label);
    const bool wraps = text != nullptr && text->MultiLine() && text->FontFXAngle() == 0;
    const int alignment = int(label->Alignment());
    const auto grow = [&](int anchor) {  // before, after: 0 near, 1 centre, 2 far
      return anchor == 0 ? QPair(0, kRoom) : anchor == 1 ? QPair(kRoom, kRoom) : QPair(kRoom, 0);
    };
    const auto [up, down] = grow(alignment / 3);
    const auto [left, right] = wraps ? QPair(0, 0) : grow(alignment % 3);
    const QRect box = label->geometry();
    const bool transparent = label->Transparent();
    label->setTransparent(true);  // only the text is ink
    label->setGeometry(box.adjusted(-left, -up, right, down));
    QImage painted(label->size(), QImage::Format_ARGB32_Premultiplied);
    painted.fill(Qt::transparent);
    label->render(&painted, {}, {}, QWidget::RenderFlags());  // the label's own paint only
    label->setGeometry(box);
    label->setTransparent(transparent);
    const QRect ink =
        test::InkBox(painted, [](QRgb pixel) { return qAlpha(pixel) > 0; }).translated(-left, -up);
    EXPECT_TRUE(QRect(QPoint(0, 0), box.size()).contains(ink))
        << "ink " << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height()
        << " in a box of " << box.width() << "x" << box.height();
  }
}

TEST_F(MainWindowTest, SponsorPictureClickOpensTheInformationWindow) {
  WhileModal([&] { QTest::mouseClick(form->LMDLImage, Qt::LeftButton, {}, QPoint(90, 40)); },
             [&](QWidget& window) { EXPECT_NE(qobject_cast<TFormQuorvel*>(&window), nullptr); });
}

TEST_F(MainWindowTest, UpdateLinkOpensTheAddressOrElseItsCaption) {
  for (const QString& address :
       {QString("http://dl.marnova.example/setup.exe"), QString(), QString("  ")}) {
    form->move(100, 80);
    QStringList opened;
    QString caption;
    ScopedOpenHandler handler([&](const QString& target) {
      opened << target;
      return true;
    });
    WhileModal([&] { ShowFormUpdate(form.get(), address); },
               [&](QWidget& window) {
                 auto& update = dynamic_cast<TFormUpdate&>(window);
                 EXPECT_EQ(update.windowTitle(), "AGGIORNAMENTO DISPONIBILE!");
                 caption = update.lbJumpInternet->Caption();
                 // The address a click opens, before the click.
                 const QString shown = address.trimmed().isEmpty() ? QString() : address;
                 EXPECT_EQ(update.lbJumpInternet->toolTip(), shown);
                 EXPECT_EQ(QAccessible::queryAccessibleInterface(update.lbJumpInternet)
                               ->text(QAccessible::Description),
                           shown);
                 EXPECT_EQ(window.frameGeometry().topLeft(), CentredOver(*form, window));
                 QTest::mouseClick(update.lbJumpInternet, Qt::LeftButton, {}, QPoint(70, 11));
               });
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(caption, "marnova.example");
    EXPECT_EQ(opened[0], address.trimmed().isEmpty() ? caption : address);
  }
}

// ActiveColor -1 names no colour: a pressed link of the information window
// draws its text black.
TEST_F(MainWindowTest, PressedInformationLinkTurnsBlack) {
  ScopedOpenHandler handler([](const QString&) { return true; });
  WhileModal([&] { form->LMDLImageClick(form->LMDLImage); },
             [&](QWidget& window) {
               auto& info = dynamic_cast<TFormQuorvel&>(window);
               TLMDSimpleLabel* link = info.LMDSimpleLabel2;
               EXPECT_EQ(link->ActiveColor(), -1);
               EXPECT_TRUE(link->font().underline());
               QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(20, 11));
               EXPECT_TRUE(link->Visited());
               const QImage shot = link->grab().toImage();
               int black = 0, otherDark = 0;
               for (int y = 0; y < shot.height(); ++y)
                 for (int x = 0; x < shot.width(); ++x) {
                   const QColor c = shot.pixelColor(x, y);
                   if (c.rgb() == qRgb(0, 0, 0))
                     ++black;
                   else if (c.value() < 60 && c.saturation() > 80)
                     ++otherDark;
                 }
               EXPECT_GT(black, 20);
               EXPECT_EQ(otherDark, 0);
             });
}

}  // namespace
}  // namespace marnova
