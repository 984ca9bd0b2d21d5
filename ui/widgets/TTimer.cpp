#include "ui/widgets/TTimer.h"

#include <QTimerEvent>
#include <exception>

#include "ui/widgets/ApplicationErrors.h"

namespace marnova {

TTimer::TTimer(QObject* parent) : QObject(parent) {
  Restart();
}

void TTimer::setEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  Restart();
}

void TTimer::setInterval(int value) {
  if (value == FInterval) return;
  FInterval = value;
  Restart();
}

void TTimer::Restart() {
  if (FTimerId != 0) killTimer(FTimerId);
  FTimerId = 0;
  if (!FEnabled || FInterval <= 0) return;
  // Ticks are counted in whole milliseconds, as asked.
  FTimerId = startTimer(FInterval, Qt::PreciseTimer);
  if (FTimerId == 0) throw EOutOfResources("Not enough timers available");
}

void TTimer::timerEvent(QTimerEvent* event) {
  if (event->timerId() != FTimerId) return QObject::timerEvent(event);
  try {
    Fire(OnTimer, this);
  } catch (...) {
    HandleApplicationError(std::current_exception());
  }
}

}  // namespace marnova
