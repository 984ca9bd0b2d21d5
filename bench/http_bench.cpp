// Reading a 64 MiB body from a loopback server in synchronous mode: the HTTP
// component and the Internet library layer beside a plain curl_easy_perform
// into memory, in one run.
#include <curl/curl.h>

#include <string>

#include "bench/BenchMain.h"
#include "platform/inet/Inet.h"
#include "services/uAdvHttp.h"
#include "tests/platform/inet/RawServer.h"

namespace {

constexpr std::size_t kBodySize = 64u << 20;

// Answers every connection with the whole body and closes it; a plain
// socket loop, so the server side costs the same for every contender.
marnova::testing::RawServer& Server() {
  static const std::string head =
      "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(kBodySize) +
      "\r\nConnection: close\r\n\r\n";
  static const std::string body(kBodySize, 'm');
  static marnova::testing::RawServer server([](marnova::testing::RawServer&, int client) {
    marnova::testing::RawServer::Write(client, head);
    marnova::testing::RawServer::Write(client, body);
  });
  return server;
}

std::string Url() {
  return "http://127.0.0.1:" + std::to_string(Server().Port()) + "/body";
}

size_t Append(char* data, size_t size, size_t count, void* target) {
  static_cast<std::string*>(target)->append(data, size * count);
  return size * count;
}

void PlainCurl(benchmark::State& state) {
  const std::string url = Url();
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
  http.SetURL(QString::fromStdString(Url()));
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
  marnova::testing::ClearProxyEnvironment();
  curl_global_init(CURL_GLOBAL_DEFAULT);
  return marnova::RunBenchmarks(argc, argv);
}
