#pragma once
// Whether the desktop portal can pick a colour at all, asked once without a
// pick: the Screenshot interface's `version` property (PickColor came with
// version 2), read asynchronously so the window never waits for the bus.
#include <functional>

class QObject;

namespace marnova {

// Reads the version and runs `cannotPick` later, from the event loop, when
// the session has no bus, no portal, no Screenshot interface or one older
// than version 2. Nothing runs when the portal can pick, when the answer is
// still unknown (the call timed out), or when `context` is destroyed first.
void WhenPortalCannotPick(QObject& context, std::function<void()> cannotPick);

}  // namespace marnova
