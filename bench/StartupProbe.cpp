#include "StartupProbe.h"

#include <sys/resource.h>

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace marnova {

namespace {

long ResidentKilobytes() {
  QFile status("/proc/self/status");
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
  return -1;
}

double ProcessorSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double MillisecondsSinceLaunch() {
  const char* launch = std::getenv("MARNOVA_LAUNCH_NS");
  if (launch == nullptr) return -1;
  const auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                       std::chrono::system_clock::now().time_since_epoch())
                       .count();
  return (now - std::strtoll(launch, nullptr, 10)) / 1e6;
}

class FirstPaint : public QObject {
 public:
  FirstPaint(QWidget& window, int idleSeconds) : QObject(&window), FIdleSeconds(idleSeconds) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !FSeen) {
      FSeen = true;
      FPaintMs = MillisecondsSinceLaunch();
      QTimer::singleShot(1000, this, [this] { AfterOneSecond(); });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  void AfterOneSecond() {
    FRss = ResidentKilobytes();
    if (FIdleSeconds <= 0) return Report(-1);
    const double start = ProcessorSeconds();
    QTimer::singleShot(FIdleSeconds * 1000, this, [this, start] {
      Report(100.0 * (ProcessorSeconds() - start) / FIdleSeconds);
    });
  }
  void Report(double idlePercent) {
    if (idlePercent < 0)
      std::printf("first-paint-ms=%.1f rss-kb=%ld idle-cpu-percent=-\n", FPaintMs, FRss);
    else
      std::printf("first-paint-ms=%.1f rss-kb=%ld idle-cpu-percent=%.3f\n", FPaintMs, FRss,
                  idlePercent);
    std::fflush(stdout);
    QApplication::quit();
  }

  int FIdleSeconds;
  bool FSeen = false;
  double FPaintMs = 0;
  long FRss = 0;
};

}  // namespace

void InstallStartupProbe(QWidget& window, int idleSeconds) {
  window.installEventFilter(new FirstPaint(window, idleSeconds));  // owned by the window
}

}  // namespace marnova
