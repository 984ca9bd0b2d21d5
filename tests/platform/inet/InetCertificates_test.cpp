// Secure requests against loopback TLS servers (openssl s_server) whose
// certificates come from a private authority made for this run: a
// certificate must name the host and be in date, whatever the request's
// flags ask, directly and after a redirect from plain HTTP.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "platform/inet/Inet.h"
#include "platform/inet/LoopbackServer.h"

extern char** environ;

namespace marnova::inet {
namespace {

namespace fs = std::filesystem;
using marnova::testing::HttpTestServer;

// The update check's flags: it asks to ignore a wrong name and a wrong date.
constexpr std::uint32_t kFlags = INTERNET_FLAG_SECURE | INTERNET_FLAG_IGNORE_CERT_CN_INVALID |
                                 INTERNET_FLAG_IGNORE_CERT_DATE_INVALID |
                                 INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS | INTERNET_FLAG_RELOAD;

// One `openssl s_server -www` on a free loopback port, stopped at the end.
class TlsServer {
 public:
  TlsServer(const fs::path& cert, const fs::path& key) {
    port_ = marnova::testing::RefusingPort();  // free; nothing else binds loopback here
    const std::string accept = "127.0.0.1:" + std::to_string(port_);
    const std::string certText = cert.string(), keyText = key.string();
    const char* argv[] = {"openssl", "s_server",      "-quiet", "-www",
                          "-accept", accept.c_str(),  "-cert",  certText.c_str(),
                          "-key",    keyText.c_str(), nullptr};
    if (posix_spawnp(&pid_, "openssl", nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
      pid_ = -1;
    // Ready once it accepts a connection.
    for (int i = 0; i < 200 && pid_ > 0; ++i) {
      const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
      const sockaddr_in address = marnova::testing::LoopbackAddress(port_);
      const bool up = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
      ::close(fd);
      if (up) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
  }
  ~TlsServer() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  int Port() const { return port_; }

 private:
  pid_t pid_ = -1;
  int port_ = 0;
};

class InetCertificates : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    char pattern[] = "/tmp/marnova-tls-XXXXXX";
    dir = mkdtemp(pattern);
    // An authority, certificates it signs for 127.0.0.1 (in date and
    // expired) and for another host, and a self-signed one for 127.0.0.1.
    std::ofstream(dir / "make.sh")
        << "cd \"$(dirname \"$0\")\" && exec >log 2>&1 && set -e\n"
           "openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out "
           "ca.pem -days 2 -subj /CN=Marnova-test-CA\n"
           "sign() { openssl req -newkey rsa:2048 -nodes -keyout $1.key "
           "-out $1.csr -subj /CN=$2\n"
           "  echo subjectAltName=$3 >$1.ext\n"
           "  openssl x509 -req -in $1.csr -CA ca.pem -CAkey ca.key "
           "-CAcreateserial -days $4 -extfile $1.ext -out $1.pem; }\n"
           "sign good 127.0.0.1 IP:127.0.0.1 2\n"
           "sign expired 127.0.0.1 IP:127.0.0.1 -1\n"
           "sign elsewhere evil.example DNS:evil.example 2\n"
           "openssl req -x509 -newkey rsa:2048 -nodes -keyout self.key -out "
           "self.pem -days 2 -subj /CN=127.0.0.1 -addext "
           "subjectAltName=IP:127.0.0.1\n";
    made = std::system(("sh " + (dir / "make.sh").string()).c_str()) == 0;
    SetCertificateAuthorities((dir / "ca.pem").string());
  }
  static void TearDownTestSuite() {
    SetCertificateAuthorities({});
    fs::remove_all(dir);
  }

  // Sends `url` through the layer; returns 0 on an answer, else the error.
  static std::uint32_t Fetch(const std::string& host, int port, const char* path,
                             std::uint32_t flags) {
    UniqueInternet root = InternetOpen("test", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    UniqueInternet connection =
        InternetConnect(root.get(), host.c_str(), static_cast<std::uint16_t>(port), nullptr,
                        nullptr, INTERNET_SERVICE_HTTP, 0, 0);
    UniqueInternet request =
        HttpOpenRequest(connection.get(), "GET", path, nullptr, nullptr, nullptr, flags, 0);
    if (!HttpSendRequest(request.get(), nullptr, 0, nullptr, 0)) return GetLastError();
    std::uint32_t status = 0, length = sizeof status;
    EXPECT_TRUE(HttpQueryInfo(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER,
                              &status, &length, nullptr));
    EXPECT_EQ(status, 200u);
    return 0;
  }

  static inline fs::path dir;
  static inline bool made = false;
};

TEST_F(InetCertificates, OnlyACertificateForTheHostInDateIsAccepted) {
  ASSERT_TRUE(made) << "openssl could not make the certificates; see " << dir / "log";
  struct Case {
    const char* name;
    bool accepted;
  };
  for (const Case& c : {Case{"good", true}, Case{"elsewhere", false}, Case{"expired", false},
                        Case{"self", false}}) {
    SCOPED_TRACE(c.name);
    TlsServer tls(dir / (std::string(c.name) + ".pem"), dir / (std::string(c.name) + ".key"));
    const std::uint32_t expected = c.accepted ? 0 : ERROR_INTERNET_SEC_INVALID_CERT;
    EXPECT_EQ(Fetch("127.0.0.1", tls.Port(), "/", kFlags), expected) << "direct";

    HttpTestServer plain;  // sends the request on to the TLS server
    const std::string target = "https://127.0.0.1:" + std::to_string(tls.Port()) + "/";
    plain.Routes().Get("/marnova.txt", [&](const httplib::Request&, httplib::Response& response) {
      response.set_redirect(target);
    });
    plain.Start();
    EXPECT_EQ(Fetch("127.0.0.1", plain.Port(), "/marnova.txt", kFlags & ~INTERNET_FLAG_SECURE),
              expected)
        << "after a redirect";
  }
}

}  // namespace
}  // namespace marnova::inet
