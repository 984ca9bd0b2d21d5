// Marnova: a colour-contrast tester for web authors.
#include "app/Entry.h"

int main(int argc, char** argv) {
  return marnova::RunMarnova(argc, argv);
}
