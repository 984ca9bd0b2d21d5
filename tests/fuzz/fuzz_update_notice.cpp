// The update notice against any body and any running version. Input: the
// two version halves (little-endian 32-bit each), then the body bytes.
// Properties: a notice is offered exactly when it parses and announces a
// newer number; an offered address is empty or one http/https address with
// a host, as the link opener will read it.
#include <QString>
#include <QUrl>
#include <cstdint>
#include <cstring>

#include "fuzz/FuzzCheck.h"
#include "services/UpdateNotice.h"

namespace {

using namespace marnova;

bool IsOneWebAddress(const QString& address) {
  for (QChar c : address)
    if (c.unicode() <= 32 || c.unicode() == 127 || c.isSpace() ||
        c.category() == QChar::Other_Control)
      return false;
  const QUrl strict(address, QUrl::StrictMode);
  const QUrl opened = QUrl::fromUserInput(address.trimmed());  // what the link opener reads
  for (const QUrl& url : {strict, opened}) {
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != u"http" && scheme != u"https") || url.host().isEmpty())
      return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 8) return 0;
  std::int32_t ms = 0, ls = 0;
  std::memcpy(&ms, data, 4);
  std::memcpy(&ls, data + 4, 4);
  // The body as the HTTP component's Text gives it: up to the first zero byte.
  const char* body = reinterpret_cast<const char*>(data + 8);
  const std::size_t length = strnlen(body, size - 8);
  const QString notice = QString::fromLocal8Bit(body, static_cast<qsizetype>(length));

  const auto offer = EvaluateUpdateNotice(notice, ms, ls);
  const auto parsed = ParseUpdateNotice(notice);
  FUZZ_CHECK(offer.has_value() == (parsed && (parsed->Major > ms || parsed->Minor > ls)));
  if (offer && !offer->isEmpty()) {
    FUZZ_CHECK(*offer == parsed->Address);
    FUZZ_CHECK(IsOneWebAddress(*offer));
  }
  return 0;
}
