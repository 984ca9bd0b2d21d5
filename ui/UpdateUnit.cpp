#include "ui/UpdateUnit.h"

#include <memory>

#include "ui/BoxWindow.h"
#include "ui/WindowDescription.h"

namespace marnova {

QPointer<TFormUpdate> FormUpdate;

TFormUpdate::TFormUpdate(QWidget* owner) : QDialog(owner) {
  setupUi(this);
  SetUpBoxWindow(*this);
  FinishDescription(this);
}

void TFormUpdate::showEvent(QShowEvent* event) {
  // Centred over its owner, the main window.
  if (const QWidget* owner = parentWidget()) CentreOver(*this, *owner->window());
  QDialog::showEvent(event);
}

void ShowFormUpdate(QWidget* owner, const QString& address) {
  const auto window = std::make_unique<TFormUpdate>(owner);
  window->lbJumpInternet->setJump(address);
  FormUpdate = window.get();
  window->exec();
}

}  // namespace marnova
