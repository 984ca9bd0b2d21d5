// The colour editor panel: what each kind of change sets off, the text field
// and its filter, the pick button and the owner-drawn thumbs.
#include "ui/FrameCmdHsvUnit.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QTest>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "ui/DataModule.h"
#include "ui/imagelist/ImageListLayout.h"
#include "ui/widgets/FontSubstitutes.h"

namespace marnova {
namespace {

using Triple = std::array<int, 3>;

// What the owner saw each time OnColorChanged was raised.
struct Notice {
  bool valid;
  Triple rgb;
  Triple hsv;
};

class PanelTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InstallFontSubstitutes(); }

  void SetUp() override {
    dm = std::make_unique<TDM>();
    panel = std::make_unique<TFrameHsvCtrl>();
    panel->OnColorChanged = [this] { notices.push_back({panel->Valid(), Rgb(), Hsv()}); };
    panel->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
  }

  Triple Rgb() const { return {panel->Red(), panel->Green(), panel->Blue()}; }
  Triple Hsv() const {
    return {panel->slHue->Position(), panel->slSat->Position(), panel->slVal->Position()};
  }
  std::array<QString, 6> Labels() const {
    return {panel->lbRed->Caption(), panel->lbGreen->Caption(), panel->lbBlue->Caption(),
            panel->lbHue->Caption(), panel->lbSat->Caption(),   panel->lbVal->Caption()};
  }
  void TypeIntoField(const char* keys) {
    panel->edValue->setFocus();
    QTest::keyClick(panel->edValue, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(panel->edValue, keys);
  }

  std::unique_ptr<TDM> dm;
  std::unique_ptr<TFrameHsvCtrl> panel;
  std::vector<Notice> notices;
};

TEST_F(PanelTest, ShowsItsDescriptionUntilTheOwnerSetsAColour) {
  for (TMMSlider* slider :
       {panel->slRed, panel->slGreen, panel->slBlue, panel->slHue, panel->slSat, panel->slVal})
    EXPECT_EQ(slider->Position(), 10);
  for (const QString& caption : Labels()) EXPECT_EQ(caption, "888");
  EXPECT_EQ(panel->edValue->Text(), "......");
  EXPECT_TRUE(panel->Valid());
  EXPECT_EQ(panel->slHue->MaxValue(), 359);
  EXPECT_EQ(panel->btnPick->ImageIndex(), 0);
  // The magnifier stays hidden, 100 pixels below the panel.
  EXPECT_FALSE(panel->Image->isVisible());
  EXPECT_EQ(panel->Image->y(), 328);
  for (TLMDLabel* label :
       {panel->lbRed, panel->lbGreen, panel->lbBlue, panel->lbHue, panel->lbSat, panel->lbVal})
    EXPECT_TRUE(label->Transparent());
  EXPECT_EQ(panel->LMDLabel8->Caption(), "Colore del testo");
  EXPECT_TRUE(notices.empty());
}

TEST_F(PanelTest, TypingSixDigitsPublishesTheColourOnce) {
  TypeIntoField("336699");
  ASSERT_EQ(notices.size(), 6u);
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(notices[i].valid) << "keystroke " << i + 1;
  EXPECT_TRUE(notices[5].valid);
  EXPECT_EQ(notices[5].rgb, (Triple{51, 102, 153}));
  EXPECT_EQ(Hsv(), (Triple{210, 170, 153}));
  EXPECT_EQ(Labels(), (std::array<QString, 6>{"051", "102", "153", "210", "170", "153"}));
  EXPECT_EQ(panel->SelectedColor(), 0x996633);
  EXPECT_EQ(panel->edValue->Color(), 0xFFFFFF);
}

TEST_F(PanelTest, HsvMovesKeepTheUsersValues) {
  struct Case {
    const char* name;
    Triple start;  // set through SetRGB
    int slider;    // 0 hue, 1 saturation, 2 value
    int position;
    Triple rgb;  // afterwards
    Triple hsv;  // afterwards
    const char* text;
  };
  const Case cases[] = {
      {"hue to 0", {51, 102, 153}, 0, 0, {153, 51, 51}, {0, 170, 153}, "993333"},
      // 191 does not survive the conversion to RGB and back; the panel keeps it.
      {"saturation kept as set", {200, 100, 50}, 1, 191, {200, 101, 51}, {20, 191, 200}, "C86533"},
      {"hue of a grey", {128, 128, 128}, 0, 200, {128, 128, 128}, {200, 0, 128}, "808080"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    panel->SetRGB(c.start[0], c.start[1], c.start[2]);
    TMMSlider* sliders[] = {panel->slHue, panel->slSat, panel->slVal};
    if (c.slider == 1) panel->slSat->setPosition(190);  // RGBToHSV(200,100,50) gives 191
    notices.clear();
    sliders[c.slider]->setPosition(c.position);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(Rgb(), c.rgb);
    EXPECT_EQ(Hsv(), c.hsv);
    EXPECT_EQ(panel->edValue->Text(), c.text);
  }
}

TEST_F(PanelTest, RgbMoveRaisesTheCallbackBeforeHsvFollows) {
  panel->SetRGB(0, 0, 0);
  notices.clear();
  panel->slRed->setPosition(255);
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].rgb, (Triple{255, 0, 0}));
  EXPECT_EQ(notices[0].hsv, (Triple{0, 0, 0}));  // not yet followed
  EXPECT_EQ(Hsv(), (Triple{0, 255, 255}));
  EXPECT_EQ(panel->lbRed->Caption(), "255");
  EXPECT_EQ(panel->edValue->Text(), "FF0000");
}

TEST_F(PanelTest, SetSelectedColourUnpacksAndRaisesOnce) {
  panel->SetSelectedColor(0x000080FF);
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(panel->edValue->Text(), "FF8000");
  EXPECT_EQ(Rgb(), (Triple{255, 128, 0}));
  EXPECT_EQ(Hsv(), (Triple{30, 255, 255}));
  EXPECT_EQ(panel->SelectedColor(), 0x0080FF);
  panel->SetSelectedColor(static_cast<TColor>(0xFF0A0B0C));  // top byte ignored
  EXPECT_EQ(panel->edValue->Text(), "0C0B0A");
}

TEST_F(PanelTest, IncompleteTextMarksThePanelInvalid) {
  panel->SetRGB(1, 2, 3);
  notices.clear();
  panel->edValue->setFocus();
  QTest::keyClick(panel->edValue, Qt::Key_End);
  QTest::keyClick(panel->edValue, Qt::Key_Backspace);
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_FALSE(panel->Valid());
  EXPECT_EQ(panel->edValue->Color(), 0x80FFFF);
  EXPECT_EQ(panel->SelectedColor(), PackColor(1, 2, 3));
  EXPECT_EQ(Rgb(), (Triple{1, 2, 3}));
  // A slider move makes it valid again with six digits.
  panel->slGreen->setPosition(200);
  EXPECT_TRUE(panel->Valid());
  EXPECT_EQ(panel->edValue->Text(), "01C803");
  EXPECT_EQ(panel->edValue->Color(), 0xFFFFFF);
}

TEST_F(PanelTest, OnlyHexDigitsReachTheField) {
  panel->SetRGB(0, 0, 0);
  TypeIntoField(" #-Gz!a1b");
  EXPECT_EQ(panel->edValue->Text(), "A1B");
  QTest::keyClick(panel->edValue, Qt::Key_Backspace);
  EXPECT_EQ(panel->edValue->Text(), "A1");
  QTest::keyClick(panel->edValue, Qt::Key_Home);
  QTest::keyClick(panel->edValue, Qt::Key_Delete);
  EXPECT_EQ(panel->edValue->Text(), "1");
}

TEST_F(PanelTest, SixCharactersWithABadPairAreRewritten) {
  panel->SetRGB(9, 9, 9);
  panel->edValue->setText("12ZZ34");  // set from code: the filter does not apply
  EXPECT_EQ(Rgb(), (Triple{0x12, 0, 0x34}));
  EXPECT_EQ(panel->edValue->Text(), "120034");
}

TEST_F(PanelTest, ValueLabelsChangeOnlyWithTheirSlider) {
  panel->SetRGB(10, 10, 10);  // RGB unchanged from the description: labels stay
  EXPECT_EQ(panel->lbRed->Caption(), "888");
  EXPECT_EQ(panel->lbVal->Caption(), "888");  // V is 10 too
  EXPECT_EQ(panel->lbHue->Caption(), "000");
  panel->slHue->setPosition(400);
  EXPECT_EQ(panel->slHue->Position(), 359);
  EXPECT_EQ(panel->lbHue->Caption(), "359");
}

TEST_F(PanelTest, PickButtonAsksOnceUntilThePickEnds) {
  std::vector<TFrameHsvCtrl*> requests;
  panel->OnPickRequest = [&](TFrameHsvCtrl* sender) { requests.push_back(sender); };
  for (int press = 0; press < 2; ++press)
    QTest::mouseClick(panel->btnPick, Qt::LeftButton, {}, QPoint(10, 10));
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0], panel.get());
  EXPECT_EQ(panel->btnPick->ImageIndex(), 1);
  EXPECT_FALSE(panel->Image->isVisible());
  EXPECT_TRUE(notices.empty());
  panel->EndPick();
  EXPECT_EQ(panel->btnPick->ImageIndex(), 0);
  EXPECT_FALSE(panel->Image->isVisible());
  QTest::mouseClick(panel->btnPick, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(requests.size(), 2u);
}

// The owner's callback may process pending input, so a later action can run
// inside an earlier one; the panel ends in the state of the latest.
TEST_F(PanelTest, NestedActionsEndInTheLatestState) {
  panel->SetRGB(0, 0, 0);
  bool nested = false;
  panel->OnColorChanged = [&] {
    if (nested) return;
    nested = true;
    panel->slBlue->setPosition(77);  // arrives while the red move is handled
  };
  panel->slRed->setPosition(200);
  EXPECT_EQ(Rgb(), (Triple{200, 0, 77}));
  EXPECT_EQ(panel->edValue->Text(), "C8004D");
  int h, s, v;
  RGBToHSV(200, 0, 77, h, s, v);
  EXPECT_EQ(Hsv(), (Triple{h, s, v}));
}

// SetRGB fences its callback: a slider moved from inside it only updates
// its label, and the owner hears of the colour once.
TEST_F(PanelTest, SliderMovedInsideSetRgbsCallbackOnlyUpdatesItsLabel) {
  panel->SetRGB(0, 0, 0);
  notices.clear();
  panel->OnColorChanged = [&] {
    notices.push_back({panel->Valid(), Rgb(), Hsv()});
    if (notices.size() == 1) panel->slRed->setPosition(99);
  };
  panel->SetRGB(10, 20, 30);
  EXPECT_EQ(notices.size(), 1u);
  EXPECT_EQ(panel->edValue->Text(), "0A141E");
  EXPECT_EQ(panel->SelectedColor(), PackColor(10, 20, 30));
  EXPECT_EQ(panel->lbRed->Caption(), "099");
}

// A colour copied from a style sheet becomes the panel's colour, raised
// once; a colour with alpha lies over the backdrop the owner names. Any other
// paste into the full field is dropped, as the field's length allows.
TEST_F(PanelTest, PastingAStyleSheetColourSetsThePanel) {
  panel->OnPasteBackdrop = [] { return PackColor(0, 0, 255); };
  struct Case {
    const char* clipboard;
    const char* text;
    std::size_t notices;
  } cases[] = {
      {"#1a2b3c", "1A2B3C", 1},
      {"  #1A2B3C \n", "1A2B3C", 1},
      {"1a2b3c", "1A2B3C", 1},
      {"color: rgb(26 43 60);", "1A2B3C", 1},
      {"Background-Color: RGBA(26, 43, 60, 1)", "1A2B3C", 1},
      {"rebeccapurple", "663399", 1},
      {"#f00", "FF0000", 1},
      {"rgb(255 0 0 / 50%)", "800080", 1},  // half over the blue backdrop
      {"oklch(0.7 0.4 30)", "FF5843", 1},   // far outside sRGB, mapped in
      {"##1a2b3c", "FFFFFF", 0},
      {"#1a2b3", "FFFFFF", 0},
      {"# 1a2b3c", "FFFFFF", 0},
      {"rgb(1,2)", "FFFFFF", 0},
      {"#12345", "FFFFFF", 0},
      {"hsl(x)", "FFFFFF", 0},
      {"oklch(50% 0.1)", "FFFFFF", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.clipboard);
    panel->SetRGB(255, 255, 255);
    notices.clear();
    QGuiApplication::clipboard()->setText(QString::fromLatin1(c.clipboard));
    panel->edValue->setFocus();
    QTest::keyClick(panel->edValue, Qt::Key_End);
    QTest::keyClick(panel->edValue, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(panel->edValue->Text(), c.text);
    ASSERT_EQ(notices.size(), c.notices);
    if (c.notices > 0) {
      EXPECT_TRUE(notices[0].valid);
      EXPECT_EQ(QString::fromStdString(ColorToHex(panel->Red(), panel->Green(), panel->Blue())),
                c.text);  // the sliders hold it too
    }
  }
}

// Ctrl+Shift+C and the menu copy the colour as CSS; Ctrl+C still copies the
// selection; an incomplete field copies nothing.
TEST_F(PanelTest, CopiesTheColourAsStyleSheetText) {
  panel->SetRGB(10, 11, 12);
  QClipboard& clipboard = *QGuiApplication::clipboard();
  panel->edValue->setFocus();
  QTest::keyClick(panel->edValue, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(panel->edValue, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard.text(), "0A0B0C");
  QTest::keyClick(panel->edValue, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(clipboard.text(), "#0A0B0C");
  EXPECT_EQ(panel->edValue->Text(), "0A0B0C");

  const std::unique_ptr<QMenu> menu(panel->edValue->CreateContextMenu());
  QStringList captions;
  for (QAction* action : menu->actions()) {
    if (action->isSeparator()) continue;
    captions << action->text();
    const QString before = clipboard.text();
    if (action->text() == "Copia come rgb()") action->trigger();
    if (action->text() == "Copia come hsl()") {
      EXPECT_EQ(before, "rgb(10 11 12)");
      action->trigger();
      EXPECT_EQ(clipboard.text(), "hsl(210 9.1% 4.3%)");
    }
  }
  EXPECT_TRUE(captions.contains("Copia come #RRGGBB"));
  EXPECT_FALSE(captions.contains("Scambia testo e sfondo"));  // no owner asked for it

  clipboard.setText("x");
  panel->edValue->setText("0A0B");
  QTest::keyClick(panel->edValue, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(clipboard.text(), "x");
}

// The owner hears one change, with both panels already swapped.
TEST_F(PanelTest, SwapRaisesOneChangeAfterBothPanelsChanged) {
  TFrameHsvCtrl other;
  panel->SetRGB(1, 2, 3);
  other.SetRGB(200, 100, 50);
  std::vector<std::pair<Triple, Triple>> seen;
  const auto record = [&] { seen.push_back({Rgb(), {other.Red(), other.Green(), other.Blue()}}); };
  panel->OnColorChanged = record;
  other.OnColorChanged = record;
  panel->SwapColors(other);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].first, (Triple{200, 100, 50}));
  EXPECT_EQ(seen[0].second, (Triple{1, 2, 3}));
  EXPECT_EQ(panel->edValue->Text(), "C86432");
  EXPECT_EQ(other.edValue->Text(), "010203");
  // Both keep listening afterwards.
  other.SetRGB(9, 9, 9);
  EXPECT_EQ(seen.size(), 2u);
}

// Owner-drawn thumbs show their "Sliders" pictures and blink while focused.
TEST_F(PanelTest, HsvThumbsComeFromTheImageList) {
  panel->SetRGB(0, 0, 0);  // thumbs at the bottom
  struct Thumb {
    TMMSlider* slider;
    int picture;
  };
  for (const Thumb& t : {Thumb{panel->slHue, 0}, Thumb{panel->slSat, 2}, Thumb{panel->slVal, 4}}) {
    const QRect rect = t.slider->ThumbRect();
    const QImage drawn = t.slider->PaintOffscreen().copy(rect);
    const QImage expected = DM->ImageList()->Picture(ilSliders, t.picture);
    EXPECT_EQ(drawn.convertToFormat(QImage::Format_RGB32),
              expected.convertToFormat(QImage::Format_RGB32))
        << "picture " << t.picture;
  }
  // Focused, the thumb alternates with the next picture of its pair.
  panel->activateWindow();
  panel->slSat->setFocus();
  bool sawOn = false;
  for (int wait = 0; wait < 30 && !sawOn; ++wait) {
    QTest::qWait(50);
    sawOn = panel->slSat->BlinkPhase();
  }
  ASSERT_TRUE(sawOn);
  const QImage drawn = panel->slSat->PaintOffscreen().copy(panel->slSat->ThumbRect());
  EXPECT_EQ(drawn.convertToFormat(QImage::Format_RGB32),
            DM->ImageList()->Picture(ilSliders, 3).convertToFormat(QImage::Format_RGB32));
}

}  // namespace
}  // namespace marnova
