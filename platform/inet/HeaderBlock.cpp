#include "platform/inet/HeaderBlock.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "platform/inet/InetDefs.h"

namespace marnova::inet {
namespace {

// The named headers a query level stands for.
constexpr std::array<std::pair<std::uint32_t, std::string_view>, 5> kNamedLevels = {{
    {HTTP_QUERY_CONTENT_TYPE, "Content-Type"},
    {HTTP_QUERY_CONTENT_LENGTH, "Content-Length"},
    {HTTP_QUERY_LOCATION, "Location"},
    {HTTP_QUERY_WWW_AUTHENTICATE, "WWW-Authenticate"},
    {HTTP_QUERY_PROXY_AUTHENTICATE, "Proxy-Authenticate"},
}};

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() &&
         (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
    s.remove_suffix(1);
  return s;
}

// `size` bytes, the last of them the terminator; *length tells the text's
// length without it, or the size needed.
std::uint32_t CopyOut(const char* data, std::size_t size, void* buffer, std::uint32_t* length) {
  const auto needed = static_cast<std::uint32_t>(size);
  if (buffer == nullptr || *length < needed) {
    *length = needed;
    return ERROR_INSUFFICIENT_BUFFER;
  }
  std::memcpy(buffer, data, needed);
  *length = needed - 1;
  return 0;
}

}  // namespace

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) !=
        std::tolower(static_cast<unsigned char>(prefix[i])))
      return false;
  return true;
}

std::vector<std::string> HeaderValues(std::string_view block, std::string_view name) {
  std::vector<std::string> values;
  std::size_t pos = block.find("\r\n");
  while (pos != std::string_view::npos && pos + 2 < block.size()) {
    const std::size_t start = pos + 2;
    const std::size_t end = block.find("\r\n", start);
    const std::string_view line =
        block.substr(start, (end == std::string_view::npos ? block.size() : end) - start);
    const std::size_t colon = line.find(':');
    if (colon != std::string_view::npos && colon == name.size() && StartsWithNoCase(line, name))
      values.emplace_back(Trim(line.substr(colon + 1)));
    pos = end;
  }
  return values;
}

std::uint32_t QueryHeaderBlock(const std::string& block, int status, std::uint32_t infoLevel,
                               void* buffer, std::uint32_t* length, std::uint32_t* index) {
  const std::uint32_t level = infoLevel & 0xFFFF;
  const std::string statusLine = block.substr(0, block.find("\r\n"));
  std::string value;
  auto named = [&](std::string_view name) -> std::uint32_t {
    const auto values = HeaderValues(block, name);
    const std::uint32_t i = index ? *index : 0;
    if (i >= values.size()) return ERROR_HTTP_HEADER_NOT_FOUND;
    value = values[i];
    if (index) ++*index;
    return 0;
  };
  std::uint32_t error = 0;
  switch (level) {
    case HTTP_QUERY_STATUS_CODE:
      value = std::to_string(status);
      break;
    case HTTP_QUERY_STATUS_TEXT: {
      const std::size_t first = statusLine.find(' ');
      const std::size_t second =
          first == std::string::npos ? std::string::npos : statusLine.find(' ', first + 1);
      value = second == std::string::npos ? std::string() : statusLine.substr(second + 1);
      break;
    }
    case HTTP_QUERY_VERSION:
      value = statusLine.substr(0, statusLine.find(' '));
      break;
    case HTTP_QUERY_RAW_HEADERS_CRLF:
      value = block;
      break;
    case HTTP_QUERY_RAW_HEADERS: {
      // Each line with its terminator, the list ended by one more.
      std::string out;
      std::size_t pos = 0;
      while (pos < block.size()) {
        const std::size_t end = block.find("\r\n", pos);
        if (end == pos || end == std::string::npos) break;
        out.append(block, pos, end - pos);
        out.push_back('\0');
        pos = end + 2;
      }
      out.push_back('\0');
      return CopyOut(out.data(), out.size(), buffer, length);
    }
    case HTTP_QUERY_CUSTOM:
      if (buffer == nullptr) return ERROR_INVALID_PARAMETER;
      error = named(std::string_view(static_cast<const char*>(buffer),
                                     strnlen(static_cast<const char*>(buffer), *length)));
      break;
    default: {
      const auto* entry = std::find_if(kNamedLevels.begin(), kNamedLevels.end(),
                                       [level](const auto& e) { return e.first == level; });
      error = entry == kNamedLevels.end() ? ERROR_HTTP_INVALID_QUERY_REQUEST : named(entry->second);
    }
  }
  if (error) return error;
  if (infoLevel & HTTP_QUERY_FLAG_NUMBER) {
    char* end = nullptr;
    const unsigned long number = std::strtoul(value.c_str(), &end, 10);
    if (value.empty() || *end != '\0') return ERROR_HTTP_INVALID_QUERY_REQUEST;
    const auto n = static_cast<std::uint32_t>(number);
    if (buffer == nullptr || *length < sizeof n) {
      *length = sizeof n;
      return ERROR_INSUFFICIENT_BUFFER;
    }
    std::memcpy(buffer, &n, sizeof n);
    *length = sizeof n;
    return 0;
  }
  return CopyOut(value.c_str(), value.size() + 1, buffer, length);
}

}  // namespace marnova::inet
