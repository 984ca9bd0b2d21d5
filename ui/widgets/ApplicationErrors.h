#pragma once
// The application's general error handler: where an error raised inside an
// event handler ends up when the event loop, not a caller, ran the handler
// (an exception must never unwind through Qt's event loop).

#include <exception>
#include <functional>

namespace marnova {

using TApplicationErrorHandler = std::function<void(std::exception_ptr error)>;

// Replaces the handler; an empty one restores the default, which writes the
// error's message to the debug log and carries on.
void SetApplicationErrorHandler(TApplicationErrorHandler handler);
// Hands `error` to the current handler. Never throws.
void HandleApplicationError(std::exception_ptr error) noexcept;

}  // namespace marnova
