#pragma once
// The one-line update notice on the maker's web site, and whether it offers
// a newer version than the running one.
//
// The text is trimmed of every leading and trailing character from 0 to 32;
// then, counting from 1: position 1 is the major number, 2 a separator that
// is not examined, 3 and 4 the minor number (only 3 when the trimmed text is
// three characters long), 5 a separator, and 6 to the end the download
// address, line breaks included. A newer version is offered when the major
// number is greater than the running version's first packed half, or the
// minor number greater than its second (both signed 32-bit comparisons).

#include <QString>
#include <chrono>
#include <cstdint>
#include <optional>

namespace marnova {

// A body longer than this ends the check: a notice is one short line, and
// every chunk of a long body would otherwise be kept, copied and parsed again.
inline constexpr int kUpdateNoticeLimit = 64 * 1024;

// The whole check, from the tick to the last byte, takes no longer than this;
// a stalled or drip-feeding server is then cut off as if it had failed.
inline constexpr std::chrono::milliseconds kUpdateCheckTimeLimit{60000};

// A number field of the notice: leading spaces, an optional sign, then
// decimal digits or hexadecimal ones after "$", "x", "X", "0x" or "0X", and
// nothing after them. Empty when the field does not convert.
std::optional<std::int32_t> ParseNoticeNumber(const QString& field);

struct TUpdateNotice {
  std::int32_t Major;
  std::int32_t Minor;
  QString Address;  // as announced, unchecked
};

// The fields of a notice; nothing when it is shorter than three characters
// after trimming or a number field does not convert.
std::optional<TUpdateNotice> ParseUpdateNotice(const QString& notice);

// The address to offer, or nothing when the notice is malformed or offers
// nothing newer. An address that is not an http:// or https:// address
// with a host and without user information (user@, user:password@) comes
// back empty (the link then opens its own caption): the notice
// arrives over plain HTTP and must never make the desktop open a local file
// or start a program.
std::optional<QString> EvaluateUpdateNotice(const QString& notice, std::int32_t versionMS,
                                            std::int32_t versionLS);

}  // namespace marnova
