#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QMenu>
#include <QStringList>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <memory>
#include <vector>

#include "ui/textwidgets/Pixels.h"
#include "ui/widgets/ColorConstants.h"
#include "ui/widgets/EditorOverwriteMode.h"
#include "ui/widgets/FontSubstitutes.h"
#include "ui/widgets/LongLines.h"
#include "ui/widgets/TLMDEdit.h"
#include "ui/widgets/TLMDMemo.h"

namespace marnova {
namespace {

bool IsHexDigit(QChar c) {
  return QStringLiteral("0123456789abcdefABCDEF").contains(c);
}

class EditorTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InstallFontSubstitutes(); }
  void SetUp() override {
    SetEditorsOverwrite(false);
    FWindow = std::make_unique<QWidget>();
    FWindow->resize(300, 200);
  }
  void TearDown() override { SetEditorsOverwrite(false); }

  // Set up as the colour panel's hexadecimal field.
  TLMDEdit* MakeHexField() {
    auto* edit = new TLMDEdit(FWindow.get());  // owned by the window
    edit->setGeometry(100, 42, 73, 22);
    QFont font(QStringLiteral("Courier New"));
    font.setBold(true);
    edit->setFont(font);
    edit->setFontHeight(-16);
    edit->setText(QStringLiteral("......"));
    edit->setCharCase(TLMDEdit::ecUpperCase);
    edit->setMaxLength(6);
    edit->setAlignment(TLMDEdit::taCenter);
    edit->setCaretWidth(3);
    edit->setHideSelection(false);
    edit->OnChange = [this](QObject*) { ++FChanges; };
    edit->OnKeyPress = [this](QObject*, QChar& key) {
      FSeen.push_back(key);
      if (!IsHexDigit(key)) key = QChar(0);
    };
    edit->Loaded();
    return edit;
  }

  std::unique_ptr<QWidget> FWindow;
  int FChanges = 0;
  std::vector<QChar> FSeen;
};

TEST_F(EditorTest, SettingTextFiresOnlyOnRealChangesAndNotWhileLoading) {
  TLMDEdit loading(FWindow.get());
  int early = 0;
  loading.OnChange = [&](QObject*) { ++early; };
  loading.setText(QStringLiteral("abc"));
  EXPECT_EQ(early, 0);

  auto* edit = MakeHexField();
  EXPECT_EQ(FChanges, 0) << "the described text was set while loading";
  edit->setText(QStringLiteral("......"));
  EXPECT_EQ(FChanges, 0);
  edit->setText(QStringLiteral("FFEED3"));
  EXPECT_EQ(FChanges, 1);
  edit->setText(QStringLiteral("0123456789"));
  EXPECT_EQ(edit->Text(), QStringLiteral("012345"));
  EXPECT_EQ(edit->CaretPosition(), 0);
  EXPECT_EQ(edit->SelLength(), 0);
  // Compared as given, before the cut and the case rule: both announce a
  // change although the stored text comes out the same.
  edit->setText(QStringLiteral("0123457"));
  EXPECT_EQ(FChanges, 3);
  EXPECT_EQ(edit->Text(), QStringLiteral("012345"));
  edit->setText(QStringLiteral("ABCDEF"));
  edit->setText(QStringLiteral("abcdef"));
  EXPECT_EQ(FChanges, 5);
  EXPECT_EQ(edit->Text(), QStringLiteral("ABCDEF"));
}

TEST_F(EditorTest, KeyPressSeesTypedCharactersBeforeTheCaseRule) {
  auto* edit = MakeHexField();
  edit->setText(QString());
  FSeen.clear();
  QTest::keyClicks(edit, QStringLiteral("a1g"));
  EXPECT_EQ(FSeen, (std::vector<QChar>{QLatin1Char('a'), QLatin1Char('1'), QLatin1Char('g')}));
  EXPECT_EQ(edit->Text(), QStringLiteral("A1"));
  EXPECT_EQ(FChanges, 3) << "the clear and two insertions";
  QInputMethodEvent composed;
  composed.setCommitString(QStringLiteral("c"));
  QApplication::sendEvent(edit, &composed);
  EXPECT_EQ(edit->Text(), QStringLiteral("A1C")) << "an input method's text is typed too";
}

TEST_F(EditorTest, ControlKeysReachKeyPressAfterTheirEditingAction) {
  auto* edit = MakeHexField();
  edit->setText(QStringLiteral("ABCDEF"));
  const struct {
    Qt::Key key;
    ushort code;
  } keys[] = {{Qt::Key_Backspace, 8}, {Qt::Key_Return, 13}, {Qt::Key_Escape, 27}};
  for (const auto& k : keys) {
    FSeen.clear();
    QString textAtFilter;
    edit->OnKeyPress = [&](QObject*, QChar& key) {
      FSeen.push_back(key);
      textAtFilter = edit->Text();
      key = QChar(0);
    };
    edit->SetSelection(6, 0);
    QTest::keyClick(edit, k.key);
    ASSERT_EQ(FSeen.size(), 1u);
    EXPECT_EQ(FSeen[0].unicode(), k.code);
    EXPECT_EQ(textAtFilter, edit->Text()) << "the key acted before its character";
  }
  EXPECT_EQ(edit->Text(), QStringLiteral("ABCDE"));
}

TEST_F(EditorTest, MaxLengthStopsTypingButNotDeleting) {
  auto* edit = MakeHexField();
  edit->setText(QString());
  QTest::keyClicks(edit, QStringLiteral("123456"));
  EXPECT_EQ(edit->Text(), QStringLiteral("123456"));
  const int changes = FChanges;
  QTest::keyClicks(edit, QStringLiteral("7"));
  EXPECT_EQ(edit->Text(), QStringLiteral("123456"));
  EXPECT_EQ(FChanges, changes);
  QTest::keyClick(edit, Qt::Key_Backspace);
  EXPECT_EQ(edit->Text(), QStringLiteral("12345"));
  QTest::keyClick(edit, Qt::Key_Home);
  QTest::keyClick(edit, Qt::Key_Delete);
  EXPECT_EQ(edit->Text(), QStringLiteral("2345"));
  QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(edit->Text(), QStringLiteral("12345")) << "undo";
  // Typing over a selection needs no room.
  edit->setText(QStringLiteral("ABCDEF"));
  QTest::keyClick(edit, Qt::Key_End);
  QTest::keyClick(edit, Qt::Key_Left, Qt::ShiftModifier);
  QTest::keyClicks(edit, QStringLiteral("0"));
  EXPECT_EQ(edit->Text(), QStringLiteral("ABCDE0"));
}

TEST_F(EditorTest, OverwriteModeIsSharedByAllEditors) {
  auto* first = MakeHexField();
  auto* second = MakeHexField();
  auto* memo = new TLMDMemo(FWindow.get());
  memo->Loaded();
  memo->Lines().Add(QStringLiteral("abc"));
  QTest::keyClick(first, Qt::Key_Insert);
  EXPECT_TRUE(EditorsOverwrite());
  second->setText(QStringLiteral("ABCDEF"));
  QTest::keyClicks(second, QStringLiteral("12"));
  EXPECT_EQ(second->Text(), QStringLiteral("12CDEF")) << "a full field can be typed over";
  QTextCursor start = memo->textCursor();
  start.setPosition(0);
  memo->setTextCursor(start);
  QTest::keyClicks(memo, QStringLiteral("X"));
  EXPECT_EQ(memo->toPlainText(), QStringLiteral("Xbc"));
  QTest::keyClick(memo, Qt::Key_Insert);
  EXPECT_FALSE(EditorsOverwrite());
  QTest::keyClicks(second, QStringLiteral("3"));
  EXPECT_EQ(second->Text(), QStringLiteral("12CDEF")) << "back in insert mode, no room";
}

TEST_F(EditorTest, ClipboardKeys) {
  auto* edit = MakeHexField();
  QClipboard* clipboard = QGuiApplication::clipboard();
  const auto key = [&](Qt::Key k, Qt::KeyboardModifiers m) { QTest::keyClick(edit, k, m); };

  edit->setText(QStringLiteral("A0B1C2"));
  key(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(edit->SelLength(), 6);
  key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard->text(), QStringLiteral("A0B1C2"));
  key(Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(edit->Text(), QString());
  FSeen.clear();
  key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(edit->Text(), QStringLiteral("A0B1C2"));
  EXPECT_EQ(FSeen, std::vector<QChar>{QChar(22)}) << "only Ctrl+V's own character, not the paste";

  edit->SetSelection(0, 2);
  key(Qt::Key_Insert, Qt::ControlModifier);
  EXPECT_EQ(clipboard->text(), QStringLiteral("A0"));
  key(Qt::Key_Delete, Qt::ShiftModifier);
  EXPECT_EQ(edit->Text(), QStringLiteral("B1C2"));
  key(Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(edit->Text(), QStringLiteral("A0B1C2"));

  // Pasted text passes no filter, takes the case rule and must fit whole.
  clipboard->setText(QStringLiteral("ff\nsecond line"));
  edit->SetSelection(0, 2);
  key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(edit->Text(), QStringLiteral("FFB1C2"));
  clipboard->setText(QStringLiteral("too long"));
  key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(edit->Text(), QStringLiteral("FFB1C2"));
}

// Lengths of the lines of `text`.
std::vector<qsizetype> LineLengths(const QString& text) {
  std::vector<qsizetype> lengths;
  for (const QString& line : text.split(u'\n')) lengths.push_back(line.size());
  return lengths;
}

TEST(LongLines, BrokenAfterABlankOrAtTheLimitKeepingEveryCharacter) {
  const QString words = QString("abcdef ").repeated(3000);  // 21 000 characters
  const QString pair = QString::fromUtf16(u"\U0001F600");
  struct Case {
    const char* name;
    QString text;
    qsizetype startColumn;
    std::vector<qsizetype> lengths;
  } cases[] = {
      {"short lines stay", "ab\ncd", 0, {2, 2}},
      {"exactly at the limit", QString(kLongLine, 'x'), 0, {kLongLine}},
      {"no blank: at the limit", QString(25000, 'x'), 0, {10000, 10000, 5000}},
      {"after the last blank", words, 0, {9996, 9996, 1008}},
      {"a column already taken", QString(9000, 'x'), 5000, {5000, 4000}},
      {"the line is full already", "ab", kLongLine, {0, 2}},
      {"a pair is not split", QString(9999, 'x') + pair + "y", 0, {9999, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString broken = BreakLongLines(c.text, c.startColumn);
    EXPECT_EQ(LineLengths(broken), c.lengths);
    EXPECT_EQ(QString(broken).remove(u'\n'), QString(c.text).remove(u'\n'));
  }
}

// A 1 MB one-line paste is taken whole, in lines Qt lays out at once
// (bench/widgets_bench times it).
TEST_F(EditorTest, MemoTakesAHugePasteInBoundedLines) {
  auto* memo = new TLMDMemo(FWindow.get());
  memo->setGeometry(0, 0, 200, 100);
  memo->Loaded();
  memo->setPlainText("12345");
  memo->moveCursor(QTextCursor::End);
  QGuiApplication::clipboard()->setText(QString(1'000'000, 'x'));
  QTest::keyClick(memo, Qt::Key_V, Qt::ControlModifier);
  const QString text = memo->toPlainText();
  EXPECT_EQ(QString(text).remove(u'\n').size(), 1'000'005);
  qsizetype longest = 0;
  for (qsizetype length : LineLengths(text)) longest = std::max(longest, length);
  EXPECT_EQ(longest, kLongLine);
  EXPECT_EQ(memo->document()->firstBlock().text().size(), kLongLine);  // counts the 5 before
}

TEST_F(EditorTest, ContextMenuOffersTheEditingCommandsThatApply) {
  auto* edit = MakeHexField();
  edit->setText(QStringLiteral("ABCDEF"));
  edit->SetSelection(0, 2);
  QGuiApplication::clipboard()->setText(QStringLiteral("12"));
  const auto enabled = [&] {
    const std::unique_ptr<QMenu> menu(edit->CreateContextMenu());
    QStringList names;
    for (QAction* action : menu->actions())
      if (!action->isSeparator() && action->isEnabled()) names << action->text();
    return names;
  };
  EXPECT_EQ(enabled(), (QStringList{"Taglia", "Copia", "Incolla", "Elimina", "Seleziona tutto"}));
  edit->setReadOnly(true);
  EXPECT_EQ(enabled(), (QStringList{"Copia", "Seleziona tutto"}));
  edit->setReadOnly(false);
  const std::unique_ptr<QMenu> menu(edit->CreateContextMenu());
  menu->actions().at(2)->trigger();
  EXPECT_EQ(edit->Text(), QStringLiteral("12CDEF"));
}

TEST_F(EditorTest, CentredTextWithAWideBlinkingCaret) {
  auto* edit = MakeHexField();
  edit->setCaretBlinkRate(40);
  edit->setText(QStringLiteral("ABCDEF"));
  FWindow->show();
  FWindow->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(FWindow.get()));
  edit->setFocus();
  edit->SetSelection(0, 0);

  const QImage image = test::Grab(*edit);
  const QRect ink = test::InkBox(image.copy(2, 2, 69, 18), test::Dark).translated(2, 2);
  ASSERT_FALSE(ink.isEmpty());
  // The caret at the start is the leftmost ink; the text's centre is the box's.
  // Below the baseline only the caret inks: three columns.
  const int row = ink.bottom();
  for (int x = 0; x < 3; ++x) EXPECT_EQ(image.pixel(ink.left() + x, row), qRgb(0, 0, 0)) << x;
  EXPECT_EQ(image.pixel(ink.left() + 3, row), qRgb(255, 255, 255));
  const int textWidth = QFontMetrics(edit->font()).horizontalAdvance(edit->Text());
  EXPECT_NEAR(ink.left() + textWidth / 2.0, 73 / 2.0, 2);

  bool shown = edit->CaretShown(), toggled = false;
  for (int i = 0; i < 20 && !toggled; ++i) {
    QTest::qWait(20);
    toggled = edit->CaretShown() != shown;
  }
  EXPECT_TRUE(toggled) << "the caret blinks at its own rate";
}

TEST_F(EditorTest, EditorIsAccessibleByItsHintWithItsTextAsValue) {
  auto* edit = MakeHexField();
  edit->setHint(QStringLiteral("Valore esadecimale del colore selezionato"));
  edit->setText(QStringLiteral("FFFFFF"));
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(edit);
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->role(), QAccessible::EditableText);
  EXPECT_EQ(accessible->text(QAccessible::Name), edit->Hint());
  EXPECT_EQ(accessible->text(QAccessible::Value), QStringLiteral("FFFFFF"));
  ASSERT_NE(accessible->textInterface(), nullptr);
  EXPECT_EQ(accessible->textInterface()->characterCount(), 6);
  accessible->textInterface()->setSelection(0, 1, 3);
  EXPECT_EQ(edit->SelText(), QStringLiteral("FF"));
}

TEST_F(EditorTest, MemoLinesClearAndAppend) {
  TLMDMemo memo(FWindow.get());
  memo.Loaded();
  memo.Lines().Add(QStringLiteral("vecchio"));
  memo.Lines().Add(QStringLiteral("testo"));
  EXPECT_EQ(memo.Lines().Count(), 2);
  memo.Lines().Clear();
  EXPECT_EQ(memo.Lines().Count(), 0);
  memo.Lines().Add(QStringLiteral("Scrivi qui un testo di prova..."));
  EXPECT_EQ(memo.Lines().Count(), 1);
  EXPECT_EQ(memo.Lines()[0], QStringLiteral("Scrivi qui un testo di prova..."));
  memo.Lines().Clear();
  memo.Lines().Add(QString());  // one empty line, which reads like none
  EXPECT_EQ(memo.Lines().Count(), 1);
  memo.Lines().Add(QStringLiteral("seconda"));
  EXPECT_EQ(memo.Lines().Count(), 2);
  EXPECT_EQ(memo.Lines()[0], QString());
  EXPECT_EQ(memo.Lines()[1], QStringLiteral("seconda"));
  EXPECT_EQ(memo.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(memo.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

TEST_F(EditorTest, MemoDrawsInOneColourOnItsBackgroundAndWraps) {
  auto* memo = new TLMDMemo(FWindow.get());
  memo->setGeometry(26, 130, 161, 84);
  memo->setBevelMode(TLMDMemo::bmStandard);
  memo->setFont(QFont(QStringLiteral("Arial")));
  memo->setFontHeight(-17);
  memo->Loaded();
  memo->Lines().Add(QStringLiteral("Scrivi qui un testo di prova..."));
  memo->setColor(clBlack);
  memo->setFontColor(0x0000FFFF);  // yellow
  const QImage image = test::Grab(*memo);
  EXPECT_EQ(image.pixel(160, 83), qRgb(0, 0, 0));
  const auto yellow = [](QRgb p) { return qRed(p) > 200 && qGreen(p) > 200 && qBlue(p) < 60; };
  EXPECT_GT(test::Count(image, yellow), 20);
  EXPECT_EQ(test::Count(image, [](QRgb p) { return qBlue(p) > 100; }), 0) << "nothing else drawn";
  EXPECT_GT(memo->document()->firstBlock().layout()->lineCount(), 1) << "wraps at the width";

  memo->setWantReturns(false);
  QTest::keyClick(memo, Qt::Key_Return);
  EXPECT_EQ(memo->Lines().Count(), 1);
  memo->setWantReturns(true);
  QTest::keyClick(memo, Qt::Key_Return);
  EXPECT_EQ(memo->Lines().Count(), 2);
}

}  // namespace
}  // namespace marnova
