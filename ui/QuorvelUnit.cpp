#include "ui/QuorvelUnit.h"

#include <memory>

#include "ui/BoxWindow.h"
#include "ui/MainUnit.h"
#include "ui/WindowDescription.h"

namespace marnova {

QPointer<TFormQuorvel> FormQuorvel;

TFormQuorvel::TFormQuorvel(QWidget* owner) : QDialog(owner) {
  setupUi(this);
  SetUpBoxWindow(*this);
  FinishDescription(this);
}

void TFormQuorvel::showEvent(QShowEvent* event) {
  // Centred over the application's main window.
  if (FormMain != nullptr) CentreOver(*this, *FormMain);
  QDialog::showEvent(event);
}

void ShowFormQuorvel(QWidget* owner) {
  const auto window = std::make_unique<TFormQuorvel>(owner);
  FormQuorvel = window.get();
  window->exec();
}

}  // namespace marnova
