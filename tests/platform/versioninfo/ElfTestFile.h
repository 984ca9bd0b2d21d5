#pragma once
// Crafts small ELF files for the version block tests: a header, the given
// sections, a section name table and the section header table. Fields can
// be overridden to make the file lie about itself.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/versioninfo/VersionBlock.h"
#include "platform/versioninfo/VersionBlockWriter.h"

namespace marnova::test {

struct TTestSection {
  TTestSection(std::string name, std::vector<std::uint8_t> bytes, std::uint32_t type = 1)
      : Name(std::move(name)), Bytes(std::move(bytes)), Type(type) {}
  TTestSection& Size(std::uint64_t v) { return SizeOverride = v, *this; }
  TTestSection& Offset(std::uint64_t v) { return OffsetOverride = v, *this; }
  TTestSection& NameAt(std::uint32_t v) { return NameOverride = v, *this; }

  std::string Name;
  std::vector<std::uint8_t> Bytes;
  std::uint32_t Type;  // 1 PROGBITS, 8 NOBITS
  std::optional<std::uint64_t> SizeOverride;
  std::optional<std::uint64_t> OffsetOverride;
  std::optional<std::uint32_t> NameOverride;
};

struct TElfShape {
  TElfShape(bool is64 = true, bool msb = false) : Is64(is64), Msb(msb) {}
  TElfShape& ShOff(std::uint64_t v) { return ShOffOverride = v, *this; }
  TElfShape& ShNum(std::uint16_t v) { return ShNumOverride = v, *this; }
  TElfShape& ShStrNdx(std::uint16_t v) { return ShStrNdxOverride = v, *this; }

  bool Is64;
  bool Msb;
  std::optional<std::uint64_t> ShOffOverride;
  std::optional<std::uint16_t> ShNumOverride;
  std::optional<std::uint16_t> ShStrNdxOverride;
};

class TElfBuilder {
 public:
  explicit TElfBuilder(bool msb) : FMsb(msb) {}
  void Put(std::uint64_t v, int width) {
    for (int i = 0; i < width; ++i) {
      const int shift = 8 * (FMsb ? width - 1 - i : i);
      FOut.push_back(static_cast<std::uint8_t>((v >> shift) & 0xFF));
    }
  }
  void PutBytes(const std::vector<std::uint8_t>& b) { FOut.insert(FOut.end(), b.begin(), b.end()); }
  void Align(std::size_t n) {
    while (FOut.size() % n) FOut.push_back(0);
  }
  std::size_t Size() const { return FOut.size(); }
  std::vector<std::uint8_t>& Out() { return FOut; }

 private:
  bool FMsb;
  std::vector<std::uint8_t> FOut;
};

inline std::vector<std::uint8_t> MakeElf(const std::vector<TTestSection>& sections,
                                         const TElfShape& shape = {}) {
  TElfBuilder b(shape.Msb);
  const int word = shape.Is64 ? 8 : 4;
  const std::size_t headerSize = shape.Is64 ? 64 : 52;
  b.Out().resize(headerSize);

  std::vector<std::uint8_t> names{0};
  std::vector<std::uint64_t> nameAt, offsets;
  for (const auto& s : sections) {
    nameAt.push_back(names.size());
    names.insert(names.end(), s.Name.begin(), s.Name.end());
    names.push_back(0);
    b.Align(4);
    offsets.push_back(b.Size());
    b.PutBytes(s.Bytes);
  }
  const std::uint64_t strtabName = names.size();
  const std::string strtab = ".shstrtab";
  names.insert(names.end(), strtab.begin(), strtab.end());
  names.push_back(0);
  const std::uint64_t strtabOffset = b.Size();
  b.PutBytes(names);
  b.Align(8);
  const std::uint64_t shoff = b.Size();

  auto header = [&](std::uint64_t name, std::uint32_t type, std::uint64_t offset,
                    std::uint64_t size) {
    b.Put(name, 4);
    b.Put(type, 4);
    b.Put(0, word);  // flags
    b.Put(0, word);  // address
    b.Put(offset, word);
    b.Put(size, word);
    b.Put(0, 4);     // link
    b.Put(0, 4);     // info
    b.Put(1, word);  // alignment
    b.Put(0, word);  // entry size
  };
  header(0, 0, 0, 0);
  for (std::size_t i = 0; i < sections.size(); ++i) {
    const auto& s = sections[i];
    header(s.NameOverride.value_or(nameAt[i]), s.Type, s.OffsetOverride.value_or(offsets[i]),
           s.SizeOverride.value_or(s.Bytes.size()));
  }
  header(strtabName, 3, strtabOffset, names.size());

  // The file header, written last now that every place is known.
  TElfBuilder h(shape.Msb);
  for (int c : {0x7F, 0x45, 0x4C, 0x46}) h.Put(static_cast<std::uint64_t>(c), 1);  // "\x7FELF"
  h.Put(shape.Is64 ? 2 : 1, 1);
  h.Put(shape.Msb ? 2 : 1, 1);
  h.Put(1, 1);  // ELF version
  while (h.Size() < 16) h.Put(0, 1);
  h.Put(2, 2);                    // executable
  h.Put(shape.Is64 ? 62 : 3, 2);  // machine
  h.Put(1, 4);                    // version
  h.Put(0, word);                 // entry
  h.Put(0, word);                 // program headers
  h.Put(shape.ShOffOverride.value_or(shoff), word);
  h.Put(0, 4);  // flags
  h.Put(headerSize, 2);
  h.Put(shape.Is64 ? 56 : 32, 2);  // program header entry size
  h.Put(0, 2);
  h.Put(shape.Is64 ? 64 : 40, 2);  // section header entry size
  h.Put(shape.ShNumOverride.value_or(static_cast<std::uint16_t>(sections.size() + 2)), 2);
  h.Put(shape.ShStrNdxOverride.value_or(static_cast<std::uint16_t>(sections.size() + 1)), 2);
  std::copy(h.Out().begin(), h.Out().end(), b.Out().begin());
  return b.Out();
}

// An ELF file carrying `block` as its version section, between two others.
inline std::vector<std::uint8_t> MakeElfWithBlock(const std::vector<std::uint8_t>& block,
                                                  const TElfShape& shape = {}) {
  return MakeElf({{".text", {0x90, 0x90, 0xC3}},
                  {std::string(kVersionSectionName), block},
                  {".data", {1, 2, 3, 4}}},
                 shape);
}

// A block shaped like the program's own, with version 1.2.0.43.
inline TVersionBlockContent ProgramLikeContent() {
  TVersionBlockContent c;
  c.FileVersion = {1, 2, 0, 43};
  c.ProductVersion = {1, 2, 0, 43};
  c.Translation = std::pair<std::uint16_t, std::uint16_t>{0x0410, 0x04E4};
  c.StringTableKey = "041004E4";
  c.Strings = {{"Comments", "Free to use!"},
               {"CompanyName", "Quorvel"},
               {"FileVersion", "1.2.0.43"},
               {"ProductVersion", "1.2"}};
  return c;
}

// Offset of the UTF-16LE text `key` inside `block` (block.size() when absent).
inline std::size_t FindKey(const std::vector<std::uint8_t>& block, std::u16string_view key) {
  std::vector<std::uint8_t> pattern;
  for (char16_t c : key) {
    pattern.push_back(static_cast<std::uint8_t>(c & 0xFF));
    pattern.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  return static_cast<std::size_t>(
      std::search(block.begin(), block.end(), pattern.begin(), pattern.end()) - block.begin());
}

inline void WriteBytes(const QString& path, const std::vector<std::uint8_t>& bytes) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) throw std::runtime_error("cannot write");
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

// Writes files into a temporary folder that lives as long as this, each
// under a name of its own; returns the path.
class TTestFiles {
 public:
  std::string Write(const std::vector<std::uint8_t>& bytes) {
    const QString path = FDir.filePath(QStringLiteral("f%1").arg(FCount++));
    WriteBytes(path, bytes);
    return path.toStdString();
  }

 protected:
  QTemporaryDir FDir;

 private:
  int FCount = 0;
};

}  // namespace marnova::test
