#include "platform/inet/InetErrorDlg.h"

#include <mutex>

#include <QApplication>
#include <QThread>

#include "platform/inet/CredentialDialog.h"
#include "platform/inet/HttpRequestCore.h"
#include "platform/inet/Inet.h"

namespace marnova::inet {
namespace {

std::mutex gPromptMutex;
CredentialPrompt gPrompt;

std::optional<CredentialAnswer> AskWithDialog(QWidget* parent, const CredentialRequest& request) {
  // Showing a window off the GUI thread is not possible; declining is the
  // safe answer there (the HTTP component hands the call over by itself).
  if (qApp == nullptr || QThread::currentThread() != qApp->thread()) return std::nullopt;
  CredentialDialog dialog(parent, request, QString());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return CredentialAnswer{dialog.UserName().toStdString(), dialog.Password().toStdString()};
}

std::string Realm(const std::string& challenge) {
  const std::size_t at = challenge.find("realm=");
  if (at == std::string::npos) return {};
  std::size_t start = at + 6;
  if (start < challenge.size() && challenge[start] == '"') {
    const std::size_t end = challenge.find('"', start + 1);
    return challenge.substr(start + 1, end == std::string::npos ? end : end - start - 1);
  }
  return challenge.substr(start, challenge.find_first_of(", ", start) - start);
}

std::string QueryText(HINTERNET request, std::uint32_t level) {
  char buffer[1024] = {};
  std::uint32_t length = sizeof buffer;
  if (!HttpQueryInfo(request, level, buffer, &length, nullptr)) return {};
  return std::string(buffer, length);
}

}  // namespace

void SetCredentialPrompt(CredentialPrompt prompt) {
  std::lock_guard lock(gPromptMutex);
  gPrompt = std::move(prompt);
}

std::uint32_t InternetErrorDlg(QWidget* parent, HINTERNET request, std::uint32_t /*error*/,
                               std::uint32_t flags, void** /*data*/) {
  if (request == nullptr || request->HandleKind() != InetHandle::Kind::Request)
    return ERROR_INVALID_HANDLE;
  std::uint32_t status = 0;
  std::uint32_t length = sizeof status;
  if (!HttpQueryInfo(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &length,
                     nullptr))
    status = 0;
  if (status != 401 && status != 407) return ERROR_SUCCESS;  // nothing to ask for

  CredentialRequest ask;
  ask.proxy = status == 407;
  ask.realm = Realm(
      QueryText(request, ask.proxy ? HTTP_QUERY_PROXY_AUTHENTICATE : HTTP_QUERY_WWW_AUTHENTICATE));
  const HttpRequestCore& core = *static_cast<RequestHandle*>(request)->core;
  ask.host = core.Host();
  ask.port = core.Port();
  ask.secure = core.Secure();
  CredentialPrompt prompt;
  {
    std::lock_guard lock(gPromptMutex);
    prompt = gPrompt;
  }
  const std::optional<CredentialAnswer> answer = prompt ? prompt(ask) : AskWithDialog(parent, ask);
  if (!answer) return ERROR_CANCELLED;
  if (flags & FLAGS_ERROR_UI_FLAGS_CHANGE_OPTIONS) {
    const std::string& user = answer->userName;
    const std::string& password = answer->password;
    InternetSetOption(request,
                      ask.proxy ? INTERNET_OPTION_PROXY_USERNAME : INTERNET_OPTION_USERNAME,
                      user.c_str(), static_cast<std::uint32_t>(user.size()));
    InternetSetOption(request,
                      ask.proxy ? INTERNET_OPTION_PROXY_PASSWORD : INTERNET_OPTION_PASSWORD,
                      password.c_str(), static_cast<std::uint32_t>(password.size()));
  }
  return ERROR_INTERNET_FORCE_RETRY;
}

}  // namespace marnova::inet
