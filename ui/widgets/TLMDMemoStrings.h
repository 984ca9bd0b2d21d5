// The multi-line editor's text seen as a list of lines.
#pragma once

#include <QObject>
#include <QString>

class QPlainTextEdit;

namespace marnova {

class TLMDMemoStrings {
 public:
  explicit TLMDMemoStrings(QPlainTextEdit& editor);
  // The editor outlives this view of it by a little (its base classes are
  // torn down later), so the view stops listening first.
  ~TLMDMemoStrings() { QObject::disconnect(FEdited); }
  TLMDMemoStrings(const TLMDMemoStrings&) = delete;
  TLMDMemoStrings& operator=(const TLMDMemoStrings&) = delete;

  // 0 for an empty editor, 1 after Add("") on an empty editor.
  int Count() const;
  QString Strings(int index) const;
  QString operator[](int index) const { return Strings(index); }
  // Empties the editor.
  void Clear();
  // Adds `line` as the last line.
  void Add(const QString& line);
  QString Text() const;
  void SetText(const QString& text);

 private:
  QPlainTextEdit& FEditor;
  bool FEmptyLine = false;  // the empty editor holds one empty line
  QMetaObject::Connection FEdited;
};

}  // namespace marnova
