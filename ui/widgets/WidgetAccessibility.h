#pragma once
// Lets assistive technology read the widget kinds, each by its
// TControlBase::AccessibleName(). Controls report the role and value their
// class gives (TControl::AccessibleRole/AccessibleValue); sliders also offer
// the value interface (read and set the position, range and step). Labels
// are static text (links when they jump, with a press action); the
// single-line editor is editable text with its text as value. The
// multi-line editor keeps Qt's own plain-text-editor interface.

namespace marnova {

// Registers the accessibility factory with Qt; later calls do nothing.
void InstallWidgetAccessibility();

}  // namespace marnova
