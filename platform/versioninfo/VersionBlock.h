#pragma once
// The version block layout (VS_VERSIONINFO): a tree of nodes, each
//   u16 length (whole node, children included), u16 value length,
//   u16 type (0 binary, 1 text), UTF-16LE key with terminator,
//   padding to 4 bytes, the value, padding to 4 bytes, the children.
// Text value lengths count UTF-16 units, binary ones bytes. All numbers
// are little-endian whatever the host.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace marnova {

// Name of the ELF section that carries a program's version block.
inline constexpr std::string_view kVersionSectionName = ".versioninfo";
// Key of the block's root node.
inline constexpr std::string_view kVersionRootKey = "VS_VERSION_INFO";
// Signature word that opens the fixed file information.
inline constexpr std::uint32_t kFixedFileInfoSignature = 0xFEEF04BD;
// Size of the fixed file information record (13 32-bit fields).
inline constexpr std::size_t kFixedFileInfoSize = 52;

struct TVersionValue {
  std::span<const std::uint8_t> Bytes;  // the value; for text, UTF-16LE without a promise of a
                                        // terminator inside it
  bool Text = false;
};

// Looks up `path` in `block`: "\" is the root's value (the fixed file
// information), "\VarFileInfo\Translation" the translation array,
// "\StringFileInfo\041004E4\FileVersion" one string. Keys compare without
// regard to ASCII case. Every length is checked against its parent and
// the buffer, so a malformed block gives nothing rather than a read past
// its end.
std::optional<TVersionValue> QueryVersionValue(std::span<const std::uint8_t> block,
                                               std::string_view path);

// Length of the root node, when the buffer starts with a plausible one.
std::optional<std::size_t> VersionRootLength(std::span<const std::uint8_t> block);

}  // namespace marnova
