// Pasted text whose lines would be too long to lay out at once.
#pragma once

#include <QString>

namespace marnova {

// Qt lays a line (a text block) out whole whenever it changes: one of
// 100 000 characters takes half a second, one of 1 MB minutes, wrapped or
// not. Lines of up to this many characters take a few milliseconds.
inline constexpr qsizetype kLongLine = 10000;

// `text` with a line break inserted wherever a line would grow past
// kLongLine characters, the first line counting `startColumn` characters
// already before it: after the last blank within the limit, otherwise at the
// limit (never inside a surrogate pair). Every character is kept.
QString BreakLongLines(const QString& text, qsizetype startColumn = 0);

}  // namespace marnova
