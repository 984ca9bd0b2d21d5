#include "ui/UpdateUnit.h"

#include "ui/BoxWindow.h"
#include "ui/WindowDescription.h"
#include "ui/widgets/TLMDLImage.h"
#include "ui/widgets/TLMDLabel.h"
#include "ui/widgets/TLMDSimpleLabel.h"
#include "ui_UpdateUnit.h"

namespace marnova {

QPointer<TFormUpdate> FormUpdate;

TFormUpdate::TFormUpdate(QWidget* owner)
    : QDialog(owner), FUi(std::make_unique<Ui::TFormUpdate>()) {
  FUi->setupUi(this);
  LMDLImage = FUi->LMDLImage;
  LMDLabel1 = FUi->LMDLabel1;
  LMDLabel2 = FUi->LMDLabel2;
  lbJumpInternet = FUi->lbJumpInternet;
  LMDLabel3 = FUi->LMDLabel3;
  LMDSimpleLabel2 = FUi->LMDSimpleLabel2;
  SetUpBoxWindow(*this);
  FinishDescription(this);
}

TFormUpdate::~TFormUpdate() = default;

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
