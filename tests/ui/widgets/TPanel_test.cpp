#include "ui/widgets/TPanel.h"

#include <gtest/gtest.h>

#include <QAccessible>

#include "ui/widgets/WidgetTestSupport.h"

namespace marnova {
namespace {

using test::Opaque;
using test::PixelAt;

TEST(TPanel, SwatchWithAFlatOnePixelFrame) {
  TPanel panel;
  panel.resize(20, 10);
  panel.setBevelOuter(TPanel::bvNone);
  panel.setBorderStyle(TPanel::bsSingle);
  panel.setCtl3D(false);
  panel.setColor(0x996633);
  panel.Loaded();
  struct Probe {
    int x, y;
    QColor colour;
  } probes[] = {{0, 0, ToQColor(clWindowFrame)},
                {19, 9, ToQColor(clWindowFrame)},
                {1, 1, QColor(0x33, 0x66, 0x99)},
                {18, 8, QColor(0x33, 0x66, 0x99)}};
  for (const Probe& p : probes) EXPECT_EQ(PixelAt(panel, p.x, p.y), Opaque(p.colour));
  panel.setColor(clWhite);
  EXPECT_EQ(PixelAt(panel, 5, 5), Opaque(Qt::white));
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&panel);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->text(QAccessible::Value), QStringLiteral("FFFFFF"));
}

}  // namespace
}  // namespace marnova
