#include "platform/screen/ScreenAccess.h"

#include "platform/screen/QtScreen.h"

namespace marnova {
namespace {

TScreenAccess* gOverride = nullptr;

}  // namespace

TPixelBlock::TPixelBlock() : FImage(kPickBlockSize, kPickBlockSize, QImage::Format_RGB32) {
  FImage.fill(Qt::black);
}

TPixelBlock::~TPixelBlock() = default;
TPointerGrab::~TPointerGrab() = default;
TScreenDevice::~TScreenDevice() = default;
TScreenAccess::~TScreenAccess() = default;

TScreenAccess& Screen() {
  static TQtScreen real;
  return gOverride ? *gOverride : real;
}

TScreenOverride::TScreenOverride(TScreenAccess& replacement) : FPrevious(gOverride) {
  gOverride = &replacement;
}

TScreenOverride::~TScreenOverride() {
  gOverride = FPrevious;
}

}  // namespace marnova
