#include <gtest/gtest.h>

#include "platform/versioninfo/ElfSection.h"
#include "platform/versioninfo/ElfTestFile.h"

namespace marnova {
namespace {

using test::MakeElf;
using test::TElfShape;
using test::TTestSection;

class ElfSectionTest : public ::testing::Test, public test::TTestFiles {};

const std::vector<std::uint8_t> kPayload{'v', 'e', 'r', 's', 'i', 'o', 'n', 0, 1, 2};

TTestSection Wanted() {
  return TTestSection(".wanted", kPayload);
}

TEST_F(ElfSectionTest, FindsTheSectionInEveryClassAndByteOrder) {
  for (const bool is64 : {false, true}) {
    for (const bool msb : {false, true}) {
      SCOPED_TRACE(testing::Message() << "64-bit " << is64 << ", big-endian " << msb);
      const auto path = Write(MakeElf(
          {{".text", {1, 2, 3}}, {".wanted", kPayload}, {".wanted2", {9}}}, TElfShape(is64, msb)));
      EXPECT_EQ(ReadElfSection(path, ".wanted", 1000), kPayload);
      EXPECT_EQ(ReadElfSection(path, ".wanted2", 1000), std::vector<std::uint8_t>{9});
      EXPECT_FALSE(ReadElfSection(path, ".want", 1000)) << "a prefix of a name is not the name";
      EXPECT_FALSE(ReadElfSection(path, ".missing", 1000));
    }
  }
}

TEST_F(ElfSectionTest, FilesThatAreNotElfHaveNoSections) {
  const std::vector<std::vector<std::uint8_t>> files = {
      {},
      {0x7F, 'E', 'L'},
      {'#', '!', '/', 'b', 'i', 'n', '/', 's', 'h', '\n'},
      std::vector<std::uint8_t>(64, 0),
  };
  for (const auto& bytes : files) EXPECT_FALSE(FindElfSection(Write(bytes), ".wanted"));
  EXPECT_FALSE(FindElfSection(FDir.filePath("absent").toStdString(), ".wanted"));
  EXPECT_FALSE(FindElfSection(FDir.path().toStdString(), ".wanted")) << "a folder";
}

TEST_F(ElfSectionTest, HeadersThatLieGiveNothing) {
  struct TCase {
    const char* What;
    std::vector<TTestSection> Sections;
    TElfShape Shape;
  };
  const std::uint64_t huge = 0xFFFFFFFFFFFFFF00ull;
  const std::vector<TCase> cases = {
      {"contents past the end", {Wanted().Size(1u << 20)}, {}},
      {"offset past the end", {Wanted().Offset(1u << 20)}, {}},
      {"offset + size overflows", {Wanted().Offset(16).Size(huge)}, {}},
      {"name outside the name table", {Wanted().NameAt(5000)}, {}},
      {"no contents in the file", {TTestSection(".wanted", kPayload, 8)}, {}},
      {"header table past the end", {Wanted()}, TElfShape().ShOff(1u << 20)},
      {"header table at an overflowing place", {Wanted()}, TElfShape().ShOff(huge)},
      {"more headers than the file holds", {Wanted()}, TElfShape().ShNum(0xFF00)},
      {"name table index out of range", {Wanted()}, TElfShape().ShStrNdx(40)},
      {"name table is not the name table", {Wanted()}, TElfShape().ShStrNdx(0)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    EXPECT_FALSE(ReadElfSection(Write(MakeElf(c.Sections, c.Shape)), ".wanted", 1000));
  }
}

TEST_F(ElfSectionTest, EveryCutOfAFileIsSafe) {
  const auto whole = MakeElf({{".text", {1, 2, 3}}, {".wanted", kPayload}});
  for (std::size_t n = 0; n < whole.size(); ++n) {
    const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + n);
    EXPECT_FALSE(ReadElfSection(Write(cut), ".wanted", 1000)) << "cut at " << n;
  }
}

}  // namespace
}  // namespace marnova
