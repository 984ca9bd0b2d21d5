#pragma once
// A started main window as the program has it after start: application
// information filled, fonts resolved, the data module created after the
// window, the window shown.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "services/AppInfo.h"
#include "ui/DataModule.h"
#include "ui/MainUnit.h"
#include "ui/widgets/FontSubstitutes.h"
#include "ui/widgets/TTimer.h"

namespace marnova {

class MainWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitAppInfo();
    InstallFontSubstitutes();
  }
  void SetUp() override { Open(); }
  void TearDown() override { Close(); }
  void Open() {
    form = std::make_unique<TFormMain>();
    // These tests are not about the update check: no request leaves them.
    form->TimerUpdate->setEnabled(false);
    dm = std::make_unique<TDM>();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  }
  void Close() {
    form.reset();
    dm.reset();
  }
  static void PressPickButton(TFrameHsvCtrl* panel) {
    QTest::mouseClick(panel->btnPick, Qt::LeftButton, {}, QPoint(10, 10));
  }

  // Runs `inspect` on the modal window that `open` shows, then closes it.
  static void WhileModal(const std::function<void()>& open,
                         const std::function<void(QWidget&)>& inspect) {
    bool seen = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal == nullptr || !modal->isVisible()) return;
      poll.stop();
      seen = true;
      inspect(*modal);
      modal->close();
    });
    poll.start();
    open();
    EXPECT_TRUE(seen) << "no modal window appeared";
  }

  std::unique_ptr<TFormMain> form;
  std::unique_ptr<TDM> dm;
};

}  // namespace marnova
