// One whole picker tick of the real program: the 5 x 5 read through the
// real screen layer, the magnifier, the read-back, and SetSelectedColor with
// the evaluation and the repaint it processes. Run under `xvfb-run -a`
// (see README); the cursor alternates between two places so that every
// tick samples.
#include "bench/BenchMain.h"

#include <QApplication>
#include <QCursor>
#include <QTest>

#include "services/AppInfo.h"
#include "ui/DataModule.h"
#include "ui/FrameCmdHsvUnit.h"
#include "ui/MainUnit.h"
#include "ui/widgets/FontSubstitutes.h"
#include "ui/widgets/TTimer.h"

namespace {

using namespace marnova;

TFormMain* form = nullptr;

void BM_WholeTick(benchmark::State& state) {
  form->StartPick(form->FColor);
  // Counts the samples that reached the panel, to show every tick took one.
  int samples = 0;
  const auto evaluate = form->FColor->OnColorChanged;
  form->FColor->OnColorChanged = [&] {
    ++samples;
    evaluate();
  };
  const QPoint places[] = {{20, 20}, {700, 500}};  // desktop and main window
  int i = 0;
  for (auto _ : state) {
    QCursor::setPos(places[i++ & 1]);
    form->TimerTimer(form->Timer);
  }
  state.counters["samples_per_tick"] = double(samples) / double(state.iterations());
  form->FColor->OnColorChanged = evaluate;
  form->LeftButtonDown(nullptr);
  form->TimerTimer(form->Timer);
}
BENCHMARK(BM_WholeTick)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  InitAppInfo();
  QApplication application(argc, argv);
  InstallFontSubstitutes();
  TFormMain window;
  window.TimerUpdate->setEnabled(false);  // no network during the measurement
  TDM dataModule;
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  form = &window;
  return RunBenchmarks(argc, argv);
}
