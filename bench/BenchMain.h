// The common end of the benchmark programs' main: run what the command line
// picks, and refuse what it misspells.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>

namespace marnova {

inline int RunBenchmarks(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

// For widget benchmarks: a QApplication on the offscreen platform unless the
// environment names another; `setUp` runs once it exists.
inline int RunWidgetBenchmarks(int argc, char** argv, void (*setUp)() = nullptr) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (setUp) setUp();
  return RunBenchmarks(argc, argv);
}

}  // namespace marnova
