#include "services/uAdvHttp.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <tuple>
#include <vector>

#include <QWidget>

#include "platform/inet/InetErrorDlg.h"

namespace marnova {
namespace {

using namespace inet;

constexpr std::uint32_t kBodyChunk = 16384;
constexpr std::uint32_t kHeaderBuffer = 8192;
constexpr int kMaxAcceptTypes = 100;

// Request flag of each member, by ordinal.
constexpr std::array<std::uint32_t, 17> kMemberFlags = {
    INTERNET_FLAG_CACHE_IF_NET_FAIL,
    INTERNET_FLAG_DONT_CACHE,
    INTERNET_FLAG_HYPERLINK,
    INTERNET_FLAG_IGNORE_CERT_CN_INVALID,
    INTERNET_FLAG_IGNORE_CERT_DATE_INVALID,
    INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTP,
    INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS,
    INTERNET_FLAG_KEEP_CONNECTION,
    INTERNET_FLAG_NEED_FILE,
    INTERNET_FLAG_NO_AUTH,
    INTERNET_FLAG_NO_AUTO_REDIRECT,
    INTERNET_FLAG_NO_CACHE_WRITE,
    INTERNET_FLAG_NO_COOKIES,
    INTERNET_FLAG_NO_UI,
    INTERNET_FLAG_PRAGMA_NOCACHE,
    INTERNET_FLAG_RELOAD,
    INTERNET_FLAG_RESYNCHRONIZE,
};

QString TextOf(const void* info) {
  return info ? QString::fromLocal8Bit(static_cast<const char*>(info)) : QString();
}

std::int32_t CountOf(const void* info, std::uint32_t length) {
  std::uint32_t count = 0;
  if (info && length >= sizeof count) std::memcpy(&count, info, sizeof count);
  return static_cast<std::int32_t>(count);
}

// Runs `step`; when it throws, the fields get their former values back
// before the exception passes on.
template <typename... T, typename Step>
void Restoring(std::tuple<T&...> fields, Step step) {
  const std::tuple<T...> former = fields;
  try {
    step();
  } catch (...) {
    fields = former;
    throw;
  }
}

}  // namespace

TAdvHttp::TAdvHttp(QObject* owner) : QObject(owner) {
  FHasWindow = qobject_cast<QWidget*>(owner) != nullptr;
  SetInternetFlags(TInternetFlags::fromInt(static_cast<int>(kInitialFlags)));
  if (FHasWindow) AdvHttpWindow::Acquire();
}

TAdvHttp::~TAdvHttp() {
  // From here on every event is dropped; a worker blocked in a hand-over to
  // this (the main) thread is let go first, so that waiting for it cannot
  // deadlock.
  FDestroying = true;
  AbandonRequest();
  InternetCloseHandle(FRoot);
  if (FHasWindow) AdvHttpWindow::Release();
}

// --- properties ------------------------------------------------------------------

std::uint32_t TAdvHttp::RequestFlagsOf(TInternetFlags flags) {
  std::uint32_t word = 0;
  for (std::size_t i = 0; i < kMemberFlags.size(); ++i)
    if (flags.toInt() & (1 << i)) word |= kMemberFlags[i];
  return word;
}

void TAdvHttp::SetInternetFlags(TInternetFlags value) {
  FInternetFlags = value;
  FRequestFlags = RequestFlagsOf(value);
}

void TAdvHttp::ReopenRoot() {
  if (!FRoot) return;
  AbandonRequest();
  InternetCloseHandle(FRoot);
  OpenRoot();
}

void TAdvHttp::SetURL(const QString& value) {
  // A rejected address leaves no trace: its parts are taken back as well.
  Restoring(std::tie(FURL, FSSL, FHostName, FURLPath, FExtraInfo), [&] {
    FURL = value;
    SplitURL();
  });
}

void TAdvHttp::SetURLPath(const QString& value) {
  Restoring(std::tie(FURLPath), [&] {
    FURLPath = value;
    RebuildURL();
  });
}

void TAdvHttp::SetExtraInfo(const QString& value) {
  Restoring(std::tie(FExtraInfo), [&] {
    FExtraInfo = value;
    if (!value.isEmpty() && value[0] != u'#' && value[0] != u'?') FExtraInfo.prepend(u'?');
    RebuildURL();
  });
}

void TAdvHttp::SetHostName(const QString& value) {
  Restoring(std::tie(FHostName), [&] {
    FHostName = value;
    RebuildURL();
  });
}

void TAdvHttp::HandCredential(QString& field, std::uint32_t option, const QString& value) {
  field = value;
  std::lock_guard lock(FHandleMutex);
  if (!FConnection) return;
  const QByteArray bytes = value.toLocal8Bit();
  // Not result-checked: a refused option shows at the next send.
  InternetSetOption(FConnection.get(), option, bytes.constData(),
                    static_cast<std::uint32_t>(bytes.size()));
}

QString TAdvHttp::Text() const {
  std::lock_guard lock(FTextMutex);
  const int zero = FResponseBody.indexOf('\0');
  // One byte is one character, whatever the locale: the notice is read by
  // byte positions.
  return QString::fromLatin1(zero < 0 ? FResponseBody : FResponseBody.left(zero));
}

void TAdvHttp::SetText(const QString& value) {
  FRequestBody = value.toLocal8Bit();
}

// --- address splitting and rebuilding ----------------------------------------------

void TAdvHttp::SplitURL() {
  const QByteArray url = FURL.toLocal8Bit();
  char host[256] = {}, user[128] = {}, password[128] = {}, path[2048] = {}, extra[2048] = {};
  URL_COMPONENTS parts;
  parts.lpszHostName = host;
  parts.dwHostNameLength = sizeof host;
  parts.lpszUserName = user;
  parts.dwUserNameLength = sizeof user;
  parts.lpszPassword = password;
  parts.dwPasswordLength = sizeof password;
  parts.lpszUrlPath = path;
  parts.dwUrlPathLength = sizeof path;
  parts.lpszExtraInfo = extra;
  parts.dwExtraInfoLength = sizeof extra;
  Check(InternetCrackUrl(url.constData(), static_cast<std::uint32_t>(url.size()), ICU_ESCAPE,
                         &parts));
  FHostName = QString::fromLocal8Bit(host);
  FURLPath = QString::fromLocal8Bit(path);
  FExtraInfo = QString::fromLocal8Bit(extra);
  if (parts.nScheme == INTERNET_SCHEME_HTTPS)
    SetSSL(true);
  else if (parts.nScheme != INTERNET_SCHEME_HTTP)
    throw std::runtime_error("Invalid protocol");
  FPort = parts.nPort;
  if (user[0]) FUserName = QString::fromLocal8Bit(user);
  if (password[0]) FPassword = QString::fromLocal8Bit(password);
}

void TAdvHttp::RebuildURL() {
  QString base = QString::fromLatin1(FSSL ? "https://" : "http://") + FHostName;
  if (FPort != 80) base += u':' + QString::number(FPort);
  const QByteArray baseBytes = base.toLocal8Bit();
  const QByteArray relative = (FURLPath + FExtraInfo).toLocal8Bit();
  char combined[2055];
  std::uint32_t length = sizeof combined;
  Check(InternetCombineUrl(baseBytes.constData(), relative.constData(), combined, &length,
                           ICU_ENCODE_SPACES_ONLY));
  FURL = QString::fromLocal8Bit(combined, static_cast<qsizetype>(length));
}

// --- result check and error text ---------------------------------------------------

void TAdvHttp::Check(bool ok) {
  FLastError = 0;
  if (ok) return;
  const std::uint32_t code = inet::GetLastError();
  FLastError = code;
  if (code == 0 || code == ERROR_IO_PENDING) return;
  Fire(OnError);
  throw EInetError(ErrorText(code).toStdString());
}

QString TAdvHttp::ErrorText(std::uint32_t code) {
  char description[257] = {};
  FormatErrorMessage(code, description, 256);
  if (code != ERROR_INTERNET_EXTENDED_ERROR) return QString::fromLocal8Bit(description);
  std::uint32_t extended = 0;
  char response[4097] = {};
  std::uint32_t length = 4096;
  if (!InternetGetLastResponseInfo(&extended, response, &length)) response[0] = '\0';
  return QString::asprintf("%s\r\nExtended error:%d - %s\r\n", description,
                           static_cast<int>(extended), response);
}

// --- events ------------------------------------------------------------------------

void TAdvHttp::Fire(const TNotifyEvent& handler) {
  if (!handler || FDestroying) return;
  TNotifyEvent call = handler;  // the hand-over carries its own copy
  if (FHasWindow)
    FHandOver.Run([this, &call] { call(this); });
  else
    call(this);
}

void TAdvHttp::StatusCallback(HINTERNET, std::uintptr_t context, std::uint32_t status, void* info,
                              std::uint32_t length) {
  auto* self = reinterpret_cast<TAdvHttp*>(context);
  try {
    self->Status(status, info, length);
  } catch (...) {
    // Progress handlers run inside the library (or on its thread); their
    // exceptions cannot travel through it and are dropped here.
  }
}

void TAdvHttp::Status(std::uint32_t status, void* info, std::uint32_t length) {
  // What a notification records before its event fires: its text, or its
  // byte count.
  struct Entry {
    std::uint32_t status;
    TNotifyEvent TAdvHttp::*event;
    QString TAdvHttp::*text = nullptr;
    std::atomic<std::int32_t> TAdvHttp::*count = nullptr;
  };
  static constexpr Entry kEntries[] = {
      {INTERNET_STATUS_RESOLVING_NAME, &TAdvHttp::OnResolvingName},
      {INTERNET_STATUS_NAME_RESOLVED, &TAdvHttp::OnNameResolved, &TAdvHttp::FServerAddress},
      {INTERNET_STATUS_CONNECTING_TO_SERVER, &TAdvHttp::OnConnectingToServer,
       &TAdvHttp::FServerAddress},
      {INTERNET_STATUS_CONNECTED_TO_SERVER, &TAdvHttp::OnConnectedToServer,
       &TAdvHttp::FServerAddress},
      {INTERNET_STATUS_SENDING_REQUEST, &TAdvHttp::OnSendingRequest},
      {INTERNET_STATUS_REQUEST_SENT, &TAdvHttp::OnRequestSent, nullptr, &TAdvHttp::FBytesSent},
      {INTERNET_STATUS_RECEIVING_RESPONSE, &TAdvHttp::OnReceivingResponse},
      {INTERNET_STATUS_RESPONSE_RECEIVED, &TAdvHttp::OnResponseReceived, nullptr,
       &TAdvHttp::FBytesReceived},
      {INTERNET_STATUS_CLOSING_CONNECTION, &TAdvHttp::OnClosingConnection},
      {INTERNET_STATUS_CONNECTION_CLOSED, &TAdvHttp::OnConnectionClosed},
      {INTERNET_STATUS_REDIRECT, &TAdvHttp::OnRedirect, &TAdvHttp::FRedirectURL},
      {INTERNET_STATUS_INTERMEDIATE_RESPONSE, &TAdvHttp::OnIntermediateResponse},
      {INTERNET_STATUS_STATE_CHANGE, &TAdvHttp::OnStateChange},
  };
  FStatusInfo = info;
  FStatusInfoLength = static_cast<std::int32_t>(length);
  if (status == INTERNET_STATUS_REQUEST_COMPLETE) return Completed(info, length);
  const Entry* entry = std::find_if(std::begin(kEntries), std::end(kEntries),
                                    [status](const Entry& e) { return e.status == status; });
  if (entry == std::end(kEntries)) return;
  if (entry->text) {
    std::lock_guard lock(FTextMutex);
    this->*entry->text = TextOf(info);
  }
  if (entry->count) this->*entry->count = CountOf(info, length);
  if (entry->count == &TAdvHttp::FBytesReceived) FTotalBytesReceived += FBytesReceived;
  Fire(this->*entry->event);
}

void TAdvHttp::Completed(const void* info, std::uint32_t length) {
  INTERNET_ASYNC_RESULT result{};
  if (info && length >= sizeof result) std::memcpy(&result, info, sizeof result);
  std::unique_lock lock(FSync);
  if (FExpect == Expect::Read) {
    // A pending read finished (or failed): the waiting worker takes it.
    FExpect = Expect::Nothing;
    FCompletion = result;
    FCompleted = true;
    FWake.notify_all();
  } else if (FExpect == Expect::Send) {
    FExpect = Expect::Nothing;
    if (result.dwResult != 0) {
      // Every completed send gets exactly one processing pass.
      if (FAbort) return;
      ++FPasses;
      if (!FWorker.joinable()) {
        FWorkerActive = true;
        FWorker = std::thread(&TAdvHttp::WorkerLoop, this);
      } else
        FWake.notify_all();
    } else {
      FLastError = result.dwError;
      lock.unlock();
      if (result.dwError != 0 && result.dwError != ERROR_IO_PENDING) Fire(OnError);
    }
  }
}

// --- running a request -------------------------------------------------------------

void TAdvHttp::OpenRoot() {
  try {
    const QByteArray agent = FUserAgent.toLocal8Bit();
    const QByteArray proxy = FProxy.toLocal8Bit();
    FRoot = FProxy.isEmpty() ? InternetOpen(agent.constData(), INTERNET_OPEN_TYPE_PRECONFIG,
                                            nullptr, nullptr, FMode)
                             : InternetOpen(agent.constData(), INTERNET_OPEN_TYPE_PROXY,
                                            proxy.constData(), nullptr, FMode);
    Check(FRoot != nullptr);
    FRootMode = FMode;
    InternetSetStatusCallback(FRoot.get(), &TAdvHttp::StatusCallback);
  } catch (...) {
    if (FRaiseExceptions) throw;
    // Swallowed: the root stays closed and the connection step reports it.
  }
}

bool TAdvHttp::Execute(bool Synchronous) {
  // A request that an asynchronous failure or an authentication stop left
  // open, or one still running, is closed before the new one starts.
  AbandonRequest();
  FMode = Synchronous ? 0 : INTERNET_FLAG_ASYNC;
  FInProgress = true;
  bool result = true;
  FAbort = false;
  const std::uint32_t secure = FSSL ? INTERNET_FLAG_SECURE : 0;
  FTotalBytesReceived = 0;
  FBytesRead = 0;
  FBytesReceived = 0;
  FChunkSize = 0;
  {
    std::lock_guard lock(FTextMutex);
    FResponseBody.clear();
  }
  // The mode is fixed per root handle: a call in the other mode opens a new one.
  if (FRoot && FRootMode != FMode) InternetCloseHandle(FRoot);
  if (!FRoot) OpenRoot();
  try {
    const QByteArray host = FHostName.toLocal8Bit();
    UniqueInternet connection =
        InternetConnect(FRoot.get(), host.constData(), static_cast<std::uint16_t>(FPort & 0xFFFF),
                        nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0);
    const bool connected = connection != nullptr;
    {
      std::lock_guard lock(FHandleMutex);
      FConnection = std::move(connection);
    }
    Check(connected);
    const auto timeout = static_cast<std::uint32_t>(FConnectTimeout);
    InternetSetOption(FConnection.get(), INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof timeout);

    const QByteArray object = (FURLPath + FExtraInfo).toLocal8Bit();
    std::vector<QByteArray> types;
    std::array<const char*, kMaxAcceptTypes + 1> accept{};
    const bool anyTypes = !FAcceptTypes.join(QString()).isEmpty();
    if (anyTypes) {
      // Read as a null-terminated list: it ends at the first empty line.
      types.reserve(kMaxAcceptTypes);
      for (int i = 0; i < FAcceptTypes.size() && i < kMaxAcceptTypes; ++i) {
        if (FAcceptTypes[i].isEmpty()) continue;
        types.push_back(FAcceptTypes[i].toLocal8Bit());
        accept[static_cast<std::size_t>(i)] = types.back().constData();
      }
    }
    const QByteArray method = FMethod.toLocal8Bit();
    FRequest = HttpOpenRequest(FConnection.get(), method.constData(), object.constData(), nullptr,
                               nullptr, anyTypes ? accept.data() : nullptr, FRequestFlags | secure,
                               reinterpret_cast<std::uintptr_t>(this));
    Check(FRequest != nullptr);
    FRetries = 0;
    SetUserName(FUserName);
    SetPassword(FPassword);
    // Proxy credentials assigned beforehand count for the new connection too.
    if (!FProxyUserName.isEmpty()) SetProxyUserName(FProxyUserName);
    if (!FProxyPassword.isEmpty()) SetProxyPassword(FProxyPassword);
    SendRequest();
  } catch (...) {
    result = false;
    if (FRaiseExceptions) throw;
  }
  return result;
}

void TAdvHttp::SendRequest() {
  QByteArray headers;
  for (const QString& line : FRequestHeaders) headers += line.toLocal8Bit() + "\r\n";
  if (!FRequestHeaders.isEmpty()) headers += "\r\n";
  {
    // Registered before the call: a completion may arrive before it returns.
    std::lock_guard lock(FSync);
    FExpect = FMode ? Expect::Send : Expect::Nothing;
  }
  const bool sent =
      HttpSendRequest(FRequest.get(), headers.isEmpty() ? nullptr : headers.constData(),
                      static_cast<std::uint32_t>(headers.size()), FRequestBody.constData(),
                      static_cast<std::uint32_t>(FRequestBody.size()));
  if (!sent && inet::GetLastError() == ERROR_IO_PENDING) {
    // Pending, unless the completion has come (and been reported) already.
    std::lock_guard lock(FSync);
    if (FExpect == Expect::Send) FLastError = ERROR_IO_PENDING;
    return;
  }
  if (!sent) {
    std::lock_guard lock(FSync);
    FExpect = Expect::Nothing;
  }
  Check(sent);
  if (FMode == 0) ProcessResponse();
}

void TAdvHttp::StopCancelled() {
  FLastError = ERROR_INTERNET_OPERATION_CANCELLED;
  Fire(OnError);
}

std::uint32_t TAdvHttp::AskCredentials() {
  std::uint32_t answer = 0;
  const std::uint32_t error = FLastError;
  auto ask = [&] {
    answer =
        InternetErrorDlg(nullptr, FRequest.get(), error,
                         FLAGS_ERROR_UI_FILTER_FOR_ERRORS | FLAGS_ERROR_UI_FLAGS_CHANGE_OPTIONS |
                             FLAGS_ERROR_UI_FLAGS_GENERATE_DATA,
                         nullptr);
  };
  // The dialog belongs on the main thread like every handler.
  if (FHasWindow)
    FHandOver.Run(ask);
  else
    ask();
  return answer;
}

bool TAdvHttp::ProcessResponse() {
  bool needAuth = false;
  try {
    std::uint32_t status = 0;
    std::uint32_t length = sizeof status;
    Check(HttpQueryInfo(FRequest.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status,
                        &length, nullptr));
    FStatusCode = static_cast<std::int32_t>(status);
  } catch (const EInetError&) {
    // Always swallowed: StatusCode keeps its value, no authentication.
  }
  if (FLastError == 0 && FStatusCode == 401) {
    Fire(OnNeedAuth);
    needAuth = true;
  } else if (FLastError == 0 && FStatusCode == 407) {
    Fire(OnNeedProxyAuth);
    needAuth = true;
  }
  if (needAuth) {
    if (FRetries >= FAuthRetries) {
      StopCancelled();
      return false;
    }
    if (FDefaultUi) {
      const std::uint32_t answer = AskCredentials();
      if (answer == ERROR_SUCCESS || answer == ERROR_CANCELLED) {
        StopCancelled();
        return false;
      }
    }
    ++FRetries;
    if (FAbort) {
      CloseRequest();
      return false;
    }
    SendRequest();
    return FMode != 0;  // asynchronous: the new send's completion starts the next pass
  }

  std::exception_ptr failure;
  try {
    ReadHeaders();
    ReadBody();
  } catch (...) {
    failure = std::current_exception();
  }
  if (FLastError != ERROR_INTERNET_OPERATION_CANCELLED) Fire(OnRequestComplete);
  if (failure) std::rethrow_exception(failure);
  return false;
}

void TAdvHttp::ReadHeaders() {
  try {
    if (!FRequest) return;
    std::vector<char> buffer(kHeaderBuffer);
    std::uint32_t length = kHeaderBuffer;
    const bool ok =
        HttpQueryInfo(FRequest.get(), HTTP_QUERY_RAW_HEADERS_CRLF, buffer.data(), &length, nullptr);
    {
      // Cleared first, so a failed query leaves no former request's lines.
      std::lock_guard lock(FTextMutex);
      FResponseHeaders.clear();
    }
    Check(ok);
    QStringList lines = QString::fromLocal8Bit(buffer.data(), static_cast<qsizetype>(length))
                            .split(QStringLiteral("\r\n"));
    while (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
    std::lock_guard lock(FTextMutex);
    FResponseHeaders = lines;
  } catch (...) {
    if (FRaiseExceptions) throw;
  }
}

void TAdvHttp::ReadBody() {
  try {
    {
      std::lock_guard lock(FTextMutex);
      FResponseBody.clear();
    }
    // Declared before the loop's clean-up: a pending read may write into it
    // until the request is closed.
    std::vector<char> buffer(kBodyChunk + 1);
    try {
      for (;;) {
        if (!FRequest || FAbort) break;
        std::uint32_t count = 0;
        {
          std::lock_guard lock(FSync);
          FExpect = FMode ? Expect::Read : Expect::Nothing;
          FCompleted = false;
        }
        const bool ok = InternetReadFile(FRequest.get(), buffer.data(), kBodyChunk, &count);
        if (ok) {
          std::lock_guard lock(FSync);
          FExpect = Expect::Nothing;
        }
        Check(ok);
        if (!ok) {
          if (FLastError != ERROR_IO_PENDING) break;
          // Wait for the library's completion, or for an abort.
          std::unique_lock lock(FSync);
          FWake.wait(lock, [this] { return FCompleted || FAbort; });
          if (!FCompleted) break;
          const INTERNET_ASYNC_RESULT result = FCompletion;
          lock.unlock();
          if (result.dwResult == 0) {
            inet::SetLastError(result.dwError);
            Check(false);
            break;
          }
        }
        if (count == 0) break;
        {
          std::lock_guard lock(FTextMutex);
          FChunkPosition = static_cast<std::int32_t>(FResponseBody.size());
          FResponseBody.append(buffer.data(), static_cast<qsizetype>(count));
        }
        FChunkSize = static_cast<std::int32_t>(count);
        FBytesRead += static_cast<std::int32_t>(count);
        Fire(OnDataAvailable);
      }
    } catch (...) {
      CloseRequest();
      throw;
    }
    CloseRequest();
  } catch (...) {
    if (FRaiseExceptions) throw;
  }
}

void TAdvHttp::CloseRequest() {
  UniqueInternet request, connection;
  {
    std::lock_guard lock(FHandleMutex);
    request = std::move(FRequest);
    connection = std::move(FConnection);
  }
  // Closed outside the lock: closing waits for the library's thread, which
  // may be handing an event to a setter's thread.
  InternetCloseHandle(request);
  InternetCloseHandle(connection);
  {
    std::lock_guard lock(FSync);
    FExpect = Expect::Nothing;
  }
  FInProgress = false;
}

void TAdvHttp::FreeBody() {
  std::lock_guard lock(FTextMutex);
  FResponseBody.clear();  // releases the memory, unlike resize(0)
}

void TAdvHttp::Abort() {
  if (!FInProgress || FAbort) return;  // nothing running, or ending already
  bool reading = false;
  {
    // Under the lock: a send completing from now on starts no worker.
    std::lock_guard lock(FSync);
    FAbort = true;
    reading = FWorkerActive;
    FWake.notify_all();
  }
  StopCancelled();
  FHandOver.SetDropping(true);  // until the next Execute
  FHandOver.CancelPending();
  if (reading) return;  // the worker closes the request and frees the body on its way out
  CloseRequest();
  FreeBody();
}

void TAdvHttp::AbandonRequest() {
  FAbort = true;
  FHandOver.SetDropping(true);
  FHandOver.CancelPending();
  {
    std::lock_guard lock(FSync);
    FWake.notify_all();
  }
  JoinWorker();
  CloseRequest();
  FHandOver.SetDropping(FDestroying);
  FAbort = false;
}

void TAdvHttp::JoinWorker() {
  std::thread worker;
  {
    std::lock_guard lock(FSync);
    worker = std::move(FWorker);
    FPasses = 0;
  }
  if (!worker.joinable()) return;
  if (worker.get_id() == std::this_thread::get_id())
    worker.detach();  // called from a handler on the worker itself; it ends on return
  else
    worker.join();
}

void TAdvHttp::WorkerLoop() {
  for (;;) {
    {
      std::unique_lock lock(FSync);
      FWake.wait(lock, [this] { return FPasses > 0 || FAbort; });
      if (FAbort) break;
      --FPasses;
    }
    bool again = false;
    try {
      again = ProcessResponse();
    } catch (...) {
      // Nothing may leave the worker; the failure was reported through
      // LastError and OnError where it arose.
    }
    if (!again) break;
  }
  bool aborted = false;
  {
    std::lock_guard lock(FSync);
    FWorkerActive = false;
    aborted = FAbort;
  }
  // An abort that came while this worker ran is finished here, whatever
  // step it found the request in.
  if (aborted) {
    CloseRequest();
    FreeBody();
  }
}

}  // namespace marnova
