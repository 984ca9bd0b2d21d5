// One request handle's transfer: a libcurl easy handle driven through its
// own multi handle. In synchronous mode the caller's thread drives it inside
// the send and read calls; in asynchronous mode an engine thread of the
// request drives it on demand (a send, a pending read), so unread data waits
// in the socket and nothing is buffered beyond one delivery of libcurl.
// Notifications are collected inside libcurl's callbacks and delivered after
// libcurl has returned, never from inside it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <curl/curl.h>

#include "platform/inet/InetHandles.h"

namespace marnova::inet {

struct RequestConfig {
  std::string verb;
  std::string objectName;
  std::string accept;  // joined accept types, empty for none
  std::uint32_t flags = 0;
  std::uintptr_t context = 0;
};

class HttpRequestCore : public std::enable_shared_from_this<HttpRequestCore> {
 public:
  HttpRequestCore(std::shared_ptr<ConnectionState> connection, RequestConfig config);
  ~HttpRequestCore();
  HttpRequestCore(const HttpRequestCore&) = delete;
  HttpRequestCore& operator=(const HttpRequestCore&) = delete;

  void SetOwner(HINTERNET owner) { owner_ = owner; }
  const std::string& Host() const { return connection_->host; }
  std::uint16_t Port() const { return connection_->port; }
  bool Secure() const { return (config_.flags & INTERNET_FLAG_SECURE) != 0; }
  bool Send(std::string headers, std::string body);
  bool Read(void* buffer, std::uint32_t toRead, std::uint32_t* read);
  bool Query(std::uint32_t infoLevel, void* buffer, std::uint32_t* length, std::uint32_t* index);
  bool SetOption(std::uint32_t option, const void* buffer, std::uint32_t length);
  // Stops the transfer; afterwards nothing more is reported.
  void Close();

 private:
  enum class Phase { Idle, Running, Done };
  struct Note {
    std::uint32_t code;
    std::string data;
  };

  // libcurl callbacks (driver thread).
  static size_t HeaderThunk(char* data, size_t size, size_t count, void* self);
  static size_t WriteThunk(char* data, size_t size, size_t count, void* self);
  static curl_socket_t OpenSocketThunk(void* self, curlsocktype purpose, curl_sockaddr* address);
  static int CloseSocketThunk(void* self, curl_socket_t socket);
  static int PrereqThunk(void* self, char* primaryIp, char* localIp, int primaryPort,
                         int localPort);
  static int DebugThunk(CURL* easy, curl_infotype type, char* data, size_t size, void* self);
  size_t OnHeader(const char* data, size_t size);
  size_t OnWrite(const char* data, size_t size);

  // Driver side.
  bool StartTransfer();
  bool ConfigureEasy();  // false when libcurl refused a setting the request rests on
  template <typename Pred>
  void Drive(Pred satisfied);
  void FinishTransfer(CURLcode code);
  void FailTransfer(std::uint32_t error, const std::string& text);
  void FlushNotes();
  void Push(std::uint32_t code, std::string data = {});
  void PushCount(std::uint32_t code, std::uint32_t count);
  void Notify(std::uint32_t code, void* data, std::uint32_t length);
  void EngineLoop();
  std::uint32_t ReceiveTimeoutMs() const;
  std::int64_t ConnectTimeoutMs() const;
  bool CopyOut(void* buffer, std::uint32_t toRead, std::uint32_t* read);  // under mutex_

  std::shared_ptr<ConnectionState> connection_;
  std::shared_ptr<SessionState> session_;
  RequestConfig config_;
  HINTERNET owner_ = nullptr;
  std::atomic<std::int64_t> receiveTimeout_{-1};
  std::atomic<std::int64_t> connectTimeout_{-1};

  // Driver-only state.
  CURL* easy_ = nullptr;
  CURLM* multi_ = nullptr;
  curl_slist* headerList_ = nullptr;
  char errorBuffer_[CURL_ERROR_SIZE] = {};
  std::vector<Note> notes_;
  std::string buildingBlock_;
  int buildingStatus_ = 0;
  std::uint32_t blockBytes_ = 0;
  bool discardBody_ = false;
  bool paused_ = false;  // a delivery is held back until a read needs it
  bool resolvedReported_ = false;
  bool socketOpened_ = false;
  bool connected_ = false;
  bool sentReported_ = false;
  bool blockStarted_ = false;
  bool responseStarted_ = false;
  bool redirectToHttp_ = false, redirectToHttps_ = false;
  std::uint32_t bytesSent_ = 0;
  int redirects_ = 0;
  std::string currentUrl_;
  std::chrono::steady_clock::time_point deadline_;

  // Shared state, guarded by mutex_.
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::atomic<bool> closing_{false};
  Phase phase_ = Phase::Idle;
  bool headersDone_ = false;
  std::uint32_t error_ = 0;  // when Done and failed
  std::string headers_;      // final header block, CRLF lines
  int status_ = 0;
  std::string body_;
  std::size_t bodyPos_ = 0;
  std::string sendHeaders_, sendBody_;
  Credentials requestCredentials_;
  bool sendPending_ = false;
  bool readPending_ = false;
  void* readBuffer_ = nullptr;
  std::uint32_t readSize_ = 0;
  std::uint32_t* readCount_ = nullptr;
  std::thread engine_;
};

}  // namespace marnova::inet
