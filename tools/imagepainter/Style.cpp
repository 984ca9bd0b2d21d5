#include "tools/imagepainter/Style.h"

#include <QLinearGradient>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <cmath>

namespace marnova::paint {

namespace {

constexpr QRgb kBackTop = 0xFFC1CCD6;
constexpr QRgb kBackLight = 0xFFCCD8DF;
constexpr QRgb kBackBottom = 0xFF8DA3B9;
constexpr int kLightRow = 100;

int Mix(int from, int to, double t) {
  return static_cast<int>(std::lround(from + (to - from) * t));
}

QColor MixRgb(QRgb from, QRgb to, double t) {
  return QColor(Mix(qRed(from), qRed(to), t), Mix(qGreen(from), qGreen(to), t),
                Mix(qBlue(from), qBlue(to), t));
}

// Smooth at both ends, so the lightest row is a soft crest, not a crease.
double Ease(double t) {
  return t * t * (3.0 - 2.0 * t);
}

}  // namespace

QColor BackgroundAt(double row) {
  row = std::clamp(row, 0.0, double(kWindowRows - 1));
  if (row <= kLightRow) return MixRgb(kBackTop, kBackLight, Ease(row / kLightRow));
  const double t = (row - kLightRow) / double(kWindowRows - 1 - kLightRow);
  // Eased in only: flat at the crest, then darkening steadily to the bottom.
  return MixRgb(kBackLight, kBackBottom, 1.0 - std::cos(t * M_PI / 2.0));
}

QImage BackgroundCanvas(int resolution, int width, int height, int firstRow, double squeeze) {
  QImage canvas(width * resolution, height * resolution, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < canvas.height(); ++y) {
    // A device row shows the gradient at its own centre. At 1x that is a
    // whole window row, as the window's own background has it.
    double row = ((y + 0.5) / resolution - 0.5) * squeeze;
    if (resolution == 1) row = std::lround(row);
    const QRgb colour = BackgroundAt(firstRow + row).rgb();
    auto* line = reinterpret_cast<QRgb*>(canvas.scanLine(y));
    std::fill(line, line + canvas.width(), colour);
  }
  return canvas;
}

QPainterPath RoundedArea(const QRect& area, double radius) {
  QPainterPath path;
  path.addRoundedRect(QRectF(area.x(), area.y(), area.width(), area.height()), radius, radius);
  return path;
}

QPainterPath PaintPanel(QPainter& painter, const QRect& face, double radius) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(Qt::NoPen);
  // Soft shadow: a few widening translucent layers offset down and right.
  for (int spread = 3; spread >= 1; --spread) {
    painter.setBrush(QColor(30, 45, 70, 16 + 10 * (3 - spread)));
    painter.drawPath(RoundedArea(face.adjusted(-spread + 2, -spread + 2, spread + 1, spread + 2),
                                 radius + spread));
  }
  painter.setBrush(QColor::fromRgb(kRim));
  painter.drawPath(RoundedArea(face.adjusted(-1, -1, 1, 1), radius + 1));
  const QPainterPath outline = RoundedArea(face, radius);
  painter.setBrush(QColor::fromRgb(kFace));
  painter.drawPath(outline);
  painter.restore();
  return outline;
}

void PaintTitleBar(QPainter& painter, const QPainterPath& panel, const QRect& bar) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(Qt::NoPen);
  QLinearGradient navy(0, bar.top(), 0, bar.bottom() + 1);
  navy.setColorAt(0, QColor::fromRgb(kTitleTop));
  navy.setColorAt(1, QColor::fromRgb(kTitleBottom));
  painter.setBrush(navy);
  QPainterPath rows;
  rows.addRect(QRectF(bar.x(), bar.y(), bar.width(), bar.height()));
  painter.drawPath(panel.intersected(rows));
  painter.restore();
}

QPainterPath TextOutline(const QFont& font, const QString& text, const QRectF& box) {
  QPainterPath outline;
  outline.addText(0, 0, font, text);
  const QRectF bounds = outline.boundingRect();
  const double scale = std::min(box.width() / bounds.width(), box.height() / bounds.height());
  QTransform fit;
  fit.translate(box.center().x(), box.center().y());
  fit.scale(scale, scale);
  fit.translate(-bounds.center().x(), -bounds.center().y());
  return fit.map(outline);
}

}  // namespace marnova::paint
