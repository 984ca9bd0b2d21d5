// The server's answer, as the program receives it: its first header block
// straight into the header queries; then through libcurl and the
// library layer's own header handling (status line, header block, named
// header queries, redirects, body reads), once through the library layer's
// calls, once through the HTTP component with the update check's settings
// synchronously, and once as the program runs it: asynchronously, with a
// window as owner, so that the worker reads 16 KiB chunks (the transfer
// pausing past 64 KiB unread) and hands every event to the main thread,
// where the update check's own handler evaluates the body so far, stops
// past 64 KiB and after an offer. The input's last byte picks one more abort:
// none, after the first or second chunk, or at once after the send.
// A loopback server replays the input: the part before the first
// "<<next>>" answers the first connection, the next part the second (a
// redirect or an authentication retry), and so on; later connections get an
// empty 200 answer. Every address goes to that server through the proxy
// setting, so no input can reach another host.
// Properties: nothing crashes or reads out of bounds; texts fit their
// buffers with their terminator; a header block starts with the status line
// and ends with an empty line; no more body comes out than went in; every
// asynchronous event runs on the main thread, none after an abort, and the
// request ends within a bounded time.
#include <QApplication>
#include <QElapsedTimer>
#include <QString>
#include <QThread>
#include <QWidget>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "platform/inet/HeaderBlock.h"
#include "platform/inet/Inet.h"
#include "platform/inet/RawServer.h"
#include "services/UpdateNotice.h"
#include "services/uAdvHttp.h"

namespace {

using namespace marnova;
using namespace marnova::inet;

constexpr std::string_view kSeparator = "<<next>>";
// The update check's request flags, except that a redirect may not switch to
// https: a TLS handshake costs a second under the sanitizers and parses
// nothing of ours.
const TAdvHttp::TInternetFlags kFlags =
    TAdvHttp::TInternetFlags::fromInt(static_cast<int>(TAdvHttp::kInitialFlags)) &
    ~TAdvHttp::TInternetFlags(TAdvHttp::ifIgnoreRedirectToHttps);
constexpr std::string_view kLastAnswer = "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n";

// Answers each connection with the next scripted answer, then with empty
// 200 answers.
class ReplayServer {
 public:
  std::string Proxy() const { return "127.0.0.1:" + std::to_string(FServer.Port()); }

  // The answers for the next connections, in order.
  void Script(std::vector<std::string> answers) {
    std::lock_guard lock(FMutex);
    FAnswers = std::move(answers);
    FNext = 0;
  }

 private:
  std::string Next() {
    std::lock_guard lock(FMutex);
    return FNext < FAnswers.size() ? FAnswers[FNext++] : std::string(kLastAnswer);
  }

  std::mutex FMutex;
  std::vector<std::string> FAnswers;
  std::size_t FNext = 0;
  marnova::testing::RawServer FServer{[this](marnova::testing::RawServer&, int client) {
    marnova::testing::RawServer::Write(client, Next());
    shutdown(client, SHUT_WR);
  }};
};

ReplayServer& Server() {
  static ReplayServer* server = [] {
    // A proxy named in the environment, or hosts exempted from the proxy,
    // would lead requests elsewhere.
    marnova::testing::ClearProxyEnvironment();
    SetDefaultReceiveTimeout(2000);
    return new ReplayServer;  // never destroyed: its thread runs to the end
  }();
  return *server;
}

std::vector<std::string> Answers(std::string_view input) {
  std::vector<std::string> answers;
  for (;;) {
    const std::size_t at = input.find(kSeparator);
    answers.emplace_back(input.substr(0, at));
    if (at == std::string_view::npos) return answers;
    input.remove_prefix(at + kSeparator.size());
  }
}

// One HttpQueryInfo call: 0 or the error code.
using Query = std::function<std::uint32_t(std::uint32_t level, void* buffer, std::uint32_t* length,
                                          std::uint32_t* index)>;

// A text query with a buffer of exactly the size the query asks for (a
// named header: a buffer of the component's header size), repeated while
// the header repeats. `block` is the header block queried, or null when the
// library built it from the answer.
void QueryText(const Query& query, std::uint32_t level, const std::string* block,
               const std::string& name = {}) {
  std::uint32_t index = 0;
  for (int i = 0; i < 3; ++i) {
    const std::uint32_t at = index;
    std::vector<char> buffer(name.begin(), name.end());
    if (name.empty()) {
      std::uint32_t needed = 0;
      if (query(level, nullptr, &needed, &index) != ERROR_INSUFFICIENT_BUFFER) return;
      buffer.resize(needed);
    } else {
      buffer.resize(8192);
    }
    auto length = static_cast<std::uint32_t>(buffer.size());
    index = at;
    if (query(level, buffer.data(), &length, &index) != 0) return;
    FUZZ_CHECK(length < buffer.size() && buffer[length] == '\0');
    if (level == HTTP_QUERY_RAW_HEADERS_CRLF && block)
      FUZZ_CHECK(std::string_view(buffer.data(), length) == *block);
    if (level == HTTP_QUERY_RAW_HEADERS_CRLF && !block) {
      const std::string_view built(buffer.data(), length);
      FUZZ_CHECK(built.size() >= 5 && QByteArray(built.data(), 5).toUpper() == "HTTP/");
      FUZZ_CHECK(built.size() >= 4 && built.substr(built.size() - 4) == "\r\n\r\n");
    }
    if (index == at) return;  // not a header that repeats
  }
}

// Every query the component or the layer asks.
void QueryAll(const Query& query, const std::string* block = nullptr) {
  for (std::uint32_t level : {HTTP_QUERY_STATUS_CODE, HTTP_QUERY_CONTENT_LENGTH}) {
    std::uint32_t number = 0, length = sizeof number;
    (void)query(level | HTTP_QUERY_FLAG_NUMBER, &number, &length, nullptr);
  }
  for (std::uint32_t level :
       {HTTP_QUERY_STATUS_TEXT, HTTP_QUERY_VERSION, HTTP_QUERY_RAW_HEADERS_CRLF,
        HTTP_QUERY_RAW_HEADERS, HTTP_QUERY_CONTENT_TYPE, HTTP_QUERY_CONTENT_LENGTH,
        HTTP_QUERY_LOCATION, HTTP_QUERY_WWW_AUTHENTICATE, HTTP_QUERY_PROXY_AUTHENTICATE})
    QueryText(query, level, block);
  QueryText(query, HTTP_QUERY_CUSTOM, block, "Set-Cookie");
}

// The header block of the first answer as it stands, straight into the
// queries, so that no libcurl parsing tidies it first.
void ThroughHeaderBlock(const std::string& answer) {
  const std::size_t end = answer.find("\r\n\r\n");
  const std::string block = end == std::string::npos ? answer : answer.substr(0, end + 4);
  QueryAll(
      [&](std::uint32_t level, void* buffer, std::uint32_t* length, std::uint32_t* index) {
        return QueryHeaderBlock(block, static_cast<int>(block.size() % 600), level, buffer, length,
                                index);
      },
      &block);
}

void ThroughLibrary(const std::string& proxy, std::size_t sent) {
  UniqueInternet root = InternetOpen("Brevant WinInet Component", INTERNET_OPEN_TYPE_PROXY,
                                     proxy.c_str(), nullptr, 0);
  FUZZ_CHECK(root != nullptr);
  UniqueInternet connection = InternetConnect(root.get(), "www.quorvel.example", 80, nullptr,
                                              nullptr, INTERNET_SERVICE_HTTP, 0, 0);
  FUZZ_CHECK(connection != nullptr);
  UniqueInternet request = HttpOpenRequest(connection.get(), "GET", "/marnova.txt", nullptr,
                                           nullptr, nullptr, TAdvHttp::RequestFlagsOf(kFlags), 0);
  FUZZ_CHECK(request != nullptr);
  if (!HttpSendRequest(request.get(), nullptr, 0, nullptr, 0)) return;

  QueryAll([&](std::uint32_t level, void* buffer, std::uint32_t* length, std::uint32_t* index) {
    return HttpQueryInfo(request.get(), level, buffer, length, index) ? 0u : GetLastError();
  });

  std::vector<char> buffer(16384);
  std::size_t total = 0;
  for (;;) {
    std::uint32_t read = 0;
    if (!InternetReadFile(request.get(), buffer.data(), 16384, &read) || read == 0) break;
    FUZZ_CHECK(read <= 16384);
    total += read;
    FUZZ_CHECK(total <= sent);
  }
}

// The update check's settings, every address led to the replaying server.
void SetUp(TAdvHttp& http, const std::string& proxy) {
  http.SetRaiseExceptions(false);
  http.SetDefaultUi(false);  // no credential dialog; the retries still run
  http.SetProxy(QString::fromLatin1(proxy));
  http.SetURL(QStringLiteral("http://www.quorvel.example/marnova.txt"));
  http.SetInternetFlags(kFlags);
}

void CheckChunk(const TAdvHttp& http, std::size_t sent) {
  FUZZ_CHECK(http.ChunkSize() > 0 && http.ChunkSize() <= 16384);
  FUZZ_CHECK(static_cast<std::size_t>(http.BytesRead()) <= sent);
  FUZZ_CHECK(http.ChunkPosition() + http.ChunkSize() == http.BytesRead());
}

// The update check's component, synchronous so that each input ends before
// the next begins; the answer is parsed by the same code in either mode.
void ThroughComponent(const std::string& proxy, std::size_t sent) {
  TAdvHttp http;
  SetUp(http, proxy);
  http.OnDataAvailable = [&](QObject*) {
    CheckChunk(http, sent);
    (void)EvaluateUpdateNotice(http.Text(), 65538, 43);
  };
  bool complete = false;
  http.OnRequestComplete = [&](QObject*) { complete = true; };
  http.Execute(true);
  const QStringList headers = http.ResponseHeaders();
  if (complete && !headers.isEmpty())
    FUZZ_CHECK(headers.front().startsWith(QStringLiteral("HTTP/"), Qt::CaseInsensitive));
}

// The window that owns the component, as the main window does.
QWidget& Owner() {
  static QWidget* owner = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "fuzz_http_answer";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);  // never destroyed, like the window
    return new QWidget;
  }();
  return *owner;
}

// The update check as the program runs it, with `abortAt` chunks (0: none,
// -1: at once after the send) before an abort of its own.
void ThroughComponentAsync(const std::string& proxy, std::size_t sent, int abortAt) {
  TAdvHttp http(&Owner());
  SetUp(http, proxy);
  bool ended = false, aborted = false;
  int chunks = 0;
  auto abort = [&] {
    http.Abort();
    aborted = ended = true;
  };
  auto onMain = [] { FUZZ_CHECK(QThread::currentThread() == qApp->thread()); };
  http.OnDataAvailable = [&](QObject*) {
    onMain();
    FUZZ_CHECK(!aborted);
    CheckChunk(http, sent);
    ++chunks;
    if (http.BytesRead() > kUpdateNoticeLimit || chunks == abortAt ||
        EvaluateUpdateNotice(http.Text(), 65538, 43))
      abort();
  };
  http.OnRequestComplete = [&](QObject*) {
    onMain();
    FUZZ_CHECK(!aborted);
    ended = true;
  };
  http.OnError = [&](QObject*) {
    onMain();
    ended = true;
  };
  http.OnResponseReceived = [&](QObject*) { onMain(); };
  http.Execute(false);
  if (abortAt < 0) abort();
  QElapsedTimer since;
  since.start();
  // Every wait of the layer is bounded (2 s receive time-out), so this is too.
  while (!ended && since.elapsed() < 15000) QApplication::processEvents(QEventLoop::AllEvents, 5);
  FUZZ_CHECK(ended);
  // Whatever is still running ends with the component.
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ReplayServer& server = Server();
  const std::vector<std::string> answers =
      Answers(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::string proxy = server.Proxy();
  // No body can be longer than all the answers together (the last answer has none).
  ThroughHeaderBlock(answers.front());
  server.Script(answers);
  ThroughLibrary(proxy, size);
  server.Script(answers);
  ThroughComponent(proxy, size);
  server.Script(answers);
  const int pick = size == 0 ? 0 : data[size - 1] % 4;
  ThroughComponentAsync(proxy, size, pick == 3 ? -1 : pick);
  return 0;
}
