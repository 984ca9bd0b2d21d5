// Requests through TAdvHttp against loopback servers, in both modes, with a
// widget owner (handlers on the main thread) and without one.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QWidget>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>

#include <unistd.h>

#include "platform/inet/Inet.h"
#include "platform/inet/InetErrorDlg.h"
#include "platform/inet/LoopbackServer.h"
#include "services/uAdvHttp.h"

namespace marnova {
namespace {

using namespace std::chrono_literals;
using marnova::testing::FullBacklogListener;
using marnova::testing::HttpTestServer;
using marnova::testing::RawServer;
using marnova::testing::StandardServer;
using ::testing::ElementsAre;

enum class Mode { Sync, Async };
enum class Owner { Widget, None };
struct Config {
  Mode mode;
  Owner owner;
};

std::string ConfigName(const ::testing::TestParamInfo<Config>& info) {
  return std::string(info.param.mode == Mode::Sync ? "Sync" : "Async") +
         (info.param.owner == Owner::Widget ? "WidgetOwner" : "NoOwner");
}

// The root of a loopback server's address.
std::string Local(int port) {
  return "http://127.0.0.1:" + std::to_string(port) + "/";
}

bool OnMainThread() {
  return QThread::currentThread() == qApp->thread();
}

struct Entry {
  std::string name;
  bool onMain;
  int chunkSize, chunkPosition, lastError;
};

// Ends the process (SIGALRM) when a test would hang; a hang is a failure,
// not a wait. The library sets CURLOPT_NOSIGNAL, so the alarm is ours alone.
struct Watchdog {
  explicit Watchdog(std::chrono::seconds limit) { alarm(static_cast<unsigned>(limit.count())); }
  ~Watchdog() { alarm(0); }
};

class AdvHttpRequest : public ::testing::TestWithParam<Config> {
 protected:
  static void SetUpTestSuite() { marnova::testing::ClearProxyEnvironment(); }

  void SetUp() override {
    auto& r = server_.Routes();
    r.Get("/zero", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(std::string("a\xE8\xE2\x80\x94"
                                  "b\0cd",
                                  9),
                      "application/octet-stream");
    });
    r.Get("/auth", [this](const httplib::Request& req, httplib::Response& res) {
      ++authRequests_;
      if (req.get_header_value("Authorization") == "Basic YWw6cHc=") {  // al:pw
        res.set_content("welcome", "text/plain");
        return;
      }
      res.status = 401;
      res.set_header("WWW-Authenticate", "Basic realm=\"Marnova\"");
      res.set_content("denied", "text/plain");
    });
    server_.Start();
  }

  void TearDown() override {
    Destroy();
    inet::SetCredentialPrompt({});
    inet::SetDefaultReceiveTimeout(30000);
  }

  Mode mode() const { return GetParam().mode; }
  bool widgetOwner() const { return GetParam().owner == Owner::Widget; }

  // A fresh component with every event logged, the log emptied.
  TAdvHttp& Make() {
    log_.clear();
    if (widgetOwner()) {
      owner_ = std::make_unique<QWidget>();
      http_ = new TAdvHttp(owner_.get());  // owned by its parent widget
    } else {
      loose_ = std::make_unique<TAdvHttp>();
      http_ = loose_.get();
    }
    http_->SetRaiseExceptions(false);
    http_->SetDefaultUi(false);
    Attach();
    return *http_;
  }
  void Destroy() {
    owner_.reset();
    loose_.reset();
    http_ = nullptr;
  }

  void Attach() {
    const std::pair<const char*, TNotifyEvent TAdvHttp::*> events[] = {
        {"ClosingConnection", &TAdvHttp::OnClosingConnection},
        {"ConnectedToServer", &TAdvHttp::OnConnectedToServer},
        {"ConnectingToServer", &TAdvHttp::OnConnectingToServer},
        {"ConnectionClosed", &TAdvHttp::OnConnectionClosed},
        {"IntermediateResponse", &TAdvHttp::OnIntermediateResponse},
        {"NameResolved", &TAdvHttp::OnNameResolved},
        {"ReceivingResponse", &TAdvHttp::OnReceivingResponse},
        {"ResponseReceived", &TAdvHttp::OnResponseReceived},
        {"Redirect", &TAdvHttp::OnRedirect},
        {"RequestComplete", &TAdvHttp::OnRequestComplete},
        {"RequestSent", &TAdvHttp::OnRequestSent},
        {"ResolvingName", &TAdvHttp::OnResolvingName},
        {"SendingRequest", &TAdvHttp::OnSendingRequest},
        {"StateChange", &TAdvHttp::OnStateChange},
        {"DataAvailable", &TAdvHttp::OnDataAvailable},
        {"NeedAuth", &TAdvHttp::OnNeedAuth},
        {"NeedProxyAuth", &TAdvHttp::OnNeedProxyAuth},
        {"Error", &TAdvHttp::OnError},
    };
    for (const auto& [name, member] : events) {
      std::string n = name;
      http_->*member = [this, n](QObject* sender) {
        EXPECT_EQ(sender, http_);
        Note({n, OnMainThread(), http_->ChunkSize(), http_->ChunkPosition(), http_->LastError()});
      };
    }
  }

  void Note(Entry e) {
    std::lock_guard lock(logMutex_);
    log_.push_back(std::move(e));
  }
  std::vector<Entry> Log() {
    std::lock_guard lock(logMutex_);
    return log_;
  }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (const Entry& e : Log()) names.push_back(e.name);
    return names;
  }
  int Count(const std::string& name) {
    int n = 0;
    for (const Entry& e : Log()) n += e.name == name;
    return n;
  }
  // Pumps the event loop (hand-overs need it) until `done` or `ms` pass.
  bool WaitFor(const std::function<bool()>& done, qint64 ms = 10000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
      if (timer.elapsed() > ms) return false;
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
      std::this_thread::sleep_for(1ms);
    }
    return true;
  }
  bool WaitForName(const std::string& name) {
    return WaitFor([&] { return Count(name) > 0; });
  }
  bool Run(const std::string& url, const std::string& until = "RequestComplete") {
    http_->SetURL(QString::fromStdString(url));
    const bool result = http_->Execute(mode() == Mode::Sync);
    EXPECT_TRUE(WaitForName(until)) << url;
    return result;
  }
  // Handlers ran where the owner says: on the main thread with a widget
  // owner, on the raising thread without.
  void ExpectHandlerThreads() {
    for (const Entry& e : Log()) {
      if (widgetOwner() || mode() == Mode::Sync) {
        EXPECT_TRUE(e.onMain) << e.name;
      } else if (e.name == "DataAvailable" || e.name == "RequestComplete") {
        EXPECT_FALSE(e.onMain) << e.name;
      }
    }
  }
  httplib::Request Seen() { return server_.Seen(); }

  Watchdog watchdog_{60s};
  StandardServer server_;
  std::atomic<int> authRequests_{0};
  std::unique_ptr<QWidget> owner_;
  std::unique_ptr<TAdvHttp> loose_;
  TAdvHttp* http_ = nullptr;
  std::mutex logMutex_;
  std::vector<Entry> log_;
};

TEST_P(AdvHttpRequest, FetchesBodyStatusAndHeaders) {
  TAdvHttp& http = Make();
  EXPECT_TRUE(Run(server_.Url("/hello")));
  EXPECT_EQ(http.Text(), "hello world");
  EXPECT_EQ(http.StatusCode(), 200);
  EXPECT_EQ(http.LastError(), 0);
  const QStringList headers = http.ResponseHeaders();
  ASSERT_FALSE(headers.isEmpty());
  EXPECT_EQ(headers.front(), "HTTP/1.1 200 OK");
  EXPECT_TRUE(headers.contains("X-Test: yes"));
  EXPECT_FALSE(headers.back().isEmpty());
  EXPECT_EQ(http.ServerAddress(), "127.0.0.1");
  EXPECT_GT(http.BytesSent(), 0);
  EXPECT_GE(http.TotalBytesReceived(), http.BytesRead());
  EXPECT_EQ(http.BytesRead(), 11);
  EXPECT_EQ(Count("RequestComplete"), 1);
  EXPECT_EQ(Count("Error"), 0);
  ExpectHandlerThreads();
}

TEST_P(AdvHttpRequest, APlainGetRaisesItsStagesInOrder) {
  Make();
  Run(server_.Url("/hello"));
  std::vector<std::string> names = Names();
  // Body traffic repeats the receiving pair; fold repeats for the comparison.
  names.erase(std::unique(names.begin(), names.end()), names.end());
  std::vector<std::string> stages;
  for (const std::string& n : names)
    if (stages.empty() || std::find(stages.begin(), stages.end(), n) == stages.end())
      stages.push_back(n);
  EXPECT_THAT(stages,
              ElementsAre("ResolvingName", "NameResolved", "ConnectingToServer",
                          "ConnectedToServer", "SendingRequest", "RequestSent", "ReceivingResponse",
                          "ResponseReceived", "DataAvailable", "RequestComplete"));
  EXPECT_EQ(names.back(), "RequestComplete");
}

TEST_P(AdvHttpRequest, ABodyOf40000BytesArrivesInThreeChunks) {
  TAdvHttp& http = Make();
  Run(server_.Url("/big"));
  std::vector<std::pair<int, int>> chunks;
  for (const Entry& e : Log())
    if (e.name == "DataAvailable") chunks.emplace_back(e.chunkSize, e.chunkPosition);
  EXPECT_THAT(chunks, ElementsAre(std::make_pair(16384, 0), std::make_pair(16384, 16384),
                                  std::make_pair(7232, 32768)));
  EXPECT_EQ(http.BytesRead(), 40000);
  EXPECT_EQ(http.Text().size(), 40000);
}

// Abort from the first OnDataAvailable: nothing more is read or fired, the
// body is freed, the request ends as cancelled; the next one runs as usual.
TEST_P(AdvHttpRequest, AbortFromAHandlerEndsTheRequestAsCancelled) {
  TAdvHttp& http = Make();
  http.OnDataAvailable = [this](QObject*) {
    Note({"DataAvailable", OnMainThread(), 0, 0, 0});
    http_->Abort();
  };
  Run(server_.Url("/big"), "Error");
  WaitFor([] { return false; }, 300);  // time for anything that would still come
  EXPECT_EQ(Count("DataAvailable"), 1);
  EXPECT_EQ(Count("RequestComplete"), 0);
  EXPECT_EQ(http.LastError(), 12017);  // ERROR_INTERNET_OPERATION_CANCELLED
  EXPECT_EQ(http.BytesRead(), 16384);
  EXPECT_TRUE(http.Text().isEmpty());
  http.Abort();  // nothing in progress: no effect
  EXPECT_EQ(Count("Error"), 1);
  Attach();
  EXPECT_TRUE(Run(server_.Url("/hello")));
  EXPECT_EQ(http.Text(), "hello world");
}

// A byte is a character (Latin-1): a UTF-8 dash stays three characters.
TEST_P(AdvHttpRequest, TextIsOneCharacterPerByteUpToTheFirstZero) {
  TAdvHttp& http = Make();
  Run(server_.Url("/zero"));
  EXPECT_EQ(http.Text(), QString::fromUtf16(u"a\u00e8\u00e2\u0080\u0094b"));
  EXPECT_EQ(http.BytesRead(), 9);
}

TEST_P(AdvHttpRequest, AnEmptyBodyRaisesNoDataButCompletes) {
  TAdvHttp& http = Make();
  Run(server_.Url("/empty"));
  EXPECT_EQ(http.StatusCode(), 204);
  EXPECT_EQ(Count("DataAvailable"), 0);
  EXPECT_EQ(Count("RequestComplete"), 1);
  EXPECT_EQ(http.Text(), "");
}

TEST_P(AdvHttpRequest, SendsHeaderLinesBodyAndAcceptTypes) {
  TAdvHttp& http = Make();
  http.SetMethod("POST");
  http.SetRequestHeaders({"X-One: 1", "X-Two: two"});
  http.SetAcceptTypes({"text/*", "", "image/*"});
  http.SetText("a=1");
  Run(server_.Url("/echo"));
  EXPECT_EQ(http.Text(), "got a=1");
  const httplib::Request seen = Seen();
  EXPECT_EQ(seen.method, "POST");
  EXPECT_EQ(seen.get_header_value("X-One"), "1");
  EXPECT_EQ(seen.get_header_value("X-Two"), "two");
  EXPECT_EQ(seen.get_header_value("Accept"), "text/*");  // the list ends at the empty line
  EXPECT_EQ(seen.get_header_value("User-Agent"), "Brevant WinInet Component");
}

TEST_P(AdvHttpRequest, PassesAtMostAHundredAcceptTypes) {
  TAdvHttp& http = Make();
  QStringList types;
  for (int i = 0; i < 150; ++i) types << QString("t/%1").arg(i);
  http.SetAcceptTypes(types);
  Run(server_.Url("/echo"));
  const std::string accept = Seen().get_header_value("Accept");
  EXPECT_EQ(std::count(accept.begin(), accept.end(), ',') + 1, 100);
  EXPECT_EQ(accept.substr(accept.size() - 4), "t/99");
}

TEST_P(AdvHttpRequest, FollowsRedirectsAndReportsTheTarget) {
  TAdvHttp& http = Make();
  Run(server_.Url("/from"));
  EXPECT_EQ(http.Text(), "arrived");
  EXPECT_EQ(http.RedirectURL().toStdString(), server_.Url("/to"));
  EXPECT_EQ(Count("Redirect"), 1);
}

TEST_P(AdvHttpRequest, NoAuthRetriesEndsTheFirst401WithCancelled) {
  TAdvHttp& http = Make();
  http.SetAuthRetries(0);
  http.SetDefaultUi(true);
  int prompts = 0;
  inet::SetCredentialPrompt([&](const inet::CredentialRequest&) {
    ++prompts;
    return std::optional<inet::CredentialAnswer>();
  });
  Run(server_.Url("/auth"), "Error");
  EXPECT_EQ(http.StatusCode(), 401);
  EXPECT_EQ(http.LastError(), 12017);
  EXPECT_EQ(Count("NeedAuth"), 1);
  EXPECT_EQ(prompts, 0);
  std::this_thread::sleep_for(50ms);
  QCoreApplication::processEvents();
  EXPECT_EQ(Count("RequestComplete"), 0);
}

TEST_P(AdvHttpRequest, RetriesA401UpToAuthRetriesTimes) {
  TAdvHttp& http = Make();
  Run(server_.Url("/auth"), "Error");
  EXPECT_EQ(http.LastError(), 12017);
  EXPECT_EQ(Count("NeedAuth"), 4);  // sent four times, every 401 reported
  EXPECT_EQ(authRequests_, 4);
  EXPECT_EQ(Count("RequestComplete"), 0);
}

TEST_P(AdvHttpRequest, CredentialsGivenInOnNeedAuthAreUsedForTheRetry) {
  TAdvHttp& http = Make();
  http.OnNeedAuth = [](QObject* sender) {
    auto* h = static_cast<TAdvHttp*>(sender);
    h->SetUserName("al");
    h->SetPassword("pw");
  };
  Run(server_.Url("/auth"));
  EXPECT_EQ(http.Text(), "welcome");
  EXPECT_EQ(http.StatusCode(), 200);
  EXPECT_EQ(authRequests_, 2);
}

TEST_P(AdvHttpRequest, TheDialogAnswersRetryOrCancel) {
  struct Case {
    bool answer;
    std::string until, text;
    int lastError;
  } cases[] = {{true, "RequestComplete", "welcome", 0}, {false, "Error", "", 12017}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    authRequests_ = 0;
    TAdvHttp& http = Make();
    http.SetDefaultUi(true);
    std::atomic<int> prompts{0};
    std::atomic<bool> promptOnMain{false};
    inet::SetCredentialPrompt([&](const inet::CredentialRequest& ask) {
      ++prompts;
      promptOnMain = OnMainThread();
      EXPECT_EQ(ask.host, "127.0.0.1");
      EXPECT_EQ(ask.realm, "Marnova");
      EXPECT_FALSE(ask.proxy);
      return c.answer ? std::optional<inet::CredentialAnswer>({"al", "pw"}) : std::nullopt;
    });
    Run(server_.Url("/auth"), c.until);
    EXPECT_EQ(http.Text().toStdString(), c.text);
    EXPECT_EQ(http.LastError(), c.lastError);
    EXPECT_EQ(prompts, 1);
    if (widgetOwner()) {
      EXPECT_TRUE(promptOnMain);
    }
    EXPECT_EQ(Count("RequestComplete"), c.answer ? 1 : 0);
    Destroy();
  }
}

TEST_P(AdvHttpRequest, A407AsksForProxyCredentials) {
  HttpTestServer proxy;
  std::atomic<int> requests{0};
  proxy.Routes().Get(".*", [&](const httplib::Request& req, httplib::Response& res) {
    ++requests;
    if (req.get_header_value("Proxy-Authorization") == "Basic cHg6c2VjcmV0") {  // px:secret
      res.set_content("through", "text/plain");
      return;
    }
    res.status = 407;
    res.set_header("Proxy-Authenticate", "Basic realm=\"gate\"");
  });
  proxy.Start();
  TAdvHttp& http = Make();
  http.SetProxy(QString("127.0.0.1:%1").arg(proxy.Port()));
  http.SetDefaultUi(true);
  inet::SetCredentialPrompt([&](const inet::CredentialRequest& ask) {
    EXPECT_TRUE(ask.proxy);
    EXPECT_EQ(ask.realm, "gate");
    return std::optional<inet::CredentialAnswer>({"px", "secret"});
  });
  Run("http://127.0.0.1:9/anything");
  EXPECT_EQ(Count("NeedProxyAuth"), 1);
  EXPECT_EQ(http.Text(), "through");
  EXPECT_EQ(requests, 2);
}

TEST_P(AdvHttpRequest, FaultsEndInOnErrorWithTheirCodes) {
  inet::SetDefaultReceiveTimeout(400);
  RawServer reset([](RawServer& self, int s) {
    RawServer::Write(s,
                     "HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n" + std::string(20000, 'r'));
    self.Stall(100);
    self.Reset(s);
  });
  RawServer stall([](RawServer& self, int s) {
    RawServer::Write(s, "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n0123456789");
    self.Stall(3000);
  });
  RawServer badStatus([](RawServer&, int s) { RawServer::Write(s, "garbage\r\n\r\n"); });
  FullBacklogListener full;
  struct Case {
    const char* name;
    std::string url;
    std::vector<int> errors;
    bool completes;  // failures while reading the body still complete
  } cases[] = {
      {"refused", Local(marnova::testing::RefusingPort()), {12029}, false},
      {"unresolvable", "http://marnova-test.invalid/", {12007}, false},
      {"connect time-out", Local(full.Port()), {12002}, false},
      {"reset mid-body", Local(reset.Port()), {12031, 12030}, true},
      {"stalled", Local(stall.Port()), {12002}, true},
      {"invalid status line", Local(badStatus.Port()), {12152}, false},
  };

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TAdvHttp& http = Make();
    http.SetConnectTimeout(300);
    const bool result = Run(c.url, c.completes ? "RequestComplete" : "Error");
    EXPECT_THAT(http.LastError(), ::testing::AnyOfArray(c.errors));
    EXPECT_EQ(Count("Error"), 1);
    // Synchronously, a failed send is Execute's own failure; asynchronously
    // Execute has returned before it is known.
    if (c.completes) {
      EXPECT_FALSE(http.Text().isEmpty());
    } else {
      EXPECT_EQ(result, mode() == Mode::Async);
    }
    EXPECT_EQ(Count("RequestComplete"), c.completes ? 1 : 0);
    Destroy();
  }
}

TEST_P(AdvHttpRequest, ARequestLeftOpenByAFailureIsReplacedByTheNextExecute) {
  TAdvHttp& http = Make();
  Run(Local(marnova::testing::RefusingPort()), "Error");
  log_.clear();
  Run(server_.Url("/hello"));
  EXPECT_EQ(http.Text(), "hello world");
  EXPECT_EQ(http.LastError(), 0);
}

TEST_P(AdvHttpRequest, AHandlersExceptionComesBackToTheRaisingSide) {
  TAdvHttp& http = Make();
  http.SetRaiseExceptions(true);
  http.OnDataAvailable = [](QObject*) { throw std::runtime_error("handler failed"); };
  http.SetURL(QString::fromStdString(server_.Url("/hello")));
  if (mode() == Mode::Sync) {
    EXPECT_THROW(
        {
          try {
            http.Execute(true);
          } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "handler failed");
            throw;
          }
        },
        std::runtime_error);
  } else {
    // On the worker it ends the body reading, nothing more.
    EXPECT_TRUE(http.Execute(false));
  }
  EXPECT_TRUE(WaitForName("RequestComplete"));
}

TEST_P(AdvHttpRequest, RaisesLibraryErrorsWhenAskedTo) {
  if (mode() == Mode::Async) GTEST_SKIP() << "asynchronous failures are only reported";
  TAdvHttp& http = Make();
  http.SetRaiseExceptions(true);
  http.SetURL(QString("http://127.0.0.1:%1/").arg(marnova::testing::RefusingPort()));
  try {
    http.Execute(true);
    FAIL() << "no exception";
  } catch (const EInetError& e) {
    EXPECT_STREQ(e.what(), "A connection with the server could not be established.");
  }
  EXPECT_EQ(http.LastError(), 12029);
}

INSTANTIATE_TEST_SUITE_P(ModesAndOwners, AdvHttpRequest,
                         ::testing::Values(Config{Mode::Sync, Owner::Widget},
                                           Config{Mode::Sync, Owner::None},
                                           Config{Mode::Async, Owner::Widget},
                                           Config{Mode::Async, Owner::None}),
                         ConfigName);

// Destroying the component while its worker waits for the main thread (the
// main thread is not processing events) must not deadlock.
TEST(AdvHttpLifecycle, DestroyingWhileTheWorkerWaitsForTheMainThreadReturns) {
  marnova::testing::ClearProxyEnvironment();
  Watchdog watchdog(30s);
  HttpTestServer server;
  server.Routes().Get("/big", [](const httplib::Request&, httplib::Response& res) {
    res.set_content(std::string(40000, 'b'), "application/octet-stream");
  });
  server.Start();
  auto owner = std::make_unique<QWidget>();
  auto* http = new TAdvHttp(owner.get());
  std::atomic<int> ran{0};
  http->OnDataAvailable = [&](QObject*) { ++ran; };
  http->SetURL(QString::fromStdString(server.Url("/big")));
  ASSERT_TRUE(http->Execute(false));
  std::this_thread::sleep_for(300ms);  // the worker has read a chunk and waits
  const auto start = std::chrono::steady_clock::now();
  owner.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
  QCoreApplication::processEvents();
  EXPECT_EQ(ran, 0);  // the dropped hand-over never ran
}

TEST(AdvHttpLifecycle, OnlyWidgetOwnedComponentsShareTheHiddenWindow) {
  EXPECT_EQ(AdvHttpWindow::Instance(), nullptr);
  {
    TAdvHttp loose;
    EXPECT_EQ(AdvHttpWindow::Instance(), nullptr);
    QWidget owner;
    auto first = std::make_unique<TAdvHttp>(&owner);
    AdvHttpWindow* window = AdvHttpWindow::Instance();
    ASSERT_NE(window, nullptr);
    new TAdvHttp(&owner);  // owned by its parent widget
    EXPECT_EQ(AdvHttpWindow::Instance(), window);
    first.reset();  // the window stays for the second
    EXPECT_EQ(AdvHttpWindow::Instance(), window);
  }
  EXPECT_EQ(AdvHttpWindow::Instance(), nullptr);
}

}  // namespace
}  // namespace marnova
