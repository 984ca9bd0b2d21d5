#include "platform/screen/QtScreen.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMetaObject>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <vector>

#include "platform/screen/QtPointerGrab.h"
#include "platform/screen/ScreenGeometry.h"
#include "platform/screen/X11BlockRead.h"
#include "platform/screen/X11Pointer.h"

namespace marnova {
namespace {

TScreenArea AreaOf(const QScreen& screen) {
  return {screen.geometry(), screen.devicePixelRatio()};
}

class TQtScreenDevice final : public TScreenDevice {
 public:
  std::unique_ptr<TPixelBlock> CreateBlock() const override {
    return std::make_unique<TPixelBlock>();
  }

  bool ReadBlock(QPoint centre, TPixelBlock& into) override {
    const QList<QScreen*> screens = QGuiApplication::screens();
    std::vector<TScreenArea> areas;
    areas.reserve(screens.size());
    for (const QScreen* screen : screens) areas.push_back(AreaOf(*screen));
    const int index = ScreenIndexAt(centre, areas);
    if (index < 0) return false;
    if (ReadNative(centre, NativeGeometry(areas[index]), into)) return true;
    const std::optional<TBlockGrab> plan = PlanBlockGrab(centre, kPickBlockSize, areas[index]);
    if (!plan) return false;

    const QRect& source = plan->Source;
    const QPixmap grabbed =
        screens[index]->grabWindow(0, source.x(), source.y(), source.width(), source.height());
    // A platform that cannot read the screen answers with a null pixmap;
    // report that instead of handing out black.
    if (grabbed.isNull()) return false;
    const QImage pixels = grabbed.toImage();
    const QRect wanted = plan->Wanted.translated(-plan->SourceOrigin);
    if (!pixels.rect().contains(wanted)) return false;

    QImage& block = into.Image();
    block.fill(Qt::black);
    for (int y = 0; y < wanted.height(); ++y) {
      for (int x = 0; x < wanted.width(); ++x) {
        block.setPixel(plan->BlockOffset + QPoint(x, y),
                       pixels.pixel(wanted.topLeft() + QPoint(x, y)) | 0xFF000000u);
      }
    }
    return true;
  }

 private:
  // Device pixels are root-window pixels on X11: one request, no scaling.
  static bool ReadNative(QPoint centre, const QRect& screen, TPixelBlock& into) {
    const QPoint half(kPickBlockSize / 2, kPickBlockSize / 2);
    const QRect block(centre - half, QSize(kPickBlockSize, kPickBlockSize));
    const QRect onScreen = block.intersected(screen);
    const std::optional<QImage> pixels = ReadX11Root(onScreen);
    if (!pixels) return false;
    QImage& image = into.Image();
    image.fill(Qt::black);
    const QPoint offset = onScreen.topLeft() - block.topLeft();
    for (int y = 0; y < onScreen.height(); ++y)
      for (int x = 0; x < onScreen.width(); ++x)
        image.setPixel(offset + QPoint(x, y), pixels->pixel(x, y) | 0xFF000000u);
    return true;
  }
};

}  // namespace

std::unique_ptr<TPointerGrab> TQtScreen::GrabPointer(QWidget& window) {
  return std::make_unique<TQtPointerGrab>(window);
}

QPoint TQtScreen::CursorPos() const {
  // Only the window system knows the device pixel; Qt's logical position,
  // scaled back up, lands on the first device pixel of a logical one.
  if (const std::optional<QPoint> native = X11PointerPos()) return *native;
  const QPoint logical = QCursor::pos();
  const QScreen* screen = QGuiApplication::screenAt(logical);
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  return screen ? LogicalToNative(logical, AreaOf(*screen)) : logical;
}

void TQtScreen::SetCursorPos(QPoint at) {
  const QList<QScreen*> screens = QGuiApplication::screens();
  std::vector<TScreenArea> areas;
  areas.reserve(screens.size());
  for (const QScreen* screen : screens) areas.push_back(AreaOf(*screen));
  const int index = ScreenIndexAt(at, areas);
  if (index < 0) return;  // off every screen: the pointer stays where it is
  if (X11WarpPointer(at)) return;
  // Qt places the pointer in logical coordinates, which keep a screen's
  // top-left corner and scale its extent.
  const TScreenArea& area = areas[index];
  const QPoint origin = area.Logical.topLeft();
  QCursor::setPos(screens[index], origin + (at - origin) / area.Ratio);
}

bool TQtScreen::IsMinimised(const QWidget& window) const {
  const QWidget* top = window.window();
  return top != nullptr && top->isMinimized();
}

std::unique_ptr<TScreenDevice> TQtScreen::OpenScreen() {
  return std::make_unique<TQtScreenDevice>();
}

void TQtScreen::ActivateWindow(QWidget& window) {
  // Queued on the window itself, so the call is dropped if it goes first.
  QMetaObject::invokeMethod(
      &window,
      [&window] {
        QWidget* top = window.window();
        top->activateWindow();
      },
      Qt::QueuedConnection);
}

void TQtScreen::RaiseWindow(QWidget& window) {
  window.window()->raise();
}

}  // namespace marnova
