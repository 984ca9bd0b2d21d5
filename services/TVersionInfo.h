#pragma once
// Reader of a program file's version block. It lives only as long as it
// takes to read the few values the program needs.
#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace marnova {

// The platform's fixed file information record, decoded.
struct TVSFixedFileInfo {
  std::uint32_t Signature = 0;
  std::uint32_t StrucVersion = 0;
  std::uint32_t FileVersionMS = 0;
  std::uint32_t FileVersionLS = 0;
  std::uint32_t ProductVersionMS = 0;
  std::uint32_t ProductVersionLS = 0;
  std::uint32_t FileFlagsMask = 0;
  std::uint32_t FileFlags = 0;
  std::uint32_t FileOS = 0;
  std::uint32_t FileType = 0;
  std::uint32_t FileSubtype = 0;
  std::uint32_t FileDateMS = 0;
  std::uint32_t FileDateLS = 0;
};

// The two packed halves of a version: (major << 16) | minor and
// (release << 16) | build.
struct TVersionPair {
  std::int32_t MS = 0;
  std::int32_t LS = 0;
  friend bool operator==(const TVersionPair&, const TVersionPair&) = default;
};

class TVersionInfo {
 public:
  // Reads the block of the file at `path` at once.
  explicit TVersionInfo(const QString& path);

  // (Re)reads the block; afterwards HasBlock() says whether it succeeded.
  // Lets std::bad_alloc through, with HasBlock() false.
  void LoadBlock();
  bool HasBlock() const { return FHasBlock; }

  // The first translation entry: language identifier in the low 16 bits,
  // code page in the high 16 bits.
  std::optional<std::uint32_t> QueryTranslation() const;
  // Language then code page as eight upper-case hex digits ("041004E4");
  // empty without a translation.
  QString LanguageKey() const;
  // The fixed file information; nothing when the block lacks it or it is
  // too short or does not carry the record's signature.
  std::optional<TVSFixedFileInfo> QueryFixedInfo() const;
  // The fixed file version's halves; {0, 0} without fixed information.
  TVersionPair VersionPair() const;
  // The entry `key` of the translation's string table, or empty.
  QString QueryString(const QString& key) const;
  // The "FileVersion" entry, or the fixed file version formatted when the
  // entry is missing or empty; empty when the file has neither.
  QString VersionText() const;

 private:
  std::string FPath;  // encoded for the file system
  bool FHasBlock = false;
  std::uint32_t FSize = 0;
  std::vector<std::uint8_t> FBlock;
  std::uint32_t FHandle = 0;
};

// "major.minor.release.build", each part an unsigned 16-bit number.
QString FormatVersion(TVersionPair pair);

}  // namespace marnova
