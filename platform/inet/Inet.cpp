#include "platform/inet/Inet.h"

#include <cstring>
#include <mutex>

#include <curl/curl.h>

#include "platform/inet/HttpRequestCore.h"
#include "platform/inet/InetHandles.h"

namespace marnova::inet {
namespace {

std::atomic<std::uint32_t> gDefaultReceiveTimeout{30000};
std::mutex gAuthoritiesMutex;
std::string gAuthorities;  // guarded by gAuthoritiesMutex

void EnsureCurl() {
  static std::once_flag once;
  // Never cleaned up: libcurl's global state lives as long as the process.
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::string Text(const char* s) {
  return s ? std::string(s) : std::string();
}

template <typename T>
T* As(HINTERNET handle, InetHandle::Kind kind) {
  if (handle == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (handle->HandleKind() != kind) {
    SetLastError(ERROR_INTERNET_INCORRECT_HANDLE_TYPE);
    return nullptr;
  }
  return static_cast<T*>(handle);
}

}  // namespace

InetHandle::~InetHandle() = default;

RequestHandle::RequestHandle(std::shared_ptr<HttpRequestCore> c)
    : InetHandle(Kind::Request), core(std::move(c)) {
  core->SetOwner(this);
}

RequestHandle::~RequestHandle() {
  core->Close();
}

std::uint32_t DefaultReceiveTimeout() {
  return gDefaultReceiveTimeout;
}
void SetDefaultReceiveTimeout(std::uint32_t milliseconds) {
  gDefaultReceiveTimeout = milliseconds;
}

std::string CertificateAuthorities() {
  std::lock_guard lock(gAuthoritiesMutex);
  return gAuthorities;
}
void SetCertificateAuthorities(const std::string& file) {
  std::lock_guard lock(gAuthoritiesMutex);
  gAuthorities = file;
}

UniqueInternet InternetOpen(const char* agent, std::uint32_t accessType, const char* proxy,
                            const char* /*proxyBypass*/, std::uint32_t flags) {
  EnsureCurl();
  if (accessType != INTERNET_OPEN_TYPE_PRECONFIG && accessType != INTERNET_OPEN_TYPE_DIRECT &&
      accessType != INTERNET_OPEN_TYPE_PROXY) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (accessType == INTERNET_OPEN_TYPE_PROXY && (proxy == nullptr || *proxy == '\0')) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto session = std::make_shared<SessionState>();
  session->agent = Text(agent);
  session->accessType = accessType;
  session->proxy = Text(proxy);
  session->async = (flags & INTERNET_FLAG_ASYNC) != 0;
  return std::make_unique<RootHandle>(std::move(session));
}

INTERNET_STATUS_CALLBACK InternetSetStatusCallback(HINTERNET root,
                                                   INTERNET_STATUS_CALLBACK callback) {
  auto* r = As<RootHandle>(root, InetHandle::Kind::Root);
  if (r == nullptr) return nullptr;
  return r->session->callback.exchange(callback);
}

UniqueInternet InternetConnect(HINTERNET root, const char* serverName, std::uint16_t port,
                               const char* userName, const char* password, std::uint32_t service,
                               std::uint32_t /*flags*/, std::uintptr_t /*context*/) {
  auto* r = As<RootHandle>(root, InetHandle::Kind::Root);
  if (r == nullptr) return nullptr;
  if (service != INTERNET_SERVICE_HTTP) {
    SetLastError(ERROR_INTERNET_PROTOCOL_NOT_FOUND);
    return nullptr;
  }
  if (serverName == nullptr || *serverName == '\0') {
    SetLastError(ERROR_INTERNET_INVALID_URL);
    return nullptr;
  }
  auto connection = std::make_shared<ConnectionState>();
  connection->session = r->session;
  connection->host = serverName;
  connection->port = port ? port : INTERNET_DEFAULT_HTTP_PORT;
  if (userName && *userName) connection->credentials.user = userName;
  if (password && *password) connection->credentials.password = password;
  return std::make_unique<ConnectionHandle>(std::move(connection));
}

UniqueInternet HttpOpenRequest(HINTERNET connection, const char* verb, const char* objectName,
                               const char* /*version*/, const char* /*referrer*/,
                               const char* const* acceptTypes, std::uint32_t flags,
                               std::uintptr_t context) {
  auto* c = As<ConnectionHandle>(connection, InetHandle::Kind::Connection);
  if (c == nullptr) return nullptr;
  RequestConfig config;
  config.verb = verb && *verb ? verb : "GET";
  config.objectName = Text(objectName);
  for (const char* const* type = acceptTypes; type && *type; ++type) {
    if (!config.accept.empty()) config.accept += ", ";
    config.accept += *type;
  }
  config.flags = flags;
  config.context = context;
  auto core = std::make_shared<HttpRequestCore>(c->connection, std::move(config));
  return std::make_unique<RequestHandle>(std::move(core));
}

bool HttpSendRequest(HINTERNET request, const char* headers, std::uint32_t headersLength,
                     const void* optional, std::uint32_t optionalLength) {
  auto* r = As<RequestHandle>(request, InetHandle::Kind::Request);
  if (r == nullptr) return false;
  std::string headerText;
  if (headers)
    headerText =
        headersLength == 0xFFFFFFFFu ? std::string(headers) : std::string(headers, headersLength);
  std::string body;
  if (optional && optionalLength) body.assign(static_cast<const char*>(optional), optionalLength);
  return r->core->Send(std::move(headerText), std::move(body));
}

bool HttpQueryInfo(HINTERNET request, std::uint32_t infoLevel, void* buffer,
                   std::uint32_t* bufferLength, std::uint32_t* index) {
  auto* r = As<RequestHandle>(request, InetHandle::Kind::Request);
  return r && r->core->Query(infoLevel, buffer, bufferLength, index);
}

bool InternetReadFile(HINTERNET request, void* buffer, std::uint32_t toRead, std::uint32_t* read) {
  auto* r = As<RequestHandle>(request, InetHandle::Kind::Request);
  return r && r->core->Read(buffer, toRead, read);
}

bool InternetSetOption(HINTERNET handle, std::uint32_t option, const void* buffer,
                       std::uint32_t length) {
  if (handle == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  if (handle->HandleKind() == InetHandle::Kind::Request)
    return static_cast<RequestHandle*>(handle)->core->SetOption(option, buffer, length);

  const bool timeout =
      option == INTERNET_OPTION_CONNECT_TIMEOUT || option == INTERNET_OPTION_RECEIVE_TIMEOUT;
  std::uint32_t ms = 0;
  if (timeout) {
    if (buffer == nullptr || length != sizeof ms) {
      SetLastError(ERROR_INTERNET_BAD_OPTION_LENGTH);
      return false;
    }
    std::memcpy(&ms, buffer, sizeof ms);
  }
  if (handle->HandleKind() == InetHandle::Kind::Root) {
    auto& s = *static_cast<RootHandle*>(handle)->session;
    if (!timeout) {
      SetLastError(ERROR_INTERNET_INVALID_OPTION);
      return false;
    }
    (option == INTERNET_OPTION_CONNECT_TIMEOUT ? s.connectTimeout : s.receiveTimeout) = ms;
    return true;
  }
  auto& c = *static_cast<ConnectionHandle*>(handle)->connection;
  if (timeout) {
    (option == INTERNET_OPTION_CONNECT_TIMEOUT ? c.connectTimeout : c.receiveTimeout) = ms;
    return true;
  }
  const char* text = static_cast<const char*>(buffer);
  std::string value =
      text ? std::string(text, length ? strnlen(text, length) : std::strlen(text)) : std::string();
  std::lock_guard lock(c.mutex);
  switch (option) {
    case INTERNET_OPTION_USERNAME:
      c.credentials.user = std::move(value);
      return true;
    case INTERNET_OPTION_PASSWORD:
      c.credentials.password = std::move(value);
      return true;
    case INTERNET_OPTION_PROXY_USERNAME:
      c.credentials.proxyUser = std::move(value);
      return true;
    case INTERNET_OPTION_PROXY_PASSWORD:
      c.credentials.proxyPassword = std::move(value);
      return true;
    default:
      SetLastError(ERROR_INTERNET_INVALID_OPTION);
      return false;
  }
}

void InternetCloseHandle(UniqueInternet& handle) {
  handle.reset();
}

}  // namespace marnova::inet
