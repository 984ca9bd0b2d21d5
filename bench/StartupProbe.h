#pragma once
// What the start-up benchmark measures inside a program: the time from the
// launcher's clock reading (MARNOVA_LAUNCH_NS, CLOCK_REALTIME nanoseconds,
// taken just before the launch) to the window's first paint, the resident
// memory one second later, and optionally the processor time used while
// idle over a few seconds. Prints one line and quits:
//   first-paint-ms=<ms> rss-kb=<kB> idle-cpu-percent=<percent or ->

class QWidget;

namespace marnova {

// `idleSeconds` 0 skips the idle measurement.
void InstallStartupProbe(QWidget& window, int idleSeconds);

}  // namespace marnova
