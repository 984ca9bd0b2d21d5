// The information and update windows: modal, centred over the main window,
// freed on close, with links that open their targets.
#include <QMouseEvent>
#include <QScreen>

#include "platform/shell/Shell.h"
#include "tests/ui/windows/WindowTestSupport.h"
#include "ui/QuorvelUnit.h"
#include "ui/UpdateUnit.h"
#include "ui/widgets/TLMDLImage.h"
#include "ui/widgets/TLMDSimpleLabel.h"

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
