#pragma once
// The program's entry sequence, callable from main() and from the start-up
// benchmark's probe, which runs exactly the same sequence.

#include <functional>

class QWidget;

namespace marnova {

// Application information, the application object titled "Marnova", the
// main window from its description, the data module, then the event loop
// until the main window closes. `beforeShow` (if set) sees the main window
// once everything exists, just before the loop shows it.
int RunMarnova(int argc, char** argv, const std::function<void(QWidget&)>& beforeShow = {});

}  // namespace marnova
