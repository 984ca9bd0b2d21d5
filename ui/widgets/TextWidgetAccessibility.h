// What assistive technology learns about the text widgets: labels are static
// text (links when they jump, with a press action), the single-line editor is
// editable text with its hint as name and its text as value. The multi-line
// editor keeps Qt's own plain-text-editor interface.
#pragma once

namespace marnova {

// Registers the interfaces with Qt once; the widgets call it themselves.
void InstallTextWidgetAccessibility();

}  // namespace marnova
