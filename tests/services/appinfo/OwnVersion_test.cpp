// This executable is given the project's version block exactly as the
// program is, so what it reads back is what the program will read.
#include <gtest/gtest.h>

#include <QFileInfo>

#include "services/AppInfo.h"
#include "services/TVersionInfo.h"

namespace marnova {
namespace {

TEST(OwnVersion, StartUpFillReadsTheBlockBackFromTheFile) {
  EXPECT_TRUE(AppVersion.isEmpty()) << "values are empty before the fill";
  EXPECT_EQ(AppVersionMS, 0);

  InitAppInfo();
  EXPECT_EQ(AppVersion, QStringLiteral("1.2.0.43"));
  EXPECT_EQ(AppVersionMS, 65538);
  EXPECT_EQ(AppVersionLS, 43);

  const QFileInfo self(RunningProgramPath());
  EXPECT_EQ(AppDir, self.absolutePath());
  EXPECT_EQ(AppExeName, self.fileName());
  EXPECT_GT(AppFileDate, 0.0);

  // Idempotent: a second call changes nothing.
  const QString version = AppVersion;
  const double date = AppFileDate;
  InitAppInfo();
  EXPECT_EQ(AppVersion, version);
  EXPECT_EQ(AppFileDate, date);
}

TEST(OwnVersion, BlockCarriesTheDescribedEntries) {
  const TVersionInfo reader(RunningProgramPath());
  ASSERT_TRUE(reader.HasBlock());
  EXPECT_EQ(reader.LanguageKey(), QStringLiteral("041004E4"));
  EXPECT_EQ(reader.QueryString(QStringLiteral("FileVersion")), QStringLiteral("1.2.0.43"));
  EXPECT_EQ(reader.QueryString(QStringLiteral("ProductVersion")), QStringLiteral("1.2"));
  EXPECT_EQ(reader.QueryString(QStringLiteral("Comments")), QStringLiteral("Free to use!"));
  EXPECT_EQ(reader.QueryString(QStringLiteral("CompanyName")), QStringLiteral("Quorvel"));
  EXPECT_EQ(reader.QueryString(QStringLiteral("ProductName")), QStringLiteral("Marnova"));
  for (const char* key :
       {"FileDescription", "InternalName", "LegalCopyright", "LegalTrademarks", "OriginalFilename"})
    EXPECT_FALSE(reader.QueryString(QString::fromLatin1(key)).isEmpty()) << key;

  const auto fixed = reader.QueryFixedInfo();
  ASSERT_TRUE(fixed);
  EXPECT_EQ(fixed->ProductVersionMS, 65538u);
  EXPECT_EQ(fixed->ProductVersionLS, 43u);
  EXPECT_EQ(fixed->FileFlagsMask, 0x3Fu);
  EXPECT_EQ(fixed->FileFlags, 0u);
  EXPECT_EQ(fixed->FileOS, 4u);
  EXPECT_EQ(fixed->FileType, 1u);
}

}  // namespace
}  // namespace marnova
