// Reading a response's header block (CRLF lines: the status line, one line
// per header, an empty line) as the library's header queries answer it. Pure
// text work, apart from any transfer, so that it can be fuzzed directly.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace marnova::inet {

bool StartsWithNoCase(std::string_view text, std::string_view prefix);

// Values of the header `name` (any case), in order, without outer blanks;
// the status line is skipped.
std::vector<std::string> HeaderValues(std::string_view block, std::string_view name);

// The answer of HttpQueryInfo(infoLevel, buffer, length, index) for a
// response with this header block and status code: 0, or the error code of
// the failure (ERROR_INSUFFICIENT_BUFFER with the needed size in *length,
// ERROR_HTTP_HEADER_NOT_FOUND, ERROR_HTTP_INVALID_QUERY_REQUEST,
// ERROR_INVALID_PARAMETER). `length` must not be null.
std::uint32_t QueryHeaderBlock(const std::string& block, int status, std::uint32_t infoLevel,
                               void* buffer, std::uint32_t* length, std::uint32_t* index);

}  // namespace marnova::inet
