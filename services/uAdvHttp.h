// TAdvHttp: a non-visual component that runs one HTTP or HTTPS request at a
// time and reports every stage through its events. Configured through
// published properties (assigned in declaration order by a window
// description, so the address setters' side effects run in that order).
//
// Execute(true) runs everything on the calling thread; Execute(false) sends in
// the background and a worker thread of the component reads the answer. When
// the owner is a widget, every handler runs on the main thread while the
// raising thread waits (an exception a handler raises is raised again on the
// raising thread); otherwise handlers run on the raising thread.
//
// Handlers must not destroy the component; use deleteLater().
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <thread>

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include "platform/inet/Inet.h"
#include "services/AdvHttpWindow.h"

namespace marnova {

// A library failure; the message is the error text of the code.
class EInetError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

using TNotifyEvent = std::function<void(QObject* Sender)>;

class TAdvHttp : public QObject {
  Q_OBJECT

 public:
  // One bit per member, by ordinal.
  enum TInternetFlag : std::uint32_t {
    ifCacheIfNetFail = 1u << 0,
    ifDontCache = 1u << 1,
    ifHyperLink = 1u << 2,
    ifIgnoreCertCnInvalid = 1u << 3,
    ifIgnoreCertDateInvalid = 1u << 4,
    ifIgnoreRedirectToHttp = 1u << 5,
    ifIgnoreRedirectToHttps = 1u << 6,
    ifKeepConnection = 1u << 7,
    ifNeedFile = 1u << 8,
    ifNoAuth = 1u << 9,
    ifNoAutoRedirect = 1u << 10,
    ifNoCacheWrite = 1u << 11,
    ifNoCookies = 1u << 12,
    ifNoUi = 1u << 13,
    ifPragmaNoCache = 1u << 14,
    ifReload = 1u << 15,
    ifResynchronize = 1u << 16,
  };
  Q_DECLARE_FLAGS(TInternetFlags, TInternetFlag)
  Q_FLAG(TInternetFlags)

  Q_PROPERTY(int ConnectTimeout READ ConnectTimeout WRITE SetConnectTimeout)
  Q_PROPERTY(bool RaiseExceptions READ RaiseExceptions WRITE SetRaiseExceptions)
  Q_PROPERTY(QString UserAgent READ UserAgent WRITE SetUserAgent)
  Q_PROPERTY(QString Proxy READ Proxy WRITE SetProxy)
  Q_PROPERTY(bool SSL READ SSL WRITE SetSSL)
  Q_PROPERTY(QString URL READ URL WRITE SetURL)
  Q_PROPERTY(QString URLPath READ URLPath WRITE SetURLPath)
  Q_PROPERTY(QString ExtraInfo READ ExtraInfo WRITE SetExtraInfo)
  Q_PROPERTY(int Port READ Port WRITE SetPort)
  Q_PROPERTY(QString UserName READ UserName WRITE SetUserName)
  Q_PROPERTY(QString Password READ Password WRITE SetPassword)
  Q_PROPERTY(QString ProxyUserName READ ProxyUserName WRITE SetProxyUserName)
  Q_PROPERTY(QString ProxyPassword READ ProxyPassword WRITE SetProxyPassword)
  Q_PROPERTY(QString HostName READ HostName WRITE SetHostName)
  Q_PROPERTY(bool DefaultUi READ DefaultUi WRITE SetDefaultUi)
  Q_PROPERTY(QStringList RequestHeaders READ RequestHeaders WRITE SetRequestHeaders)
  Q_PROPERTY(QStringList AcceptTypes READ AcceptTypes WRITE SetAcceptTypes)
  Q_PROPERTY(QString Method READ Method WRITE SetMethod)
  Q_PROPERTY(QString Text READ Text WRITE SetText)
  Q_PROPERTY(int AuthRetries READ AuthRetries WRITE SetAuthRetries)
  Q_PROPERTY(TInternetFlags InternetFlags READ InternetFlags WRITE SetInternetFlags)

  static constexpr std::uint32_t kInitialFlags = 0xA0F8;

  explicit TAdvHttp(QObject* owner = nullptr);
  ~TAdvHttp() override;

  // Starts one request with the current properties. Returns false when
  // connecting, opening or sending the request failed (reported through
  // OnError and LastError); with RaiseExceptions the error is raised instead.
  bool Execute(bool Synchronous);

  // Ends the running request as if it had failed: nothing more is read, the
  // request is closed and the body received so far is freed. LastError
  // becomes ERROR_INTERNET_OPERATION_CANCELLED and OnError fires; no later
  // event of the request fires. Returns at once; when a worker is reading,
  // it closes the request as soon as the handler it may be running returns.
  // Call it from the main thread or from OnDataAvailable, not from a
  // progress handler. Does nothing when no request is in progress.
  void Abort();

  // The library's description of a code; for ERROR_INTERNET_EXTENDED_ERROR
  // with the extended error number and the last response text.
  static QString ErrorText(std::uint32_t code);
  // The request flag word a set of members gives.
  static std::uint32_t RequestFlagsOf(TInternetFlags flags);

  // Published properties.
  int ConnectTimeout() const { return FConnectTimeout; }
  void SetConnectTimeout(int value) { FConnectTimeout = value; }
  bool RaiseExceptions() const { return FRaiseExceptions; }
  void SetRaiseExceptions(bool value) { FRaiseExceptions = value; }
  QString UserAgent() const { return FUserAgent; }
  void SetUserAgent(const QString& value) {
    FUserAgent = value;
    ReopenRoot();
  }
  QString Proxy() const { return FProxy; }
  void SetProxy(const QString& value) {
    FProxy = value;
    ReopenRoot();
  }
  bool SSL() const { return FSSL; }
  void SetSSL(bool value) {
    FSSL = value;
    RebuildURL();
  }
  QString URL() const { return FURL; }
  void SetURL(const QString& value);
  QString URLPath() const { return FURLPath; }
  void SetURLPath(const QString& value);
  QString ExtraInfo() const { return FExtraInfo; }
  void SetExtraInfo(const QString& value);
  int Port() const { return FPort; }
  void SetPort(int value) {
    FPort = value;
    RebuildURL();
  }
  QString UserName() const { return FUserName; }
  void SetUserName(const QString& value) {
    HandCredential(FUserName, inet::INTERNET_OPTION_USERNAME, value);
  }
  QString Password() const { return FPassword; }
  void SetPassword(const QString& value) {
    HandCredential(FPassword, inet::INTERNET_OPTION_PASSWORD, value);
  }
  QString ProxyUserName() const { return FProxyUserName; }
  void SetProxyUserName(const QString& value) {
    HandCredential(FProxyUserName, inet::INTERNET_OPTION_PROXY_USERNAME, value);
  }
  QString ProxyPassword() const { return FProxyPassword; }
  void SetProxyPassword(const QString& value) {
    HandCredential(FProxyPassword, inet::INTERNET_OPTION_PROXY_PASSWORD, value);
  }
  QString HostName() const { return FHostName; }
  void SetHostName(const QString& value);
  bool DefaultUi() const { return FDefaultUi; }
  void SetDefaultUi(bool value) { FDefaultUi = value; }
  QStringList RequestHeaders() const { return FRequestHeaders; }
  void SetRequestHeaders(const QStringList& value) { FRequestHeaders = value; }
  QStringList AcceptTypes() const { return FAcceptTypes; }
  void SetAcceptTypes(const QStringList& value) { FAcceptTypes = value; }
  QString Method() const { return FMethod; }
  void SetMethod(const QString& value) { FMethod = value; }
  // Reading: the response body received so far, up to its first zero byte,
  // one character per byte (Latin-1).
  // Writing: replaces the request body sent with every send.
  QString Text() const;
  void SetText(const QString& value);
  int AuthRetries() const { return FAuthRetries; }
  void SetAuthRetries(int value) { FAuthRetries = value; }
  TInternetFlags InternetFlags() const { return FInternetFlags; }
  void SetInternetFlags(TInternetFlags value);

  // State that handlers read.
  std::int32_t StatusCode() const { return FStatusCode; }
  std::int32_t LastError() const { return static_cast<std::int32_t>(FLastError.load()); }
  QStringList ResponseHeaders() const { return Locked(FResponseHeaders); }
  QString ServerAddress() const { return Locked(FServerAddress); }
  QString RedirectURL() const { return Locked(FRedirectURL); }
  std::int32_t BytesSent() const { return FBytesSent; }
  std::int32_t BytesReceived() const { return FBytesReceived; }
  std::int32_t TotalBytesReceived() const { return FTotalBytesReceived; }
  std::int32_t ChunkSize() const { return FChunkSize; }
  std::int32_t BytesRead() const { return FBytesRead; }
  std::int32_t ChunkPosition() const { return FChunkPosition; }
  // Raw data of the last notification, valid only inside its handler.
  const void* StatusInfo() const { return FStatusInfo; }
  std::int32_t StatusInfoLength() const { return FStatusInfoLength; }
  std::uint32_t RequestFlags() const { return FRequestFlags; }

  // Published events, in declaration order.
  TNotifyEvent OnClosingConnection;
  TNotifyEvent OnConnectedToServer;
  TNotifyEvent OnConnectingToServer;
  TNotifyEvent OnConnectionClosed;
  TNotifyEvent OnIntermediateResponse;
  TNotifyEvent OnNameResolved;
  TNotifyEvent OnReceivingResponse;
  TNotifyEvent OnResponseReceived;
  TNotifyEvent OnRedirect;
  TNotifyEvent OnRequestComplete;
  TNotifyEvent OnRequestSent;
  TNotifyEvent OnResolvingName;
  TNotifyEvent OnSendingRequest;
  TNotifyEvent OnStateChange;
  TNotifyEvent OnDataAvailable;
  TNotifyEvent OnNeedAuth;
  TNotifyEvent OnNeedProxyAuth;
  TNotifyEvent OnError;

 private:
  enum class Expect { Nothing, Send, Read };

  static void StatusCallback(inet::HINTERNET handle, std::uintptr_t context, std::uint32_t status,
                             void* info, std::uint32_t length);
  void Status(std::uint32_t status, void* info, std::uint32_t length);
  void Completed(const void* info, std::uint32_t length);  // notification 100
  void Fire(const TNotifyEvent& handler);
  void Check(bool ok);
  void SplitURL();
  void RebuildURL();
  // Stores a credential and hands it to the open connection, if any.
  void HandCredential(QString& field, std::uint32_t option, const QString& value);
  template <typename T>
  T Locked(const T& field) const {
    std::lock_guard lock(FTextMutex);
    return field;
  }
  void OpenRoot();
  void ReopenRoot();
  void SendRequest();
  bool ProcessResponse();
  void StopCancelled();
  std::uint32_t AskCredentials();
  void ReadHeaders();
  void ReadBody();
  void CloseRequest();
  void FreeBody();
  void AbandonRequest();
  void JoinWorker();
  void WorkerLoop();

  // Properties.
  int FConnectTimeout = 30000;
  bool FRaiseExceptions = true;
  QString FUserAgent = QStringLiteral("Brevant WinInet Component");
  QString FProxy;
  bool FSSL = false;
  QString FURL, FURLPath, FExtraInfo;
  int FPort = 80;
  QString FUserName, FPassword, FProxyUserName, FProxyPassword;
  QString FHostName = QStringLiteral("localhost");
  bool FDefaultUi = true;
  QStringList FRequestHeaders, FAcceptTypes;
  QString FMethod = QStringLiteral("GET");
  int FAuthRetries = 3;
  TInternetFlags FInternetFlags;
  std::uint32_t FRequestFlags = 0;

  // State read by handlers; written by library and worker threads.
  std::atomic<std::int32_t> FStatusCode{0};
  std::atomic<std::uint32_t> FLastError{0};
  std::atomic<std::int32_t> FBytesSent{0}, FBytesReceived{0}, FTotalBytesReceived{0};
  std::atomic<std::int32_t> FChunkSize{0}, FBytesRead{0}, FChunkPosition{0};
  std::atomic<const void*> FStatusInfo{nullptr};
  std::atomic<std::int32_t> FStatusInfoLength{0};
  mutable std::mutex FTextMutex;  // texts, header lines and the response body
  QStringList FResponseHeaders;
  QString FServerAddress, FRedirectURL;
  QByteArray FResponseBody;
  QByteArray FRequestBody;

  // Running requests.
  inet::UniqueInternet FRoot, FConnection, FRequest;
  std::mutex FHandleMutex;  // the connection handle, for setters on other threads
  std::uint32_t FMode = 0;
  std::uint32_t FRootMode = 0;
  std::atomic<bool> FInProgress{false}, FAbort{false}, FDestroying{false};
  int FRetries = 0;
  bool FHasWindow = false;
  std::mutex FSync;  // worker, completions
  std::condition_variable FWake;
  std::thread FWorker;
  bool FWorkerActive = false;  // from its start until it has decided how to end
  int FPasses = 0;
  Expect FExpect = Expect::Nothing;
  bool FCompleted = false;
  inet::INTERNET_ASYNC_RESULT FCompletion{};
  AdvHttpHandOver FHandOver;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TAdvHttp::TInternetFlags)

}  // namespace marnova
