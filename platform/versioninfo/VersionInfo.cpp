#include "platform/versioninfo/VersionInfo.h"

#include <algorithm>
#include <cstring>

#include "platform/versioninfo/ElfSection.h"

namespace marnova {
namespace {

// Linkers may pad the section; only the root node's own length counts,
// and that is a 16-bit field, so nothing past 64 KiB is ever needed.
std::optional<std::vector<std::uint8_t>> ReadBlock(const std::string& path) {
  auto bytes = ReadElfSection(path, kVersionSectionName, 0xFFFF);
  if (!bytes || bytes->empty()) return std::nullopt;
  return bytes;
}

}  // namespace

std::uint32_t GetFileVersionInfoSize(const std::string& path, std::uint32_t* handle) {
  if (handle) *handle = 0;
  const auto bytes = ReadBlock(path);
  if (!bytes) return 0;
  // A root length beyond the section means a cut-short block: report all
  // there is, and let the queries refuse it.
  const auto root = VersionRootLength(*bytes);
  return static_cast<std::uint32_t>(root ? *root : bytes->size());
}

bool GetFileVersionInfo(const std::string& path, std::uint32_t /*handle*/, std::uint32_t size,
                        void* data) {
  if (!data || size == 0) return false;
  const auto bytes = ReadBlock(path);
  if (!bytes) return false;
  const std::size_t n = std::min<std::size_t>(size, bytes->size());
  auto* out = static_cast<std::uint8_t*>(data);
  std::memcpy(out, bytes->data(), n);
  std::memset(out + n, 0, size - n);
  return true;
}

std::optional<TVersionValue> VerQueryValue(std::span<const std::uint8_t> block,
                                           std::string_view subBlock) {
  return QueryVersionValue(block, subBlock);
}

}  // namespace marnova
