// The update notice against any body and any running version, evaluated as
// the update check does: the body read in chunks of 16384 bytes, after each
// the whole body so far as the HTTP component's Text gives it (one
// character per byte, Latin-1, up to the first zero byte), no further past
// 64 KiB, and no further after an offer. Input: the two version halves
// (little-endian 32-bit each), then the body bytes (scripts/fuzz.sh lets
// them run past 64 KiB).
// Properties: a notice is offered exactly when it parses and announces a
// newer number; an offered address is empty or one http/https address with
// a host and no user information, as the link opener will read it.
#include <QString>
#include <QUrl>
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "fuzz/FuzzCheck.h"
#include "services/UpdateNotice.h"

namespace {

using namespace marnova;

constexpr std::size_t kChunk = 16384;

bool IsOneWebAddress(const QString& address) {
  for (QChar c : address)
    if (c.unicode() <= 32 || c.unicode() == 127 || c.isSpace() ||
        c.category() == QChar::Other_Control)
      return false;
  const QUrl strict(address, QUrl::StrictMode);
  const QUrl opened = QUrl::fromUserInput(address.trimmed());  // what the link opener reads
  for (const QUrl& url : {strict, opened}) {
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != u"http" && scheme != u"https") || url.host().isEmpty() ||
        !url.userInfo().isEmpty())
      return false;
  }
  return true;
}

// One evaluation; true when it offers.
bool Evaluate(const QString& notice, std::int32_t ms, std::int32_t ls) {
  const auto offer = EvaluateUpdateNotice(notice, ms, ls);
  const auto parsed = ParseUpdateNotice(notice);
  FUZZ_CHECK(offer.has_value() == (parsed && (parsed->Major > ms || parsed->Minor > ls)));
  if (offer && !offer->isEmpty()) {
    FUZZ_CHECK(*offer == parsed->Address);
    FUZZ_CHECK(IsOneWebAddress(*offer));
  }
  return offer.has_value();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 8) return 0;
  std::int32_t ms = 0, ls = 0;
  std::memcpy(&ms, data, 4);
  std::memcpy(&ls, data + 4, 4);
  const char* body = reinterpret_cast<const char*>(data + 8);
  const std::size_t length = size - 8;
  for (std::size_t read = std::min(kChunk, length); read > 0;
       read = read == length ? 0 : std::min(read + kChunk, length)) {
    if (read > static_cast<std::size_t>(kUpdateNoticeLimit)) break;  // the check stops reading
    const QString notice = QString::fromLatin1(body, static_cast<qsizetype>(strnlen(body, read)));
    if (Evaluate(notice, ms, ls)) break;  // one offer per check
  }
  return 0;
}
