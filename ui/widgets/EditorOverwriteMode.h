// Insert/overwrite mode is one setting for every editor of the application:
// Insert in any editor toggles it for all. It starts as insert.
#pragma once

namespace marnova {

bool EditorsOverwrite();
void SetEditorsOverwrite(bool overwrite);

}  // namespace marnova
