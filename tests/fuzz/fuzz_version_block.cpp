// The version block readers on arbitrary files. Each input is read twice as
// a program file: as the whole file (ELF section lookup, then the block it
// carries) and as the version block inside a well-formed ELF file; and the
// block queries run on it directly. Every query of the reader runs each
// time. Properties: every value found lies inside its block, every section
// inside its file; the texts have their promised forms.
#include <sys/mman.h>
#include <unistd.h>

#include <QRegularExpression>
#include <QString>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "platform/versioninfo/ElfSection.h"
#include "platform/versioninfo/ElfTestFile.h"
#include "platform/versioninfo/VersionBlock.h"
#include "platform/versioninfo/VersionInfo.h"
#include "services/TVersionInfo.h"

namespace {

using namespace marnova;

const char* const kPaths[] = {
    "\\",
    "\\VarFileInfo\\Translation",
    "\\StringFileInfo\\041004E4\\FileVersion",
    "\\StringFileInfo\\041004E4\\ProductVersion",
    "\\stringfileinfo\\041004e4\\comments\\",
    "StringFileInfo",
    "\\StringFileInfo\\041004E4\\FileVersion\\Deeper",
    "\\\\",
    "",
    "\\VarFileInfo\\\\Translation",
};

// One in-memory file, rewritten for every input; readers open it by path.
class TScratchFile {
 public:
  TScratchFile() : FFd(memfd_create("fuzz_version_block", 0)) {
    FUZZ_CHECK(FFd >= 0);
    FPath = "/proc/self/fd/" + std::to_string(FFd);
  }
  const std::string& Write(const std::uint8_t* data, std::size_t size) {
    FUZZ_CHECK(ftruncate(FFd, 0) == 0);
    std::size_t done = 0;
    while (done < size) {
      const ssize_t n = pwrite(FFd, data + done, size - done, static_cast<off_t>(done));
      FUZZ_CHECK(n > 0);
      done += static_cast<std::size_t>(n);
    }
    return FPath;
  }

 private:
  int FFd;
  std::string FPath;
};

bool Inside(std::span<const std::uint8_t> part, std::span<const std::uint8_t> whole) {
  return part.empty() ||
         (part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size());
}

void QueryBlock(std::span<const std::uint8_t> block) {
  for (const char* path : kPaths) {
    const auto value = QueryVersionValue(block, path);
    if (value) FUZZ_CHECK(Inside(value->Bytes, block));
  }
  if (const auto root = VersionRootLength(block)) FUZZ_CHECK(*root >= 6 && *root <= block.size());
}

void ReadAsProgramFile(const std::string& path, std::size_t fileSize) {
  if (const auto place = FindElfSection(path, kVersionSectionName))
    FUZZ_CHECK(place->Offset <= fileSize && place->Size <= fileSize - place->Offset);
  std::uint32_t handle = 1;
  const std::uint32_t size = GetFileVersionInfoSize(path, &handle);
  FUZZ_CHECK(handle == 0 && size <= 0xFFFF);
  if (size > 0) {
    std::vector<std::uint8_t> block(size);
    if (GetFileVersionInfo(path, handle, size, block.data())) QueryBlock(block);
  }

  static const QRegularExpression kDotted(
      QStringLiteral("^\\d{1,5}\\.\\d{1,5}\\.\\d{1,5}\\.\\d{1,5}$"));
  static const QRegularExpression kLanguageKey(QStringLiteral("^[0-9A-F]{8}$"));
  const TVersionInfo info(QString::fromLocal8Bit(path.c_str()));
  const QString key = info.LanguageKey();
  FUZZ_CHECK(key.isEmpty() || kLanguageKey.match(key).hasMatch());
  FUZZ_CHECK(info.QueryTranslation().has_value() == !key.isEmpty());
  const auto fixed = info.QueryFixedInfo();
  FUZZ_CHECK(!fixed || fixed->Signature == kFixedFileInfoSignature);
  const TVersionPair pair = info.VersionPair();
  FUZZ_CHECK(fixed || pair == TVersionPair{});
  FUZZ_CHECK(kDotted.match(FormatVersion(pair)).hasMatch());
  for (const char* name : {"FileVersion", "ProductVersion", "Comments", ""})
    (void)info.QueryString(QString::fromLatin1(name));
  const QString text = info.VersionText();
  FUZZ_CHECK(info.HasBlock() || text.isEmpty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TScratchFile file;
  const std::span<const std::uint8_t> input(data, size);
  QueryBlock(input);
  ReadAsProgramFile(file.Write(data, size), size);
  const std::vector<std::uint8_t> elf =
      test::MakeElfWithBlock(std::vector<std::uint8_t>(input.begin(), input.end()));
  ReadAsProgramFile(file.Write(elf.data(), elf.size()), elf.size());
  return 0;
}
