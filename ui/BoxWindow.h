#pragma once
// What the information and update windows share: a fixed 398 x 320 tool
// window with only a close box, the form font, and the place where it opens
// (centred over the main window, outer sizes and truncating division, then
// moved onto the screen that shows the main window if it sticks out).

class QDialog;
class QWidget;

namespace marnova {

// Window kind, size and font; call after the description is loaded.
void SetUpBoxWindow(QDialog& window);
void CentreOver(QWidget& window, const QWidget& mainWindow);

}  // namespace marnova
