#include "app/FontConfigWarmUp.h"

#include <fontconfig/fontconfig.h>

namespace marnova {

// FcInit is thread-safe and loads the process-wide default configuration
// once. A failure here is not handled: Qt meets the same failure when it
// asks for fonts, and handles it as it always does.
TFontConfigWarmUp::TFontConfigWarmUp() : FThread([] { FcInit(); }) {}

void TFontConfigWarmUp::Wait() {
  if (FThread.joinable()) FThread.join();
}

}  // namespace marnova
