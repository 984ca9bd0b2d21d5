// Numbers and types of the Internet library layer. They keep the values the
// HTTP component passes and expects (handles, flags, options, notification
// codes, error codes), so the component reads like a client of that library
// while libcurl does the transfers underneath.
#pragma once

#include <cstdint>

namespace marnova::inet {

class InetHandle;
using HINTERNET = InetHandle*;

// Notification routine installed on a root handle. `info` points at data
// owned by the library, valid only during the call.
using INTERNET_STATUS_CALLBACK = void (*)(HINTERNET handle, std::uintptr_t context,
                                          std::uint32_t status, void* info,
                                          std::uint32_t infoLength);

// Data of notification 100 (request complete).
struct INTERNET_ASYNC_RESULT {
  std::uintptr_t dwResult;  // non-zero on success
  std::uint32_t dwError;    // error code when dwResult is zero
};

// Root handle access types and mode.
inline constexpr std::uint32_t INTERNET_OPEN_TYPE_PRECONFIG = 0;  // environment proxy settings
inline constexpr std::uint32_t INTERNET_OPEN_TYPE_DIRECT = 1;
inline constexpr std::uint32_t INTERNET_OPEN_TYPE_PROXY = 3;
inline constexpr std::uint32_t INTERNET_FLAG_ASYNC = 0x10000000;
inline constexpr std::uint32_t INTERNET_SERVICE_HTTP = 3;
inline constexpr std::uint16_t INTERNET_DEFAULT_HTTP_PORT = 80;
inline constexpr std::uint16_t INTERNET_DEFAULT_HTTPS_PORT = 443;

// Request flags.
inline constexpr std::uint32_t INTERNET_FLAG_NEED_FILE = 0x00000010;
inline constexpr std::uint32_t INTERNET_FLAG_PRAGMA_NOCACHE = 0x00000100;
inline constexpr std::uint32_t INTERNET_FLAG_NO_UI = 0x00000200;
inline constexpr std::uint32_t INTERNET_FLAG_HYPERLINK = 0x00000400;
inline constexpr std::uint32_t INTERNET_FLAG_RESYNCHRONIZE = 0x00000800;
inline constexpr std::uint32_t INTERNET_FLAG_IGNORE_CERT_CN_INVALID = 0x00001000;
inline constexpr std::uint32_t INTERNET_FLAG_IGNORE_CERT_DATE_INVALID = 0x00002000;
inline constexpr std::uint32_t INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS = 0x00004000;
inline constexpr std::uint32_t INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTP = 0x00008000;
inline constexpr std::uint32_t INTERNET_FLAG_CACHE_IF_NET_FAIL = 0x00010000;
inline constexpr std::uint32_t INTERNET_FLAG_NO_AUTH = 0x00040000;
inline constexpr std::uint32_t INTERNET_FLAG_NO_COOKIES = 0x00080000;
inline constexpr std::uint32_t INTERNET_FLAG_NO_AUTO_REDIRECT = 0x00200000;
inline constexpr std::uint32_t INTERNET_FLAG_KEEP_CONNECTION = 0x00400000;
inline constexpr std::uint32_t INTERNET_FLAG_SECURE = 0x00800000;
inline constexpr std::uint32_t INTERNET_FLAG_DONT_CACHE = 0x04000000;
inline constexpr std::uint32_t INTERNET_FLAG_NO_CACHE_WRITE = 0x04000000;
inline constexpr std::uint32_t INTERNET_FLAG_RELOAD = 0x80000000;

// Options (InternetSetOption).
inline constexpr std::uint32_t INTERNET_OPTION_CONNECT_TIMEOUT = 2;  // milliseconds
inline constexpr std::uint32_t INTERNET_OPTION_RECEIVE_TIMEOUT = 6;  // milliseconds
inline constexpr std::uint32_t INTERNET_OPTION_USERNAME = 28;
inline constexpr std::uint32_t INTERNET_OPTION_PASSWORD = 29;
inline constexpr std::uint32_t INTERNET_OPTION_PROXY_USERNAME = 43;
inline constexpr std::uint32_t INTERNET_OPTION_PROXY_PASSWORD = 44;

// Notification codes.
inline constexpr std::uint32_t INTERNET_STATUS_RESOLVING_NAME = 10;
inline constexpr std::uint32_t INTERNET_STATUS_NAME_RESOLVED = 11;
inline constexpr std::uint32_t INTERNET_STATUS_CONNECTING_TO_SERVER = 20;
inline constexpr std::uint32_t INTERNET_STATUS_CONNECTED_TO_SERVER = 21;
inline constexpr std::uint32_t INTERNET_STATUS_SENDING_REQUEST = 30;
inline constexpr std::uint32_t INTERNET_STATUS_REQUEST_SENT = 31;
inline constexpr std::uint32_t INTERNET_STATUS_RECEIVING_RESPONSE = 40;
inline constexpr std::uint32_t INTERNET_STATUS_RESPONSE_RECEIVED = 41;
inline constexpr std::uint32_t INTERNET_STATUS_CLOSING_CONNECTION = 50;
inline constexpr std::uint32_t INTERNET_STATUS_CONNECTION_CLOSED = 51;
inline constexpr std::uint32_t INTERNET_STATUS_REQUEST_COMPLETE = 100;
inline constexpr std::uint32_t INTERNET_STATUS_REDIRECT = 110;
inline constexpr std::uint32_t INTERNET_STATUS_INTERMEDIATE_RESPONSE = 120;
inline constexpr std::uint32_t INTERNET_STATUS_STATE_CHANGE = 200;

// State change data (notification 200): a redirect crossed between schemes.
inline constexpr std::uint32_t INTERNET_STATE_NOW_SECURE = 1;
inline constexpr std::uint32_t INTERNET_STATE_NOW_NOT_SECURE = 2;

// Header queries.
inline constexpr std::uint32_t HTTP_QUERY_CONTENT_TYPE = 1;
inline constexpr std::uint32_t HTTP_QUERY_CONTENT_LENGTH = 5;
inline constexpr std::uint32_t HTTP_QUERY_VERSION = 18;
inline constexpr std::uint32_t HTTP_QUERY_STATUS_CODE = 19;
inline constexpr std::uint32_t HTTP_QUERY_STATUS_TEXT = 20;
inline constexpr std::uint32_t HTTP_QUERY_RAW_HEADERS = 21;
inline constexpr std::uint32_t HTTP_QUERY_RAW_HEADERS_CRLF = 22;
inline constexpr std::uint32_t HTTP_QUERY_LOCATION = 33;
inline constexpr std::uint32_t HTTP_QUERY_WWW_AUTHENTICATE = 40;
inline constexpr std::uint32_t HTTP_QUERY_PROXY_AUTHENTICATE = 41;
inline constexpr std::uint32_t HTTP_QUERY_CUSTOM = 65535;
inline constexpr std::uint32_t HTTP_QUERY_FLAG_NUMBER = 0x20000000;

// Address splitting and combining.
inline constexpr std::uint32_t ICU_ESCAPE = 0x80000000;
inline constexpr std::uint32_t ICU_ENCODE_SPACES_ONLY = 0x04000000;

// Credential dialog flags.
inline constexpr std::uint32_t FLAGS_ERROR_UI_FILTER_FOR_ERRORS = 0x01;
inline constexpr std::uint32_t FLAGS_ERROR_UI_FLAGS_CHANGE_OPTIONS = 0x02;
inline constexpr std::uint32_t FLAGS_ERROR_UI_FLAGS_GENERATE_DATA = 0x04;

// Error codes outside the 12000 range.
inline constexpr std::uint32_t ERROR_SUCCESS = 0;
inline constexpr std::uint32_t ERROR_INVALID_HANDLE = 6;
inline constexpr std::uint32_t ERROR_INVALID_PARAMETER = 87;
inline constexpr std::uint32_t ERROR_INSUFFICIENT_BUFFER = 122;
inline constexpr std::uint32_t ERROR_IO_PENDING = 997;
inline constexpr std::uint32_t ERROR_CANCELLED = 1223;

// Library error codes.
inline constexpr std::uint32_t ERROR_INTERNET_OUT_OF_HANDLES = 12001;
inline constexpr std::uint32_t ERROR_INTERNET_TIMEOUT = 12002;
inline constexpr std::uint32_t ERROR_INTERNET_EXTENDED_ERROR = 12003;
inline constexpr std::uint32_t ERROR_INTERNET_INTERNAL_ERROR = 12004;
inline constexpr std::uint32_t ERROR_INTERNET_INVALID_URL = 12005;
inline constexpr std::uint32_t ERROR_INTERNET_UNRECOGNIZED_SCHEME = 12006;
inline constexpr std::uint32_t ERROR_INTERNET_NAME_NOT_RESOLVED = 12007;
inline constexpr std::uint32_t ERROR_INTERNET_PROTOCOL_NOT_FOUND = 12008;
inline constexpr std::uint32_t ERROR_INTERNET_INVALID_OPTION = 12009;
inline constexpr std::uint32_t ERROR_INTERNET_BAD_OPTION_LENGTH = 12010;
inline constexpr std::uint32_t ERROR_INTERNET_LOGIN_FAILURE = 12015;
inline constexpr std::uint32_t ERROR_INTERNET_INVALID_OPERATION = 12016;
inline constexpr std::uint32_t ERROR_INTERNET_OPERATION_CANCELLED = 12017;
inline constexpr std::uint32_t ERROR_INTERNET_INCORRECT_HANDLE_TYPE = 12018;
inline constexpr std::uint32_t ERROR_INTERNET_INCORRECT_HANDLE_STATE = 12019;
inline constexpr std::uint32_t ERROR_INTERNET_CANNOT_CONNECT = 12029;
inline constexpr std::uint32_t ERROR_INTERNET_CONNECTION_ABORTED = 12030;
inline constexpr std::uint32_t ERROR_INTERNET_CONNECTION_RESET = 12031;
inline constexpr std::uint32_t ERROR_INTERNET_FORCE_RETRY = 12032;
inline constexpr std::uint32_t ERROR_INTERNET_SEC_CERT_DATE_INVALID = 12037;
inline constexpr std::uint32_t ERROR_INTERNET_SEC_CERT_CN_INVALID = 12038;
inline constexpr std::uint32_t ERROR_INTERNET_HTTP_TO_HTTPS_ON_REDIR = 12039;
inline constexpr std::uint32_t ERROR_INTERNET_HTTPS_TO_HTTP_ON_REDIR = 12040;
inline constexpr std::uint32_t ERROR_INTERNET_CLIENT_AUTH_CERT_NEEDED = 12044;
inline constexpr std::uint32_t ERROR_INTERNET_INVALID_CA = 12045;
inline constexpr std::uint32_t ERROR_HTTP_HEADER_NOT_FOUND = 12150;
inline constexpr std::uint32_t ERROR_HTTP_INVALID_SERVER_RESPONSE = 12152;
inline constexpr std::uint32_t ERROR_HTTP_INVALID_QUERY_REQUEST = 12154;
inline constexpr std::uint32_t ERROR_HTTP_REDIRECT_FAILED = 12156;
inline constexpr std::uint32_t ERROR_INTERNET_SECURITY_CHANNEL_ERROR = 12157;
inline constexpr std::uint32_t ERROR_INTERNET_PROXY_SERVER_UNREACHABLE = 12165;
inline constexpr std::uint32_t ERROR_INTERNET_SEC_INVALID_CERT = 12169;
inline constexpr std::uint32_t ERROR_INTERNET_SEC_CERT_REVOKED = 12170;
inline constexpr std::uint32_t ERROR_INTERNET_DECODING_FAILED = 12175;

}  // namespace marnova::inet
