#include "services/UpdateNotice.h"

#include <QUrl>

namespace marnova {

namespace {

int DigitValue(QChar c, int base) {
  int value = -1;
  if (c >= u'0' && c <= u'9') value = c.unicode() - u'0';
  if (c >= u'a' && c <= u'f') value = c.unicode() - u'a' + 10;
  if (c >= u'A' && c <= u'F') value = c.unicode() - u'A' + 10;
  return value < base ? value : -1;
}

bool IsTrimmed(QChar c) {
  return c.unicode() <= 32;
}

QString Trimmed(const QString& text) {
  qsizetype first = 0, last = text.size();
  while (first < last && IsTrimmed(text[first])) ++first;
  while (last > first && IsTrimmed(text[last - 1])) --last;
  return text.mid(first, last - first);
}

bool IsWebAddress(const QString& address) {
  // Strict parsing refuses ASCII blanks and controls, yet lets Unicode ones
  // through (a line separator, a no-break space): text after them is not
  // part of one address either.
  for (QChar c : address)
    if (c.isSpace() || c.category() == QChar::Other_Control) return false;
  const QUrl url(address, QUrl::StrictMode);
  const QString scheme = url.scheme().toLower();
  // A user name or password before the host makes a link read as one site
  // and lead to another ("http://www.maker.example@elsewhere.example/"). The
  // authority is searched as written, since QUrl drops an empty user part.
  const qsizetype from = address.indexOf(u"//") + 2;
  qsizetype to = from;
  while (to < address.size() && address[to] != u'/' && address[to] != u'?' && address[to] != u'#')
    ++to;
  if (from < 2 || address.mid(from, to - from).contains(u'@')) return false;
  return url.isValid() && (scheme == u"http" || scheme == u"https") && !url.host().isEmpty() &&
         url.userInfo().isEmpty();
}

}  // namespace

std::optional<std::int32_t> ParseNoticeNumber(const QString& field) {
  qsizetype i = 0;
  while (i < field.size() && field[i] == u' ') ++i;
  bool negative = false;
  if (i < field.size() && (field[i] == u'+' || field[i] == u'-')) negative = field[i++] == u'-';
  int base = 10;
  if (i < field.size() && (field[i] == u'$' || field[i] == u'x' || field[i] == u'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < field.size() && field[i] == u'0' &&
             (field[i + 1] == u'x' || field[i + 1] == u'X')) {
    base = 16;
    i += 2;
  }
  if (i >= field.size()) return std::nullopt;  // no digits
  std::uint64_t value = 0;
  for (; i < field.size(); ++i) {
    const int digit = DigitValue(field[i], base);
    if (digit < 0) return std::nullopt;
    value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
    // Hexadecimal takes any 32-bit pattern; decimal stays within the signed range.
    if (value > (base == 16 ? 0xFFFFFFFFull : 0x80000000ull)) return std::nullopt;
  }
  if (base == 10 && !negative && value > 0x7FFFFFFFull) return std::nullopt;
  auto bits = static_cast<std::uint32_t>(value);
  if (negative) bits = 0u - bits;
  return static_cast<std::int32_t>(bits);
}

std::optional<TUpdateNotice> ParseUpdateNotice(const QString& notice) {
  const QString text = Trimmed(notice);
  if (text.size() < 3) return std::nullopt;
  const std::optional<std::int32_t> major = ParseNoticeNumber(text.mid(0, 1));
  const std::optional<std::int32_t> minor = ParseNoticeNumber(text.mid(2, 2));
  if (!major || !minor) return std::nullopt;
  return TUpdateNotice{*major, *minor, text.mid(5)};
}

std::optional<QString> EvaluateUpdateNotice(const QString& notice, std::int32_t versionMS,
                                            std::int32_t versionLS) {
  const std::optional<TUpdateNotice> parsed = ParseUpdateNotice(notice);
  if (!parsed || !(parsed->Major > versionMS || parsed->Minor > versionLS)) return std::nullopt;
  return IsWebAddress(parsed->Address) ? parsed->Address : QString();
}

}  // namespace marnova
