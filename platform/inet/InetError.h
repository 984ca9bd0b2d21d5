// Error reporting of the Internet library layer: a per-thread last error
// code (read right after a failed call), the texts of the codes, the last
// response info behind ERROR_INTERNET_EXTENDED_ERROR, and the translation of
// libcurl's results into the library's codes.
#pragma once

#include <cstdint>
#include <string>

#include <curl/curl.h>

namespace marnova::inet {

// The calling thread's last error code, as left by the last failed call.
std::uint32_t GetLastError();
void SetLastError(std::uint32_t code);

// Copies the description of `code` into `buffer` (zero-terminated) and
// returns its length; returns 0 and leaves `buffer` empty when the code has
// no description or the description does not fit into `size` characters
// (the terminator included).
std::uint32_t FormatErrorMessage(std::uint32_t code, char* buffer, std::uint32_t size);
// The description as a string; empty for unknown codes.
std::string ErrorDescription(std::uint32_t code);

// Extended information about the most recent failure of a transfer (any
// thread, since asynchronous failures surface on another thread than the one
// that reads them): a number (the libcurl result) and a text. Copies at most
// `*length` - 1 characters and sets `*length` to the copied length; when the
// buffer is too small, fails with ERROR_INSUFFICIENT_BUFFER and sets
// `*length` to the size needed.
bool InternetGetLastResponseInfo(std::uint32_t* error, char* buffer, std::uint32_t* length);
void SetLastResponseInfo(std::uint32_t error, const std::string& text);

// Facts about a failed transfer that decide which library code fits.
struct CurlFailure {
  CURLcode code = CURLE_OK;
  long osErrno = 0;              // CURLINFO_OS_ERRNO
  bool responseStarted = false;  // bytes of an answer had arrived
  bool redirectToHttp = false;   // a refused redirect from https to http
  bool redirectToHttps = false;  // a refused redirect from http to https
};
// The library code for a libcurl failure; every failure maps into the
// 12000 range.
std::uint32_t MapCurlFailure(const CurlFailure& failure);

}  // namespace marnova::inet
