#include "ui/QuorvelUnit.h"

#include "ui/BoxWindow.h"
#include "ui/MainUnit.h"
#include "ui/WindowDescription.h"
#include "ui/widgets/TLMDLImage.h"
#include "ui/widgets/TLMDLabel.h"
#include "ui/widgets/TLMDSimpleLabel.h"
#include "ui_QuorvelUnit.h"

namespace marnova {

QPointer<TFormQuorvel> FormQuorvel;

TFormQuorvel::TFormQuorvel(QWidget* owner)
    : QDialog(owner), FUi(std::make_unique<Ui::TFormQuorvel>()) {
  FUi->setupUi(this);
  LMDLImage = FUi->LMDLImage;
  LMDLabel1 = FUi->LMDLabel1;
  LMDSimpleLabel2 = FUi->LMDSimpleLabel2;
  LMDSimpleLabel1 = FUi->LMDSimpleLabel1;
  SetUpBoxWindow(*this);
  FinishDescription(this);
}

TFormQuorvel::~TFormQuorvel() = default;

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
