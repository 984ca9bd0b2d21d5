#include "platform/versioninfo/VersionBlockWriter.h"

#include <QString>
#include <stdexcept>

#include "platform/versioninfo/VersionBlock.h"

namespace marnova {
namespace {

using TBytes = std::vector<std::uint8_t>;

void Put16(TBytes& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void Put32(TBytes& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

void Pad4(TBytes& out) {
  while (out.size() % 4 != 0) out.push_back(0);
}

void PutText(TBytes& out, const std::string& utf8) {
  for (char16_t unit : QString::fromUtf8(utf8).toStdU16String()) Put16(out, unit);
  Put16(out, 0);
}

std::uint16_t Checked16(std::size_t v) {
  if (v > 0xFFFF) throw std::length_error("version block node too large");
  return static_cast<std::uint16_t>(v);
}

// One node: header, key, value, then the already built children.
TBytes Node(const std::string& key, bool text, const TBytes& value, std::size_t valueLength,
            const std::vector<TBytes>& children) {
  TBytes out;
  Put16(out, 0);  // length, filled in below
  Put16(out, Checked16(valueLength));
  Put16(out, text ? 1 : 0);
  PutText(out, key);
  Pad4(out);
  out.insert(out.end(), value.begin(), value.end());
  for (const TBytes& child : children) {
    Pad4(out);
    out.insert(out.end(), child.begin(), child.end());
  }
  const std::uint16_t length = Checked16(out.size());
  out[0] = static_cast<std::uint8_t>(length & 0xFF);
  out[1] = static_cast<std::uint8_t>(length >> 8);
  return out;
}

std::uint32_t High(const std::array<std::uint16_t, 4>& v) {
  return (std::uint32_t{v[0]} << 16) | v[1];
}
std::uint32_t Low(const std::array<std::uint16_t, 4>& v) {
  return (std::uint32_t{v[2]} << 16) | v[3];
}

TBytes FixedInfo(const TVersionBlockContent& c) {
  TBytes out;
  Put32(out, kFixedFileInfoSignature);
  Put32(out, 0x00010000);  // structure version 1.0
  Put32(out, High(c.FileVersion));
  Put32(out, Low(c.FileVersion));
  Put32(out, High(c.ProductVersion));
  Put32(out, Low(c.ProductVersion));
  Put32(out, c.FileFlagsMask);
  Put32(out, c.FileFlags);
  Put32(out, c.FileOS);
  Put32(out, c.FileType);
  Put32(out, c.FileSubtype);
  Put32(out, 0);  // file date, unused
  Put32(out, 0);
  return out;
}

}  // namespace

std::vector<std::uint8_t> BuildVersionBlock(const TVersionBlockContent& c) {
  std::vector<TBytes> sections;
  if (!c.Strings.empty()) {
    std::vector<TBytes> entries;
    for (const auto& [key, value] : c.Strings) {
      TBytes text;
      PutText(text, value);
      entries.push_back(Node(key, true, text, text.size() / 2, {}));
    }
    sections.push_back(
        Node("StringFileInfo", true, {}, 0, {Node(c.StringTableKey, true, {}, 0, entries)}));
  }
  if (c.Translation) {
    TBytes pair;
    Put16(pair, c.Translation->first);
    Put16(pair, c.Translation->second);
    sections.push_back(
        Node("VarFileInfo", true, {}, 0, {Node("Translation", false, pair, pair.size(), {})}));
  }
  const TBytes fixed = FixedInfo(c);
  return Node(std::string(kVersionRootKey), false, fixed, fixed.size(), sections);
}

}  // namespace marnova
