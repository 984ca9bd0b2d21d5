// The window descriptions name "Arial", "Courier New" and "MS Sans Serif".
// Call once after the QApplication exists (the program's entry and the widget
// tests do) so that they resolve to the installed metric-compatible fonts.
#pragma once

class QString;

namespace marnova {

void InstallFontSubstitutes();

// The installed family that draws `family` at its described size: its
// first installed substitute. Qt finds a family named so directly, where a
// described name sends it through a search of every installed font first.
// `family` itself when it has no such substitute or is drawn smaller (see
// SubstituteShrink). Resolved once per name.
QString InstalledFamily(const QString& family);

// Pixels by which a character height given for `family` is drawn smaller
// in its substitute, so that the described texts keep to their boxes.
int SubstituteShrink(const QString& family);

}  // namespace marnova
