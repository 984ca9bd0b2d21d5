#include "platform/inet/InetError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>

#include "platform/inet/InetDefs.h"

namespace marnova::inet {
namespace {

thread_local std::uint32_t tLastError = 0;

std::mutex gResponseInfoMutex;
std::uint32_t gResponseInfoError = 0;
std::string gResponseInfoText;

const char* DescriptionOf(std::uint32_t code) {
  switch (code) {
    case ERROR_INVALID_HANDLE:
      return "The handle is invalid.";
    case ERROR_INVALID_PARAMETER:
      return "The parameter is incorrect.";
    case ERROR_INSUFFICIENT_BUFFER:
      return "The data area passed to the call is too small.";
    case ERROR_IO_PENDING:
      return "Overlapped I/O operation is in progress.";
    case ERROR_CANCELLED:
      return "The operation was cancelled by the user.";
    case ERROR_INTERNET_OUT_OF_HANDLES:
      return "No more handles could be generated at this time.";
    case ERROR_INTERNET_TIMEOUT:
      return "The operation timed out.";
    case ERROR_INTERNET_EXTENDED_ERROR:
      return "An extended error was returned from the server.";
    case ERROR_INTERNET_INTERNAL_ERROR:
      return "An internal error occurred.";
    case ERROR_INTERNET_INVALID_URL:
      return "The URL is invalid.";
    case ERROR_INTERNET_UNRECOGNIZED_SCHEME:
      return "The URL does not use a recognized protocol.";
    case ERROR_INTERNET_NAME_NOT_RESOLVED:
      return "The server name or address could not be resolved.";
    case ERROR_INTERNET_PROTOCOL_NOT_FOUND:
      return "A protocol with the required capabilities was not found.";
    case ERROR_INTERNET_INVALID_OPTION:
      return "The option is invalid.";
    case ERROR_INTERNET_BAD_OPTION_LENGTH:
      return "The length is incorrect for the option type.";
    case ERROR_INTERNET_LOGIN_FAILURE:
      return "The login attempt failed.";
    case ERROR_INTERNET_INVALID_OPERATION:
      return "The operation is invalid.";
    case ERROR_INTERNET_OPERATION_CANCELLED:
      return "The operation was cancelled.";
    case ERROR_INTERNET_INCORRECT_HANDLE_TYPE:
      return "The supplied handle is the wrong type for the requested operation.";
    case ERROR_INTERNET_INCORRECT_HANDLE_STATE:
      return "The handle is in the wrong state for the requested operation.";
    case ERROR_INTERNET_CANNOT_CONNECT:
      return "A connection with the server could not be established.";
    case ERROR_INTERNET_CONNECTION_ABORTED:
      return "The connection with the server was terminated abnormally.";
    case ERROR_INTERNET_CONNECTION_RESET:
      return "The connection with the server was reset.";
    case ERROR_INTERNET_FORCE_RETRY:
      return "The request must be sent again.";
    case ERROR_INTERNET_SEC_CERT_DATE_INVALID:
      return "The server's certificate has expired or is not yet valid.";
    case ERROR_INTERNET_SEC_CERT_CN_INVALID:
      return "The server's certificate does not match the host name.";
    case ERROR_INTERNET_HTTP_TO_HTTPS_ON_REDIR:
      return "The request was redirected from a non-secure to a secure address.";
    case ERROR_INTERNET_HTTPS_TO_HTTP_ON_REDIR:
      return "The request was redirected from a secure to a non-secure address.";
    case ERROR_INTERNET_CLIENT_AUTH_CERT_NEEDED:
      return "The server requires a client certificate.";
    case ERROR_INTERNET_INVALID_CA:
      return "The certificate authority is invalid or incorrect.";
    case ERROR_HTTP_HEADER_NOT_FOUND:
      return "The requested header could not be located.";
    case ERROR_HTTP_INVALID_SERVER_RESPONSE:
      return "The server response could not be parsed.";
    case ERROR_HTTP_INVALID_QUERY_REQUEST:
      return "The request to query the headers is invalid.";
    case ERROR_HTTP_REDIRECT_FAILED:
      return "The redirection failed.";
    case ERROR_INTERNET_SECURITY_CHANNEL_ERROR:
      return "A secure channel could not be established.";
    case ERROR_INTERNET_PROXY_SERVER_UNREACHABLE:
      return "The proxy server could not be reached.";
    case ERROR_INTERNET_SEC_INVALID_CERT:
      return "The server's certificate is invalid.";
    case ERROR_INTERNET_SEC_CERT_REVOKED:
      return "The server's certificate has been revoked.";
    case ERROR_INTERNET_DECODING_FAILED:
      return "The content of the answer could not be decoded.";
    default:
      return nullptr;
  }
}

std::uint32_t ByErrno(long osErrno, std::uint32_t fallback) {
  switch (osErrno) {
    case ECONNRESET:
      return ERROR_INTERNET_CONNECTION_RESET;
    case ECONNABORTED:
    case EPIPE:
      return ERROR_INTERNET_CONNECTION_ABORTED;
    case ETIMEDOUT:
      return ERROR_INTERNET_TIMEOUT;
    default:
      return fallback;
  }
}

}  // namespace

std::uint32_t GetLastError() {
  return tLastError;
}
void SetLastError(std::uint32_t code) {
  tLastError = code;
}

std::uint32_t FormatErrorMessage(std::uint32_t code, char* buffer, std::uint32_t size) {
  if (buffer == nullptr || size == 0) return 0;
  buffer[0] = '\0';
  const char* text = DescriptionOf(code);
  if (text == nullptr) return 0;
  const std::size_t length = std::strlen(text);
  if (length + 1 > size) return 0;
  std::memcpy(buffer, text, length + 1);
  return static_cast<std::uint32_t>(length);
}

std::string ErrorDescription(std::uint32_t code) {
  const char* text = DescriptionOf(code);
  return text ? std::string(text) : std::string();
}

bool InternetGetLastResponseInfo(std::uint32_t* error, char* buffer, std::uint32_t* length) {
  if (error == nullptr || length == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  std::lock_guard lock(gResponseInfoMutex);
  *error = gResponseInfoError;
  const auto needed = static_cast<std::uint32_t>(gResponseInfoText.size() + 1);
  if (buffer == nullptr || *length < needed) {
    *length = needed;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return false;
  }
  std::memcpy(buffer, gResponseInfoText.c_str(), needed);
  *length = needed - 1;
  return true;
}

void SetLastResponseInfo(std::uint32_t error, const std::string& text) {
  std::lock_guard lock(gResponseInfoMutex);
  gResponseInfoError = error;
  gResponseInfoText = text;
}

std::uint32_t MapCurlFailure(const CurlFailure& f) {
  switch (f.code) {
    case CURLE_OK:
      return ERROR_SUCCESS;
    case CURLE_UNSUPPORTED_PROTOCOL:
      // libcurl reports a refused redirect target and an answer that is not
      // HTTP at all (no status line) with the same code.
      if (f.redirectToHttp) return ERROR_INTERNET_HTTPS_TO_HTTP_ON_REDIR;
      if (f.redirectToHttps) return ERROR_INTERNET_HTTP_TO_HTTPS_ON_REDIR;
      if (f.responseStarted) return ERROR_HTTP_INVALID_SERVER_RESPONSE;
      return ERROR_INTERNET_UNRECOGNIZED_SCHEME;
    case CURLE_URL_MALFORMAT:
      return ERROR_INTERNET_INVALID_URL;
    case CURLE_NOT_BUILT_IN:
      return ERROR_INTERNET_PROTOCOL_NOT_FOUND;
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_RESOLVE_HOST:
      return ERROR_INTERNET_NAME_NOT_RESOLVED;
    case CURLE_COULDNT_CONNECT:
    case CURLE_INTERFACE_FAILED:
    case CURLE_NO_CONNECTION_AVAILABLE:
    case CURLE_QUIC_CONNECT_ERROR:
      return ByErrno(f.osErrno, ERROR_INTERNET_CANNOT_CONNECT);
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_GOT_NOTHING:
      return ERROR_HTTP_INVALID_SERVER_RESPONSE;
    case CURLE_REMOTE_ACCESS_DENIED:
    case CURLE_LOGIN_DENIED:
    case CURLE_AUTH_ERROR:
      return ERROR_INTERNET_LOGIN_FAILURE;
    case CURLE_PARTIAL_FILE:
      return ByErrno(f.osErrno, ERROR_INTERNET_CONNECTION_ABORTED);
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
      return ByErrno(f.osErrno, ERROR_INTERNET_CONNECTION_ABORTED);
    case CURLE_OPERATION_TIMEDOUT:
      return ERROR_INTERNET_TIMEOUT;
    case CURLE_ABORTED_BY_CALLBACK:
    case CURLE_WRITE_ERROR:
      return ERROR_INTERNET_OPERATION_CANCELLED;
    case CURLE_TOO_MANY_REDIRECTS:
      return ERROR_HTTP_REDIRECT_FAILED;
    case CURLE_UNKNOWN_OPTION:
    case CURLE_SETOPT_OPTION_SYNTAX:
      return ERROR_INTERNET_INVALID_OPTION;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_ENGINE_NOTFOUND:
    case CURLE_SSL_ENGINE_SETFAILED:
    case CURLE_SSL_CIPHER:
    case CURLE_USE_SSL_FAILED:
    case CURLE_SSL_ENGINE_INITFAILED:
    case CURLE_SSL_SHUTDOWN_FAILED:
    case CURLE_SSL_CRL_BADFILE:
      return ERROR_INTERNET_SECURITY_CHANNEL_ERROR;
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CLIENTCERT:
      return ERROR_INTERNET_CLIENT_AUTH_CERT_NEEDED;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
      return ERROR_INTERNET_SEC_INVALID_CERT;
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
      return ERROR_INTERNET_INVALID_CA;
    case CURLE_SSL_INVALIDCERTSTATUS:
      return ERROR_INTERNET_SEC_CERT_REVOKED;
    case CURLE_BAD_CONTENT_ENCODING:
      return ERROR_INTERNET_DECODING_FAILED;
    case CURLE_FAILED_INIT:
    case CURLE_OUT_OF_MEMORY:
    case CURLE_READ_ERROR:
    case CURLE_BAD_FUNCTION_ARGUMENT:
    case CURLE_FUNCTION_NOT_FOUND:
    case CURLE_AGAIN:
    case CURLE_RECURSIVE_API_CALL:
    case CURLE_UNRECOVERABLE_POLL:
      return ERROR_INTERNET_INTERNAL_ERROR;
    default:
      // Everything else (HTTP/2 and HTTP/3 framing, proxy handshakes, codes of
      // other protocols) is told through the last response info.
      return ERROR_INTERNET_EXTENDED_ERROR;
  }
}

}  // namespace marnova::inet
