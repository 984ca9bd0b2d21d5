#pragma once
// What the program knows about its own file: folder, name, date and
// version. InitAppInfo() fills the values once at the very start of
// main(), before the QApplication exists; afterwards they are read-only
// for the rest of the run. Until then they are empty, 0 and 0.0.
//
//   int main(int argc, char** argv) {
//     marnova::InitAppInfo();
//     QApplication app(argc, argv);
//     ... label->setText(author + marnova::AppVersion);
//   }
#include <QString>
#include <cstdint>

namespace marnova {

// Folder of the program file, without a trailing separator unless it is a
// root ("/usr/bin", "/", "C:\Tools", "C:\").
extern const QString& AppDir;
// The program file's name with extension ("marnova", "x.exe").
extern const QString& AppExeName;
// Last modification of the program file in local time, at two-second
// resolution, as days since 30 December 1899 with the time of day as the
// fraction; 0.0 when it cannot be read or lies outside 1980..2107.
extern const double& AppFileDate;
// The version text of the program file's own version block ("1.2.0.43").
extern const QString& AppVersion;
// The packed halves of the fixed file version: (major << 16) | minor and
// (release << 16) | build; 65538 and 43 for 1.2.0.43. Both 0 when the
// file carries no version block.
extern const std::int32_t& AppVersionMS;
extern const std::int32_t& AppVersionLS;

// Fills the values above from the running program's own file on disk
// (/proc/self/exe). Runs once per process, whatever the number of calls
// and threads; later calls return at once.
void InitAppInfo();

// The pieces InitAppInfo() is made of, usable on any file.
struct TAppInfo {
  QString Dir;
  QString ExeName;
  double FileDate = 0.0;
  QString Version;
  std::int32_t VersionMS = 0;
  std::int32_t VersionLS = 0;
};

// Everything InitAppInfo() would record for the program file at `path`.
TAppInfo ReadAppInfo(const QString& path);

// Folder part of `path`: up to its last "/", "\" or ":", dropping that
// separator unless another separator precedes it or it is the first
// character (so "C:\x.exe" gives "C:\" and "/x" gives "/").
QString ExtractAppDir(const QString& path);
// Everything after the last "/", "\" or ":".
QString ExtractAppExeName(const QString& path);
// The AppFileDate value of the file at `path`.
double AppFileDateOf(const QString& path);
// The running program's own file, or empty when the system does not say.
QString RunningProgramPath();

}  // namespace marnova
