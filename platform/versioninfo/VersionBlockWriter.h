#pragma once
// Building a version block (layout in VersionBlock.h). The build uses it
// to generate the program's own block; tests use it to craft others.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace marnova {

struct TVersionBlockContent {
  std::array<std::uint16_t, 4> FileVersion{};     // major, minor, release, build
  std::array<std::uint16_t, 4> ProductVersion{};  // same order
  std::uint32_t FileFlagsMask = 0x3F;
  std::uint32_t FileFlags = 0;
  std::uint32_t FileOS = 4;
  std::uint32_t FileType = 1;
  std::uint32_t FileSubtype = 0;
  // Language identifier and code page of the one translation; without it
  // the block has no "VarFileInfo".
  std::optional<std::pair<std::uint16_t, std::uint16_t>> Translation;
  // Key of the string table ("041004E4") and its entries, UTF-8; without
  // entries the block has no "StringFileInfo".
  std::string StringTableKey;
  std::vector<std::pair<std::string, std::string>> Strings;
};

// The block for `content`, ready to be carried in kVersionSectionName.
// Throws std::length_error when it would not fit the 16-bit node lengths.
std::vector<std::uint8_t> BuildVersionBlock(const TVersionBlockContent& content);

}  // namespace marnova
