// colourwindow R G B X Y [WIDTH HEIGHT [TITLE]]
// Shows a borderless window filled with one colour at a fixed screen
// position until it is killed: a known pixel for end-to-end tests. The
// title defaults to "colourwindow RRGGBB".
#include <QApplication>
#include <QPalette>
#include <QString>
#include <QWidget>
#include <cstdio>

namespace {

bool ToInt(const char* text, int low, int high, int& out) {
  bool ok = false;
  out = QString::fromLocal8Bit(text).toInt(&ok);
  return ok && out >= low && out <= high;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  int rgb[3], x, y, width = 40, height = 30;
  bool ok = argc >= 6 && argc <= 9 && argc != 7;
  for (int i = 0; ok && i < 3; ++i) ok = ToInt(argv[1 + i], 0, 255, rgb[i]);
  ok = ok && ToInt(argv[4], -10000, 10000, x) && ToInt(argv[5], -10000, 10000, y);
  if (ok && argc >= 8) ok = ToInt(argv[6], 1, 10000, width) && ToInt(argv[7], 1, 10000, height);
  if (!ok) {
    std::fprintf(stderr, "usage: colourwindow R G B X Y [WIDTH HEIGHT [TITLE]]\n");
    return 2;
  }
  const QColor colour(rgb[0], rgb[1], rgb[2]);
  const QString title = argc == 9 ? QString::fromLocal8Bit(argv[8])
                                  : "colourwindow " + colour.name().mid(1).toUpper();

  QWidget window(
      nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::X11BypassWindowManagerHint);
  window.setWindowTitle(title);
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, colour);
  window.setPalette(palette);
  window.setAutoFillBackground(true);
  window.setGeometry(x, y, width, height);
  window.show();
  return app.exec();
}
