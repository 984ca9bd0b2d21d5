#pragma once
// The information window: a few words about the tool and its maker, with
// links to the maker's and the product's web sites. Created on demand, shown
// modally over the main window and freed when it closes.

#include <QDialog>
#include <QPointer>
#include <memory>

namespace marnova {

class TLMDLImage;
class TLMDLabel;
class TLMDSimpleLabel;

namespace Ui {
class TFormQuorvel;
}

class TFormQuorvel : public QDialog {
  Q_OBJECT

 public:
  explicit TFormQuorvel(QWidget* owner);
  ~TFormQuorvel() override;

  TLMDLImage* LMDLImage;
  TLMDLabel* LMDLabel1;
  TLMDSimpleLabel* LMDSimpleLabel2;
  TLMDSimpleLabel* LMDSimpleLabel1;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  std::unique_ptr<Ui::TFormQuorvel> FUi;
};

// The information window while it is open; null otherwise.
extern QPointer<TFormQuorvel> FormQuorvel;

// Creates the information window owned by `owner`, shows it modally and
// frees it when it closes.
void ShowFormQuorvel(QWidget* owner);

}  // namespace marnova
