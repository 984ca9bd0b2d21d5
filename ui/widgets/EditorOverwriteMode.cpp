#include "ui/widgets/EditorOverwriteMode.h"

namespace marnova {
namespace {
// Only the user-interface thread touches editors, so no lock.
bool overwriteMode = false;
}  // namespace

bool EditorsOverwrite() {
  return overwriteMode;
}
void SetEditorsOverwrite(bool overwrite) {
  overwriteMode = overwrite;
}

}  // namespace marnova
