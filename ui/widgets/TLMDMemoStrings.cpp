#include "ui/widgets/TLMDMemoStrings.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>

namespace marnova {

int TLMDMemoStrings::Count() const {
  const QTextDocument* document = FEditor.document();
  return document->isEmpty() ? 0 : document->blockCount();
}

QString TLMDMemoStrings::Strings(int index) const {
  if (index < 0 || index >= Count()) return {};
  return FEditor.document()->findBlockByNumber(index).text();
}

void TLMDMemoStrings::Clear() {
  FEditor.clear();
}

void TLMDMemoStrings::Add(const QString& line) {
  if (Count() == 0)
    FEditor.setPlainText(line);
  else
    FEditor.appendPlainText(line);
}

QString TLMDMemoStrings::Text() const {
  return FEditor.toPlainText();
}

void TLMDMemoStrings::SetText(const QString& text) {
  FEditor.setPlainText(text);
}

}  // namespace marnova
