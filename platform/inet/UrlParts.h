// Splitting an address into its parts and resolving a relative part against
// a base address, with the caller's buffer sizes as limits.
#pragma once

#include <cstdint>
#include <string>

namespace marnova::inet {

enum INTERNET_SCHEME : int {
  INTERNET_SCHEME_UNKNOWN = -1,
  INTERNET_SCHEME_DEFAULT = 0,
  INTERNET_SCHEME_FTP = 1,
  INTERNET_SCHEME_GOPHER = 2,
  INTERNET_SCHEME_HTTP = 3,
  INTERNET_SCHEME_HTTPS = 4,
  INTERNET_SCHEME_FILE = 5,
  INTERNET_SCHEME_NEWS = 6,
  INTERNET_SCHEME_MAILTO = 7,
  INTERNET_SCHEME_SOCKS = 8,
  INTERNET_SCHEME_JAVASCRIPT = 9,
  INTERNET_SCHEME_VBSCRIPT = 10,
  INTERNET_SCHEME_RES = 11,
};

// One buffer per wanted part; a null buffer means the part is not wanted.
// On entry each length is the buffer's size in bytes, on return the length
// of the part without its terminator (or, after ERROR_INSUFFICIENT_BUFFER,
// the size that part needs).
struct URL_COMPONENTS {
  INTERNET_SCHEME nScheme = INTERNET_SCHEME_UNKNOWN;
  char* lpszHostName = nullptr;
  std::uint32_t dwHostNameLength = 0;
  std::uint16_t nPort = 0;  // the address's port, or the scheme's default
  char* lpszUserName = nullptr;
  std::uint32_t dwUserNameLength = 0;
  char* lpszPassword = nullptr;
  std::uint32_t dwPasswordLength = 0;
  char* lpszUrlPath = nullptr;
  std::uint32_t dwUrlPathLength = 0;
  char* lpszExtraInfo = nullptr;  // query and/or fragment with "?" or "#"
  std::uint32_t dwExtraInfoLength = 0;
};

// Splits the first `length` bytes of `url` (the whole zero-terminated text
// when `length` is 0). With ICU_ESCAPE, percent escapes in user name,
// password, path and extra information are decoded. Fails with
// ERROR_INTERNET_UNRECOGNIZED_SCHEME (no scheme), ERROR_INTERNET_INVALID_URL
// (no host where the scheme needs one, bad port) or ERROR_INSUFFICIENT_BUFFER.
bool InternetCrackUrl(const char* url, std::uint32_t length, std::uint32_t flags,
                      URL_COMPONENTS* parts);

// Resolves `relative` against `base` into `buffer` of `*length` bytes; on
// return `*length` is the result's length (or the size needed, with
// ERROR_INSUFFICIENT_BUFFER). ICU_ENCODE_SPACES_ONLY percent-encodes only
// spaces; without it, control characters, bytes above 127 and unsafe
// punctuation are encoded as well.
bool InternetCombineUrl(const char* base, const char* relative, char* buffer, std::uint32_t* length,
                        std::uint32_t flags);

// Percent-encodes what may not stand in a request target as it is: spaces,
// control characters, bytes above 127 and unsafe punctuation ("%" stays, so
// escapes already present are kept).
std::string EscapeUnsafe(const std::string& text);

}  // namespace marnova::inet
