// Address splitting and rebuilding. The input is split and combined as it
// is, with the program's buffers and with buffers of exactly the needed
// size and one byte less; assigned to the HTTP component as its address; and
// read as parts (scheme, port, host, path, extra information) that the
// component rebuilds into an address. Properties: nothing reads or writes
// past a buffer; a buffer one byte short fails with the size it needs; a
// rejected address leaves the component as it was; splitting what was
// rebuilt gives the same parts.
#include <fuzzer/FuzzedDataProvider.h>

#include <QString>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "platform/inet/Inet.h"
#include "services/uAdvHttp.h"

namespace {

using namespace marnova;
using namespace marnova::inet;

struct Cracked {
  bool ok = false;
  std::vector<std::vector<char>> buffers;  // host, user, password, path, extra
  std::uint32_t lengths[5] = {};
  URL_COMPONENTS parts;
};

// Splits `text` (exactly `size` bytes, no terminator) with buffers of the given sizes.
Cracked Crack(const char* text, std::size_t size, std::uint32_t flags,
              const std::uint32_t (&sizes)[5]) {
  Cracked c;
  for (std::uint32_t s : sizes) c.buffers.emplace_back(s);
  char** pointers[] = {&c.parts.lpszHostName, &c.parts.lpszUserName, &c.parts.lpszPassword,
                       &c.parts.lpszUrlPath, &c.parts.lpszExtraInfo};
  std::uint32_t* lengths[] = {&c.parts.dwHostNameLength, &c.parts.dwUserNameLength,
                              &c.parts.dwPasswordLength, &c.parts.dwUrlPathLength,
                              &c.parts.dwExtraInfoLength};
  for (int i = 0; i < 5; ++i) {
    *pointers[i] = c.buffers[i].data();
    *lengths[i] = sizes[i];
  }
  c.ok = InternetCrackUrl(text, static_cast<std::uint32_t>(size), flags, &c.parts);
  for (int i = 0; i < 5; ++i) {
    c.lengths[i] = *lengths[i];
    if (c.ok) FUZZ_CHECK(c.lengths[i] < sizes[i] && c.buffers[i][c.lengths[i]] == '\0');
  }
  return c;
}

void CheckCrack(const char* text, std::size_t size) {
  if (size == 0 || size > 0xFFFF) return;
  for (std::uint32_t flags : {ICU_ESCAPE, 0u}) {
    const Cracked wide = Crack(text, size, flags, {256, 128, 128, 2048, 2048});
    if (!wide.ok) continue;
    std::uint32_t exact[5], shortOf[5];
    for (int i = 0; i < 5; ++i) exact[i] = wide.lengths[i] + 1;
    const Cracked tight = Crack(text, size, flags, exact);
    FUZZ_CHECK(tight.ok);
    for (int part = 0; part < 5; ++part) {
      FUZZ_CHECK(std::memcmp(tight.buffers[part].data(), wide.buffers[part].data(), exact[part]) ==
                 0);
      std::memcpy(shortOf, exact, sizeof exact);
      shortOf[part] = exact[part] - 1;
      if (shortOf[part] == 0) continue;  // a null-sized buffer is still a wanted part
      const Cracked small = Crack(text, size, flags, shortOf);
      FUZZ_CHECK(!small.ok && GetLastError() == ERROR_INSUFFICIENT_BUFFER);
      FUZZ_CHECK(small.lengths[part] == exact[part]);
    }
  }
}

void CheckCombine(const std::string& base, const std::string& relative) {
  std::vector<char> program(2055);
  std::uint32_t length = static_cast<std::uint32_t>(program.size());
  if (!InternetCombineUrl(base.c_str(), relative.c_str(), program.data(), &length,
                          ICU_ENCODE_SPACES_ONLY))
    return;
  FUZZ_CHECK(length < program.size() && program[length] == '\0');
  std::vector<char> exact(length + 1);
  std::uint32_t exactLength = length + 1;
  FUZZ_CHECK(InternetCombineUrl(base.c_str(), relative.c_str(), exact.data(), &exactLength,
                                ICU_ENCODE_SPACES_ONLY));
  FUZZ_CHECK(exactLength == length && std::memcmp(exact.data(), program.data(), length + 1) == 0);
  std::vector<char> shortOf(length);
  std::uint32_t shortLength = length;
  FUZZ_CHECK(!InternetCombineUrl(base.c_str(), relative.c_str(), shortOf.data(), &shortLength,
                                 ICU_ENCODE_SPACES_ONLY));
  FUZZ_CHECK(GetLastError() == ERROR_INSUFFICIENT_BUFFER && shortLength == length + 1);
}

struct Parts {
  QString host, path, extra;
  int port = 80;
  bool ssl = false;
  friend bool operator==(const Parts&, const Parts&) = default;
};

Parts PartsOf(const TAdvHttp& http) {
  return {http.HostName(), http.URLPath(), http.ExtraInfo(), http.Port(), http.SSL()};
}

void CheckAssignedAddress(const QString& address) {
  TAdvHttp http;
  http.SetURL(QStringLiteral("http://before.example:8080/a?b"));
  const Parts before = PartsOf(http);
  try {
    http.SetURL(address);
  } catch (const std::exception&) {
    FUZZ_CHECK(http.URL() == QStringLiteral("http://before.example:8080/a?b"));
    FUZZ_CHECK(PartsOf(http) == before);
  }
}

bool Contains(const QString& text, const char* characters) {
  for (const char* c = characters; *c; ++c)
    if (text.contains(QLatin1Char(*c))) return true;
  return text.contains(QChar(0));
}

// Parts that an address can carry unchanged: a host without delimiters, a
// path that starts with "/" (not "//") and has no dot segments, no "%"
// anywhere (splitting decodes escapes), and no https address on port 80
// (written without a port, read back as 443).
bool Representable(const Parts& p) {
  if (p.host.isEmpty() || p.host.toLocal8Bit().size() >= 256 || Contains(p.host, "/?#@:[% "))
    return false;
  if (Contains(p.path, "?#%") || Contains(p.extra, "%")) return false;
  if (!p.path.isEmpty() && (!p.path.startsWith(u'/') || p.path.startsWith(QStringLiteral("//"))))
    return false;
  for (const QString& segment : p.path.split(u'/'))
    if (segment == QStringLiteral(".") || segment == QStringLiteral("..")) return false;
  return !(p.ssl && p.port == 80);
}

void CheckRebuild(FuzzedDataProvider& in) {
  TAdvHttp built;
  Parts want;
  want.ssl = in.ConsumeBool();
  want.port = in.ConsumeIntegralInRange<int>(0, 65535);
  want.host = QString::fromUtf8(in.ConsumeRandomLengthString(300));
  want.path = QString::fromUtf8(in.ConsumeRandomLengthString(2100));
  want.extra = QString::fromUtf8(in.ConsumeRemainingBytesAsString());
  try {
    built.SetSSL(want.ssl);
    built.SetPort(want.port);
    built.SetHostName(want.host);
    built.SetURLPath(want.path);
    built.SetExtraInfo(want.extra);
  } catch (const std::exception&) {
    return;  // an address too long for the combining buffer
  }
  want.extra = built.ExtraInfo();  // with the "?" the setter puts in front
  if (!Representable(want)) return;
  TAdvHttp split;
  split.SetURL(built.URL());
  FUZZ_CHECK(PartsOf(split) == want);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const char* text = reinterpret_cast<const char*>(data);
  CheckCrack(text, size);
  const std::string all(text, size);
  const std::size_t zero = all.find('\0');
  CheckCombine(all.substr(0, zero), zero == std::string::npos ? "" : all.substr(zero + 1).c_str());
  CheckAssignedAddress(QString::fromLocal8Bit(all));
  FuzzedDataProvider in(data, size);
  CheckRebuild(in);
  return 0;
}
