// Loopback servers for the HTTP tests: a real HTTP server (cpp-httplib), a
// raw socket server that answers with scripted bytes (for broken answers),
// a listener whose backlog is full (connects time out) and a port nobody
// listens on. Everything binds to 127.0.0.1 only, and every wait is bounded.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <httplib.h>

namespace marnova::testing {

class HttpTestServer {
 public:
  HttpTestServer() = default;
  HttpTestServer(const HttpTestServer&) = delete;
  HttpTestServer& operator=(const HttpTestServer&) = delete;
  ~HttpTestServer() { Stop(); }

  httplib::Server& Routes() { return server_; }

  // Binds and serves; routes must be added before.
  void Start(const char* address = "127.0.0.1") {
    server_.set_keep_alive_timeout(1);
    server_.set_read_timeout(2, 0);
    server_.set_write_timeout(2, 0);
    port_ = server_.bind_to_any_port(address);
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    // Connections queue in the bound socket's backlog anyway; this only keeps
    // the first test from racing the thread start.
    for (int i = 0; i < 200 && !server_.is_running(); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  void Stop() {
    if (thread_.joinable()) {
      server_.stop();
      thread_.join();
    }
  }
  int Port() const { return port_; }
  std::string Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }

 private:
  httplib::Server server_;
  std::thread thread_;
  int port_ = 0;
};

// The routes both HTTP suites use: /hello (a header and a short text), /big
// (40000 bytes, the alphabet over and over), /empty (204), /echo (GET and
// POST; answers "got " and the body, and keeps the request for Seen()) and
// /from, which redirects to /to. Further routes go in before Start().
class StandardServer : public HttpTestServer {
 public:
  StandardServer() {
    auto& r = Routes();
    r.Get("/hello", [](const httplib::Request&, httplib::Response& res) {
      res.set_header("X-Test", "yes");
      res.set_content("hello world", "text/plain");
    });
    r.Get("/big", [](const httplib::Request&, httplib::Response& res) {
      std::string body(40000, 'x');
      for (std::size_t i = 0; i < body.size(); ++i) body[i] = static_cast<char>('a' + i % 26);
      res.set_content(body, "application/octet-stream");
    });
    r.Get("/empty", [](const httplib::Request&, httplib::Response& res) { res.status = 204; });
    auto echo = [this](const httplib::Request& req, httplib::Response& res) {
      std::lock_guard lock(seenMutex_);
      seen_ = req;
      res.set_content("got " + req.body, "text/plain");
    };
    r.Get("/echo", echo);
    r.Post("/echo", echo);
    r.Get("/from",
          [](const httplib::Request&, httplib::Response& res) { res.set_redirect("/to"); });
    r.Get("/to", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("arrived", "text/plain");
    });
  }
  ~StandardServer() { Stop(); }  // before the request it keeps goes
  httplib::Request Seen() {
    std::lock_guard lock(seenMutex_);
    return seen_;
  }

 private:
  std::mutex seenMutex_;
  httplib::Request seen_;
};

inline int ListenLoopback(int backlog, int* port) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
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
      if (client < 0) return;
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
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port_));
    connect(filler_, reinterpret_cast<sockaddr*>(&address), sizeof address);
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
