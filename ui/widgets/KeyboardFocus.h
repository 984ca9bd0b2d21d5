#pragma once
// What the controls that a keyboard user presses share: which keys press
// them, and the dotted rectangle that shows where the focus is.

class QKeyEvent;
class QPainter;
class QRect;

namespace marnova {

// Space, Enter or Return, not repeated by a held key (a held key would
// otherwise press again, e.g. end a pick the same key started).
bool IsPressKey(const QKeyEvent& event);
// Enter or Return, not repeated.
bool IsEnterKey(const QKeyEvent& event);

// A one-pixel dotted outline along the inside of `area` that inverts what
// lies beneath, so it shows on any background; drawn only while focused, so
// an unfocused control keeps every pixel it had.
void DrawFocusRect(QPainter& painter, const QRect& area);

}  // namespace marnova
