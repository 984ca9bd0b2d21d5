// Marnova: a colour-contrast tester for web authors.
#include <cstdio>

#include "app/CommandLine.h"
#include "app/DisplayCheck.h"
#include "app/Entry.h"

int main(int argc, char** argv) {
  if (const std::optional<int> status = marnova::HandleCommandLine(argc, argv)) return *status;
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
  if (const std::optional<std::string> message = marnova::UnreachableDisplayMessage(argc, argv)) {
    std::fputs(message->c_str(), stderr);
    return 1;
  }
  return marnova::RunMarnova(argc, argv);
}
