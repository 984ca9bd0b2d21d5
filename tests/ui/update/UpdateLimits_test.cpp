// An update check that runs into its limits, body length or time, against
// scripted loopback servers: closed, and nothing kept.
#include <gtest/gtest.h>

#include <QTest>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include <poll.h>

#include "tests/ui/update/UpdateCheckFixture.h"

namespace marnova {
namespace {

using testing::FullBacklogListener;
using testing::RawServer;
using testing::UpdateCheckTest;

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
  const timeval timeout{10, 0};
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
  {
    // The first request loads the HTTP library, whatever the answer; that
    // is no part of what an answer may cost.
    TAdvHttp warmUp;
    warmUp.SetRaiseExceptions(false);
    warmUp.SetURL(QString("http://127.0.0.1:%1/").arg(testing::RefusingPort()));
    warmUp.Execute(true);
  }
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
    showWindow = false;  // Qt's painting threads are none of this
    Start(QString("http://127.0.0.1:%1/marnova.txt").arg(port));
    QTest::qWait(500);  // set up; the check starts at about 1 s
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
#if defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the update window paints through Qt's thread pool, which is not built for "
                  "ThreadSanitizer; the cut-off table covers the check's own threads";
#endif
  Seen seen;
  RawServer raw([&](RawServer&, int socket) {
    Stream(socket, seen, "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n",
           "1 44 http://dl.marnova.example/\r\n", '\n', 1'000'000'000, false);
  });
  timeLimit = kTestLimit;
  keepOffersOpenMs = 1000 + kTestLimit.count() + 1500;
  Start(QString("http://127.0.0.1:%1/marnova.txt").arg(raw.Port()));
  EXPECT_TRUE(QTest::qWaitFor([&] { return seen.closedAfterMs >= 0; }, 12000));
  QTest::qWait(300);  // no second offer follows
  ASSERT_EQ(offers.size(), 1);
  EXPECT_EQ(offers[0], "http://dl.marnova.example/");
  EXPECT_EQ(form->AdvHttp->BytesRead(), 16384);
  EXPECT_LT(seen.sent, 16'000'000);
}

}  // namespace
}  // namespace marnova
