#include "ui/widgets/ApplicationErrors.h"

#include <QtGlobal>
#include <stdexcept>
#include <utility>

namespace marnova {

namespace {

void LogError(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    qWarning("Unhandled error in an event handler: %s", e.what());
  } catch (...) {
    qWarning("Unhandled error in an event handler");
  }
}

TApplicationErrorHandler& Handler() {
  static TApplicationErrorHandler handler = LogError;
  return handler;
}

}  // namespace

void SetApplicationErrorHandler(TApplicationErrorHandler handler) {
  Handler() = handler ? std::move(handler) : TApplicationErrorHandler(LogError);
}

void HandleApplicationError(std::exception_ptr error) noexcept {
  if (!error) return;
  try {
    TApplicationErrorHandler handler = Handler();
    handler(error);
  } catch (...) {
    // A failing error handler has nowhere left to report to.
    LogError(std::current_exception());
  }
}

}  // namespace marnova
