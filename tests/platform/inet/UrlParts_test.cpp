#include <gtest/gtest.h>

#include <string>

#include "platform/inet/Inet.h"

namespace marnova::inet {
namespace {

struct Cracked {
  bool ok = false;
  std::uint32_t error = 0;
  int scheme = 0;
  std::string host, user, password, path, extra;
  int port = 0;
};

Cracked Crack(const std::string& url, std::uint32_t hostSize = 256) {
  char host[4096], user[128], password[128], path[2048], extra[2048];
  URL_COMPONENTS parts;
  parts.lpszHostName = host;
  parts.dwHostNameLength = hostSize;
  parts.lpszUserName = user;
  parts.dwUserNameLength = sizeof user;
  parts.lpszPassword = password;
  parts.dwPasswordLength = sizeof password;
  parts.lpszUrlPath = path;
  parts.dwUrlPathLength = sizeof path;
  parts.lpszExtraInfo = extra;
  parts.dwExtraInfoLength = sizeof extra;
  Cracked c;
  c.ok = InternetCrackUrl(url.c_str(), static_cast<std::uint32_t>(url.size()), ICU_ESCAPE, &parts);
  if (!c.ok) {
    c.error = GetLastError();
    return c;
  }
  c.scheme = parts.nScheme;
  c.host = host;
  c.user = user;
  c.password = password;
  c.path = path;
  c.extra = extra;
  c.port = parts.nPort;
  return c;
}

TEST(InternetCrackUrl, SplitsAddressesIntoTheirParts) {
  struct Case {
    std::string url;
    int scheme;
    std::string host;
    int port;
    std::string path, extra, user, password;
  } cases[] = {
      {"http://h:8080/a/b?x=1", INTERNET_SCHEME_HTTP, "h", 8080, "/a/b", "?x=1", "", ""},
      {"https://host/p", INTERNET_SCHEME_HTTPS, "host", 443, "/p", "", "", ""},
      {"http://h", INTERNET_SCHEME_HTTP, "h", 80, "", "", "", ""},
      {"HTTP://h/x#top", INTERNET_SCHEME_HTTP, "h", 80, "/x", "#top", "", ""},
      {"http://h/x?q=1#top", INTERNET_SCHEME_HTTP, "h", 80, "/x", "?q=1#top", "", ""},
      {"http://al:s%40cret@h/p%20q", INTERNET_SCHEME_HTTP, "h", 80, "/p q", "", "al", "s@cret"},
      {"ftp://files.example/f.txt", INTERNET_SCHEME_FTP, "files.example", 21, "/f.txt", "", "", ""},
      {"http://[::1]:81/", INTERNET_SCHEME_HTTP, "[::1]", 81, "/", "", "", ""},
      {"gizmo://x/y", INTERNET_SCHEME_UNKNOWN, "x", 0, "/y", "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    const Cracked got = Crack(c.url);
    ASSERT_TRUE(got.ok) << got.error;
    EXPECT_EQ(got.scheme, c.scheme);
    EXPECT_EQ(got.host, c.host);
    EXPECT_EQ(got.port, c.port);
    EXPECT_EQ(got.path, c.path);
    EXPECT_EQ(got.extra, c.extra);
    EXPECT_EQ(got.user, c.user);
    EXPECT_EQ(got.password, c.password);
  }
}

TEST(InternetCrackUrl, RejectsWhatIsNoAddress) {
  struct Case {
    std::string url;
    std::uint32_t error;
  } cases[] = {
      {"nonsense", ERROR_INTERNET_UNRECOGNIZED_SCHEME},
      {"", ERROR_INTERNET_UNRECOGNIZED_SCHEME},
      {"/just/a/path", ERROR_INTERNET_UNRECOGNIZED_SCHEME},
      {"http://", ERROR_INTERNET_INVALID_URL},
      {"http://h:99999/", ERROR_INTERNET_INVALID_URL},
      {"http://h:8o/", ERROR_INTERNET_INVALID_URL},
      {"http://" + std::string(300, 'a') + "/", ERROR_INSUFFICIENT_BUFFER},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    const Cracked got = Crack(c.url);
    EXPECT_FALSE(got.ok);
    EXPECT_EQ(got.error, c.error);
  }
  // 255 characters fit a buffer of 256, 256 do not.
  EXPECT_TRUE(Crack("http://" + std::string(255, 'a') + "/").ok);
  EXPECT_FALSE(Crack("http://" + std::string(256, 'a') + "/").ok);
}

TEST(InternetCombineUrl, ResolvesRelativePartsAndEncodesOnlySpaces) {
  struct Case {
    std::string base, relative, expected;
  } cases[] = {
      {"http://h", "/a/b?x=1", "http://h/a/b?x=1"},
      {"http://h:8080", "/a b", "http://h:8080/a%20b"},
      {"http://h", "/caf\xC3\xA9<x>", "http://h/caf\xC3\xA9<x>"},
      {"http://h/a/b", "c", "http://h/a/c"},
      {"http://h/a/b", "../c", "http://h/c"},
      {"http://h/a/b", "./c/./d/../e", "http://h/a/c/e"},
      {"http://h/a", "?q", "http://h/a?q"},
      {"http://h/a?old", "#f", "http://h/a?old#f"},
      {"http://h", "", "http://h"},
      {"http://h", "x", "http://h/x"},
      {"http://h/a", "https://o/x", "https://o/x"},
      {"http://h/a", "//o/x", "http://o/x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.base + " + " + c.relative);
    char out[2055];
    std::uint32_t length = sizeof out;
    ASSERT_TRUE(InternetCombineUrl(c.base.c_str(), c.relative.c_str(), out, &length,
                                   ICU_ENCODE_SPACES_ONLY));
    EXPECT_EQ(std::string(out), c.expected);
    EXPECT_EQ(length, c.expected.size());
  }
}

TEST(InternetCombineUrl, StopsAtTheBufferSize) {
  const std::string path = "/" + std::string(2045, 'p');
  char out[2055];
  std::uint32_t length = sizeof out;
  // "http://h" + path is 2054 characters: fits with its terminator.
  ASSERT_TRUE(InternetCombineUrl("http://h", path.c_str(), out, &length, ICU_ENCODE_SPACES_ONLY));
  EXPECT_EQ(length, 2054u);
  const std::string longer = path + "p";
  length = sizeof out;
  EXPECT_FALSE(
      InternetCombineUrl("http://h", longer.c_str(), out, &length, ICU_ENCODE_SPACES_ONLY));
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(length, 2056u);
}

}  // namespace
}  // namespace marnova::inet
