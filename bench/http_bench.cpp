// Reading a 64 MiB body from a loopback server in synchronous mode: the HTTP
// component and the Internet library layer beside a plain curl_easy_perform
// into memory, in one run.
#include <arpa/inet.h>
#include <curl/curl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include "bench/BenchMain.h"

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/inet/Inet.h"
#include "services/uAdvHttp.h"

namespace {

constexpr std::size_t kBodySize = 64u << 20;

// Answers every connection with the whole body and closes it; a plain
// socket loop, so the server side costs the same for every contender.
class LoopbackServer {
 public:
  LoopbackServer() : body_(kBodySize, 'm') {
    listen_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listen_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(listen_, 16);
    socklen_t length = sizeof address;
    getsockname(listen_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }
  ~LoopbackServer() {
    shutdown(listen_, SHUT_RDWR);
    close(listen_);
    thread_.join();
  }
  int Port() const { return port_; }
  std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/body"; }

 private:
  void Serve() {
    const std::string head = "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(kBodySize) +
                             "\r\nConnection: close\r\n\r\n";
    for (;;) {
      const int client = accept4(listen_, nullptr, nullptr, SOCK_CLOEXEC);
      if (client < 0) return;
      std::string request;
      char c;
      while (request.find("\r\n\r\n") == std::string::npos && recv(client, &c, 1, 0) == 1)
        request += c;
      SendAll(client, head.data(), head.size());
      SendAll(client, body_.data(), body_.size());
      close(client);
    }
  }
  static void SendAll(int socket, const char* data, std::size_t size) {
    while (size > 0) {
      const ssize_t n = send(socket, data, size, MSG_NOSIGNAL);
      if (n <= 0) return;
      data += n;
      size -= static_cast<std::size_t>(n);
    }
  }
  std::string body_;
  int listen_ = -1;
  int port_ = 0;
  std::thread thread_;
};

LoopbackServer& Server() {
  static LoopbackServer server;
  return server;
}

size_t Append(char* data, size_t size, size_t count, void* target) {
  static_cast<std::string*>(target)->append(data, size * count);
  return size * count;
}

void PlainCurl(benchmark::State& state) {
  const std::string url = Server().Url();
  for (auto _ : state) {
    std::string body;
    CURL* easy = curl_easy_init();
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_PROXY, "");
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Append);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &body);
    const CURLcode code = curl_easy_perform(easy);
    curl_easy_cleanup(easy);
    if (code != CURLE_OK || body.size() != kBodySize) state.SkipWithError("plain transfer failed");
    benchmark::DoNotOptimize(body.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBodySize));
}

void InetLayerSync(benchmark::State& state) {
  using namespace marnova::inet;
  UniqueInternet root = InternetOpen("bench", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
  for (auto _ : state) {
    std::string body;
    UniqueInternet connection =
        InternetConnect(root.get(), "127.0.0.1", static_cast<std::uint16_t>(Server().Port()),
                        nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0);
    UniqueInternet request = HttpOpenRequest(connection.get(), "GET", "/body", nullptr, nullptr,
                                             nullptr, INTERNET_FLAG_RELOAD, 0);
    if (!HttpSendRequest(request.get(), nullptr, 0, nullptr, 0)) state.SkipWithError("send failed");
    char buffer[16384];
    std::uint32_t count = 0;
    while (InternetReadFile(request.get(), buffer, sizeof buffer, &count) && count > 0)
      body.append(buffer, count);
    if (body.size() != kBodySize) state.SkipWithError("short body");
    benchmark::DoNotOptimize(body.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBodySize));
}

void AdvHttpSync(benchmark::State& state) {
  marnova::TAdvHttp http;
  http.SetURL(QString::fromStdString(Server().Url()));
  for (auto _ : state) {
    if (!http.Execute(true) || http.BytesRead() != static_cast<std::int32_t>(kBodySize))
      state.SkipWithError("component transfer failed");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBodySize));
}

}  // namespace

BENCHMARK(PlainCurl)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(InetLayerSync)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(AdvHttpSync)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

int main(int argc, char** argv) {
  for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"}) unsetenv(name);
  curl_global_init(CURL_GLOBAL_DEFAULT);
  return marnova::RunBenchmarks(argc, argv);
}
