// The running main window with its update check pointed at a loopback
// server; every update window that opens is noted and closed.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <memory>
#include <string>

#include "services/AppInfo.h"
#include "services/uAdvHttp.h"
#include "tests/platform/inet/LoopbackServer.h"
#include "ui/DataModule.h"
#include "ui/MainUnit.h"
#include "ui/UpdateUnit.h"
#include "ui/widgets/FontSubstitutes.h"

namespace marnova::testing {

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
    if (showWindow) {
      form->show();
    } else {
      form->FormShow(form.get());  // wired as when shown, without painting
    }
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
  bool showWindow = true;
  QStringList offers, captions;
};

}  // namespace marnova::testing
