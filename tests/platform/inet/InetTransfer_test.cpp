// Transfers through the Internet library layer against loopback servers, in
// synchronous and asynchronous mode.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "platform/inet/Inet.h"
#include "platform/inet/LoopbackServer.h"

namespace marnova::inet {
namespace {

using namespace std::chrono_literals;
using marnova::testing::FullBacklogListener;
using marnova::testing::HttpTestServer;
using marnova::testing::RawServer;
using marnova::testing::StandardServer;
using ::testing::AnyOf;
using ::testing::Contains;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

enum class Mode { Sync, Async };

std::string ModeName(const ::testing::TestParamInfo<Mode>& info) {
  return info.param == Mode::Sync ? "Sync" : "Async";
}

// Collects what the notification routine delivers.
struct Recorder {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<std::uint32_t> codes;
  std::vector<std::pair<std::uint32_t, std::string>> texts;
  int completions = 0;
  INTERNET_ASYNC_RESULT last{};

  static void Callback(HINTERNET, std::uintptr_t context, std::uint32_t status, void* info,
                       std::uint32_t length) {
    auto* self = reinterpret_cast<Recorder*>(context);
    std::lock_guard lock(self->mutex);
    self->codes.push_back(status);
    if (status == 11 || status == 20 || status == 21 || status == 110 || status == 10)
      self->texts.emplace_back(status, std::string(static_cast<const char*>(info)));
    if (status == INTERNET_STATUS_REQUEST_COMPLETE) {
      EXPECT_EQ(length, sizeof(INTERNET_ASYNC_RESULT));
      std::memcpy(&self->last, info, sizeof self->last);
      ++self->completions;
    }
    self->changed.notify_all();
  }
  // Bounded wait for the n-th completion.
  bool WaitCompletion(int n) {
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, 10s, [&] { return completions >= n; });
  }
  std::vector<std::uint32_t> Codes() {
    std::lock_guard lock(mutex);
    return codes;
  }
};

// One request from opening the root handle to closing the request.
class Exchange {
 public:
  Exchange(Mode mode, const std::string& host, int port, const char* verb = "GET",
           const char* object = "/", std::uint32_t flags = INTERNET_FLAG_RELOAD,
           const char* const* accept = nullptr)
      : mode_(mode) {
    root_ = InternetOpen("Test Agent", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr,
                         mode == Mode::Async ? INTERNET_FLAG_ASYNC : 0);
    InternetSetStatusCallback(root_.get(), &Recorder::Callback);
    connection_ = InternetConnect(root_.get(), host.c_str(), static_cast<std::uint16_t>(port),
                                  nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0);
    request_ = HttpOpenRequest(connection_.get(), verb, object, nullptr, nullptr, accept, flags,
                               reinterpret_cast<std::uintptr_t>(&recorder_));
  }
  ~Exchange() { InternetCloseHandle(request_); }

  void SetTimeouts(std::uint32_t connectMs, std::uint32_t receiveMs) {
    InternetSetOption(connection_.get(), INTERNET_OPTION_CONNECT_TIMEOUT, &connectMs, 4);
    InternetSetOption(connection_.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, &receiveMs, 4);
  }
  // Returns 0 on success, else the error code.
  std::uint32_t Send(const std::string& headers = {}, const std::string& body = {}) {
    const int before = recorder_.completions;
    if (HttpSendRequest(request_.get(), headers.empty() ? nullptr : headers.c_str(),
                        static_cast<std::uint32_t>(headers.size()), body.data(),
                        static_cast<std::uint32_t>(body.size())))
      return 0;
    const std::uint32_t error = GetLastError();
    if (mode_ == Mode::Sync) return error;
    EXPECT_EQ(error, ERROR_IO_PENDING);
    if (!recorder_.WaitCompletion(before + 1)) return 0xDEAD;
    return recorder_.last.dwResult ? 0 : recorder_.last.dwError;
  }
  // Reads to the end; returns 0 or the error that stopped the reading.
  std::uint32_t ReadAll(std::string* body, std::vector<std::uint32_t>* chunks = nullptr) {
    char buffer[16384];
    for (;;) {
      std::uint32_t count = 0;
      const int before = recorder_.completions;
      if (!InternetReadFile(request_.get(), buffer, sizeof buffer, &count)) {
        const std::uint32_t error = GetLastError();
        if (mode_ == Mode::Sync || error != ERROR_IO_PENDING) return error;
        if (!recorder_.WaitCompletion(before + 1)) return 0xDEAD;
        if (!recorder_.last.dwResult) return recorder_.last.dwError;
      }
      if (count == 0) return 0;
      body->append(buffer, count);
      if (chunks) chunks->push_back(count);
    }
  }
  std::uint32_t Status() {
    std::uint32_t status = 0, length = sizeof status;
    EXPECT_TRUE(HttpQueryInfo(request_.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER,
                              &status, &length, nullptr));
    return status;
  }
  std::string RawHeaders() {
    char buffer[8192];
    std::uint32_t length = sizeof buffer;
    if (!HttpQueryInfo(request_.get(), HTTP_QUERY_RAW_HEADERS_CRLF, buffer, &length, nullptr))
      return {};
    return std::string(buffer, length);
  }
  HINTERNET Request() { return request_.get(); }
  HINTERNET Connection() { return connection_.get(); }
  UniqueInternet& RequestHandle() { return request_; }
  Recorder& Notes() { return recorder_; }

 private:
  Mode mode_;
  Recorder recorder_;
  UniqueInternet root_, connection_, request_;
};

class InetTransfer : public ::testing::TestWithParam<Mode> {
 protected:
  static void SetUpTestSuite() { marnova::testing::ClearProxyEnvironment(); }
  void SetUp() override { server_.Start(); }
  httplib::Request Seen() { return server_.Seen(); }
  Mode mode() const { return GetParam(); }

  StandardServer server_;
};

TEST_P(InetTransfer, DeliversStatusHeaderBlockAndBody) {
  Exchange x(mode(), "127.0.0.1", server_.Port(), "GET", "/hello");
  ASSERT_EQ(x.Send(), 0u);
  EXPECT_EQ(x.Status(), 200u);
  const std::string headers = x.RawHeaders();
  EXPECT_EQ(headers.rfind("HTTP/1.1 200 OK\r\n", 0), 0u) << headers;
  EXPECT_THAT(headers, HasSubstr("\r\nX-Test: yes\r\n"));
  EXPECT_EQ(headers.substr(headers.size() - 4), "\r\n\r\n");
  std::string body;
  EXPECT_EQ(x.ReadAll(&body), 0u);
  EXPECT_EQ(body, "hello world");
  EXPECT_EQ(Seen().get_header_value("User-Agent"), "");  // not the echo route
}

// Status lines as libcurl reads them (found by fuzzing): spacing before the
// number, and a version prefix in another case after an interim answer.
TEST_P(InetTransfer, TakesTheStatusLibcurlReads) {
  const struct {
    std::string answer;
    std::uint32_t status;
  } cases[] = {
      {"HTTP/1.1  404 Spaced\r\nContent-Length: 2\r\n\r\nno", 404},
      {"HTTP/1.1 100 Continue\r\n\r\nhttp/1.1 200 OK\r\nContent-Length: 2\r\n\r\nno", 200},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    RawServer server([&c](RawServer&, int s) { RawServer::Write(s, c.answer); });
    Exchange x(mode(), "127.0.0.1", server.Port());
    ASSERT_EQ(x.Send(), 0u);
    EXPECT_EQ(x.Status(), c.status);
    std::string body;
    EXPECT_EQ(x.ReadAll(&body), 0u);
    EXPECT_EQ(body, "no");
  }
}

// A second send on one request must not reach back into the first answer:
// libcurl 7.88 did, through a folded line at the head of the second answer
// (a use after free the sanitizer build reports). The answers are the ones
// the fuzzer found.
TEST_P(InetTransfer, ASecondSendReadsOnlyItsOwnAnswer) {
  const std::string answers[] = {
      "HTTP/1.1 407\x15riued\r\nProxy-Authentzcan:\r\nenticate:Authentsice\xfft\n"
      "/\xd2\xd1\xb3\x90\x9c\x9e\x8b\xf0ion:te: 0\r7 HTTP/\xcf\xd1\n\n",
      "HTTP/1.1 401.0.! 2\n ation:\r\nenT\xff\xff\xff\xff\xff\xff: t\nLocation:\r\n"
      "enticate:ntsice\xfft\nLocat\x05ion:\r\neasicFoue: 0\r\n Foundtion:nation:\r\n"
      "enT\xff\xff\xff\xff\xff\xff: t\nLocation:\r\nenticate:Authentsice\xfft\n"
      "/\xd2\xd1\xb3\x90\x9c\x9e\x8b\xf0ion:\rContent-Length: \xff\xff text 4\r\n\r\narri"};
  std::atomic<int> calls{0};
  RawServer server([&](RawServer&, int s) { RawServer::Write(s, answers[calls++ % 2]); });
  Exchange x(mode(), "127.0.0.1", server.Port());
  ASSERT_EQ(x.Send(), 0u);
  EXPECT_EQ(x.Status(), 407u);
  if (x.Send() == 0) {
    std::string body;
    x.ReadAll(&body);
  }
  EXPECT_EQ(calls, 2);
}

TEST_P(InetTransfer, ReportsTheStagesOfAPlainGetInOrder) {
  Exchange x(mode(), "127.0.0.1", server_.Port(), "GET", "/hello");
  ASSERT_EQ(x.Send(), 0u);
  std::string body;
  ASSERT_EQ(x.ReadAll(&body), 0u);
  std::vector<std::uint32_t> codes = x.Notes().Codes();
  const std::vector<std::uint32_t> expected = {10, 11, 20, 21, 30, 31, 40, 41};
  ASSERT_GE(codes.size(), expected.size());
  EXPECT_THAT(std::vector<std::uint32_t>(codes.begin(), codes.begin() + expected.size()),
              ElementsAreArray(expected));
  // The rest is body traffic (40/41 pairs), completions and the closing.
  for (std::size_t i = expected.size(); i < codes.size(); ++i)
    EXPECT_THAT(codes[i], AnyOf(40u, 41u, 50u, 51u, 100u)) << i;
  const auto completions = std::count(codes.begin(), codes.end(), 100u);
  if (mode() == Mode::Async)
    EXPECT_GE(completions, 1);  // the send; reads of buffered data complete at once
  else
    EXPECT_EQ(completions, 0);
  std::lock_guard lock(x.Notes().mutex);
  EXPECT_THAT(x.Notes().texts, Contains(std::make_pair(11u, std::string("127.0.0.1"))));
  EXPECT_THAT(x.Notes().texts, Contains(std::make_pair(21u, std::string("127.0.0.1"))));
}

TEST_P(InetTransfer, SendsHeaderLinesBodyAndAcceptTypes) {
  const char* accept[] = {"text/*", "image/png", nullptr};
  Exchange x(mode(), "127.0.0.1", server_.Port(), "POST", "/echo", INTERNET_FLAG_RELOAD, accept);
  ASSERT_EQ(x.Send("X-One: 1\r\nX-Two: two\r\n\r\n", "a=1&b=2"), 0u);
  std::string body;
  ASSERT_EQ(x.ReadAll(&body), 0u);
  EXPECT_EQ(body, "got a=1&b=2");
  const httplib::Request seen = Seen();
  EXPECT_EQ(seen.get_header_value("X-One"), "1");
  EXPECT_EQ(seen.get_header_value("X-Two"), "two");
  EXPECT_EQ(seen.get_header_value("Accept"), "text/*, image/png");
  EXPECT_EQ(seen.get_header_value("User-Agent"), "Test Agent");
  EXPECT_FALSE(seen.has_header("Expect"));
}

TEST_P(InetTransfer, ReadsALargeBodyInPiecesOfTheAskedSize) {
  Exchange x(mode(), "127.0.0.1", server_.Port(), "GET", "/big");
  ASSERT_EQ(x.Send(), 0u);
  std::string body;
  std::vector<std::uint32_t> chunks;
  ASSERT_EQ(x.ReadAll(&body, &chunks), 0u);
  ASSERT_EQ(body.size(), 40000u);
  for (std::size_t i = 0; i < body.size(); i += 997)
    ASSERT_EQ(body[i], static_cast<char>('a' + i % 26)) << i;
  for (std::uint32_t c : chunks) EXPECT_LE(c, 16384u);
}

TEST_P(InetTransfer, EmptyBodyEndsAtOnce) {
  Exchange x(mode(), "127.0.0.1", server_.Port(), "GET", "/empty");
  ASSERT_EQ(x.Send(), 0u);
  EXPECT_EQ(x.Status(), 204u);
  std::string body;
  EXPECT_EQ(x.ReadAll(&body), 0u);
  EXPECT_EQ(body, "");
}

TEST_P(InetTransfer, FollowsRedirectsAndReportsTheTarget) {
  Exchange x(mode(), "127.0.0.1", server_.Port(), "GET", "/from");
  ASSERT_EQ(x.Send(), 0u);
  EXPECT_EQ(x.Status(), 200u);
  std::string body;
  ASSERT_EQ(x.ReadAll(&body), 0u);
  EXPECT_EQ(body, "arrived");
  std::lock_guard lock(x.Notes().mutex);
  EXPECT_THAT(x.Notes().texts, Contains(std::make_pair(110u, server_.Url("/to"))));
}

TEST_P(InetTransfer, StopsAtARedirectWhenAskedTo) {
  Exchange x(mode(), "127.0.0.1", server_.Port(), "GET", "/from", INTERNET_FLAG_NO_AUTO_REDIRECT);
  ASSERT_EQ(x.Send(), 0u);
  EXPECT_EQ(x.Status(), 302u);
  char location[256];
  std::uint32_t length = sizeof location;
  ASSERT_TRUE(HttpQueryInfo(x.Request(), HTTP_QUERY_LOCATION, location, &length, nullptr));
  EXPECT_STREQ(location, "/to");
  EXPECT_THAT(x.Notes().Codes(), ::testing::Not(Contains(110)));
}

TEST_P(InetTransfer, HandsConnectionCredentialsToTheServer) {
  Exchange x(mode(), "127.0.0.1", server_.Port(), "GET", "/echo");
  InternetSetOption(x.Connection(), INTERNET_OPTION_USERNAME, "al", 2);
  InternetSetOption(x.Connection(), INTERNET_OPTION_PASSWORD, "pw", 2);
  ASSERT_EQ(x.Send(), 0u);
  EXPECT_EQ(Seen().get_header_value("Authorization"), "Basic YWw6cHc=");
}

TEST_P(InetTransfer, QueriesReportBufferSizesAndMissingHeaders) {
  Exchange x(mode(), "127.0.0.1", server_.Port(), "GET", "/hello");
  char early[8];
  std::uint32_t length = sizeof early;
  EXPECT_FALSE(HttpQueryInfo(x.Request(), HTTP_QUERY_RAW_HEADERS_CRLF, early, &length, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INTERNET_INCORRECT_HANDLE_STATE);
  ASSERT_EQ(x.Send(), 0u);
  length = sizeof early;
  EXPECT_FALSE(HttpQueryInfo(x.Request(), HTTP_QUERY_RAW_HEADERS_CRLF, early, &length, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(length, x.RawHeaders().size() + 1);
  char custom[64] = "X-Test";
  length = sizeof custom;
  ASSERT_TRUE(HttpQueryInfo(x.Request(), HTTP_QUERY_CUSTOM, custom, &length, nullptr));
  EXPECT_STREQ(custom, "yes");
  char missing[64] = "X-None";
  length = sizeof missing;
  EXPECT_FALSE(HttpQueryInfo(x.Request(), HTTP_QUERY_CUSTOM, missing, &length, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_HTTP_HEADER_NOT_FOUND);
}

// Failures that loopback can produce: where they surface and with which code.
TEST_P(InetTransfer, ReportsFaultsWithTheirLibraryCodes) {
  RawServer reset([](RawServer& self, int s) {
    RawServer::Write(s,
                     "HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n" + std::string(5000, 'r'));
    self.Stall(100);
    self.Reset(s);
  });
  RawServer stallBody([](RawServer& self, int s) {
    RawServer::Write(s, "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n0123456789");
    self.Stall(3000);
  });
  RawServer stallHead([](RawServer& self, int) { self.Stall(3000); });
  RawServer badStatus([](RawServer&, int s) { RawServer::Write(s, "garbage here\r\n\r\nbody"); });
  RawServer nothing([](RawServer&, int) {});
  FullBacklogListener full;
  const std::vector<std::uint32_t> resetErrors = {ERROR_INTERNET_CONNECTION_RESET,
                                                  ERROR_INTERNET_CONNECTION_ABORTED};
  const std::uint32_t kInvalidAnswer = ERROR_HTTP_INVALID_SERVER_RESPONSE;

  struct Case {
    const char* name;
    std::string host;
    int port;
    std::uint32_t sendError;
    std::vector<std::uint32_t> readErrors;
  } cases[] = {
      {"refused", "127.0.0.1", marnova::testing::RefusingPort(), ERROR_INTERNET_CANNOT_CONNECT, {}},
      {"unresolvable", "marnova-test.invalid", 80, ERROR_INTERNET_NAME_NOT_RESOLVED, {}},
      {"connect time-out", "127.0.0.1", full.Port(), ERROR_INTERNET_TIMEOUT, {}},
      {"reset mid-body", "127.0.0.1", reset.Port(), 0, resetErrors},
      {"stalled body", "127.0.0.1", stallBody.Port(), 0, {ERROR_INTERNET_TIMEOUT}},
      {"stalled answer", "127.0.0.1", stallHead.Port(), ERROR_INTERNET_TIMEOUT, {}},
      {"invalid status line", "127.0.0.1", badStatus.Port(), kInvalidAnswer, {}},
      {"empty reply", "127.0.0.1", nothing.Port(), kInvalidAnswer, {}},
  };

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto start = std::chrono::steady_clock::now();
    Exchange x(mode(), c.host, c.port, "GET", "/");
    x.SetTimeouts(400, 400);
    const std::uint32_t sent = x.Send();
    EXPECT_EQ(sent, c.sendError);
    if (sent == 0 && c.sendError == 0) {
      std::string body;
      EXPECT_THAT(x.ReadAll(&body), ::testing::AnyOfArray(c.readErrors));
      EXPECT_FALSE(body.empty());
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
  }
}

TEST(InetTransferAsync, ClosingDuringAPendingReadReturnsPromptlyAndReportsNothingMore) {
  marnova::testing::ClearProxyEnvironment();
  RawServer stall([](RawServer& self, int s) {
    RawServer::Write(s, "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n");
    self.Stall(5000);
  });
  Exchange x(Mode::Async, "127.0.0.1", stall.Port(), "GET", "/");
  ASSERT_EQ(x.Send(), 0u);
  char buffer[64];
  std::uint32_t count = 77;
  ASSERT_FALSE(InternetReadFile(x.Request(), buffer, sizeof buffer, &count));
  ASSERT_EQ(GetLastError(), ERROR_IO_PENDING);
  const int completions = x.Notes().completions;
  const auto start = std::chrono::steady_clock::now();
  InternetCloseHandle(x.RequestHandle());
  EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(x.Notes().completions, completions);
}

TEST(InetTransferAsync, ASecondSendOnTheSameRequestGetsItsOwnCompletion) {
  marnova::testing::ClearProxyEnvironment();
  HttpTestServer server;
  int calls = 0;
  server.Routes().Get("/count", [&](const httplib::Request&, httplib::Response& res) {
    res.set_content(std::to_string(++calls), "text/plain");
  });
  server.Start();
  Exchange x(Mode::Async, "127.0.0.1", server.Port(), "GET", "/count");
  ASSERT_EQ(x.Send(), 0u);
  ASSERT_EQ(x.Send(), 0u);
  std::string body;
  ASSERT_EQ(x.ReadAll(&body), 0u);
  EXPECT_EQ(body, "2");
  EXPECT_GE(x.Notes().completions, 2);  // one per send; buffered reads complete at once
}

INSTANTIATE_TEST_SUITE_P(BothModes, InetTransfer, ::testing::Values(Mode::Sync, Mode::Async),
                         ModeName);

}  // namespace
}  // namespace marnova::inet
