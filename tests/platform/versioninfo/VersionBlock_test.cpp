#include <gtest/gtest.h>

#include <QString>

#include "platform/versioninfo/ElfTestFile.h"
#include "platform/versioninfo/VersionBlock.h"
#include "platform/versioninfo/VersionBlockWriter.h"

namespace marnova {
namespace {

using TBytes = std::vector<std::uint8_t>;

std::u16string Text(const TVersionValue& v) {
  std::u16string out;
  for (std::size_t i = 0; i + 1 < v.Bytes.size(); i += 2) {
    const char16_t c = static_cast<char16_t>(v.Bytes[i] | (v.Bytes[i + 1] << 8));
    if (c == 0) break;
    out.push_back(c);
  }
  return out;
}

void Set16(TBytes& b, std::size_t at, std::uint16_t v) {
  b[at] = static_cast<std::uint8_t>(v & 0xFF);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

TEST(VersionBlock, AnswersThePathsTheReaderAsks) {
  auto content = test::ProgramLikeContent();
  content.Strings.push_back({"LegalCopyright", "Copyright © Quorvel"});
  const TBytes block = BuildVersionBlock(content);

  const auto fixed = QueryVersionValue(block, "\\");
  ASSERT_TRUE(fixed);
  EXPECT_FALSE(fixed->Text);
  ASSERT_EQ(fixed->Bytes.size(), kFixedFileInfoSize);
  EXPECT_EQ(fixed->Bytes[0], 0xBD);  // signature, little-endian
  EXPECT_EQ(fixed->Bytes[3], 0xFE);

  const auto translation = QueryVersionValue(block, "\\VarFileInfo\\Translation");
  ASSERT_TRUE(translation);
  EXPECT_EQ(TBytes(translation->Bytes.begin(), translation->Bytes.end()),
            (TBytes{0x10, 0x04, 0xE4, 0x04}));

  const struct {
    const char* Path;
    std::u16string Value;
  } strings[] = {
      {"\\StringFileInfo\\041004E4\\FileVersion", u"1.2.0.43"},
      {"\\StringFileInfo\\041004E4\\Comments", u"Free to use!"},
      {"\\stringfileinfo\\041004e4\\fileversion", u"1.2.0.43"},
      {"StringFileInfo\\041004E4\\ProductVersion\\", u"1.2"},
      {"\\StringFileInfo\\041004E4\\LegalCopyright", u"Copyright © Quorvel"},
  };
  for (const auto& s : strings) {
    const auto v = QueryVersionValue(block, s.Path);
    ASSERT_TRUE(v) << s.Path;
    EXPECT_TRUE(v->Text);
    EXPECT_EQ(Text(*v), s.Value) << s.Path;
  }

  for (const char* missing :
       {"\\StringFileInfo\\\\FileVersion", "\\StringFileInfo\\041004E4\\Nothing",
        "\\StringFileInfo\\040904E4\\FileVersion", "\\StringFileInfo\\041004E4\\FileVersio",
        "\\VarFileInfo\\Translation\\More", "\\Nothing"})
    EXPECT_FALSE(QueryVersionValue(block, missing)) << missing;
}

TEST(VersionBlock, EveryCutOfABlockIsRefused) {
  const TBytes whole = BuildVersionBlock(test::ProgramLikeContent());
  ASSERT_TRUE(QueryVersionValue(whole, "\\"));
  for (std::size_t n = 0; n < whole.size(); ++n) {
    // An exactly sized copy, so the sanitizer build sees any read past it.
    const TBytes cut(whole.begin(), whole.begin() + n);
    for (const char* path :
         {"\\", "\\VarFileInfo\\Translation", "\\StringFileInfo\\041004E4\\ProductVersion"})
      EXPECT_FALSE(QueryVersionValue(cut, path)) << "cut at " << n << ", " << path;
  }
}

TEST(VersionBlock, CorruptFieldsFailTheQueryInsteadOfReadingFurther) {
  const TBytes good = BuildVersionBlock(test::ProgramLikeContent());
  const std::size_t product =
      test::FindKey(good, u"ProductVersion\0001.2") - 6;  // that string's node
  const std::size_t translation = test::FindKey(good, u"Translation") - 6;
  struct TCase {
    const char* What;
    std::function<void(TBytes&)> Spoil;
    const char* Path;
  };
  const std::vector<TCase> cases = {
      {"root longer than the buffer", [](TBytes& b) { Set16(b, 0, 0xFFF0); }, "\\"},
      {"root shorter than its header", [](TBytes& b) { Set16(b, 0, 4); }, "\\"},
      {"root with another key", [](TBytes& b) { b[6] = 'X'; }, "\\"},
      {"fixed info longer than the root", [](TBytes& b) { Set16(b, 2, 0xF000); }, "\\"},
      {"unknown node type", [](TBytes& b) { Set16(b, 4, 7); }, "\\"},
      {"child longer than its parent", [&](TBytes& b) { Set16(b, translation, 0x7000); },
       "\\VarFileInfo\\Translation"},
      {"binary value past its node", [&](TBytes& b) { Set16(b, translation + 2, 200); },
       "\\VarFileInfo\\Translation"},
      {"key without terminator (the node ends inside its key)",
       [&](TBytes& b) { Set16(b, product, 12); }, "\\StringFileInfo\\041004E4\\ProductVersion"},
  };
  for (const auto& c : cases) {
    TBytes bad = good;
    c.Spoil(bad);
    EXPECT_FALSE(QueryVersionValue(bad, c.Path)) << c.What;
  }
}

TEST(VersionBlock, TextLengthsInBytesAreCutAtTheNode) {
  // Some resource compilers count a text's bytes, not its units.
  TBytes block = BuildVersionBlock(test::ProgramLikeContent());
  const std::size_t node = test::FindKey(block, u"ProductVersion\0001.2") - 6;
  Set16(block, node + 2, 8);  // "1.2" + terminator is 4 units, 8 bytes
  const auto v = QueryVersionValue(block, "\\StringFileInfo\\041004E4\\ProductVersion");
  ASSERT_TRUE(v);
  EXPECT_EQ(Text(*v), u"1.2");
}

TEST(VersionBlock, NoSpoiledByteLeadsOutOfBounds) {
  // Each byte in turn set to a few telling values; whatever the queries
  // answer, the sanitizer build checks that they stay inside the buffer.
  const TBytes good = BuildVersionBlock(test::ProgramLikeContent());
  int answered = 0;
  for (std::size_t at = 0; at < good.size(); ++at) {
    for (const std::uint8_t value : {0x00, 0x01, 0x7F, 0xFF}) {
      TBytes bad = good;
      bad[at] = value;
      for (const char* path :
           {"\\", "\\VarFileInfo\\Translation", "\\StringFileInfo\\041004E4\\FileVersion"}) {
        const auto v = QueryVersionValue(bad, path);
        if (!v) continue;
        ++answered;
        if (v->Bytes.empty()) continue;
        ASSERT_GE(v->Bytes.data(), bad.data());
        ASSERT_LE(v->Bytes.data() + v->Bytes.size(), bad.data() + bad.size());
      }
    }
  }
  EXPECT_GT(answered, 0) << "most spoiled bytes leave the queries answerable";
}

}  // namespace
}  // namespace marnova
