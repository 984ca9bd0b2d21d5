#pragma once
// What a screen colour pick needs from the desktop, behind one interface so
// that the picker can run against the real screen or against a screen of
// known pixels in tests.
//
// Coordinates: every position handed in or out by this layer is a global
// position in device pixels (the physical pixels of the desktop). On an
// unscaled desktop these equal Qt's logical coordinates; on a scaled
// (HiDPI) one they do not, and the picker never needs to convert: it only
// compares the positions that CursorPos() returns and hands them back to
// TScreenDevice::ReadBlock().
//
// Lifetime of a pick, for the caller:
//   grab   = access.GrabPointer(window);      // presses now reach `window`
//   device = access.OpenScreen();             // held for the whole pick
//   block  = device->CreateBlock();           // the 5 x 5 copy
//   ... every tick: device->ReadBlock(access.CursorPos(), *block) ...
//   grab.reset();                             // the press that ends the pick
//   block.reset(); device.reset();            // the tick after it
// Each object is an RAII owner; destroying it releases what it holds, in
// any order, and the objects never refer to one another.
#include <QImage>
#include <QPoint>
#include <memory>

class QWidget;

namespace marnova {

// Side of the square block of screen pixels a pick reads; the pixel under
// the cursor's hot spot is its centre (kPickBlockCentre, kPickBlockCentre).
inline constexpr int kPickBlockSize = 5;
inline constexpr int kPickBlockCentre = kPickBlockSize / 2;

// The 5 x 5 copy of screen pixels that a pick reads into. Its image is
// always kPickBlockSize square, opaque, QImage::Format_RGB32; a new block
// is black.
class TPixelBlock {
 public:
  TPixelBlock();
  virtual ~TPixelBlock();
  TPixelBlock(const TPixelBlock&) = delete;
  TPixelBlock& operator=(const TPixelBlock&) = delete;

  const QImage& Image() const { return FImage; }
  QImage& Image() { return FImage; }
  // Colour at (x, y) of the block, 0xAARRGGBB with alpha 0xFF.
  QRgb Pixel(int x, int y) const { return FImage.pixel(x, y); }
  QRgb Centre() const { return Pixel(kPickBlockCentre, kPickBlockCentre); }

 private:
  QImage FImage;
};

// The pointer held for one window. While it lives, every mouse-button
// press of the program (on any of its widgets or windows) is delivered to
// that window's mousePressEvent instead of the widget under the pointer;
// where the window system allows a pointer grab, presses anywhere on the
// screen arrive there too. Releases and moves are not redirected.
// Destroying it releases the pointer.
class TPointerGrab {
 public:
  virtual ~TPointerGrab();
  // True when the window system holds the pointer for the window, so that
  // presses outside the program's windows arrive as well. False where the
  // platform has no pointer grab (the offscreen platform, a window that
  // is not mapped); presses inside the program still end the pick then.
  virtual bool HeldBySystem() const = 0;
};

// The screen opened for one pick (the screen device context of the pick).
class TScreenDevice {
 public:
  virtual ~TScreenDevice();
  // A block compatible with this screen, black, for ReadBlock().
  virtual std::unique_ptr<TPixelBlock> CreateBlock() const = 0;
  // Copies the kPickBlockSize square of screen pixels centred on `centre`
  // (device pixels, global) into `into`, whichever screen of a
  // multi-monitor desktop holds `centre`. Parts of the square that lie
  // outside that screen are black and never disturb the pixels inside it.
  // Returns false, leaving `into` untouched, when the screen cannot be
  // read (a platform or desktop that refuses screen capture, a position
  // on no screen) rather than handing out black.
  virtual bool ReadBlock(QPoint centre, TPixelBlock& into) = 0;
};

class TScreenAccess {
 public:
  virtual ~TScreenAccess();

  // Takes the pointer for `window` (see TPointerGrab). A second grab,
  // for the same or another window, replaces the first; the replaced
  // owner then releases nothing.
  virtual std::unique_ptr<TPointerGrab> GrabPointer(QWidget& window) = 0;
  // Position of the cursor's hot spot, device pixels, global.
  virtual QPoint CursorPos() const = 0;
  // Moves the pointer so that its hot spot lies on `at` (device pixels,
  // global), as far as the window system lets a program move it.
  virtual void SetCursorPos(QPoint at) = 0;
  // Whether `window` (the program's main window) is minimised.
  virtual bool IsMinimised(const QWidget& window) const = 0;
  // Opens the screen for reading; never null.
  virtual std::unique_ptr<TScreenDevice> OpenScreen() = 0;
  // Asks the window system to activate `window`; the request is queued and
  // carried out by the event loop (not inside this call). Nothing happens
  // if the window is gone by then.
  virtual void ActivateWindow(QWidget& window) = 0;
  // Brings `window` to the top of the window stack, now.
  virtual void RaiseWindow(QWidget& window) = 0;
};

// The screen the program uses: the real one unless a test installed
// another with TScreenOverride.
TScreenAccess& Screen();

// Installs `replacement` as Screen() for the override's lifetime; the
// previous one comes back when it is destroyed. Overrides nest.
class TScreenOverride {
 public:
  explicit TScreenOverride(TScreenAccess& replacement);
  ~TScreenOverride();
  TScreenOverride(const TScreenOverride&) = delete;
  TScreenOverride& operator=(const TScreenOverride&) = delete;

 private:
  TScreenAccess* FPrevious;
};

}  // namespace marnova
