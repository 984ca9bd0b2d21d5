// Socket-level loopback servers for the HTTP tests and the HTTP benchmark: a
// raw server that answers with scripted bytes (for broken answers), a
// listener whose backlog is full (connects time out) and a port nobody
// listens on. Everything binds to 127.0.0.1 only, and every wait is bounded.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

namespace marnova::testing {

// 127.0.0.1 at `port` (0: any free port, for a bind).
inline sockaddr_in LoopbackAddress(int port = 0) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  return address;
}

// Unchecked on purpose: a socket that cannot bind or listen shows as a
// refused or timed-out connection in the test that uses it.
inline int ListenLoopback(int backlog, int* port) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address = LoopbackAddress();
  const int one = 1;
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  listen(fd, backlog);
  socklen_t length = sizeof address;
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  *port = ntohs(address.sin_port);
  return fd;
}

// Accepts connections one after another; for each, reads the request head
// and hands the socket to the script. The script writes what it likes; the
// connection is closed after it (reset when `Reset` was called).
class RawServer {
 public:
  using Script = std::function<void(RawServer& self, int socket)>;
  explicit RawServer(Script script) : script_(std::move(script)) {
    listen_ = ListenLoopback(8, &port_);
    thread_ = std::thread([this] { Serve(); });
  }
  RawServer(const RawServer&) = delete;
  RawServer& operator=(const RawServer&) = delete;
  ~RawServer() {
    stop_ = true;
    shutdown(listen_, SHUT_RDWR);
    close(listen_);
    thread_.join();
  }
  int Port() const { return port_; }
  // Ends the current connection with a reset instead of an orderly close.
  void Reset(int socket) {
    linger option{1, 0};
    setsockopt(socket, SOL_SOCKET, SO_LINGER, &option, sizeof option);
  }
  static void Write(int socket, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = send(socket, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
      if (n <= 0) return;
      done += static_cast<std::size_t>(n);
    }
  }
  // Sleeps up to `ms`, ending early when the server stops.
  void Stall(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!stop_ && std::chrono::steady_clock::now() < end)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  int Connections() const { return connections_; }

 private:
  void Serve() {
    while (!stop_) {
      const int client = accept4(listen_, nullptr, nullptr, SOCK_CLOEXEC);
      if (client < 0) continue;  // a client that gave up; a stop ends the loop
      ++connections_;
      timeval timeout{2, 0};
      setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
      std::string head;
      char c;
      while (head.find("\r\n\r\n") == std::string::npos && recv(client, &c, 1, 0) == 1) head += c;
      script_(*this, client);
      close(client);
    }
  }
  Script script_;
  int listen_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<int> connections_{0};
  std::thread thread_;
};

// A listener with backlog 0 and one connection parked in it: further
// connects get no answer to their SYN and time out.
class FullBacklogListener {
 public:
  FullBacklogListener() {
    listen_ = ListenLoopback(0, &port_);
    filler_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in address = LoopbackAddress(port_);
    connect(filler_, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  }
  FullBacklogListener(const FullBacklogListener&) = delete;
  FullBacklogListener& operator=(const FullBacklogListener&) = delete;
  ~FullBacklogListener() {
    close(filler_);
    close(listen_);
  }
  int Port() const { return port_; }

 private:
  int listen_ = -1;
  int filler_ = -1;
  int port_ = 0;
};

// A loopback port with nothing listening on it.
inline int RefusingPort() {
  int port = 0;
  const int fd = ListenLoopback(1, &port);
  close(fd);
  return port;
}

// Keeps proxies configured in the environment away from loopback tests.
inline void ClearProxyEnvironment() {
  for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy",
                           "ALL_PROXY", "no_proxy", "NO_PROXY"})
    unsetenv(name);
}

}  // namespace marnova::testing
