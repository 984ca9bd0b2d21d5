// The window descriptions name "Arial", "Courier New" and "MS Sans Serif".
// Call once after the QApplication exists (the program's entry and the widget
// tests do) so that they resolve to the installed metric-compatible fonts.
#pragma once

class QString;

namespace marnova {

void InstallFontSubstitutes();

// Pixels by which a character height given for `family` is drawn smaller
// in its substitute, so that the described texts keep to their boxes.
int SubstituteShrink(const QString& family);

}  // namespace marnova
