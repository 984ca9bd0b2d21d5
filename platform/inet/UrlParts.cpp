#include "platform/inet/UrlParts.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/inet/InetDefs.h"
#include "platform/inet/InetError.h"

namespace marnova::inet {
namespace {

struct Reference {
  std::string scheme;  // empty for a relative reference
  bool hasAuthority = false;
  std::string authority;
  std::string path;
  bool hasQuery = false;
  std::string query;  // without "?"
  bool hasFragment = false;
  std::string fragment;  // without "#"
};

bool IsSchemeChar(char c, bool first) {
  const auto u = static_cast<unsigned char>(c);
  if (std::isalpha(u)) return true;
  return !first && (std::isdigit(u) || c == '+' || c == '-' || c == '.');
}

// RFC 3986 appendix B, without validation beyond the scheme's characters.
Reference ParseReference(std::string_view text) {
  Reference ref;
  std::size_t pos = 0;
  const std::size_t colon = text.find(':');
  if (colon != std::string_view::npos && colon > 0) {
    bool valid = true;
    for (std::size_t i = 0; i < colon; ++i) valid = valid && IsSchemeChar(text[i], i == 0);
    const std::size_t stop = text.find_first_of("/?#");
    if (valid && (stop == std::string_view::npos || colon < stop)) {
      ref.scheme = std::string(text.substr(0, colon));
      pos = colon + 1;
    }
  }
  if (text.substr(pos, 2) == "//") {
    ref.hasAuthority = true;
    const std::size_t end = text.find_first_of("/?#", pos + 2);
    ref.authority = std::string(
        text.substr(pos + 2, end == std::string_view::npos ? text.npos : end - pos - 2));
    pos = end == std::string_view::npos ? text.size() : end;
  }
  const std::size_t pathEnd = std::min(text.find_first_of("?#", pos), text.size());
  ref.path = std::string(text.substr(pos, pathEnd - pos));
  pos = pathEnd;
  if (pos < text.size() && text[pos] == '?') {
    const std::size_t end = std::min(text.find('#', pos), text.size());
    ref.hasQuery = true;
    ref.query = std::string(text.substr(pos + 1, end - pos - 1));
    pos = end;
  }
  if (pos < text.size() && text[pos] == '#') {
    ref.hasFragment = true;
    ref.fragment = std::string(text.substr(pos + 1));
  }
  return ref;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string Decode(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      const int hi = HexValue(text[i + 1]);
      const int lo = HexValue(text[i + 2]);
      if (hi >= 0 && lo >= 0) {
        out.push_back(static_cast<char>(hi * 16 + lo));
        i += 2;
        continue;
      }
    }
    out.push_back(text[i]);
  }
  return out;
}

INTERNET_SCHEME SchemeNumber(std::string scheme) {
  for (char& c : scheme) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  static const struct {
    const char* name;
    INTERNET_SCHEME number;
  } kSchemes[] = {{"ftp", INTERNET_SCHEME_FTP},
                  {"gopher", INTERNET_SCHEME_GOPHER},
                  {"http", INTERNET_SCHEME_HTTP},
                  {"https", INTERNET_SCHEME_HTTPS},
                  {"file", INTERNET_SCHEME_FILE},
                  {"news", INTERNET_SCHEME_NEWS},
                  {"mailto", INTERNET_SCHEME_MAILTO},
                  {"socks", INTERNET_SCHEME_SOCKS},
                  {"javascript", INTERNET_SCHEME_JAVASCRIPT},
                  {"vbscript", INTERNET_SCHEME_VBSCRIPT},
                  {"res", INTERNET_SCHEME_RES}};
  for (const auto& s : kSchemes)
    if (scheme == s.name) return s.number;
  return INTERNET_SCHEME_UNKNOWN;
}

std::uint16_t DefaultPort(INTERNET_SCHEME scheme) {
  switch (scheme) {
    case INTERNET_SCHEME_HTTP:
      return INTERNET_DEFAULT_HTTP_PORT;
    case INTERNET_SCHEME_HTTPS:
      return INTERNET_DEFAULT_HTTPS_PORT;
    case INTERNET_SCHEME_FTP:
      return 21;
    case INTERNET_SCHEME_GOPHER:
      return 70;
    case INTERNET_SCHEME_SOCKS:
      return 1080;
    default:
      return 0;
  }
}

bool NeedsHost(INTERNET_SCHEME scheme) {
  return scheme == INTERNET_SCHEME_HTTP || scheme == INTERNET_SCHEME_HTTPS ||
         scheme == INTERNET_SCHEME_FTP || scheme == INTERNET_SCHEME_GOPHER;
}

// Checks that every wanted part fits; reports the first that does not.
bool Fits(const std::string& value, std::uint32_t& length, bool& allFit) {
  if (value.size() + 1 > length) {
    length = static_cast<std::uint32_t>(value.size() + 1);
    allFit = false;
    return false;
  }
  return true;
}

void Store(const std::string& value, char* buffer, std::uint32_t& length) {
  std::memcpy(buffer, value.c_str(), value.size() + 1);
  length = static_cast<std::uint32_t>(value.size());
}

// RFC 3986, section 5.2.4, over the path's segments.
std::string RemoveDotSegments(const std::string& path) {
  const bool absolute = !path.empty() && path.front() == '/';
  std::vector<std::string> kept;
  bool trailingSlash = false;
  std::size_t pos = absolute ? 1 : 0;
  while (pos <= path.size()) {
    std::size_t end = path.find('/', pos);
    if (end == std::string::npos) end = path.size();
    const std::string segment = path.substr(pos, end - pos);
    const bool last = end == path.size();
    if (segment == "." || segment == "..") {
      if (segment == ".." && !kept.empty()) kept.pop_back();
      trailingSlash = last;
    } else {
      kept.push_back(segment);
      trailingSlash = false;
    }
    pos = end + 1;
  }
  std::string out = absolute ? "/" : "";
  for (std::size_t i = 0; i < kept.size(); ++i) out += (i ? "/" : "") + kept[i];
  if (trailingSlash && !kept.empty()) out += "/";
  return out;
}

std::string Recompose(const Reference& r) {
  std::string out;
  if (!r.scheme.empty()) out += r.scheme + ":";
  if (r.hasAuthority) out += "//" + r.authority;
  out += r.path;
  if (r.hasQuery) out += "?" + r.query;
  if (r.hasFragment) out += "#" + r.fragment;
  return out;
}

std::string Encode(const std::string& text, bool spacesOnly) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    const bool unsafe =
        u == ' ' ||
        (!spacesOnly && (u < 0x20 || u >= 0x7F || std::strchr("\"<>\\^`{|}", c) != nullptr));
    if (unsafe) {
      out += '%';
      out += kHex[u >> 4];
      out += kHex[u & 15];
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::string EscapeUnsafe(const std::string& text) {
  return Encode(text, false);
}

bool InternetCrackUrl(const char* url, std::uint32_t length, std::uint32_t flags,
                      URL_COMPONENTS* parts) {
  if (url == nullptr || parts == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  const std::string_view text(url, length ? length : std::strlen(url));
  const Reference ref = ParseReference(text);
  if (ref.scheme.empty()) {
    SetLastError(ERROR_INTERNET_UNRECOGNIZED_SCHEME);
    return false;
  }
  const INTERNET_SCHEME scheme = SchemeNumber(ref.scheme);
  const bool decode = (flags & ICU_ESCAPE) != 0;
  auto maybeDecode = [decode](std::string_view s) { return decode ? Decode(s) : std::string(s); };

  std::string user, password, host;
  std::optional<unsigned long> port;
  if (ref.hasAuthority) {
    std::string_view authority = ref.authority;
    const std::size_t at = authority.rfind('@');
    if (at != std::string_view::npos) {
      const std::string_view userInfo = authority.substr(0, at);
      const std::size_t colon = userInfo.find(':');
      user = maybeDecode(userInfo.substr(0, colon));
      if (colon != std::string_view::npos) password = maybeDecode(userInfo.substr(colon + 1));
      authority.remove_prefix(at + 1);
    }
    std::string_view portText;
    if (!authority.empty() && authority.front() == '[') {
      const std::size_t close = authority.find(']');
      if (close == std::string_view::npos) {
        SetLastError(ERROR_INTERNET_INVALID_URL);
        return false;
      }
      host = std::string(authority.substr(0, close + 1));
      const std::string_view rest = authority.substr(close + 1);
      if (!rest.empty() && rest.front() != ':') {
        SetLastError(ERROR_INTERNET_INVALID_URL);
        return false;
      }
      if (!rest.empty()) portText = rest.substr(1);
    } else {
      const std::size_t colon = authority.rfind(':');
      host = std::string(authority.substr(0, colon));
      if (colon != std::string_view::npos) portText = authority.substr(colon + 1);
    }
    if (!portText.empty()) {
      unsigned long value = 0;
      for (char c : portText) {
        if (!std::isdigit(static_cast<unsigned char>(c)) || value > 65535) {
          SetLastError(ERROR_INTERNET_INVALID_URL);
          return false;
        }
        value = value * 10 + static_cast<unsigned long>(c - '0');
      }
      if (value > 65535) {
        SetLastError(ERROR_INTERNET_INVALID_URL);
        return false;
      }
      port = value;
    }
  }
  if (NeedsHost(scheme) && host.empty()) {
    SetLastError(ERROR_INTERNET_INVALID_URL);
    return false;
  }
  const std::string path = maybeDecode(ref.path);
  std::string extra;
  if (ref.hasQuery) extra += "?" + ref.query;
  if (ref.hasFragment) extra += "#" + ref.fragment;
  extra = maybeDecode(extra);

  bool allFit = true;
  struct Part {
    const std::string& value;
    char* buffer;
    std::uint32_t& length;
  } wanted[] = {{host, parts->lpszHostName, parts->dwHostNameLength},
                {user, parts->lpszUserName, parts->dwUserNameLength},
                {password, parts->lpszPassword, parts->dwPasswordLength},
                {path, parts->lpszUrlPath, parts->dwUrlPathLength},
                {extra, parts->lpszExtraInfo, parts->dwExtraInfoLength}};
  for (auto& p : wanted)
    if (p.buffer != nullptr) Fits(p.value, p.length, allFit);
  if (!allFit) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return false;
  }
  for (auto& p : wanted)
    if (p.buffer != nullptr) Store(p.value, p.buffer, p.length);
  parts->nScheme = scheme;
  parts->nPort = port ? static_cast<std::uint16_t>(*port) : DefaultPort(scheme);
  return true;
}

bool InternetCombineUrl(const char* base, const char* relative, char* buffer, std::uint32_t* length,
                        std::uint32_t flags) {
  if (base == nullptr || relative == nullptr || length == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  const Reference b = ParseReference(base);
  const Reference r = ParseReference(relative);
  if (b.scheme.empty() && r.scheme.empty()) {
    SetLastError(ERROR_INTERNET_UNRECOGNIZED_SCHEME);
    return false;
  }
  // RFC 3986, section 5.2.2.
  Reference t;
  if (!r.scheme.empty()) {
    t = r;
    t.path = RemoveDotSegments(r.path);
  } else {
    t.scheme = b.scheme;
    if (r.hasAuthority) {
      t.hasAuthority = true;
      t.authority = r.authority;
      t.path = RemoveDotSegments(r.path);
      t.hasQuery = r.hasQuery;
      t.query = r.query;
    } else {
      t.hasAuthority = b.hasAuthority;
      t.authority = b.authority;
      if (r.path.empty()) {
        t.path = b.path;
        t.hasQuery = r.hasQuery || b.hasQuery;
        t.query = r.hasQuery ? r.query : b.query;
      } else {
        if (r.path.front() == '/') {
          t.path = RemoveDotSegments(r.path);
        } else if (b.hasAuthority && b.path.empty()) {
          t.path = RemoveDotSegments("/" + r.path);
        } else {
          const std::size_t slash = b.path.rfind('/');
          const std::string merged =
              (slash == std::string::npos ? std::string() : b.path.substr(0, slash + 1)) + r.path;
          t.path = RemoveDotSegments(merged);
        }
        t.hasQuery = r.hasQuery;
        t.query = r.query;
      }
    }
    t.hasFragment = r.hasFragment;
    t.fragment = r.fragment;
  }
  const std::string result = Encode(Recompose(t), (flags & ICU_ENCODE_SPACES_ONLY) != 0);
  const auto needed = static_cast<std::uint32_t>(result.size() + 1);
  if (buffer == nullptr || *length < needed) {
    *length = needed;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return false;
  }
  std::memcpy(buffer, result.c_str(), needed);
  *length = needed - 1;
  return true;
}

}  // namespace marnova::inet
