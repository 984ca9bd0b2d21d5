// Marnova: a colour-contrast tester for web authors.
#include <cstdio>

#include "app/DisplayCheck.h"
#include "app/Entry.h"

int main(int argc, char** argv) {
  // Without a display Qt's platform plugin aborts with a core dump; say
  // plainly what is missing instead.
  if (!marnova::DisplayAvailable(argc, argv)) {
    std::fputs(marnova::kNoDisplayMessage, stderr);
    return 1;
  }
  if (marnova::WaylandPluginMissing(argc, argv, marnova::QtPluginFolders())) {
    std::fputs(marnova::kNoWaylandPluginMessage, stderr);
    return 1;
  }
  return marnova::RunMarnova(argc, argv);
}
