// A paste into the sample memo, shown and painted: 1 MB on one line against
// the same megabyte in lines of 80 characters (the reference, timed in the
// same run). The counter vs_short_lines is the ratio of the two; the one-line
// paste should stay under 100 ms.
#include <QElapsedTimer>
#include <QMimeData>

#include "bench/BenchMain.h"
#include "ui/widgets/TLMDMemo.h"

namespace {

using namespace marnova;

class PastingMemo : public TLMDMemo {
 public:
  using TLMDMemo::insertFromMimeData;
};

// One paste of `text` into a fresh memo of the main window's size, until
// painted; in seconds.
double Paste(const QString& text) {
  PastingMemo memo;
  memo.resize(409, 73);
  memo.Loaded();
  memo.show();
  QApplication::processEvents();
  QMimeData data;
  data.setText(text);
  QElapsedTimer timer;
  timer.start();
  memo.insertFromMimeData(&data);
  memo.repaint();
  QApplication::processEvents();
  return static_cast<double>(timer.nsecsElapsed()) * 1e-9;
}

void BM_MemoPasteOneMegabyteLine(benchmark::State& state) {
  const QString oneLine = QString("abcdef ").repeated(150'000);
  QString shortLines;
  for (qsizetype i = 0; i < oneLine.size(); i += 80) shortLines += oneLine.mid(i, 79) + u'\n';
  double total = 0, reference = 0;
  for (auto _ : state) {
    const double seconds = Paste(oneLine);
    state.SetIterationTime(seconds);
    total += seconds;
    reference += Paste(shortLines);
  }
  state.counters["vs_short_lines"] = total / reference;
}
BENCHMARK(BM_MemoPasteOneMegabyteLine)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  return marnova::RunWidgetBenchmarks(argc, argv);
}
