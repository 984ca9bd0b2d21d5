#pragma once
// A window of fixed size that a maximise request cannot break on Wayland.
//
// Qt's own title bar there (drawn by the client where the compositor draws
// none: weston, GNOME) always offers a maximise button, whatever the
// window's flags and size limits say; a compositor that grants the request
// (weston) then configures the window maximised, and Qt answers that with
// the fixed size, which the protocol forbids: the compositor ends the
// connection. Compositors that honour the size limits (mutter, kwin) never
// maximise such a window by themselves, so only the window's own request
// can bring that state.

class QWidget;

namespace marnova {

// On Wayland, when `window` asks to be maximised, lets it take the size it
// is configured with for that one moment and then asks to be restored to
// its fixed size at once. Elsewhere does nothing.
void KeepFixedSize(QWidget& window);

}  // namespace marnova
