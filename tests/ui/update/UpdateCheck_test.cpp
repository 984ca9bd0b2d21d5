// The update check of the running main window against a loopback server:
// the tick about a second after start, the notice, and the update window.
#include <gtest/gtest.h>

#include <QTest>
#include <chrono>
#include <string>
#include <thread>

#include "tests/ui/update/UpdateCheckFixture.h"
#include "ui/widgets/TTimer.h"

namespace marnova {
namespace {

using testing::HttpTestServer;
using testing::UpdateCheckTest;

TEST_F(UpdateCheckTest, NewerNoticeOffersTheUpdateAboutASecondAfterStart) {
  Serve("1 44 http://dl.marnova.example/setup.exe\r\n");
  RunFor(QString::fromStdString(server.Url("/marnova.txt")), 1500);
  // The expectations below say what was missing.
  (void)QTest::qWaitFor([this] { return !offers.isEmpty(); }, 5000);
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
      // Read byte by byte, a UTF-8 dash (\342\200\224) leaves no number in the minor field.
      {"three-byte dash", "1\342\200\22444 http://dl.marnova.example/", 200},
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

// The body is read in chunks of 16384 bytes and evaluated after each, yet
// one check opens the update window once: after the offer nothing more is read.
TEST_F(UpdateCheckTest, OneCheckOffersOnceHoweverManyChunks) {
  for (std::size_t padding : {std::size_t{20000}, std::size_t{70000}}) {
    SCOPED_TRACE(padding);
    HttpTestServer local;
    local.Routes().Get("/marnova.txt", [&](const httplib::Request&, httplib::Response& response) {
      response.set_content("1 44 http://dl.marnova.example/" + std::string(padding, '\n'),
                           "text/plain");
    });
    local.Start();
    offers.clear();
    RunFor(QString::fromStdString(local.Url("/marnova.txt")), 1500);
    // The expectation below says what was missing.
    (void)QTest::qWaitFor([this] { return !offers.isEmpty(); }, 5000);
    QTest::qWait(800);  // no second offer follows
    EXPECT_EQ(offers, QStringList{"http://dl.marnova.example/"});
    TearDown();
  }
}

// The update host as a build may name it, with a port or as an IPv6 address:
// the window's own sequence of URL, path and host name reaches the server.
TEST_F(UpdateCheckTest, TheUpdateHostMayCarryAPortOrBeIPv6) {
  struct Case {
    const char* bind;
    const char* authority;  // %1: the port
    const char* hostName;
  };
  for (const Case& c :
       {Case{"127.0.0.1", "127.0.0.1:%1", "127.0.0.1"}, Case{"::1", "[::1]:%1", "[::1]"}}) {
    SCOPED_TRACE(c.authority);
    HttpTestServer local;
    local.Routes().Get("/marnova.txt", [](const httplib::Request&, httplib::Response& response) {
      response.set_content("1 44 http://dl.marnova.example/", "text/plain");
    });
    local.Start(c.bind);
    offers.clear();
    const QString authority = QString(c.authority).arg(local.Port());
    Start("http://" + authority + "/marnova.txt");
    form->AdvHttp->SetURLPath("/marnova.txt");
    form->AdvHttp->SetHostName(c.hostName);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !offers.isEmpty(); }, 5000));
    EXPECT_EQ(form->AdvHttp->URL(), "http://" + authority + "/marnova.txt");
    TearDown();
  }
}

TEST_F(UpdateCheckTest, NoServerStaysSilentAndTheWindowResponsive) {
  RunFor(QString("http://127.0.0.1:%1/marnova.txt").arg(testing::RefusingPort()), 1500);
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
