#include "services/AppInfo.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <mutex>
#include <system_error>

#include "services/TVersionInfo.h"

namespace marnova {
namespace {

TAppInfo gInfo;

// The day a date-time of 0.0 stands for.
const QDate kEpoch(1899, 12, 30);

qsizetype LastSeparator(const QString& path) {
  for (qsizetype i = path.size() - 1; i >= 0; --i) {
    const QChar c = path[i];
    if (c == u'/' || c == u'\\' || c == u':') return i;
  }
  return -1;
}

bool IsSeparator(QChar c) {
  return c == u'/' || c == u'\\' || c == u':';
}

}  // namespace

const QString& AppDir = gInfo.Dir;
const QString& AppExeName = gInfo.ExeName;
const double& AppFileDate = gInfo.FileDate;
const QString& AppVersion = gInfo.Version;
const std::int32_t& AppVersionMS = gInfo.VersionMS;
const std::int32_t& AppVersionLS = gInfo.VersionLS;

QString ExtractAppDir(const QString& path) {
  qsizetype end = LastSeparator(path);
  if (end < 0) return {};
  // A drive delimiter stays; a folder separator goes unless it is part of
  // a root such as "C:\", "/" or "\\".
  if (end > 0 && path[end] != u':' && !IsSeparator(path[end - 1])) return path.left(end);
  return path.left(end + 1);
}

QString ExtractAppExeName(const QString& path) {
  return path.mid(LastSeparator(path) + 1);
}

double AppFileDateOf(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) return 0.0;
  const QDateTime when = info.lastModified().toLocalTime();
  if (!when.isValid()) return 0.0;
  const QDate date = when.date();
  const QTime time = when.time();
  // A packed file date holds the years 1980 to 2107 and even seconds.
  if (date.year() < 1980 || date.year() > 2107) return 0.0;
  const int seconds = time.hour() * 3600 + time.minute() * 60 + time.second() / 2 * 2;
  return static_cast<double>(kEpoch.daysTo(date)) + seconds / 86400.0;
}

QString RunningProgramPath() {
  std::error_code error;
  const auto target = std::filesystem::read_symlink("/proc/self/exe", error);
  // Without /proc there is nothing reliable to go on; the values stay
  // empty, which every reader copes with.
  if (error) return {};
  return QFile::decodeName(QByteArray::fromStdString(target.string()));
}

TAppInfo ReadAppInfo(const QString& path) {
  TAppInfo info;
  info.Dir = ExtractAppDir(path);
  info.ExeName = ExtractAppExeName(path);
  info.FileDate = AppFileDateOf(path);
  const TVersionInfo reader(path);
  info.Version = reader.VersionText();
  const TVersionPair pair = reader.VersionPair();
  info.VersionMS = pair.MS;
  info.VersionLS = pair.LS;
  return info;
}

void InitAppInfo() {
  static std::once_flag once;
  std::call_once(once, [] { gInfo = ReadAppInfo(RunningProgramPath()); });
}

}  // namespace marnova
