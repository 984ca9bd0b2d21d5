#pragma once
// Lets assistive technology read the widget kinds, each by its
// TControlBase::AccessibleName(). Controls report the role and value their
// class gives (TControl::AccessibleRole/AccessibleValue); sliders also offer
// the value interface (read and set the position, range and step). Labels
// are static text (links when they jump, with a press action). The editors
// keep Qt's own interfaces, named by their hints (see TControlBase).

namespace marnova {

// Registers the accessibility factory with Qt; later calls do nothing.
void InstallWidgetAccessibility();

}  // namespace marnova
