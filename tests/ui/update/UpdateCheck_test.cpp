// The update check of the running main window against a loopback server:
// the tick about a second after start, the notice, and the update window.
#include <gtest/gtest.h>

#include <QTest>
#include <chrono>
#include <string>
#include <thread>

#include "tests/ui/update/UpdateCheckFixture.h"
#include "ui/FrameCmdHsvUnit.h"
#include "ui/widgets/TLMDLabel.h"
#include "ui/widgets/TTimer.h"

namespace marnova {
namespace {

using testing::HttpTestServer;
using testing::UpdateCheckTest;

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

}  // namespace
}  // namespace marnova
