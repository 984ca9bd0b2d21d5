#pragma once
// Lets assistive technology read the custom controls: each reports the role
// and value its class gives (TControl::AccessibleRole/AccessibleValue) and
// its hint as its name when no accessible name is set; sliders also offer
// the value interface (read and set the position, range and step).

namespace marnova {

// Registers the accessibility factory with Qt; later calls do nothing.
void InstallWidgetAccessibility();

}  // namespace marnova
