#include "ui/widgets/LongLines.h"

#include <algorithm>

namespace marnova {

QString BreakLongLines(const QString& text, qsizetype startColumn) {
  QString out;
  qsizetype column = std::min(startColumn, kLongLine);
  qsizetype from = 0;  // start of what is not yet copied
  while (from < text.size()) {
    const qsizetype lineEnd = text.indexOf(u'\n', from);
    const qsizetype end = lineEnd < 0 ? text.size() : lineEnd;
    if (end - from <= kLongLine - column) {
      out += QStringView(text).mid(from, end - from + (lineEnd < 0 ? 0 : 1));
      from = end + 1;
      column = 0;
      continue;
    }
    if (out.isEmpty()) out.reserve(text.size() + text.size() / kLongLine + 1);
    qsizetype cut = from + kLongLine - column;
    qsizetype blank = cut;
    while (blank > from && !text[blank - 1].isSpace()) --blank;
    if (blank > from) {
      cut = blank;
    } else if (cut > from && text[cut].isLowSurrogate()) {
      --cut;
    }
    out += QStringView(text).mid(from, cut - from);
    out += u'\n';
    from = cut;
    column = 0;
  }
  return out;
}

}  // namespace marnova
