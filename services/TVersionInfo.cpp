#include "services/TVersionInfo.h"

#include <QFile>
#include <span>

#include "platform/versioninfo/VersionInfo.h"

namespace marnova {
namespace {

std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
  return std::uint32_t{b[at]} | (std::uint32_t{b[at + 1]} << 8) | (std::uint32_t{b[at + 2]} << 16) |
         (std::uint32_t{b[at + 3]} << 24);
}

}  // namespace

TVersionInfo::TVersionInfo(const QString& path) : FPath(QFile::encodeName(path).toStdString()) {
  LoadBlock();
}

void TVersionInfo::LoadBlock() {
  FHasBlock = false;
  FBlock.clear();
  FSize = GetFileVersionInfoSize(FPath, &FHandle);
  if (FSize == 0) return;
  FBlock.resize(FSize);
  FHasBlock = GetFileVersionInfo(FPath, FHandle, FSize, FBlock.data());
}

std::optional<std::uint32_t> TVersionInfo::QueryTranslation() const {
  if (!FHasBlock) return std::nullopt;
  const auto value = VerQueryValue(FBlock, "\\VarFileInfo\\Translation");
  if (!value || value->Text || value->Bytes.size() < 4) return std::nullopt;
  return U32(value->Bytes, 0);
}

QString TVersionInfo::LanguageKey() const {
  const auto t = QueryTranslation();
  if (!t) return {};
  const std::uint32_t key = ((*t & 0xFFFF) << 16) | (*t >> 16);
  return QStringLiteral("%1").arg(key, 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<TVSFixedFileInfo> TVersionInfo::QueryFixedInfo() const {
  if (!FHasBlock) return std::nullopt;
  const auto value = VerQueryValue(FBlock, "\\");
  if (!value || value->Text || value->Bytes.size() < kFixedFileInfoSize) return std::nullopt;
  const auto b = value->Bytes;
  TVSFixedFileInfo f;
  std::uint32_t* fields[] = {&f.Signature,     &f.StrucVersion,     &f.FileVersionMS,
                             &f.FileVersionLS, &f.ProductVersionMS, &f.ProductVersionLS,
                             &f.FileFlagsMask, &f.FileFlags,        &f.FileOS,
                             &f.FileType,      &f.FileSubtype,      &f.FileDateMS,
                             &f.FileDateLS};
  for (std::size_t i = 0; i < std::size(fields); ++i) *fields[i] = U32(b, 4 * i);
  if (f.Signature != kFixedFileInfoSignature) return std::nullopt;
  return f;
}

TVersionPair TVersionInfo::VersionPair() const {
  const auto f = QueryFixedInfo();
  if (!f) return {};
  return {static_cast<std::int32_t>(f->FileVersionMS), static_cast<std::int32_t>(f->FileVersionLS)};
}

QString TVersionInfo::QueryString(const QString& key) const {
  if (!FHasBlock) return {};
  const QString path = QStringLiteral("\\StringFileInfo\\") + LanguageKey() + u'\\' + key;
  const auto value = VerQueryValue(FBlock, path.toStdString());
  if (!value || !value->Text) return {};
  const auto b = value->Bytes;
  QString text;
  for (std::size_t at = 0; at + 1 < b.size(); at += 2) {
    const char16_t unit = static_cast<char16_t>(b[at] | (b[at + 1] << 8));
    if (unit == 0) break;
    text.append(QChar(unit));
  }
  return text;
}

QString TVersionInfo::VersionText() const {
  QString text = QueryString(QStringLiteral("FileVersion"));
  if (text.isEmpty() && QueryFixedInfo()) text = FormatVersion(VersionPair());
  return text;
}

QString FormatVersion(TVersionPair pair) {
  const auto ms = static_cast<std::uint32_t>(pair.MS);
  const auto ls = static_cast<std::uint32_t>(pair.LS);
  return QStringLiteral("%1.%2.%3.%4")
      .arg(ms >> 16)
      .arg(ms & 0xFFFF)
      .arg(ls >> 16)
      .arg(ls & 0xFFFF);
}

}  // namespace marnova
