#include "services/AdvHttpWindow.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QThread>

#include <algorithm>

namespace marnova {
namespace {

const QEvent::Type kCallEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

// Qt's event queue hands the event from the raising thread to the main
// thread with synchronisation of its own, which race detectors cannot see.
// Passing through this mutex after filling the event and before touching
// it again states the same ordering in terms they understand.
std::mutex gEventHandOver;
void PassEventHandOver() {
  std::lock_guard lock(gEventHandOver);
}

class CallEvent : public QEvent {
 public:
  explicit CallEvent(std::shared_ptr<AdvHttpHandOver::Call> c)
      : QEvent(kCallEvent), call(std::move(c)) {
    PassEventHandOver();
  }
  ~CallEvent() override { PassEventHandOver(); }
  std::shared_ptr<AdvHttpHandOver::Call> call;
};

// Created, counted and destroyed on the main thread only.
std::unique_ptr<AdvHttpWindow> gWindow;
int gUsers = 0;
std::mutex gWindowMutex;  // guards the pointer for raising threads

}  // namespace

void AdvHttpWindow::Acquire() {
  std::lock_guard lock(gWindowMutex);
  if (gUsers++ == 0) gWindow.reset(new AdvHttpWindow);
}

void AdvHttpWindow::Release() {
  std::unique_ptr<AdvHttpWindow> last;
  {
    std::lock_guard lock(gWindowMutex);
    if (gUsers > 0 && --gUsers == 0) last = std::move(gWindow);
  }
}

AdvHttpWindow* AdvHttpWindow::Instance() {
  std::lock_guard lock(gWindowMutex);
  return gWindow.get();
}

void AdvHttpWindow::customEvent(QEvent* event) {
  PassEventHandOver();
  if (event->type() != kCallEvent) return;
  const std::shared_ptr<AdvHttpHandOver::Call> call = static_cast<CallEvent*>(event)->call;
  {
    std::lock_guard lock(call->mutex);
    if (call->state != AdvHttpHandOver::Call::State::Pending) return;  // cancelled
    call->state = AdvHttpHandOver::Call::State::Running;
  }
  std::exception_ptr error;
  try {
    call->function();
  } catch (...) {
    // Carried back to the raising thread, which raises it again.
    error = std::current_exception();
  }
  {
    std::lock_guard lock(call->mutex);
    call->error = error;
    call->state = AdvHttpHandOver::Call::State::Done;
  }
  call->finished.notify_all();
}

bool AdvHttpHandOver::Run(std::function<void()> function) {
  AdvHttpWindow* window = AdvHttpWindow::Instance();
  {
    std::lock_guard lock(mutex_);
    if (dropping_) return false;
  }
  if (window == nullptr || QThread::currentThread() == window->thread()) {
    function();
    return true;
  }
  auto call = std::make_shared<Call>();
  call->function = std::move(function);
  {
    std::lock_guard lock(mutex_);
    if (dropping_) return false;
    inFlight_.push_back(call);
  }
  // The event queue owns the posted event.
  QCoreApplication::postEvent(window, new CallEvent(call));
  {
    std::unique_lock lock(call->mutex);
    call->finished.wait(lock, [&] {
      return call->state == Call::State::Done || call->state == Call::State::Cancelled;
    });
  }
  {
    std::lock_guard lock(mutex_);
    inFlight_.erase(std::remove(inFlight_.begin(), inFlight_.end(), call), inFlight_.end());
  }
  if (call->state == Call::State::Cancelled) return false;
  if (call->error) std::rethrow_exception(call->error);
  return true;
}

void AdvHttpHandOver::SetDropping(bool dropping) {
  std::lock_guard lock(mutex_);
  dropping_ = dropping;
}

void AdvHttpHandOver::CancelPending() {
  std::lock_guard lock(mutex_);
  for (const auto& call : inFlight_) {
    {
      std::lock_guard callLock(call->mutex);
      if (call->state != Call::State::Pending) continue;
      call->state = Call::State::Cancelled;
    }
    call->finished.notify_all();
  }
}

}  // namespace marnova
