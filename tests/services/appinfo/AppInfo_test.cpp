#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include "platform/versioninfo/ElfTestFile.h"
#include "platform/versioninfo/VersionBlockWriter.h"
#include "services/AppInfo.h"

namespace marnova {
namespace {

TEST(AppInfoPaths, FolderAndNameOfAProgramPath) {
  const struct {
    const char *Path, *Dir, *Name;
  } cases[] = {
      {"/usr/bin/marnova", "/usr/bin", "marnova"},
      {"C:\\Tools\\x.exe", "C:\\Tools", "x.exe"},
      {"C:\\x.exe", "C:\\", "x.exe"},
      {"/marnova", "/", "marnova"},
      {"C:x.exe", "C:", "x.exe"},
      {"\\\\server\\share\\x.exe", "\\\\server\\share", "x.exe"},
      {"/opt/marnova/", "/opt/marnova", ""},
      {"marnova", "", "marnova"},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExtractAppDir(QString::fromUtf8(c.Path)), QString::fromUtf8(c.Dir)) << c.Path;
    EXPECT_EQ(ExtractAppExeName(QString::fromUtf8(c.Path)), QString::fromUtf8(c.Name)) << c.Path;
  }
}

class AppInfoFile : public ::testing::Test {
 protected:
  QString MakeFile(const std::vector<std::uint8_t>& bytes, const QDateTime& modified) {
    const QString path = FDir.filePath(QStringLiteral("marnova"));
    test::WriteBytes(path, bytes);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadWrite));
    EXPECT_TRUE(f.setFileTime(modified, QFileDevice::FileModificationTime));
    return path;
  }
  QTemporaryDir FDir;
};

TEST_F(AppInfoFile, FileDateIsLocalTimeInDaysAtTwoSecondSteps) {
  const struct {
    QDateTime Modified;
    double Expected;
  } cases[] = {
      // 7 March 2004 is day 38053; 14:05:09 falls to 14:05:08.
      {QDateTime(QDate(2004, 3, 7), QTime(14, 5, 9)), 38053 + 50708 / 86400.0},
      {QDateTime(QDate(2004, 3, 7), QTime(0, 0, 0)), 38053.0},
      {QDateTime(QDate(1980, 1, 1), QTime(0, 0, 0)), 29221.0},
      {QDateTime(QDate(1979, 12, 31), QTime(23, 0, 0)), 0.0},  // before packed dates begin
  };
  for (const auto& c : cases) {
    const QString path = MakeFile({1, 2, 3}, c.Modified);
    EXPECT_DOUBLE_EQ(AppFileDateOf(path), c.Expected)
        << c.Modified.toString(Qt::ISODate).toStdString();
  }
  EXPECT_EQ(AppFileDateOf(FDir.filePath(QStringLiteral("absent"))), 0.0);
}

TEST_F(AppInfoFile, ReadAppInfoGathersEverything) {
  auto content = test::ProgramLikeContent();
  content.FileVersion = {2, 10, 3, 7};
  content.Strings = {{"FileVersion", ""}};
  const QString path = MakeFile(test::MakeElfWithBlock(BuildVersionBlock(content)),
                                QDateTime(QDate(2004, 3, 7), QTime(12, 0, 0)));
  const TAppInfo info = ReadAppInfo(path);
  EXPECT_EQ(info.Dir, FDir.path());
  EXPECT_EQ(info.ExeName, QStringLiteral("marnova"));
  EXPECT_DOUBLE_EQ(info.FileDate, 38053.5);
  EXPECT_EQ(info.Version, QStringLiteral("2.10.3.7"));
  EXPECT_EQ(info.VersionMS, 131082);
  EXPECT_EQ(info.VersionLS, 196615);
}

}  // namespace
}  // namespace marnova
