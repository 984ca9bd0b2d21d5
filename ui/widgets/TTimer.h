#pragma once
// A tick source: while Enabled and Interval > 0, OnTimer runs every Interval
// milliseconds on the user-interface thread (an unassigned OnTimer is
// skipped). Changing Enabled or Interval restarts the countdown from zero;
// setting either to its current value does nothing, so a handler may switch
// its own timer off, and switching it on again waits a full Interval.
//
// An error raised inside OnTimer goes to the application's error handler
// and the timer keeps running.

#include <QObject>
#include <stdexcept>

#include "ui/widgets/ControlTypes.h"

namespace marnova {

// The platform could not provide a timer.
class EOutOfResources : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TTimer : public QObject {
  Q_OBJECT
  Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
  Q_PROPERTY(int Interval READ Interval WRITE setInterval)

 public:
  // Starts counting at once (Enabled true, Interval 1000). Throws
  // EOutOfResources ("Not enough timers available") when no timer can be had.
  explicit TTimer(QObject* parent = nullptr);

  bool Enabled() const { return FEnabled; }
  // Throws EOutOfResources when the timer cannot be started.
  void setEnabled(bool value);
  int Interval() const { return FInterval; }
  // Throws EOutOfResources when the timer cannot be started.
  void setInterval(int value);
  // True while ticks are being counted.
  bool Running() const { return FTimerId != 0; }

  TNotifyEvent OnTimer;

 protected:
  void timerEvent(QTimerEvent* event) override;

 private:
  void Restart();

  bool FEnabled = true;
  int FInterval = 1000;
  int FTimerId = 0;  // 0 while stopped
};

}  // namespace marnova
