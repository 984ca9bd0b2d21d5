// The main window after start and as it shows the evaluation.
#include "ui/MainUnit.h"

#include <QAccessible>

#include "tests/ui/windows/WindowTestSupport.h"
#include "ui/widgets/TTimer.h"

namespace marnova {
namespace {

TEST_F(MainWindowTest, StartsWithWhiteOnBlack) {
  EXPECT_EQ(form->FColor->edValue->Text(), "FFFFFF");
  EXPECT_EQ(form->FBack->edValue->Text(), "000000");
  EXPECT_EQ(form->lbBrightRes->Caption(), "Differenza di Luminosit\u00e0 = 255");
  EXPECT_EQ(form->lbDiffRes->Caption(), "Differenza di Colore = 765");
  EXPECT_EQ(form->ImgSem1->ImageIndex(), 0);
  EXPECT_EQ(form->ImgSem2->ImageIndex(), 0);
  EXPECT_EQ(form->Memo1->Lines().Count(), 1);
  EXPECT_EQ(form->Memo1->Lines().Strings(0), "Scrivi qui un testo di prova...");
  EXPECT_EQ(form->Memo1->FontColor(), 0xFFFFFF);
  EXPECT_EQ(form->Memo1->Color(), 0x000000);
  EXPECT_EQ(form->FBack->LMDLabel8->Caption(), "Colore di sfondo");
  EXPECT_EQ(form->FColor->LMDLabel8->Caption(), "Colore del testo");
  EXPECT_FALSE(form->FColor->LMDLabel8->font().bold());
  EXPECT_FALSE(form->FBack->LMDLabel8->font().bold());
  EXPECT_FALSE(form->Timer->Enabled());
  EXPECT_EQ(form->Timer->Interval(), 50);
}

TEST_F(MainWindowTest, AuthorLineEndsWithTheVersion) {
  ASSERT_EQ(AppVersion, "1.2.0.43");
  const QString line = form->lbAuthor->Caption();
  EXPECT_TRUE(line.endsWith("2004    ver.1.2.0.43")) << line.toStdString();
  EXPECT_EQ(form->lbAuthor->FontFXAngle(), 90);
}

TEST_F(MainWindowTest, WindowIsFixedOnTopWithoutMaximise) {
  EXPECT_EQ(form->windowTitle(), "MARNOVA  by Quorvel");
  EXPECT_EQ(form->size(), QSize(618, 348));
  EXPECT_EQ(form->minimumSize(), form->maximumSize());
  const Qt::WindowFlags flags = form->windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
}

TEST_F(MainWindowTest, PickButtonsCarryTheirOwnHints) {
  EXPECT_EQ(form->FColor->btnPick->Hint(), "Preleva il COLOR dallo schermo!");
  EXPECT_EQ(form->FBack->btnPick->Hint(), "Preleva il BACKGROUND-COLOR dallo schermo!");
  EXPECT_EQ(form->lbHome->Jump(), "https://www.w3.org/TR/AERT/#color-contrast");
  EXPECT_TRUE(form->lbHome->Hint().endsWith("\nhttps://www.w3.org/TR/AERT/#color-contrast"));
}

TEST_F(MainWindowTest, EvaluationFollowsEveryChange) {
  struct Case {
    const char *text, *back, *brightness, *colour;
    int light1, light2;
  };
  const Case cases[] = {
      {"FFFF00", "FFFFFF", "29", "255", 2, 2},
      {"000000", "FFFF00", "225", "510", 0, 0},
      {"00BBA0", "01000F", "125", "333", 2, 2},
      {"FF0000", "0000FF", "47", "510", 2, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    form->FColor->edValue->setText(c.text);
    form->FBack->edValue->setText(c.back);
    EXPECT_EQ(form->lbBrightRes->Caption(),
              QString("Differenza di Luminosit\u00e0 = ") + c.brightness);
    EXPECT_EQ(form->lbDiffRes->Caption(), QString("Differenza di Colore = ") + c.colour);
    EXPECT_EQ(form->ImgSem1->ImageIndex(), c.light1);
    EXPECT_EQ(form->ImgSem2->ImageIndex(), c.light2);
    EXPECT_EQ(form->Memo1->FontColor(), form->FColor->SelectedColor());
    EXPECT_EQ(form->Memo1->Color(), form->FBack->SelectedColor());
  }
}

TEST_F(MainWindowTest, AnIncompleteFieldLeavesTheResultUndetermined) {
  for (TFrameHsvCtrl* incomplete : {form->FColor, form->FBack}) {
    form->FColor->SetRGB(12, 34, 56);
    form->FBack->SetRGB(250, 240, 230);
    incomplete->edValue->setText(incomplete->edValue->Text().left(5));
    EXPECT_EQ(form->ImgSem1->ImageIndex(), 1);
    EXPECT_EQ(form->ImgSem2->ImageIndex(), 1);
    EXPECT_EQ(form->lbBrightRes->Caption(), "Differenza di Luminosit\u00e0 = ???");
    EXPECT_EQ(form->lbDiffRes->Caption(), "Differenza di Colore = ???");
    // The sample keeps its last colours.
    EXPECT_EQ(form->Memo1->FontColor(), PackColor(12, 34, 56));
    EXPECT_EQ(form->Memo1->Color(), PackColor(250, 240, 230));
  }
}

TEST_F(MainWindowTest, ContrastRatioHintsAndDescriptionsFollowThePanels) {
  const QString k777OnWhite =
      "Rapporto di contrasto WCAG 2: 4,47:1\n"
      "AA testo normale: non superato\n"
      "AA testo grande: superato\n"
      "AAA testo normale: non superato\n"
      "AAA testo grande: non superato\n"
      "Contrasto APCA: Lc 71,1\n"
      "Daltonismo, caso peggiore (deuteranopia): 4,47:1";
  const struct {
    const char *text, *back;
    QString hint;
  } cases[] = {
      {"777777", "FFFFFF", k777OnWhite},
      {"77777", "FFFFFF", "Rapporto di contrasto WCAG 2: ???"},
      {"767676", "FFFFF", "Rapporto di contrasto WCAG 2: ???"},
      {"767676", "FFFFFF",
       "Rapporto di contrasto WCAG 2: 4,54:1\nAA testo normale: superato\n"
       "AA testo grande: superato\nAAA testo normale: non superato\n"
       "AAA testo grande: superato\nContrasto APCA: Lc 71,6\n"
       "Daltonismo, caso peggiore (deuteranopia): 4,54:1"},
      {"FF0000", "000000",
       "Rapporto di contrasto WCAG 2: 5,25:1\nAA testo normale: superato\n"
       "AA testo grande: superato\nAAA testo normale: non superato\n"
       "AAA testo grande: superato\nContrasto APCA: Lc -37,5\n"
       "Daltonismo, caso peggiore (protanopia): 3,28:1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " on " + c.back);
    form->FColor->edValue->setText(c.text);
    form->FBack->edValue->setText(c.back);
    EXPECT_EQ(form->lbBrightRes->Hint(), c.hint);
    EXPECT_EQ(form->lbDiffRes->Hint(), c.hint);
    for (TLMDLImage* light : {form->ImgSem1, form->ImgSem2}) {
      EXPECT_EQ(light->Hint(), c.hint);
      EXPECT_EQ(light->toolTip(), c.hint);
      EXPECT_EQ(QAccessible::queryAccessibleInterface(light)->text(QAccessible::Description),
                c.hint);
    }
  }
}

// Ctrl+Shift+S from anywhere in the window exchanges the two colours.
TEST_F(MainWindowTest, CtrlShiftSSwapsTextAndBackground) {
  form->FColor->SetRGB(255, 0, 0);
  form->FBack->SetRGB(0, 0, 0);
  for (QWidget* focus :
       {static_cast<QWidget*>(form->Memo1), static_cast<QWidget*>(form->FBack->edValue)}) {
    focus->setFocus();
    const TColor text = form->FColor->SelectedColor(), back = form->FBack->SelectedColor();
    QTest::keyClick(focus, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(form->FColor->SelectedColor(), back);
    EXPECT_EQ(form->FBack->SelectedColor(), text);
    EXPECT_EQ(form->Memo1->FontColor(), back);
    EXPECT_EQ(form->Memo1->Color(), text);
  }
}

// The sample text shows in the two colours on screen, not only in properties.
TEST_F(MainWindowTest, SampleTextIsDrawnInThePair) {
  form->FColor->SetRGB(255, 255, 0);
  form->FBack->SetRGB(0, 0, 128);
  const QImage shot = form->Memo1->grab().toImage();
  int background = 0, text = 0;
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x) {
      const QRgb pixel = shot.pixel(x, y) & 0xFFFFFF;
      background += pixel == 0x000080;
      text += pixel == 0xFFFF00;
    }
  EXPECT_GT(background, shot.width() * shot.height() / 2);
  EXPECT_GT(text, 20);
}

}  // namespace
}  // namespace marnova
