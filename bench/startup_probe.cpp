// The real program's entry sequence with the start-up probe on its main
// window. With "--idle N" the text-colour panel's red slider takes the focus
// (its thumb blinks) and the processor time over N idle seconds is reported.
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <cstring>

#include "StartupProbe.h"
#include "app/Entry.h"
#include "ui/FrameCmdHsvUnit.h"
#include "ui/MainUnit.h"
#include "ui/widgets/TMMSlider.h"

int main(int argc, char** argv) {
  const int idle = argc > 2 && std::strcmp(argv[1], "--idle") == 0 ? std::atoi(argv[2]) : 0;
  return marnova::RunMarnova(argc, argv, [idle](QWidget& window) {
    marnova::InstallStartupProbe(window, idle);
    if (idle > 0) {
      auto& form = static_cast<marnova::TFormMain&>(window);
      QTimer::singleShot(0, &form, [&form] {
        form.activateWindow();
        form.FColor->slRed->setFocus();
      });
    }
  });
}
