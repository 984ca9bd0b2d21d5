#include "platform/versioninfo/ElfSection.h"

#include <algorithm>
#include <fstream>
#include <limits>

namespace marnova {
namespace {

constexpr std::uint8_t kClass32 = 1;
constexpr std::uint8_t kClass64 = 2;
constexpr std::uint8_t kDataLsb = 1;
constexpr std::uint8_t kDataMsb = 2;
constexpr std::uint32_t kShtNobits = 8;
constexpr std::uint16_t kShnXindex = 0xFFFF;
// A section header table or name table beyond this is not something our
// toolchain produces; refusing it keeps a hostile file from costing memory.
constexpr std::uint64_t kMaxTableBytes = 16u << 20;

class TElfFile {
 public:
  explicit TElfFile(const std::string& path) : FIn(path, std::ios::binary) {
    if (!FIn) return;
    FIn.seekg(0, std::ios::end);
    const auto end = FIn.tellg();
    if (end < 0) return;
    FSize = static_cast<std::uint64_t>(end);
    FOk = true;
  }

  bool Ok() const { return FOk; }
  std::uint64_t Size() const { return FSize; }

  // Reads [offset, offset + count) when it lies wholly inside the file.
  bool Read(std::uint64_t offset, std::uint64_t count, std::vector<std::uint8_t>& out) {
    if (!FOk || offset > FSize || count > FSize - offset) return false;
    out.resize(static_cast<std::size_t>(count));
    FIn.clear();
    FIn.seekg(static_cast<std::streamoff>(offset));
    if (count > 0)
      FIn.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(count));
    return static_cast<bool>(FIn);
  }

 private:
  std::ifstream FIn;
  std::uint64_t FSize = 0;
  bool FOk = false;
};

class TDecoder {
 public:
  TDecoder(const std::vector<std::uint8_t>& bytes, bool msb) : FBytes(bytes), FMsb(msb) {}

  std::uint64_t Get(std::size_t at, int width) const {
    std::uint64_t v = 0;
    for (int i = 0; i < width; ++i) {
      const std::uint8_t b = FBytes[at + static_cast<std::size_t>(FMsb ? i : width - 1 - i)];
      v = (v << 8) | b;
    }
    return v;
  }

 private:
  const std::vector<std::uint8_t>& FBytes;
  bool FMsb;
};

struct TSectionHeader {
  std::uint32_t Name = 0;
  std::uint32_t Type = 0;
  std::uint64_t Offset = 0;
  std::uint64_t Size = 0;
  std::uint32_t Link = 0;
};

struct TLayout {
  bool Is64 = false;
  bool Msb = false;
  std::uint64_t ShOff = 0;
  std::uint64_t ShEntSize = 0;
  std::uint64_t ShNum = 0;
  std::uint64_t ShStrNdx = 0;
};

std::optional<TLayout> ReadLayout(TElfFile& file) {
  std::vector<std::uint8_t> ident;
  if (!file.Read(0, 16, ident)) return std::nullopt;
  if (ident[0] != 0x7F || ident[1] != 'E' || ident[2] != 'L' || ident[3] != 'F')
    return std::nullopt;
  if (ident[4] != kClass32 && ident[4] != kClass64) return std::nullopt;
  if (ident[5] != kDataLsb && ident[5] != kDataMsb) return std::nullopt;
  TLayout l;
  l.Is64 = ident[4] == kClass64;
  l.Msb = ident[5] == kDataMsb;
  std::vector<std::uint8_t> hdr;
  if (!file.Read(0, l.Is64 ? 64 : 52, hdr)) return std::nullopt;
  const TDecoder d(hdr, l.Msb);
  l.ShOff = l.Is64 ? d.Get(40, 8) : d.Get(32, 4);
  const std::size_t tail = l.Is64 ? 58 : 46;  // e_shentsize, e_shnum, e_shstrndx
  l.ShEntSize = d.Get(tail, 2);
  l.ShNum = d.Get(tail + 2, 2);
  l.ShStrNdx = d.Get(tail + 4, 2);
  if (l.ShEntSize < (l.Is64 ? 64u : 40u) || l.ShOff == 0) return std::nullopt;
  return l;
}

std::optional<TSectionHeader> ReadHeader(TElfFile& file, const TLayout& l, std::uint64_t index) {
  if (index > (std::numeric_limits<std::uint64_t>::max() - l.ShOff) / l.ShEntSize)
    return std::nullopt;
  std::vector<std::uint8_t> raw;
  if (!file.Read(l.ShOff + index * l.ShEntSize, l.Is64 ? 64 : 40, raw)) return std::nullopt;
  const TDecoder d(raw, l.Msb);
  TSectionHeader h;
  h.Name = static_cast<std::uint32_t>(d.Get(0, 4));
  h.Type = static_cast<std::uint32_t>(d.Get(4, 4));
  if (l.Is64) {
    h.Offset = d.Get(24, 8);
    h.Size = d.Get(32, 8);
    h.Link = static_cast<std::uint32_t>(d.Get(40, 4));
  } else {
    h.Offset = d.Get(16, 4);
    h.Size = d.Get(20, 4);
    h.Link = static_cast<std::uint32_t>(d.Get(24, 4));
  }
  return h;
}

bool NameIs(const std::vector<std::uint8_t>& names, std::uint32_t at, std::string_view want) {
  if (at >= names.size() || names.size() - at <= want.size()) return false;
  for (std::size_t i = 0; i < want.size(); ++i)
    if (names[at + i] != static_cast<std::uint8_t>(want[i])) return false;
  return names[at + want.size()] == 0;
}

}  // namespace

std::optional<TElfSectionPlace> FindElfSection(const std::string& path, std::string_view name) {
  TElfFile file(path);
  if (!file.Ok()) return std::nullopt;
  auto layout = ReadLayout(file);
  if (!layout) return std::nullopt;
  TLayout& l = *layout;

  // Files with very many sections keep the real count and name-table index
  // in the first section header.
  if (l.ShNum == 0 || l.ShStrNdx == kShnXindex) {
    const auto first = ReadHeader(file, l, 0);
    if (!first) return std::nullopt;
    if (l.ShNum == 0) l.ShNum = first->Size;
    if (l.ShStrNdx == kShnXindex) l.ShStrNdx = first->Link;
  }
  if (l.ShStrNdx >= l.ShNum || l.ShNum > kMaxTableBytes / l.ShEntSize) return std::nullopt;
  // A header table that does not fit the file is a damaged file.
  if (l.ShOff > file.Size() || l.ShNum * l.ShEntSize > file.Size() - l.ShOff) return std::nullopt;

  const auto strtab = ReadHeader(file, l, l.ShStrNdx);
  if (!strtab || strtab->Type == kShtNobits || strtab->Size > kMaxTableBytes) return std::nullopt;
  std::vector<std::uint8_t> names;
  if (!file.Read(strtab->Offset, strtab->Size, names)) return std::nullopt;

  for (std::uint64_t i = 1; i < l.ShNum; ++i) {
    const auto h = ReadHeader(file, l, i);
    if (!h) return std::nullopt;
    if (!NameIs(names, h->Name, name)) continue;
    if (h->Type == kShtNobits) return std::nullopt;
    if (h->Offset > file.Size() || h->Size > file.Size() - h->Offset) return std::nullopt;
    return TElfSectionPlace{h->Offset, h->Size};
  }
  return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> ReadElfSection(const std::string& path,
                                                        std::string_view name,
                                                        std::uint64_t maxBytes) {
  const auto place = FindElfSection(path, name);
  if (!place) return std::nullopt;
  TElfFile file(path);
  std::vector<std::uint8_t> out;
  if (!file.Read(place->Offset, std::min(place->Size, maxBytes), out)) return std::nullopt;
  return out;
}

}  // namespace marnova
