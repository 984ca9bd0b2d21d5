#include "platform/inet/HttpRequestCore.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/inet/HeaderBlock.h"

namespace marnova::inet {
namespace {

constexpr long kMaxRedirects = 20;
constexpr std::int64_t kDefaultConnectTimeoutMs = 60000;
constexpr long kReceiveBufferBytes = 64 * 1024;

std::string WithCrlf(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  std::string out(line);
  out += "\r\n";
  return out;
}

std::string ResolveAgainst(const std::string& base, const std::string& relative) {
  std::uint32_t length = 0;
  InternetCombineUrl(base.c_str(), relative.c_str(), nullptr, &length, ICU_ENCODE_SPACES_ONLY);
  std::string out(length, '\0');
  if (!InternetCombineUrl(base.c_str(), relative.c_str(), out.data(), &length,
                          ICU_ENCODE_SPACES_ONLY))
    return relative;
  out.resize(length);
  return out;
}

}  // namespace

HttpRequestCore::HttpRequestCore(std::shared_ptr<ConnectionState> connection, RequestConfig config)
    : connection_(std::move(connection)),
      session_(connection_->session),
      config_(std::move(config)),
      easy_(curl_easy_init()),
      multi_(curl_multi_init()) {
  notes_.reserve(16);
}

HttpRequestCore::~HttpRequestCore() {
  closing_ = true;  // whatever libcurl closes now is not reported
  if (multi_ && easy_) curl_multi_remove_handle(multi_, easy_);
  if (multi_) curl_multi_cleanup(multi_);
  if (easy_) curl_easy_cleanup(easy_);
  curl_slist_free_all(headerList_);
}

// --- calls from the handle's user -------------------------------------------------

bool HttpRequestCore::Send(std::string headers, std::string body) {
  {
    std::lock_guard lock(mutex_);
    if (easy_ == nullptr || multi_ == nullptr) {
      SetLastError(ERROR_INTERNET_INTERNAL_ERROR);
      return false;
    }
    if (sendPending_ || readPending_) {
      SetLastError(ERROR_INTERNET_INCORRECT_HANDLE_STATE);
      return false;
    }
    sendHeaders_ = std::move(headers);
    sendBody_ = std::move(body);
    if (session_->async) {
      sendPending_ = true;
      if (!engine_.joinable())
        engine_ = std::thread([self = shared_from_this()] { self->EngineLoop(); });
      wake_.notify_all();
      SetLastError(ERROR_IO_PENDING);
      return false;
    }
  }
  StartTransfer();
  Drive([this] { return headersDone_; });
  std::lock_guard lock(mutex_);
  if (headersDone_) return true;
  SetLastError(error_ ? error_ : ERROR_INTERNET_OPERATION_CANCELLED);
  return false;
}

bool HttpRequestCore::CopyOut(void* buffer, std::uint32_t toRead, std::uint32_t* read) {
  const std::size_t available = body_.size() - bodyPos_;
  const auto n = static_cast<std::uint32_t>(std::min<std::size_t>(available, toRead));
  if (n > 0) std::memcpy(buffer, body_.data() + bodyPos_, n);
  bodyPos_ += n;
  if (bodyPos_ == body_.size()) {
    body_.clear();
    bodyPos_ = 0;
  }
  *read = n;
  return true;
}

bool HttpRequestCore::Read(void* buffer, std::uint32_t toRead, std::uint32_t* read) {
  if (read == nullptr || (buffer == nullptr && toRead > 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  *read = 0;
  auto finishUnderLock = [&]() -> bool {
    if (bodyPos_ < body_.size() || toRead == 0) return CopyOut(buffer, toRead, read);
    if (phase_ == Phase::Done) {
      if (error_ == 0) return true;  // end of the body
      SetLastError(error_);
      return false;
    }
    SetLastError(ERROR_INTERNET_OPERATION_CANCELLED);
    return false;
  };
  {
    std::lock_guard lock(mutex_);
    if (!headersDone_ && phase_ != Phase::Done) {
      SetLastError(ERROR_INTERNET_INCORRECT_HANDLE_STATE);
      return false;
    }
    if (sendPending_ || readPending_ || phase_ == Phase::Idle) {
      SetLastError(ERROR_INTERNET_INCORRECT_HANDLE_STATE);
      return false;
    }
    // A read fills the whole buffer unless the body ends (or fails) first.
    if (body_.size() - bodyPos_ >= toRead || phase_ == Phase::Done) return finishUnderLock();
    if (session_->async) {
      readPending_ = true;
      readBuffer_ = buffer;
      readSize_ = toRead;
      readCount_ = read;
      wake_.notify_all();
      SetLastError(ERROR_IO_PENDING);
      return false;
    }
  }
  Drive([this, toRead] { return body_.size() - bodyPos_ >= toRead; });
  std::lock_guard lock(mutex_);
  return finishUnderLock();
}

bool HttpRequestCore::Query(std::uint32_t infoLevel, void* buffer, std::uint32_t* length,
                            std::uint32_t* index) {
  if (length == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  std::lock_guard lock(mutex_);
  if (!headersDone_) {
    SetLastError(ERROR_INTERNET_INCORRECT_HANDLE_STATE);
    return false;
  }
  if (const std::uint32_t error =
          QueryHeaderBlock(headers_, status_, infoLevel, buffer, length, index)) {
    SetLastError(error);
    return false;
  }
  return true;
}

bool HttpRequestCore::SetOption(std::uint32_t option, const void* buffer, std::uint32_t length) {
  switch (option) {
    case INTERNET_OPTION_CONNECT_TIMEOUT:
    case INTERNET_OPTION_RECEIVE_TIMEOUT: {
      if (buffer == nullptr || length != sizeof(std::uint32_t)) {
        SetLastError(ERROR_INTERNET_BAD_OPTION_LENGTH);
        return false;
      }
      std::uint32_t ms = 0;
      std::memcpy(&ms, buffer, sizeof ms);
      (option == INTERNET_OPTION_CONNECT_TIMEOUT ? connectTimeout_ : receiveTimeout_) = ms;
      return true;
    }
    case INTERNET_OPTION_USERNAME:
    case INTERNET_OPTION_PASSWORD:
    case INTERNET_OPTION_PROXY_USERNAME:
    case INTERNET_OPTION_PROXY_PASSWORD: {
      const char* text = static_cast<const char*>(buffer);
      std::string value =
          text ? std::string(text, length ? strnlen(text, length) : std::strlen(text))
               : std::string();
      std::lock_guard lock(mutex_);
      auto& c = requestCredentials_;
      (option == INTERNET_OPTION_USERNAME         ? c.user
       : option == INTERNET_OPTION_PASSWORD       ? c.password
       : option == INTERNET_OPTION_PROXY_USERNAME ? c.proxyUser
                                                  : c.proxyPassword) = std::move(value);
      return true;
    }
    default:
      SetLastError(ERROR_INTERNET_INVALID_OPTION);
      return false;
  }
}

void HttpRequestCore::Close() {
  {
    std::lock_guard lock(mutex_);
    closing_ = true;
  }
  wake_.notify_all();
  if (multi_) curl_multi_wakeup(multi_);
  if (engine_.joinable()) {
    // Closed from inside its own notification: the engine thread ends by
    // itself once the routine returns and keeps the request alive till then.
    if (engine_.get_id() == std::this_thread::get_id())
      engine_.detach();
    else
      engine_.join();
  }
}

// --- driving libcurl ---------------------------------------------------------------

std::uint32_t HttpRequestCore::ReceiveTimeoutMs() const {
  for (std::int64_t v : {receiveTimeout_.load(), connection_->receiveTimeout.load(),
                         session_->receiveTimeout.load()})
    if (v >= 0) return static_cast<std::uint32_t>(v);
  return DefaultReceiveTimeout();
}

std::int64_t HttpRequestCore::ConnectTimeoutMs() const {
  for (std::int64_t v : {connectTimeout_.load(), connection_->connectTimeout.load(),
                         session_->connectTimeout.load()})
    if (v >= 0) return v;
  return kDefaultConnectTimeoutMs;
}

bool HttpRequestCore::StartTransfer() {
  // A new send abandons whatever is left of the former answer.
  curl_multi_remove_handle(multi_, easy_);
  paused_ = false;
  buildingBlock_.clear();
  buildingStatus_ = 0;
  blockBytes_ = 0;
  discardBody_ = false;
  socketOpened_ = false;
  connected_ = false;
  sentReported_ = false;
  blockStarted_ = false;
  responseStarted_ = false;
  redirectToHttp_ = redirectToHttps_ = false;
  bytesSent_ = 0;
  redirects_ = 0;
  errorBuffer_[0] = '\0';
  const bool first = currentUrl_.empty();
  if (!first) {
    // libcurl 7.88 keeps a pointer to the former answer's last header across
    // transfers of one handle, even through a reset, and follows it when the
    // next answer opens with a folded line (a use after free, found by
    // fuzzing). A fresh handle has none; connections stay with the multi.
    curl_easy_cleanup(easy_);
    easy_ = curl_easy_init();
  }
  {
    std::lock_guard lock(mutex_);
    phase_ = Phase::Running;
    headersDone_ = false;
    error_ = 0;
    headers_.clear();
    status_ = 0;
    body_.clear();
    bodyPos_ = 0;
  }
  if (!ConfigureEasy()) {
    FailTransfer(ERROR_INTERNET_INTERNAL_ERROR, "libcurl refused a setting the request needs");
    return false;
  }
  if (first) Push(INTERNET_STATUS_RESOLVING_NAME, connection_->host);
  const CURLMcode added = curl_multi_add_handle(multi_, easy_);
  if (added != CURLM_OK) {
    FailTransfer(ERROR_INTERNET_INTERNAL_ERROR, curl_multi_strerror(added));
    return false;
  }
  return true;
}

bool HttpRequestCore::ConfigureEasy() {
  CURL* e = easy_;
  curl_easy_reset(e);
  // The settings that the request's safety rests on (which schemes it may
  // reach, certificate checks, limits, time-outs, where the answer goes):
  // one that libcurl refuses ends the request before it starts, rather than
  // letting it run without.
  bool kept = true;
  auto require = [&kept](CURLcode code) { kept = kept && code == CURLE_OK; };
  const bool secure = (config_.flags & INTERNET_FLAG_SECURE) != 0;
  std::string host = connection_->host;
  if (host.find(':') != std::string::npos && host.front() != '[') host = "[" + host + "]";
  std::string object = EscapeUnsafe(config_.objectName);
  if (object.empty() || (object.front() != '/' && object.front() != '*')) object = "/" + object;
  currentUrl_ = std::string(secure ? "https://" : "http://") + host + ":" +
                std::to_string(connection_->port) + object;
  require(curl_easy_setopt(e, CURLOPT_URL, currentUrl_.c_str()));

  std::string headers, body;
  Credentials creds;
  {
    std::lock_guard lock(mutex_);
    headers = sendHeaders_;
    body = sendBody_;
    creds = requestCredentials_;
  }
  {
    std::lock_guard lock(connection_->mutex);
    const Credentials& c = connection_->credentials;
    if (!creds.user) creds.user = c.user;
    if (!creds.password) creds.password = c.password;
    if (!creds.proxyUser) creds.proxyUser = c.proxyUser;
    if (!creds.proxyPassword) creds.proxyPassword = c.proxyPassword;
  }

  const std::string& verb = config_.verb.empty() ? std::string("GET") : config_.verb;
  if (!body.empty() || verb == "POST") {
    curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    curl_easy_setopt(e, CURLOPT_COPYPOSTFIELDS, body.c_str());
    if (verb != "POST") curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, verb.c_str());
  } else if (verb == "HEAD") {
    curl_easy_setopt(e, CURLOPT_NOBODY, 1L);
  } else if (verb != "GET") {
    curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, verb.c_str());
  }

  curl_slist_free_all(headerList_);
  headerList_ = nullptr;
  auto add = [this](const std::string& line) {
    if (curl_slist* grown = curl_slist_append(headerList_, line.c_str())) headerList_ = grown;
  };
  if (!config_.accept.empty()) add("Accept: " + config_.accept);
  if (config_.flags & INTERNET_FLAG_PRAGMA_NOCACHE) add("Pragma: no-cache");
  add("Expect:");  // the body goes with the request, without waiting for 100
  std::size_t pos = 0;
  while (pos < headers.size()) {
    std::size_t end = headers.find('\n', pos);
    if (end == std::string::npos) end = headers.size();
    std::string line = headers.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) add(line);
    pos = end + 1;
  }
  curl_easy_setopt(e, CURLOPT_HTTPHEADER, headerList_);
  if (!session_->agent.empty()) curl_easy_setopt(e, CURLOPT_USERAGENT, session_->agent.c_str());
  curl_easy_setopt(e, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));

  if (session_->accessType == INTERNET_OPEN_TYPE_DIRECT)
    require(curl_easy_setopt(e, CURLOPT_PROXY, ""));
  else if (session_->accessType == INTERNET_OPEN_TYPE_PROXY)
    require(curl_easy_setopt(e, CURLOPT_PROXY, session_->proxy.c_str()));
  curl_easy_setopt(e, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);

  if (!(config_.flags & INTERNET_FLAG_NO_AUTH)) {
    if (creds.user && !creds.user->empty()) {
      curl_easy_setopt(e, CURLOPT_USERNAME, creds.user->c_str());
      curl_easy_setopt(e, CURLOPT_PASSWORD, creds.password.value_or("").c_str());
      curl_easy_setopt(e, CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC));
    }
    if (creds.proxyUser && !creds.proxyUser->empty()) {
      curl_easy_setopt(e, CURLOPT_PROXYUSERNAME, creds.proxyUser->c_str());
      curl_easy_setopt(e, CURLOPT_PROXYPASSWORD, creds.proxyPassword.value_or("").c_str());
      curl_easy_setopt(e, CURLOPT_PROXYAUTH, static_cast<long>(CURLAUTH_BASIC));
    }
  }

  const bool follow = !(config_.flags & INTERNET_FLAG_NO_AUTO_REDIRECT);
  require(curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, follow ? 1L : 0L));
  require(curl_easy_setopt(e, CURLOPT_MAXREDIRS, kMaxRedirects));
  const bool crossOk = secure ? (config_.flags & INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTP)
                              : (config_.flags & INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS);
  require(curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR,
                           crossOk ? "http,https" : (secure ? "https" : "http")));
  require(curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https"));
  // INTERNET_FLAG_IGNORE_CERT_CN_INVALID is not honoured: a redirect may
  // lead to any host, and only the name check ties a certificate from a
  // trusted authority to the host it answers for. Expired, self-signed and
  // unknown certificates stay refused as well (INTERNET_FLAG_IGNORE_CERT_DATE_INVALID
  // is not honoured either).
  require(curl_easy_setopt(e, CURLOPT_SSL_VERIFYPEER, 1L));
  require(curl_easy_setopt(e, CURLOPT_SSL_VERIFYHOST, 2L));
  const std::string authorities = CertificateAuthorities();
  if (!authorities.empty()) require(curl_easy_setopt(e, CURLOPT_CAINFO, authorities.c_str()));
  // No cookie store is kept, so INTERNET_FLAG_NO_COOKIES holds anyway.

  const std::int64_t connectMs = ConnectTimeoutMs();
  if (connectMs > 0)
    require(curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(connectMs)));
  require(curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L));
  curl_easy_setopt(e, CURLOPT_ERRORBUFFER, errorBuffer_);
  require(curl_easy_setopt(e, CURLOPT_BUFFERSIZE, kReceiveBufferBytes));

  require(curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, &HttpRequestCore::HeaderThunk));
  require(curl_easy_setopt(e, CURLOPT_HEADERDATA, this));
  require(curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &HttpRequestCore::WriteThunk));
  require(curl_easy_setopt(e, CURLOPT_WRITEDATA, this));
  curl_easy_setopt(e, CURLOPT_OPENSOCKETFUNCTION, &HttpRequestCore::OpenSocketThunk);
  curl_easy_setopt(e, CURLOPT_OPENSOCKETDATA, this);
  curl_easy_setopt(e, CURLOPT_CLOSESOCKETFUNCTION, &HttpRequestCore::CloseSocketThunk);
  curl_easy_setopt(e, CURLOPT_CLOSESOCKETDATA, this);
  curl_easy_setopt(e, CURLOPT_PREREQFUNCTION, &HttpRequestCore::PrereqThunk);
  curl_easy_setopt(e, CURLOPT_PREREQDATA, this);
  // The debug channel is the only place libcurl tells how many bytes went out.
  curl_easy_setopt(e, CURLOPT_DEBUGFUNCTION, &HttpRequestCore::DebugThunk);
  curl_easy_setopt(e, CURLOPT_DEBUGDATA, this);
  curl_easy_setopt(e, CURLOPT_VERBOSE, 1L);
  return kept;
}

template <typename Pred>
void HttpRequestCore::Drive(Pred satisfied) {
  auto stop = [&] {
    std::lock_guard lock(mutex_);
    return closing_ || phase_ != Phase::Running || satisfied();
  };
  if (paused_) {
    // Delivers the held buffer through OnWrite again, then reads on.
    paused_ = false;
    curl_easy_pause(easy_, CURLPAUSE_CONT);
  }
  while (!stop()) {
    int running = 0;
    const CURLMcode performed = curl_multi_perform(multi_, &running);
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(multi_, &left))
      if (message->msg == CURLMSG_DONE) FinishTransfer(message->data.result);
    if (performed != CURLM_OK)
      FailTransfer(ERROR_INTERNET_INTERNAL_ERROR, curl_multi_strerror(performed));
    FlushNotes();
    if (stop()) break;
    int waitMs = 100;
    if (connected_) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                            deadline_ - std::chrono::steady_clock::now())
                            .count();
      if (left <= 0) {
        FailTransfer(ERROR_INTERNET_TIMEOUT, "No data received within the receive time-out");
        break;
      }
      waitMs = static_cast<int>(std::min<long long>(waitMs, left));
    }
    curl_multi_poll(multi_, nullptr, 0, waitMs, nullptr);
  }
  FlushNotes();
}

void HttpRequestCore::FinishTransfer(CURLcode code) {
  curl_multi_remove_handle(multi_, easy_);
  std::uint32_t error = 0;
  if (code != CURLE_OK) {
    CurlFailure failure;
    failure.code = code;
    curl_easy_getinfo(easy_, CURLINFO_OS_ERRNO, &failure.osErrno);
    // A protocol complaint after the connection was made is about the answer.
    failure.responseStarted = responseStarted_ || connected_;
    failure.redirectToHttp = redirectToHttp_;
    failure.redirectToHttps = redirectToHttps_;
    error = MapCurlFailure(failure);
    SetLastResponseInfo(static_cast<std::uint32_t>(code),
                        errorBuffer_[0] ? errorBuffer_ : curl_easy_strerror(code));
  }
  std::lock_guard lock(mutex_);
  if (error == 0 && !headersDone_) error = ERROR_HTTP_INVALID_SERVER_RESPONSE;
  phase_ = Phase::Done;
  error_ = error;
}

void HttpRequestCore::FailTransfer(std::uint32_t error, const std::string& text) {
  curl_multi_remove_handle(multi_, easy_);
  SetLastResponseInfo(0, text);
  std::lock_guard lock(mutex_);
  phase_ = Phase::Done;
  error_ = error;
}

void HttpRequestCore::EngineLoop() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return closing_ || sendPending_ || readPending_; });
    if (closing_) return;
    INTERNET_ASYNC_RESULT result{1, 0};
    if (sendPending_) {
      lock.unlock();
      StartTransfer();
      Drive([this] { return headersDone_; });
      lock.lock();
      if (closing_) return;
      sendPending_ = false;
      if (!headersDone_) result = {0, error_ ? error_ : ERROR_INTERNET_INTERNAL_ERROR};
    } else {
      lock.unlock();
      Drive([this] { return body_.size() - bodyPos_ >= readSize_; });
      lock.lock();
      if (closing_) return;
      readPending_ = false;
      if (bodyPos_ < body_.size() || (phase_ == Phase::Done && error_ == 0))
        CopyOut(readBuffer_, readSize_, readCount_);
      else
        result = {0, error_ ? error_ : ERROR_INTERNET_INTERNAL_ERROR};
    }
    lock.unlock();
    Notify(INTERNET_STATUS_REQUEST_COMPLETE, &result, sizeof result);
    lock.lock();
  }
}

// --- notifications -----------------------------------------------------------------

void HttpRequestCore::Push(std::uint32_t code, std::string data) {
  if (!data.empty()) data.push_back('\0');
  notes_.push_back({code, std::move(data)});
}

void HttpRequestCore::PushCount(std::uint32_t code, std::uint32_t count) {
  std::string data(sizeof count, '\0');
  std::memcpy(data.data(), &count, sizeof count);
  notes_.push_back({code, std::move(data)});
}

void HttpRequestCore::FlushNotes() {
  if (notes_.empty()) return;
  std::vector<Note> pending;
  pending.swap(notes_);
  for (Note& note : pending)
    Notify(note.code, note.data.empty() ? nullptr : note.data.data(),
           static_cast<std::uint32_t>(note.data.size()));
  pending.clear();
  if (notes_.empty()) notes_.swap(pending);  // keep the capacity
}

void HttpRequestCore::Notify(std::uint32_t code, void* data, std::uint32_t length) {
  if (config_.context == 0 || closing_) return;
  const INTERNET_STATUS_CALLBACK callback = session_->callback.load();
  if (callback == nullptr) return;
  try {
    callback(owner_, config_.context, code, data, length);
  } catch (...) {
    // A notification routine is called from libcurl's driver loop or an
    // engine thread; nothing up that stack could handle its exception.
  }
}

// --- libcurl callbacks -------------------------------------------------------------

size_t HttpRequestCore::HeaderThunk(char* data, size_t size, size_t count, void* self) {
  return static_cast<HttpRequestCore*>(self)->OnHeader(data, size * count);
}

size_t HttpRequestCore::WriteThunk(char* data, size_t size, size_t count, void* self) {
  return static_cast<HttpRequestCore*>(self)->OnWrite(data, size * count);
}

size_t HttpRequestCore::OnHeader(const char* data, size_t size) {
  deadline_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(ReceiveTimeoutMs());
  if (!blockStarted_) {
    blockStarted_ = true;
    responseStarted_ = true;
    if (!sentReported_) {
      sentReported_ = true;
      PushCount(INTERNET_STATUS_REQUEST_SENT, bytesSent_);
    }
    Push(INTERNET_STATUS_RECEIVING_RESPONSE);
  }
  const std::string_view line(data, size);
  blockBytes_ += static_cast<std::uint32_t>(size);
  if (StartsWithNoCase(line, "HTTP/")) {  // as libcurl recognises a status line
    buildingBlock_ = WithCrlf(line);
    blockBytes_ = static_cast<std::uint32_t>(size);
    // libcurl has parsed the line before handing it over; its number is the
    // one it acts on (redirects, authentication), however the line is spaced.
    long status = 0;
    curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &status);
    buildingStatus_ = static_cast<int>(status);
    discardBody_ = false;
    return size;
  }
  if (line != "\r\n" && line != "\n") {
    buildingBlock_ += WithCrlf(line);
    return size;
  }
  // End of one header block.
  blockStarted_ = false;
  PushCount(INTERNET_STATUS_RESPONSE_RECEIVED, blockBytes_);
  const int status = buildingStatus_;
  if (status >= 100 && status < 200) {
    Push(INTERNET_STATUS_INTERMEDIATE_RESPONSE);
    return size;
  }
  const auto locations = HeaderValues(buildingBlock_, "Location");
  const bool follow = !(config_.flags & INTERNET_FLAG_NO_AUTO_REDIRECT) && status >= 300 &&
                      status < 400 && status != 304 && !locations.empty() &&
                      !locations.front().empty() && redirects_ < kMaxRedirects;
  if (follow) {
    const std::string target = ResolveAgainst(currentUrl_, locations.front());
    const bool fromSecure = StartsWithNoCase(currentUrl_, "https:");
    const bool toSecure = StartsWithNoCase(target, "https:");
    const bool toHttp = StartsWithNoCase(target, "http:");
    Push(INTERNET_STATUS_REDIRECT, target);
    if (fromSecure && toHttp) {
      if (config_.flags & INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTP)
        PushCount(INTERNET_STATUS_STATE_CHANGE, INTERNET_STATE_NOW_NOT_SECURE);
      else
        redirectToHttp_ = true;
    } else if (!fromSecure && toSecure) {
      if (config_.flags & INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS)
        PushCount(INTERNET_STATUS_STATE_CHANGE, INTERNET_STATE_NOW_SECURE);
      else
        redirectToHttps_ = true;
    }
    currentUrl_ = target;
    ++redirects_;
    discardBody_ = true;  // the body of a followed redirect is not the answer
    sentReported_ = false;
    return size;
  }
  std::lock_guard lock(mutex_);
  headers_ = buildingBlock_ + "\r\n";
  status_ = status;
  headersDone_ = true;
  return size;
}

size_t HttpRequestCore::OnWrite(const char* data, size_t size) {
  deadline_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(ReceiveTimeoutMs());
  if (discardBody_) return size;
  {
    std::lock_guard lock(mutex_);
    // libcurl may deliver many buffers in one go; past one buffer's worth
    // unread, the rest stays in the socket until a read drains this.
    if (body_.size() - bodyPos_ >= static_cast<std::size_t>(kReceiveBufferBytes)) {
      paused_ = true;
      return CURL_WRITEFUNC_PAUSE;
    }
    body_.append(data, size);
  }
  Push(INTERNET_STATUS_RECEIVING_RESPONSE);
  PushCount(INTERNET_STATUS_RESPONSE_RECEIVED, static_cast<std::uint32_t>(size));
  return size;
}

curl_socket_t HttpRequestCore::OpenSocketThunk(void* self, curlsocktype, curl_sockaddr* address) {
  auto* core = static_cast<HttpRequestCore*>(self);
  char text[INET6_ADDRSTRLEN] = {};
  if (address->family == AF_INET)
    inet_ntop(AF_INET, &reinterpret_cast<sockaddr_in*>(&address->addr)->sin_addr, text,
              sizeof text);
  else if (address->family == AF_INET6)
    inet_ntop(AF_INET6, &reinterpret_cast<sockaddr_in6*>(&address->addr)->sin6_addr, text,
              sizeof text);
  if (!core->resolvedReported_) {
    core->resolvedReported_ = true;
    core->Push(INTERNET_STATUS_NAME_RESOLVED, text);
  }
  core->Push(INTERNET_STATUS_CONNECTING_TO_SERVER, text);
  core->socketOpened_ = true;
  return socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
}

int HttpRequestCore::CloseSocketThunk(void* self, curl_socket_t socket) {
  auto* core = static_cast<HttpRequestCore*>(self);
  core->Push(INTERNET_STATUS_CLOSING_CONNECTION);
  const int result = close(socket);
  core->Push(INTERNET_STATUS_CONNECTION_CLOSED);
  return result;
}

int HttpRequestCore::PrereqThunk(void* self, char* primaryIp, char*, int, int) {
  auto* core = static_cast<HttpRequestCore*>(self);
  if (core->socketOpened_) {
    core->socketOpened_ = false;
    core->Push(INTERNET_STATUS_CONNECTED_TO_SERVER, primaryIp ? primaryIp : "");
  }
  core->Push(INTERNET_STATUS_SENDING_REQUEST);
  core->connected_ = true;
  core->sentReported_ = false;
  core->bytesSent_ = 0;
  core->deadline_ =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(core->ReceiveTimeoutMs());
  return CURL_PREREQFUNC_OK;
}

int HttpRequestCore::DebugThunk(CURL*, curl_infotype type, char*, size_t size, void* self) {
  if (type == CURLINFO_HEADER_OUT || type == CURLINFO_DATA_OUT)
    static_cast<HttpRequestCore*>(self)->bytesSent_ += static_cast<std::uint32_t>(size);
  return 0;
}

}  // namespace marnova::inet
