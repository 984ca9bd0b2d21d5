// The handle kinds behind the Internet library layer (not for callers).
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/inet/Inet.h"

namespace marnova::inet {

class HttpRequestCore;

// What a root handle fixes for everything opened from it.
struct SessionState {
  std::string agent;
  std::uint32_t accessType = INTERNET_OPEN_TYPE_PRECONFIG;
  std::string proxy;
  bool async = false;
  std::atomic<INTERNET_STATUS_CALLBACK> callback{nullptr};
  std::atomic<std::int64_t> connectTimeout{-1};  // -1: not set here
  std::atomic<std::int64_t> receiveTimeout{-1};
};

// Credentials and time-outs of a connection; written by the caller's thread
// while a transfer may read them on another.
struct Credentials {
  std::optional<std::string> user, password, proxyUser, proxyPassword;
};

struct ConnectionState {
  std::shared_ptr<SessionState> session;
  std::string host;
  std::uint16_t port = 0;
  std::atomic<std::int64_t> connectTimeout{-1};
  std::atomic<std::int64_t> receiveTimeout{-1};
  std::mutex mutex;
  Credentials credentials;  // guarded by mutex
};

class RootHandle final : public InetHandle {
 public:
  explicit RootHandle(std::shared_ptr<SessionState> s)
      : InetHandle(Kind::Root), session(std::move(s)) {}
  std::shared_ptr<SessionState> session;
};

class ConnectionHandle final : public InetHandle {
 public:
  explicit ConnectionHandle(std::shared_ptr<ConnectionState> c)
      : InetHandle(Kind::Connection), connection(std::move(c)) {}
  std::shared_ptr<ConnectionState> connection;
};

class RequestHandle final : public InetHandle {
 public:
  explicit RequestHandle(std::shared_ptr<HttpRequestCore> c);
  ~RequestHandle() override;  // stops the transfer
  std::shared_ptr<HttpRequestCore> core;
};

std::uint32_t DefaultReceiveTimeout();
std::string CertificateAuthorities();

}  // namespace marnova::inet
