// The HTTP component's hidden window: one process-wide object on the main
// thread that runs event handlers handed over from library and worker
// threads, while the raising thread waits.
#pragma once

#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include <QObject>

namespace marnova {

class AdvHttpWindow : public QObject {
  Q_OBJECT

 public:
  // The first user creates the window on its thread; the last one destroys it.
  static void Acquire();
  static void Release();
  static AdvHttpWindow* Instance();

 protected:
  void customEvent(QEvent* event) override;

 private:
  AdvHttpWindow() = default;
};

// One component's hand-overs. Every call carries its own handler and its own
// exception; none shares a slot with another.
class AdvHttpHandOver {
 public:
  // Runs `call` on the window's thread and waits for it; runs it at once when
  // already there. An exception the call raises is raised here again. Returns
  // false when the call was dropped (dropping, or cancelled before it ran).
  bool Run(std::function<void()> call);
  // From now on (or until cleared) calls are dropped at once.
  void SetDropping(bool dropping);
  // Calls still waiting for the main thread are dropped and their raising
  // threads resume. A call already running is not affected.
  void CancelPending();

  struct Call {
    enum class State { Pending, Running, Done, Cancelled };
    std::function<void()> function;
    std::exception_ptr error;
    State state = State::Pending;
    std::mutex mutex;
    std::condition_variable finished;
  };

 private:
  std::mutex mutex_;
  bool dropping_ = false;
  std::vector<std::shared_ptr<Call>> inFlight_;
};

}  // namespace marnova
