// Opening a link target with the desktop's default action (the browser for a
// web address, the mail program for "mailto:"). Tests replace the opener so
// that nothing is ever opened.
#pragma once

#include <QString>
#include <functional>

namespace marnova {

// Receives the target text as given; returns whether it was opened.
using OpenHandler = std::function<bool(const QString& target)>;

// Hands `target` to the opener (by default QDesktopServices::openUrl on the
// target read as user input: "www.host.example" becomes an http address).
// A blank or unreadable target is a failure and reaches no opener.
bool OpenTarget(const QString& target);

// Whether `target`, read the same way, is a web page or a mail address
// (http, https, ftp, mailto). Links meant for the browser are checked with
// this, so that a target from outside cannot start a local program.
bool IsWebTarget(const QString& target);

// Replaces the opener for the whole process and returns the previous one;
// an empty handler brings back the desktop's default.
OpenHandler SetOpenHandler(OpenHandler handler);

// Installs a handler for the lifetime of the object, then restores the
// previous one.
class ScopedOpenHandler {
 public:
  explicit ScopedOpenHandler(OpenHandler handler);
  ~ScopedOpenHandler();
  ScopedOpenHandler(const ScopedOpenHandler&) = delete;
  ScopedOpenHandler& operator=(const ScopedOpenHandler&) = delete;

 private:
  OpenHandler FPrevious;
};

}  // namespace marnova
