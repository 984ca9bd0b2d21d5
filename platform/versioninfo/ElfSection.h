#pragma once
// Locating a named section inside an ELF file on disk, by its section
// headers. Works on 32- and 64-bit files of either byte order; anything
// malformed (cut short, offsets past the end, names without terminator)
// simply yields "not found".
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marnova {

struct TElfSectionPlace {
  std::uint64_t Offset = 0;  // file offset of the section's contents
  std::uint64_t Size = 0;    // bytes of contents stored in the file
};

// Where the section called `name` lies in the ELF file at `path`; nothing
// when the file cannot be read, is not ELF, or has no such section with
// contents in the file.
std::optional<TElfSectionPlace> FindElfSection(const std::string& path, std::string_view name);

// The first `maxBytes` bytes of that section's contents (all of them when
// it is shorter); nothing when the section is missing.
std::optional<std::vector<std::uint8_t>> ReadElfSection(const std::string& path,
                                                        std::string_view name,
                                                        std::uint64_t maxBytes);

}  // namespace marnova
