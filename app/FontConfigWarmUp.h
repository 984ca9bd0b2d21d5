#pragma once
// Reads the system's font configuration on a second thread while Qt
// connects to the display: the configuration files and font caches take a
// few milliseconds that the window's first text would otherwise wait for.
// Qt reads the same shared configuration later and finds it ready.

#include <thread>

namespace marnova {

class TFontConfigWarmUp {
 public:
  TFontConfigWarmUp();
  // Waits for the reading to end (the destructor waits too).
  void Wait();

 private:
  std::jthread FThread;
};

}  // namespace marnova
