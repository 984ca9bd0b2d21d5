#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "platform/inet/Inet.h"

namespace marnova::inet {
namespace {

TEST(InetError, DescriptionsFitTheCallersBufferOrNothingIsGiven) {
  char buffer[257];
  for (std::uint32_t code :
       {ERROR_INTERNET_TIMEOUT, ERROR_INTERNET_NAME_NOT_RESOLVED, ERROR_INTERNET_CANNOT_CONNECT,
        ERROR_INTERNET_CONNECTION_RESET, ERROR_INTERNET_OPERATION_CANCELLED,
        ERROR_HTTP_INVALID_SERVER_RESPONSE, ERROR_INTERNET_EXTENDED_ERROR}) {
    SCOPED_TRACE(code);
    const std::uint32_t length = FormatErrorMessage(code, buffer, 256);
    EXPECT_GT(length, 0u);
    EXPECT_EQ(std::string(buffer).size(), length);
  }
  EXPECT_EQ(FormatErrorMessage(4711, buffer, 256), 0u);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(FormatErrorMessage(ERROR_INTERNET_TIMEOUT, buffer, 5), 0u);
  EXPECT_STREQ(buffer, "");
}

TEST(InetError, LastErrorBelongsToTheCallingThread) {
  SetLastError(ERROR_INTERNET_TIMEOUT);
  std::uint32_t seen = 1;
  std::thread([&] { seen = GetLastError(); }).join();
  EXPECT_EQ(seen, 0u);
  EXPECT_EQ(GetLastError(), ERROR_INTERNET_TIMEOUT);
}

TEST(InetError, LastResponseInfoReportsTheSizeItNeeds) {
  SetLastResponseInfo(97, "Proxy handshake failed");
  std::uint32_t error = 0;
  char small[4];
  std::uint32_t length = sizeof small;
  EXPECT_FALSE(InternetGetLastResponseInfo(&error, small, &length));
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(length, 23u);
  char buffer[4097];
  length = sizeof buffer;
  ASSERT_TRUE(InternetGetLastResponseInfo(&error, buffer, &length));
  EXPECT_EQ(error, 97u);
  EXPECT_EQ(length, 22u);
  EXPECT_STREQ(buffer, "Proxy handshake failed");
}

}  // namespace
}  // namespace marnova::inet
