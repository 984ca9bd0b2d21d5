#include "platform/versioninfo/VersionBlock.h"

namespace marnova {
namespace {

constexpr std::size_t kHeaderBytes = 6;

std::size_t Align4(std::size_t at) {
  return (at + 3) & ~std::size_t{3};
}

std::uint16_t U16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

struct TNode {
  std::size_t Begin = 0;
  std::size_t End = 0;       // one past the node's last byte
  std::size_t KeyBegin = 0;  // first UTF-16 unit of the key
  std::size_t KeyUnits = 0;  // without terminator
  TVersionValue Value;
  std::size_t ChildrenBegin = 0;
};

// Parses the node at `begin`, which must lie inside [begin, limit).
std::optional<TNode> ParseNode(std::span<const std::uint8_t> b, std::size_t begin,
                               std::size_t limit) {
  if (limit > b.size() || begin > limit || limit - begin < kHeaderBytes) return std::nullopt;
  const std::size_t length = U16(b, begin);
  if (length < kHeaderBytes || length > limit - begin) return std::nullopt;
  TNode n;
  n.Begin = begin;
  n.End = begin + length;
  const std::size_t valueLength = U16(b, begin + 2);
  const std::uint16_t type = U16(b, begin + 4);
  if (type > 1) return std::nullopt;
  n.Value.Text = type == 1;

  n.KeyBegin = begin + kHeaderBytes;
  std::size_t at = n.KeyBegin;
  for (;; at += 2) {
    if (at + 2 > n.End) return std::nullopt;  // key without terminator
    if (U16(b, at) == 0) break;
  }
  n.KeyUnits = (at - n.KeyBegin) / 2;
  const std::size_t valueBegin = Align4(at + 2);

  std::size_t valueBytes = n.Value.Text ? valueLength * 2 : valueLength;
  if (valueBytes == 0) {
    n.ChildrenBegin = valueBegin;
    return n;
  }
  if (valueBegin > n.End) return std::nullopt;
  if (valueBytes > n.End - valueBegin) {
    // Resource compilers disagree whether text lengths count units or
    // bytes; a text that runs past its node is cut at the node's end.
    if (!n.Value.Text) return std::nullopt;
    valueBytes = n.End - valueBegin;
  }
  n.Value.Bytes = b.subspan(valueBegin, valueBytes);
  n.ChildrenBegin = Align4(valueBegin + valueBytes);
  return n;
}

bool KeyIs(std::span<const std::uint8_t> b, const TNode& n, std::string_view want) {
  if (n.KeyUnits != want.size()) return false;
  auto fold = [](unsigned c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; };
  for (std::size_t i = 0; i < want.size(); ++i) {
    const unsigned unit = U16(b, n.KeyBegin + 2 * i);
    if (fold(unit) != fold(static_cast<unsigned char>(want[i]))) return false;
  }
  return true;
}

std::optional<TNode> FindChild(std::span<const std::uint8_t> b, const TNode& parent,
                               std::string_view key) {
  std::size_t at = parent.ChildrenBegin;
  while (at < parent.End) {
    const auto child = ParseNode(b, at, parent.End);
    if (!child) return std::nullopt;
    if (KeyIs(b, *child, key)) return child;
    at = Align4(child->End);  // at least 6 bytes on, so the walk ends
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::size_t> VersionRootLength(std::span<const std::uint8_t> block) {
  if (block.size() < kHeaderBytes) return std::nullopt;
  const std::size_t length = U16(block, 0);
  if (length < kHeaderBytes || length > block.size()) return std::nullopt;
  return length;
}

std::optional<TVersionValue> QueryVersionValue(std::span<const std::uint8_t> block,
                                               std::string_view path) {
  auto node = ParseNode(block, 0, block.size());
  if (!node || !KeyIs(block, *node, kVersionRootKey)) return std::nullopt;
  std::size_t at = path.find_first_not_of('\\');
  if (at == std::string_view::npos) return node->Value;  // "\" names the root
  const std::size_t last = path.find_last_not_of('\\');
  path = path.substr(0, last + 1);
  for (;;) {
    std::size_t end = path.find('\\', at);
    if (end == std::string_view::npos) end = path.size();
    if (end == at) return std::nullopt;  // an empty key names nothing
    node = FindChild(block, *node, path.substr(at, end - at));
    if (!node) return std::nullopt;
    if (end == path.size()) break;
    at = end + 1;
  }
  return node->Value;
}

}  // namespace marnova
