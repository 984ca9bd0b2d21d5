#include <gtest/gtest.h>

#include "platform/versioninfo/ElfTestFile.h"
#include "platform/versioninfo/VersionBlockWriter.h"
#include "platform/versioninfo/VersionInfo.h"

namespace marnova {
namespace {

using TBytes = std::vector<std::uint8_t>;

class VersionInfoTest : public ::testing::Test, public test::TTestFiles {};

TEST_F(VersionInfoTest, SizeReadAndQueryOnAFileThatCarriesABlock) {
  const TBytes block = BuildVersionBlock(test::ProgramLikeContent());
  for (const bool msb : {false, true}) {
    const auto path = Write(test::MakeElfWithBlock(block, test::TElfShape(!msb, msb)));
    std::uint32_t handle = 77;
    const std::uint32_t size = GetFileVersionInfoSize(path, &handle);
    ASSERT_EQ(size, block.size());
    EXPECT_EQ(handle, 0u);
    TBytes read(size);
    ASSERT_TRUE(GetFileVersionInfo(path, handle, size, read.data()));
    EXPECT_EQ(read, block);
    EXPECT_TRUE(VerQueryValue(read, "\\StringFileInfo\\041004E4\\FileVersion"));
  }
}

TEST_F(VersionInfoTest, FilesWithoutABlockHaveSizeZero) {
  const std::vector<std::pair<const char*, TBytes>> files = {
      {"ELF without the section", test::MakeElf({{".text", {1, 2, 3}}})},
      {"ELF with an empty section", test::MakeElfWithBlock({})},
      {"not ELF", {'h', 'e', 'l', 'l', 'o'}},
      {"empty", {}},
  };
  for (const auto& [what, bytes] : files) {
    const auto path = Write(bytes);
    EXPECT_EQ(GetFileVersionInfoSize(path), 0u) << what;
    std::uint8_t buffer[16];
    EXPECT_FALSE(GetFileVersionInfo(path, 0, sizeof buffer, buffer)) << what;
  }
  EXPECT_EQ(GetFileVersionInfoSize(FDir.filePath("absent").toStdString()), 0u);
}

TEST_F(VersionInfoTest, PaddingAfterTheBlockIsNotPartOfIt) {
  TBytes padded = BuildVersionBlock(test::ProgramLikeContent());
  const std::size_t blockSize = padded.size();
  padded.resize(blockSize + 64, 0);
  EXPECT_EQ(GetFileVersionInfoSize(Write(test::MakeElfWithBlock(padded))), blockSize);
}

}  // namespace
}  // namespace marnova
