// The Internet library layer: root, connection and request handles over
// libcurl, with numbered status notifications, the pending code 997 and
// completion notification 100 in asynchronous mode, header queries and
// chunked reads. Every call reports failure through GetLastError().
//
// Handles are owned by UniqueInternet; closing a handle is destroying it.
// Closing a request stops its transfer: once the close returns, no further
// notification is delivered for it and a pending read no longer touches the
// caller's buffer.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/inet/InetDefs.h"
#include "platform/inet/InetError.h"
#include "platform/inet/UrlParts.h"

namespace marnova::inet {

class InetHandle {
 public:
  enum class Kind { Root, Connection, Request };
  InetHandle(const InetHandle&) = delete;
  InetHandle& operator=(const InetHandle&) = delete;
  virtual ~InetHandle();
  Kind HandleKind() const { return kind_; }

 protected:
  explicit InetHandle(Kind kind) : kind_(kind) {}

 private:
  Kind kind_;
};

using UniqueInternet = std::unique_ptr<InetHandle>;

// Opens a root handle. `accessType` is INTERNET_OPEN_TYPE_PRECONFIG (the
// environment's proxy settings), _DIRECT or _PROXY (with `proxy`, e.g.
// "127.0.0.1:3128"). `flags` may hold INTERNET_FLAG_ASYNC, which fixes the
// mode for the life of the handle and of everything opened from it.
UniqueInternet InternetOpen(const char* agent, std::uint32_t accessType, const char* proxy,
                            const char* proxyBypass, std::uint32_t flags);

// Installs the notification routine; the handles opened from `root` report
// through it (requests opened with a non-zero context only). Returns the
// former routine.
INTERNET_STATUS_CALLBACK InternetSetStatusCallback(HINTERNET root,
                                                   INTERNET_STATUS_CALLBACK callback);

// Opens a connection handle. Nothing is contacted before a request is sent.
UniqueInternet InternetConnect(HINTERNET root, const char* serverName, std::uint16_t port,
                               const char* userName, const char* password, std::uint32_t service,
                               std::uint32_t flags, std::uintptr_t context);

// Opens a request handle. `acceptTypes` is a null-terminated list (or null).
UniqueInternet HttpOpenRequest(HINTERNET connection, const char* verb, const char* objectName,
                               const char* version, const char* referrer,
                               const char* const* acceptTypes, std::uint32_t flags,
                               std::uintptr_t context);

// Sends the request (again, when called a second time on the same handle).
// `headers` holds header lines ended by CRLF; `headersLength` 0xFFFFFFFF
// means zero-terminated. Synchronous mode: returns once the answer's status
// and headers have arrived. Asynchronous mode: fails with ERROR_IO_PENDING
// and completes with notification 100.
bool HttpSendRequest(HINTERNET request, const char* headers, std::uint32_t headersLength,
                     const void* optional, std::uint32_t optionalLength);

// Status code (HTTP_QUERY_STATUS_CODE, with HTTP_QUERY_FLAG_NUMBER as a
// 32-bit number), status text, version, raw header block (status line and one
// header per line, CRLF, ended by an empty line), or one named header
// (HTTP_QUERY_CUSTOM with the name in the buffer).
bool HttpQueryInfo(HINTERNET request, std::uint32_t infoLevel, void* buffer,
                   std::uint32_t* bufferLength, std::uint32_t* index);

// Reads `toRead` body bytes, fewer only at the end of the body or before a
// failure (reported by the next read); 0 bytes read means the end.
// Synchronous mode: blocks until then. Asynchronous mode: completes at once
// when that much is buffered, otherwise fails with
// ERROR_IO_PENDING, fills `buffer` and `*read` later and then delivers
// notification 100.
bool InternetReadFile(HINTERNET request, void* buffer, std::uint32_t toRead, std::uint32_t* read);

// INTERNET_OPTION_CONNECT_TIMEOUT and _RECEIVE_TIMEOUT (32-bit milliseconds;
// root, connection or request; the nearest one set wins), _USERNAME,
// _PASSWORD, _PROXY_USERNAME, _PROXY_PASSWORD (text; connection or request,
// used by the next send).
bool InternetSetOption(HINTERNET handle, std::uint32_t option, const void* buffer,
                       std::uint32_t length);

// Closes (destroys) the handle; closing a null handle does nothing.
void InternetCloseHandle(UniqueInternet& handle);

// The receive time-out used where no handle sets one (30000 ms). A waiting
// read or send fails with ERROR_INTERNET_TIMEOUT when the server sends
// nothing for that long.
void SetDefaultReceiveTimeout(std::uint32_t milliseconds);

// The file of certificate authorities that secure requests sent from now on
// trust, in place of the system's (PEM); empty: the system's. A certificate
// must name the host it is presented for and be in date, whatever the
// request's flags say.
void SetCertificateAuthorities(const std::string& file);

}  // namespace marnova::inet
