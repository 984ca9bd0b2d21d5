// The update check of the running main window against a loopback server:
// the tick about a second after start, the notice, and the update window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <poll.h>

#include "services/AppInfo.h"
#include "services/uAdvHttp.h"
#include "tests/platform/inet/LoopbackServer.h"
#include "ui/DataModule.h"
#include "ui/FrameCmdHsvUnit.h"
#include "ui/MainUnit.h"
#include "ui/UpdateUnit.h"
#include "ui/widgets/FontSubstitutes.h"
#include "ui/widgets/TLMDLabel.h"
#include "ui/widgets/TLMDSimpleLabel.h"
#include "ui/widgets/TTimer.h"

namespace marnova {
namespace {

using testing::FullBacklogListener;
using testing::HttpTestServer;
using testing::RawServer;

class UpdateCheckTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitAppInfo();
    InstallFontSubstitutes();
  }

  // Serves `body` (with `status`) at /marnova.txt; counts requests.
  void Serve(std::string body, int status = 200) {
    server.Routes().Get("/marnova.txt", [this, body, status](const httplib::Request& request,
                                                             httplib::Response& response) {
      if (requests++ == 0) firstRequestMs = sinceStart.elapsed();
      userAgent = request.get_header_value("User-Agent");
      response.status = status;
      response.set_content(body, "text/plain");
    });
    server.Start();
  }

  // Starts the window with its check pointed at `url`, and closes every
  // update window that opens (once `keepOffersOpenMs` from the start have
  // passed), noting its link target.
  void Start(const QString& url) {
    sinceStart.start();
    form = std::make_unique<TFormMain>();
    if (timeLimit.count() > 0) form->UpdateTimeLimit = timeLimit;
    form->AdvHttp->SetURL(url);
    dm = std::make_unique<TDM>();
    closer = std::make_unique<QTimer>();
    closer->setInterval(20);
    QObject::connect(closer.get(), &QTimer::timeout, [this] {
      auto* update = qobject_cast<TFormUpdate*>(QApplication::activeModalWidget());
      if (update == nullptr || !update->isVisible() || sinceStart.elapsed() < keepOffersOpenMs)
        return;
      offers.push_back(update->lbJumpInternet->Jump());
      captions.push_back(update->lbJumpInternet->Caption());
      update->close();
    });
    closer->start();
    form->show();
  }
  // As Start, then returns after `ms`.
  void RunFor(const QString& url, int ms) {
    Start(url);
    QTest::qWait(ms);
  }

  void TearDown() override {
    closer.reset();
    form.reset();
    dm.reset();
  }

  HttpTestServer server;
  QElapsedTimer sinceStart;
  std::atomic<int> requests{0};
  std::atomic<qint64> firstRequestMs{-1};
  std::string userAgent;
  std::unique_ptr<TFormMain> form;
  std::unique_ptr<TDM> dm;
  std::unique_ptr<QTimer> closer;
  std::chrono::milliseconds timeLimit{0};  // the window's own when 0
  qint64 keepOffersOpenMs = 0;
  QStringList offers, captions;
};

TEST_F(UpdateCheckTest, NewerNoticeOffersTheUpdateAboutASecondAfterStart) {
  Serve("1 44 http://dl.marnova.example/setup.exe\r\n");
  RunFor(QString::fromStdString(server.Url("/marnova.txt")), 1500);
  (void)QTest::qWaitFor([this] { return !offers.isEmpty(); },
                        5000);  // the expectations below say what was missing
  EXPECT_EQ(requests, 1);
  EXPECT_GE(firstRequestMs, 900);
  EXPECT_LE(firstRequestMs, 3000);
  EXPECT_EQ(userAgent, "Brevant WinInet Component");
  ASSERT_EQ(offers.size(), 1);
  EXPECT_EQ(offers[0], "http://dl.marnova.example/setup.exe");
  EXPECT_EQ(captions[0], "marnova.example");  // the link's caption stays
  EXPECT_FALSE(form->TimerUpdate->Enabled());
  EXPECT_TRUE(FormUpdate.isNull());  // freed once closed
}

TEST_F(UpdateCheckTest, NothingIsOfferedForOtherAnswers) {
  struct Case {
    const char* name;
    std::string body;
    int status;
  };
  const Case cases[] = {
      {"not newer", "1 05 http://dl.marnova.example/", 200},
      {"same version", "2 43 http://dl.marnova.example/", 200},
      {"malformed", "a 44 http://dl.marnova.example/", 200},
      // Read byte by byte, a UTF-8 dash leaves no number in the minor field.
      {"three-byte dash",
       "1\xE2\x80\x94"
       "44 http://dl.marnova.example/",
       200},
      {"error page", "<html><body>404 Not Found</body></html>", 404},
      {"empty body", "", 200},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HttpTestServer local;
    int served = 0;
    local.Routes().Get("/marnova.txt", [&](const httplib::Request&, httplib::Response& response) {
      ++served;
      response.status = c.status;
      response.set_content(c.body, "text/plain");
    });
    local.Start();
    offers.clear();
    RunFor(QString::fromStdString(local.Url("/marnova.txt")), 1800);
    EXPECT_EQ(served, 1);
    EXPECT_TRUE(offers.isEmpty());
    TearDown();
  }
}

// The body is read in chunks of 16384 bytes and evaluated after each: a
// notice padded past one chunk is offered twice, once per evaluation.
TEST_F(UpdateCheckTest, EachChunkIsEvaluatedAgain) {
  Serve("1 44 http://dl.marnova.example/" + std::string(20000, '\n'));
  RunFor(QString::fromStdString(server.Url("/marnova.txt")), 1500);
  (void)QTest::qWaitFor([this] { return offers.size() >= 2; },
                        8000);  // the expectations below say what was missing
  QTest::qWait(300);            // no third offer follows
  EXPECT_EQ(offers.size(), 2);
}

// Past 64 KiB the check ends: the body is no longer read or evaluated.
TEST_F(UpdateCheckTest, LongBodiesStopBeingEvaluated) {
  Serve("1 44 http://dl.marnova.example/" + std::string(70000, '\n'));
  RunFor(QString::fromStdString(server.Url("/marnova.txt")), 1500);
  (void)QTest::qWaitFor([this] { return offers.size() >= 4; },
                        10000);  // the expectations below say what was missing
  QTest::qWait(500);             // and no fifth
  EXPECT_EQ(offers.size(), 4);   // chunks ending at 16384, 32768, 49152 and 65536 bytes
}

TEST_F(UpdateCheckTest, NoServerStaysSilentAndTheWindowResponsive) {
  int port = 0;
  const int fd = testing::ListenLoopback(1, &port);
  ::close(fd);  // nobody listens there now
  RunFor(QString("http://127.0.0.1:%1/marnova.txt").arg(port), 1500);
  EXPECT_TRUE(offers.isEmpty());
  // The window still answers at once.
  form->FColor->SetRGB(0, 0, 0);
  EXPECT_EQ(form->lbDiffRes->Caption(), "Differenza di Colore = 0");
}

TEST_F(UpdateCheckTest, WindowStaysResponsiveWhileTheServerIsSlow) {
  server.Routes().Get("/marnova.txt", [](const httplib::Request&, httplib::Response& response) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    response.set_content("1 05 x", "text/plain");
  });
  server.Start();
  RunFor(QString::fromStdString(server.Url("/marnova.txt")), 1300);
  QElapsedTimer answer;
  answer.start();
  form->FBack->SetRGB(255, 255, 255);
  EXPECT_EQ(form->lbDiffRes->Caption(), "Differenza di Colore = 0");
  EXPECT_LT(answer.elapsed(), 500);
  QTest::qWait(1500);
  EXPECT_TRUE(offers.isEmpty());
}

// --- cut-off checks ----------------------------------------------------------

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr long kRssSlackKb = 32 * 1024;  // shadow memory and freed-block quarantine
constexpr qint64 kLateMs = 3000;
#else
constexpr long kRssSlackKb = 2 * 1024;
constexpr qint64 kLateMs = 1000;
#endif
constexpr std::chrono::milliseconds kTestLimit{1500};

long StatusKb(const std::string& field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
  return -1;
}

long Entries(const char* folder) {
  return std::distance(std::filesystem::directory_iterator(folder),
                       std::filesystem::directory_iterator());
}

// What a scripted server saw of the client.
struct Seen {
  std::atomic<long long> sent{0};
  std::atomic<qint64> closedAfterMs{-1};  // from the accept; -1 while open
};

// Writes `head`, then `first`, then blocks of `filler` up to `total` bytes
// (dripped one byte per 50 ms when `drip`), until the client closes. Every
// loop is bounded by `total`, a send time-out and a 20 s watch.
void Stream(int socket, Seen& seen, const std::string& head, const std::string& first, char filler,
            long long total, bool drip) {
  QElapsedTimer since;
  since.start();
  const timeval timeout{5, 0};
  setsockopt(socket, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
  const std::string block(drip ? 1 : 64 * 1024, filler);
  auto closed = [&] {
    pollfd peer{socket, POLLIN | POLLRDHUP, 0};
    char byte;
    return poll(&peer, 1, 0) > 0 && recv(socket, &byte, 1, MSG_DONTWAIT) <= 0;
  };
  bool failed = false;
  auto write = [&](const char* data, std::size_t size) {
    for (std::size_t done = 0; done < size && !failed;) {
      const ssize_t n = send(socket, data + done, size - done, MSG_NOSIGNAL);
      failed = n <= 0;
      if (n > 0) done += static_cast<std::size_t>(n), seen.sent += n;
    }
  };
  write(head.data(), head.size());
  write(first.data(), first.size());
  while (!failed && seen.sent < total && since.elapsed() < 20000 && !closed()) {
    write(block.data(), block.size());
    if (drip) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  while (!closed() && since.elapsed() < 20000)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  seen.closedAfterMs = since.elapsed();
}

// A check that runs into its body limit or its time limit is closed and
// leaves nothing behind: no descriptor, no thread, no memory, no offer; the
// window answers as before.
TEST_F(UpdateCheckTest, ACutOffCheckClosesAndKeepsNothing) {
  enum class Kind { NoAnswer, StalledConnect, Drip, Huge };
  struct Case {
    const char* name;
    Kind kind;
  };
  const Case cases[] = {
      {"accepts and never answers", Kind::NoAnswer},
      {"connect never completes", Kind::StalledConnect},
      {"drip-fed body", Kind::Drip},
      {"200 MB body", Kind::Huge},
  };
  constexpr long long kHuge = 200'000'000;
  const std::string head =
      "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(kHuge) +
      "\r\n\r\n";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Seen seen;
    RawServer raw([&](RawServer&, int socket) {
      if (c.kind == Kind::NoAnswer) Stream(socket, seen, {}, {}, 'a', 0, false);
      if (c.kind == Kind::Drip) Stream(socket, seen, head, {}, 'a', kHuge, true);
      if (c.kind == Kind::Huge) Stream(socket, seen, head, {}, 'a', kHuge, false);
    });
    FullBacklogListener stalled;
    const int port = c.kind == Kind::StalledConnect ? stalled.Port() : raw.Port();
    timeLimit = kTestLimit;
    Start(QString("http://127.0.0.1:%1/marnova.txt").arg(port));
    QTest::qWait(500);  // shown and painted; the check starts at about 1 s
    const long descriptors = Entries("/proc/self/fd"), threads = Entries("/proc/self/task");
    const long rssBefore = StatusKb("VmRSS");
    std::ofstream("/proc/self/clear_refs") << "5";  // restarts the peak count
    const bool byTime = c.kind != Kind::Huge;
    QTest::qWait(static_cast<int>(500 + (byTime ? kTestLimit.count() : 0)));
    if (c.kind != Kind::StalledConnect) {
      EXPECT_TRUE(QTest::qWaitFor([&] { return seen.closedAfterMs >= 0; }, kLateMs));
    }
    (void)QTest::qWaitFor([&] { return Entries("/proc/self/fd") <= descriptors; }, kLateMs);
    EXPECT_LE(Entries("/proc/self/fd"), descriptors);
    (void)QTest::qWaitFor([&] { return Entries("/proc/self/task") <= threads; }, kLateMs);
    EXPECT_LE(Entries("/proc/self/task"), threads);
    EXPECT_LE(StatusKb("VmHWM") - rssBefore, kRssSlackKb);
    if (c.kind == Kind::Huge) {
      EXPECT_EQ(form->AdvHttp->BytesRead(), 5 * 16384);  // the first chunk past 64 KiB
      EXPECT_LT(seen.sent, 16'000'000);  // what the socket buffers took, then the close
    } else if (c.kind != Kind::StalledConnect) {
      EXPECT_GE(seen.closedAfterMs, kTestLimit.count() - 300);
      EXPECT_LE(seen.closedAfterMs, kTestLimit.count() + kLateMs);
    }
    EXPECT_TRUE(form->AdvHttp->Text().isEmpty());
    EXPECT_TRUE(offers.isEmpty());
    form->FColor->SetRGB(0, 0, 0);
    form->FBack->SetRGB(0, 0, 0);
    EXPECT_EQ(form->lbDiffRes->Caption(), "Differenza di Colore = 0");
    TearDown();
  }
}

// A notice in the first chunk of an endless body is offered; the time limit
// passes while its window is open, which stays open, and once it is closed
// the check is over: nothing more is read and nothing offered again.
TEST_F(UpdateCheckTest, ANoticeBeforeAnEndlessBodyIsOfferedOnce) {
  Seen seen;
  RawServer raw([&](RawServer&, int socket) {
    Stream(socket, seen, "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n",
           "1 44 http://dl.marnova.example/\r\n", '\n', 1'000'000'000, false);
  });
  timeLimit = kTestLimit;
  keepOffersOpenMs = 1000 + kTestLimit.count() + 500;
  Start(QString("http://127.0.0.1:%1/marnova.txt").arg(raw.Port()));
  EXPECT_TRUE(QTest::qWaitFor([&] { return seen.closedAfterMs >= 0; }, 8000));
  QTest::qWait(300);  // no second offer follows
  ASSERT_EQ(offers.size(), 1);
  EXPECT_EQ(offers[0], "http://dl.marnova.example/");
  EXPECT_EQ(form->AdvHttp->BytesRead(), 16384);
  EXPECT_LT(seen.sent, 16'000'000);
}

}  // namespace
}  // namespace marnova
