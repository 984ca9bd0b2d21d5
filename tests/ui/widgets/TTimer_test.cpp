#include "ui/widgets/TTimer.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>
#include <string>
#include <thread>

#include "ui/widgets/ApplicationErrors.h"

namespace marnova {
namespace {

TEST(TTimer, TicksWhileEnabledAndStopsWhenDisabled) {
  TTimer timer;
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 1000);
  int ticks = 0;
  timer.OnTimer = [&](QObject* sender) {
    EXPECT_EQ(sender, &timer);
    ++ticks;
  };
  timer.setInterval(40);
  QTest::qWait(300);
  EXPECT_GE(ticks, 3);
  timer.setEnabled(false);
  const int stopped = ticks;
  QTest::qWait(150);
  EXPECT_EQ(ticks, stopped);
  timer.setInterval(0);  // a zero interval never ticks, even when enabled
  timer.setEnabled(true);
  EXPECT_FALSE(timer.Running());
}

TEST(TTimer, DisablingInItsOwnHandlerStopsAndReEnablingWaitsAFullInterval) {
  TTimer timer;
  timer.setInterval(100);
  int ticks = 0;
  timer.OnTimer = [&](QObject*) {
    ++ticks;
    timer.setEnabled(false);
  };
  QTest::qWait(350);
  EXPECT_EQ(ticks, 1);
  QElapsedTimer clock;
  qint64 elapsed = -1;
  timer.OnTimer = [&](QObject*) {
    elapsed = clock.elapsed();
    timer.setEnabled(false);
  };
  clock.start();
  timer.setEnabled(true);
  QTest::qWait(300);
  EXPECT_GE(elapsed, 95);
}

TEST(TTimer, ChangingASettingRestartsTheCountdownButTheSameValueDoesNot) {
  struct Case {
    const char* what;
    bool alternate;  // true: 100/101 in turn; false: always 100
    bool ticks;
  } cases[] = {{"same value", false, true}, {"changed value", true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TTimer timer;
    timer.setInterval(100);
    int ticks = 0;
    timer.OnTimer = [&](QObject*) { ++ticks; };
    for (int i = 0; i < 10; ++i) {
      QTest::qWait(40);
      timer.setInterval(c.alternate && i % 2 == 0 ? 101 : 100);
    }
    EXPECT_EQ(ticks > 0, c.ticks);
  }
}

TEST(TTimer, AnErrorInTheHandlerGoesToTheErrorHandlerAndTicksGoOn) {
  std::string reported;
  int reports = 0;
  SetApplicationErrorHandler([&](std::exception_ptr error) {
    ++reports;
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& e) {
      reported = e.what();
    }
  });
  TTimer timer;
  timer.setInterval(30);
  timer.OnTimer = [](QObject*) { throw std::runtime_error("broken handler"); };
  QTest::qWait(200);
  SetApplicationErrorHandler(nullptr);
  EXPECT_GE(reports, 2);
  EXPECT_EQ(reported, "broken handler");
  EXPECT_TRUE(timer.Running());
}

TEST(TTimer, WhenNoTimerCanBeHadTheCallerIsTold) {
  TTimer timer;
  timer.setEnabled(false);
  std::string message;
  // Qt refuses to start a timer from a thread other than the timer's own.
  std::thread worker([&] {
    try {
      timer.setEnabled(true);
    } catch (const EOutOfResources& e) {
      message = e.what();
    }
  });
  worker.join();
  EXPECT_EQ(message, "Not enough timers available");
  EXPECT_FALSE(timer.Running());
}

}  // namespace
}  // namespace marnova
