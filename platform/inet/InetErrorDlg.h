// Asking the user for credentials when a request was answered with 401 or
// 407. Tests replace the dialog with their own prompt.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/inet/InetDefs.h"

class QWidget;

namespace marnova::inet {

struct CredentialRequest {
  std::string host;  // the server the request went to, and its port
  std::uint16_t port = 0;
  std::string realm;
  bool proxy = false;   // 407: the proxy asks
  bool secure = false;  // https: the answer travels encrypted
};

struct CredentialAnswer {
  std::string userName;
  std::string password;
};

// Answers with credentials (retry) or nothing (cancelled). Called on the
// thread that calls InternetErrorDlg.
using CredentialPrompt = std::function<std::optional<CredentialAnswer>(const CredentialRequest&)>;

// Replaces the dialog; an empty prompt brings the dialog back.
void SetCredentialPrompt(CredentialPrompt prompt);

// For a request whose answer is 401 or 407 (with
// FLAGS_ERROR_UI_FILTER_FOR_ERRORS, anything else is nothing to do and gives
// ERROR_SUCCESS), asks for credentials. With
// FLAGS_ERROR_UI_FLAGS_CHANGE_OPTIONS the answer is stored on the request
// (options 28/29 or 43/44). Returns ERROR_INTERNET_FORCE_RETRY for retry and
// ERROR_CANCELLED when the user declines. The dialog itself can only be shown
// on the GUI thread; elsewhere it counts as declined.
std::uint32_t InternetErrorDlg(QWidget* parent, HINTERNET request, std::uint32_t error,
                               std::uint32_t flags, void** data);

}  // namespace marnova::inet
