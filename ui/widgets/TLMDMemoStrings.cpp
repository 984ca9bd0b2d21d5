#include "ui/widgets/TLMDMemoStrings.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>

namespace marnova {

TLMDMemoStrings::TLMDMemoStrings(QPlainTextEdit& editor) : FEditor(editor) {
  // Any other edit ends the one empty line that Add("") left.
  FEdited = QObject::connect(&editor, &QPlainTextEdit::textChanged, &editor,
                             [this] { FEmptyLine = false; });
}

int TLMDMemoStrings::Count() const {
  const QTextDocument* document = FEditor.document();
  if (document->isEmpty()) return FEmptyLine ? 1 : 0;
  return document->blockCount();
}

QString TLMDMemoStrings::Strings(int index) const {
  if (index < 0 || index >= Count()) return {};
  return FEditor.document()->findBlockByNumber(index).text();
}

void TLMDMemoStrings::Clear() {
  FEditor.clear();
}

void TLMDMemoStrings::Add(const QString& line) {
  // An empty editor and one holding a single empty line read alike, so the
  // second is remembered.
  const bool oneEmptyLine = FEmptyLine && FEditor.document()->isEmpty();
  if (Count() == 0)
    FEditor.setPlainText(line);
  else if (oneEmptyLine)
    FEditor.setPlainText(QLatin1Char('\n') + line);
  else
    FEditor.appendPlainText(line);
  FEmptyLine = FEditor.document()->isEmpty();
}

QString TLMDMemoStrings::Text() const {
  return FEditor.toPlainText();
}

void TLMDMemoStrings::SetText(const QString& text) {
  FEditor.setPlainText(text);
}

}  // namespace marnova
