// The window descriptions name "Arial", "Courier New" and "MS Sans Serif".
// Call once after the QApplication exists (the program's entry and the widget
// tests do) so that they resolve to the installed metric-compatible fonts.
#pragma once

namespace marnova {

void InstallFontSubstitutes();

}  // namespace marnova
