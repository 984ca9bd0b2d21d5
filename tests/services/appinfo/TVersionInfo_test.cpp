#include <gtest/gtest.h>

#include "platform/versioninfo/ElfTestFile.h"
#include "platform/versioninfo/VersionBlockWriter.h"
#include "services/TVersionInfo.h"

namespace marnova {
namespace {

using TBytes = std::vector<std::uint8_t>;

std::int32_t Packed(std::uint16_t high, std::uint16_t low) {
  return static_cast<std::int32_t>((std::uint32_t{high} << 16) | low);
}

TVersionPair Pair(std::int32_t ms, std::int32_t ls) {
  return {ms, ls};
}

TVersionBlockContent WithFileVersion(std::array<std::uint16_t, 4> fixed, const char* text) {
  auto c = test::ProgramLikeContent();
  c.FileVersion = fixed;
  for (auto& [key, value] : c.Strings)
    if (key == "FileVersion") value = text;
  return c;
}

// The block with the byte `at` bytes after the start of `key` replaced.
TBytes Spoiled(TBytes block, std::u16string_view key, std::size_t at, std::uint8_t value) {
  block.at(test::FindKey(block, key) + at) = value;
  return block;
}

// The fixed information follows the root key (16 units with terminator)
// after padding to 4 bytes: 6 + 32 = 38, padded to 40, i.e. 34 from the key.
constexpr std::size_t kSignatureFromKey = 34;

struct TFileCase {
  const char* What;
  TBytes File;  // the whole file
  bool HasBlock;
  const char *Key, *Text;
  TVersionPair Pair;
};

class TVersionInfoFiles : public ::testing::Test, public test::TTestFiles {};

TEST_F(TVersionInfoFiles, VersionTextAndPairFromCraftedFiles) {
  auto elf = [](TVersionBlockContent c) { return test::MakeElfWithBlock(BuildVersionBlock(c)); };
  auto noTranslation = test::ProgramLikeContent();
  noTranslation.Translation.reset();
  auto otherTable = test::ProgramLikeContent();
  otherTable.StringTableKey = "040904B0";
  auto noStrings = WithFileVersion({3, 4, 5, 6}, "");
  noStrings.Strings.clear();
  const TBytes good = BuildVersionBlock(test::ProgramLikeContent());

  auto spoiled = [](TBytes block, std::u16string_view key, std::size_t at, std::uint8_t value) {
    return test::MakeElfWithBlock(Spoiled(block, key, at, value));
  };
  const TBytes noFileVersion = BuildVersionBlock(WithFileVersion({5, 0, 0, 1}, ""));
  const TBytes halfBlock(good.begin(), good.begin() + 200);
  const char* it = "041004E4";  // the program's language and code page
  const TVersionPair none = Pair(0, 0), program = Pair(65538, 43);
  const std::vector<TFileCase> cases = {
      {"the program's shape", elf(test::ProgramLikeContent()), true, it, "1.2.0.43", program},
      {"empty FileVersion falls back to the fixed version", elf(WithFileVersion({2, 10, 3, 7}, "")),
       true, it, "2.10.3.7", Pair(131082, 196615)},
      {"FileVersion text wins over the fixed version",
       elf(WithFileVersion({2, 10, 3, 7}, "2.10 beta")), true, it, "2.10 beta",
       Pair(131082, 196615)},
      {"components above 32767 stay unsigned", elf(WithFileVersion({40000, 1, 65535, 40000}, "")),
       true, it, "40000.1.65535.40000", Pair(Packed(40000, 1), Packed(65535, 40000))},
      {"missing translation falls back to the fixed version", elf(noTranslation), true, "",
       "1.2.0.43", program},
      {"string table under another key", elf(otherTable), true, it, "1.2.0.43", program},
      {"no string table at all", elf(noStrings), true, it, "3.4.5.6",
       Pair(Packed(3, 4), Packed(5, 6))},
      {"no version section", test::MakeElf({{".text", {1, 2, 3}}}), false, "", "", none},
      {"not an executable", TBytes{'t', 'e', 'x', 't'}, false, "", "", none},
      {"block cut in half", test::MakeElfWithBlock(halfBlock), true, "", "", none},
      {"fixed information without its signature",
       spoiled(good, u"VS_VERSION_INFO", kSignatureFromKey, 0), true, it, "1.2.0.43", none},
      {"bad signature and no FileVersion text",
       spoiled(noFileVersion, u"VS_VERSION_INFO", kSignatureFromKey, 0), true, it, "", none},
      {"root node claims more than the section holds", spoiled(good, u"", 1, 0xFF), true, "", "",
       none},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    const TVersionInfo reader(QString::fromStdString(Write(c.File)));
    EXPECT_EQ(reader.HasBlock(), c.HasBlock);
    EXPECT_EQ(reader.LanguageKey(), QString::fromUtf8(c.Key));
    EXPECT_EQ(reader.VersionText(), QString::fromUtf8(c.Text));
    EXPECT_EQ(reader.VersionPair(), c.Pair);
  }
}

TEST(FormatVersion, FourUnsignedSixteenBitParts) {
  const struct {
    TVersionPair Pair;
    const char* Text;
  } cases[] = {
      {{65538, 43}, "1.2.0.43"},
      {{0, 0}, "0.0.0.0"},
      {{131082, 196615}, "2.10.3.7"},
      {{-1, -1}, "65535.65535.65535.65535"},
      {{Packed(40000, 0), Packed(0, 40000)}, "40000.0.0.40000"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatVersion(c.Pair), QString::fromLatin1(c.Text));
}

}  // namespace
}  // namespace marnova
