// The layer against a stand-in libcurl (tests/platform/inet/standincurl):
// an older library than 7.85 is never used, and a request whose safety
// settings the library refuses never starts.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdlib>
#include <string>

#include <curl/curl.h>

#include "platform/inet/Inet.h"

namespace marnova::inet {
namespace {

int Counter(const char* name) {
  void* library = dlopen("libcurl.so.4", RTLD_NOW | RTLD_NOLOAD);
  if (library == nullptr) return -1;  // not loaded (or not kept)
  const int* counter = static_cast<const int*>(dlsym(library, name));
  const int value = counter ? *counter : -1;
  dlclose(library);
  return value;
}

// Opens and sends a request with the update check's flags.
std::uint32_t Send() {
  UniqueInternet root = InternetOpen("test", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
  UniqueInternet connection =
      InternetConnect(root.get(), "127.0.0.1", 9, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0);
  UniqueInternet request = HttpOpenRequest(connection.get(), "GET", "/marnova.txt", nullptr,
                                           nullptr, nullptr, INTERNET_FLAG_RELOAD, 0);
  return HttpSendRequest(request.get(), nullptr, 0, nullptr, 0) ? 0 : GetLastError();
}

// The stand-in reports 7.88 unless the environment names its version.
bool TooOld() {
  return std::getenv("MARNOVA_STANDIN_CURL_VERSION") != nullptr;
}

TEST(InetCurlLibrary, AnOlderLibraryIsNeverCalled) {
  if (!TooOld()) GTEST_SKIP() << "runs against the stand-in reporting 7.84";
  EXPECT_NE(Send(), 0u);
  EXPECT_EQ(Counter("standin_easy_inits"), -1);  // let go again after its version was read
}

TEST(InetCurlLibrary, ARefusedSafetySettingStopsTheRequest) {
  if (TooOld()) GTEST_SKIP() << "runs against the stand-in reporting 7.88";
  const CURLoption kSafety[] = {CURLOPT_URL,
                                CURLOPT_PROTOCOLS_STR,
                                CURLOPT_REDIR_PROTOCOLS_STR,
                                CURLOPT_MAXREDIRS,
                                CURLOPT_FOLLOWLOCATION,
                                CURLOPT_SSL_VERIFYPEER,
                                CURLOPT_SSL_VERIFYHOST,
                                CURLOPT_PROXY,
                                CURLOPT_CONNECTTIMEOUT_MS,
                                CURLOPT_BUFFERSIZE,
                                CURLOPT_NOSIGNAL,
                                CURLOPT_WRITEFUNCTION,
                                CURLOPT_HEADERFUNCTION};
  setenv("MARNOVA_STANDIN_CURL_REFUSE", "0", 1);  // none: the transfer starts
  EXPECT_NE(Send(), 0u);                          // and the stand-in fails it
  const int started = Counter("standin_transfers");
  ASSERT_GE(started, 1);
  for (CURLoption option : kSafety) {
    SCOPED_TRACE(option);
    setenv("MARNOVA_STANDIN_CURL_REFUSE", std::to_string(option).c_str(), 1);
    EXPECT_EQ(Send(), ERROR_INTERNET_INTERNAL_ERROR);
    EXPECT_EQ(Counter("standin_transfers"), started);
  }
  unsetenv("MARNOVA_STANDIN_CURL_REFUSE");
}

}  // namespace
}  // namespace marnova::inet
