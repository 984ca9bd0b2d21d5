// Repaint cost of the text labels, off-screen: a result line as the main
// window shows it and the rotated author line.
#include <QImage>
#include <QPainter>

#include "bench/BenchMain.h"
#include "ui/widgets/FontSubstitutes.h"
#include "ui/widgets/TLMDLabel.h"

namespace {

using marnova::TLMDBaseLabel;
using marnova::TLMDLabel;

void Repaint(benchmark::State& state, TLMDLabel& label) {
  QImage target(label.size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    target.fill(Qt::white);
    label.render(&target, {}, {}, QWidget::DrawChildren);
    benchmark::DoNotOptimize(target.constBits());
  }
}

void BM_ResultLabelRepaint(benchmark::State& state) {
  TLMDLabel label;
  label.setFont(QFont(QStringLiteral("Arial")));
  label.setFontHeight(-14);
  label.setFontColor(0x004E2816);
  label.setCaption(QStringLiteral("Differenza di luminosità = 255"));
  label.Loaded();
  Repaint(state, label);
}
BENCHMARK(BM_ResultLabelRepaint);

void BM_RotatedAuthorLabelRepaint(benchmark::State& state) {
  TLMDLabel label;
  label.setGeometry(602, 24, 16, 296);
  label.setFont(QFont(QStringLiteral("Arial")));
  label.setFontHeight(-11);
  label.setAutoSize(false);
  label.setFontFXAngle(90);
  label.setAlignment(TLMDBaseLabel::agBottomCenter);
  label.setCaption(QStringLiteral("Quorvel by Sorvani - 2004    ver.1.2.0.43"));
  label.Loaded();
  Repaint(state, label);
}
BENCHMARK(BM_RotatedAuthorLabelRepaint);

}  // namespace

int main(int argc, char** argv) {
  return marnova::RunWidgetBenchmarks(argc, argv, &marnova::InstallFontSubstitutes);
}
