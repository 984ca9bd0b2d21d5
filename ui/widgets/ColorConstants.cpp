#include "ui/widgets/ColorConstants.h"

#include <QGuiApplication>
#include <QPalette>

namespace marnova {
namespace {

bool PaletteRole(unsigned index, QPalette::ColorRole& role) {
  switch (index) {
    case 5:
      role = QPalette::Base;
      return true;
    case 6:
      role = QPalette::Shadow;
      return true;
    case 8:
      role = QPalette::WindowText;
      return true;
    case 13:
      role = QPalette::Highlight;
      return true;
    case 14:
      role = QPalette::HighlightedText;
      return true;
    case 15:
      role = QPalette::Button;
      return true;
    case 16:
      role = QPalette::Dark;
      return true;
    case 18:
      role = QPalette::ButtonText;
      return true;
    case 20:
      role = QPalette::Light;
      return true;
    default:
      return false;
  }
}

}  // namespace

QColor ToQColor(TColor color) {
  const auto bits = static_cast<unsigned>(color);
  if ((bits & 0xFF000000u) == 0x80000000u) {
    const unsigned index = bits & 0x00FFFFFFu;
    QPalette::ColorRole role;
    if (index == 17) return QGuiApplication::palette().color(QPalette::Disabled, QPalette::Text);
    if (PaletteRole(index, role)) return QGuiApplication::palette().color(QPalette::Active, role);
    return Qt::black;
  }
  if ((bits & 0xFF000000u) != 0) return Qt::black;
  int red, green, blue;
  UnpackColor(color, red, green, blue);
  return QColor(red, green, blue);
}

TColor FromQColor(const QColor& color) {
  return PackColor(color.red(), color.green(), color.blue());
}

}  // namespace marnova
