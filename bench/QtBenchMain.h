// The main of a benchmark that needs a QApplication: on the offscreen
// platform unless one is named.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>

namespace marnova::bench {

inline int RunWithApplication(int argc, char** argv, void (*prepare)() = nullptr) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (prepare != nullptr) prepare();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace marnova::bench
