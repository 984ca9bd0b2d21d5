#pragma once
// Reading a file's own version block: the three operations a version
// reader needs (size query, read, value query). The block lives in the
// ELF section kVersionSectionName of the file on disk; see
// VersionBlock.h for its layout.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/versioninfo/VersionBlock.h"

namespace marnova {

// Size in bytes of the version block that the file at `path` carries;
// 0 when the file cannot be read, is not ELF, or carries no block.
// `handle` (when given) receives the value to hand on to
// GetFileVersionInfo; it is always 0 here and kept for the reader's shape.
std::uint32_t GetFileVersionInfoSize(const std::string& path, std::uint32_t* handle = nullptr);

// Copies the file's version block into `data`, which has room for `size`
// bytes (the size query's answer). A block shorter than `size` is padded
// with zeros. False when the file no longer carries a block.
bool GetFileVersionInfo(const std::string& path, std::uint32_t handle, std::uint32_t size,
                        void* data);

// Looks up `subBlock` ("\", "\VarFileInfo\Translation",
// "\StringFileInfo\041004E4\FileVersion") in a block read by
// GetFileVersionInfo. The span must be the whole buffer that was read;
// nothing outside it is ever touched.
std::optional<TVersionValue> VerQueryValue(std::span<const std::uint8_t> block,
                                           std::string_view subBlock);

}  // namespace marnova
