// Font heights as the window descriptions give them: a negative height is the
// character height in pixels (without internal leading), a positive one the
// whole cell height (ascent + descent). Both are drawn in the family's
// substitute, smaller where SubstituteShrink says so; FontHeightOf reads the
// described height back.
#pragma once

#include <QFont>

namespace marnova {

QFont FontWithHeight(QFont font, int height);
// Negative form of the font's pixel size; 0 when the font has no pixel size.
int FontHeightOf(const QFont& font);

}  // namespace marnova
