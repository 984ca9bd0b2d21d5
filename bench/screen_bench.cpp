// The sampling part of a picker tick through the real screen layer: read
// the 5 x 5 block under a position, replicate it onto the 33 x 33
// magnifier, XOR the frame, read the centre back. Meant for a real X
// server: run under `xvfb-run -a` (see README).
#include "bench/BenchMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPalette>
#include <QThread>
#include <QWidget>
#include <QWindow>
#include <cstdio>

#include "platform/screen/PixelOps.h"
#include "platform/screen/QtScreen.h"

namespace {

using namespace marnova;

// Two positions, so that consecutive ticks read different pixels.
constexpr QPoint kPositions[] = {{40, 30}, {41, 33}};

void BM_ReadBlock(benchmark::State& state) {
  TQtScreen screen;
  auto device = screen.OpenScreen();
  auto block = device->CreateBlock();
  int i = 0;
  for (auto _ : state) {
    if (!device->ReadBlock(kPositions[i++ & 1], *block)) {
      state.SkipWithError("the screen cannot be read on this platform");
      break;
    }
    benchmark::DoNotOptimize(block->Centre());
  }
}
BENCHMARK(BM_ReadBlock)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_SamplingStep(benchmark::State& state) {
  TQtScreen screen;
  auto device = screen.OpenScreen();
  auto block = device->CreateBlock();
  QImage magnifier(33, 33, QImage::Format_RGB32);
  int i = 0;
  for (auto _ : state) {
    if (!device->ReadBlock(kPositions[i++ & 1], *block)) {
      state.SkipWithError("the screen cannot be read on this platform");
      break;
    }
    ScaleReplicate(block->Image(), magnifier);
    XorOutline(magnifier, 13, 13, 20, 20, 0xFFFFFF);
    benchmark::DoNotOptimize(PixelAt(magnifier, {17, 17}));
  }
}
BENCHMARK(BM_SamplingStep)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (QGuiApplication::platformName() != "xcb") {
    std::fprintf(stderr, "note: platform %s, not X11; run under xvfb-run -a for real figures\n",
                 qPrintable(QGuiApplication::platformName()));
  }
  // Something to read: a coloured window under the sampled positions.
  QWidget window(nullptr, Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, QColor(12, 34, 56));
  window.setPalette(palette);
  window.setAutoFillBackground(true);
  window.setGeometry(0, 0, 100, 80);
  window.show();
  // Let it map and paint before the first read.
  QElapsedTimer waited;
  waited.start();
  while (waited.elapsed() < 300) {
    QCoreApplication::processEvents();
    QThread::msleep(10);
  }
  if (!window.windowHandle()->isExposed()) std::fprintf(stderr, "note: window not exposed\n");

  return RunBenchmarks(argc, argv);
}
