// Loopback servers for the HTTP tests: a real HTTP server (cpp-httplib)
// beside the socket-level ones of RawServer.h, bound to 127.0.0.1 only.
#pragma once

#include <chrono>
#include <mutex>
#include <string>
#include <thread>

#include <httplib.h>

#include "RawServer.h"

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

}  // namespace marnova::testing
