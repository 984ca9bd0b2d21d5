// The 148 named colours of CSS Color 4.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace marnova {

// 0xRRGGBB of a lower-case colour name; nothing for any other word.
std::optional<std::uint32_t> CssNamedColour(std::string_view name);

}  // namespace marnova
