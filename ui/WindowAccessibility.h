#pragma once
// How assistive technology sees the main window and the colour editor
// panels: the window without its background pictures, each panel a
// grouping named by its title ("Colore del testo", "Colore di sfondo")
// without its background plate.

namespace marnova {

// Registers the interfaces with Qt once; the windows call it themselves.
void InstallWindowAccessibility();

}  // namespace marnova
