// One full repaint of a colour-panel slider (25 x 114) into its off-screen
// image: the built-in thumb, a thumb drawn from the image list as the panel
// does, and the whole widget paint including the copy to the target.
#include <QImage>
#include <QPainter>

#include "bench/BenchMain.h"
#include "tests/ui/widgets/WidgetTestSupport.h"
#include "ui/imagelist/TLMDImageList.h"

namespace {

using namespace marnova;

void SetUpFrameSlider(TMMSlider& s) {
  test::SetUpFrameSlider(s);
  s.setFocusAction(TMMSlider::faFocusThumb);
  s.Loaded();
}

// Moves the thumb one step before each repaint.
void RepaintAtEachPosition(benchmark::State& state, TMMSlider& slider) {
  int i = 0;
  for (auto _ : state) {
    slider.setPosition(i++ & 0xFF);
    benchmark::DoNotOptimize(slider.PaintOffscreen().constBits());
  }
}

void BM_SliderRepaintBuiltInThumb(benchmark::State& state) {
  TMMSlider slider;
  SetUpFrameSlider(slider);
  RepaintAtEachPosition(state, slider);
}
BENCHMARK(BM_SliderRepaintBuiltInThumb)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_SliderRepaintOwnerDrawnThumb(benchmark::State& state) {
  TLMDImageList list;
  const int sliders = list.Add(QStringLiteral("Sliders"), 23, 11, 4);
  QImage strip(23 * 6, 11, QImage::Format_RGB32);
  strip.fill(Qt::darkCyan);
  list.SetStrip(sliders, strip);
  TMMSlider slider;
  SetUpFrameSlider(slider);
  slider.setThumbStyle(TMMSlider::tsOwnerDraw);
  slider.OnDrawThumb = [&](QObject*, QPainter& canvas, const QRect& rect, bool, bool focused) {
    list.Draw(canvas, rect.topLeft(), sliders, focused ? 1 : 0);
  };
  RepaintAtEachPosition(state, slider);
}
BENCHMARK(BM_SliderRepaintOwnerDrawnThumb)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_SliderWidgetPaint(benchmark::State& state) {
  TMMSlider slider;
  SetUpFrameSlider(slider);
  QImage target(25, 114, QImage::Format_RGB32);
  int i = 0;
  for (auto _ : state) {
    slider.setPosition(i++ & 0xFF);
    slider.render(&target);
    benchmark::DoNotOptimize(target.constBits());
  }
}
BENCHMARK(BM_SliderWidgetPaint)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  return marnova::RunWidgetBenchmarks(argc, argv);
}
