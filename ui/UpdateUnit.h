#pragma once
// The update window: tells that a newer version exists and links to the
// download address that the update notice announced. Created per offer,
// shown modally over the main window and freed when it closes.

#include <QDialog>
#include <QPointer>
#include <memory>

namespace marnova {

class TLMDLImage;
class TLMDLabel;
class TLMDSimpleLabel;

namespace Ui {
class TFormUpdate;
}

class TFormUpdate : public QDialog {
  Q_OBJECT

 public:
  explicit TFormUpdate(QWidget* owner);
  ~TFormUpdate() override;

  TLMDLImage* LMDLImage;
  TLMDLabel* LMDLabel1;
  TLMDLabel* LMDLabel2;
  // Its Jump is the download address; an empty one opens the caption.
  TLMDSimpleLabel* lbJumpInternet;
  TLMDLabel* LMDLabel3;
  TLMDSimpleLabel* LMDSimpleLabel2;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  std::unique_ptr<Ui::TFormUpdate> FUi;
};

// The update window while it is open; null otherwise.
extern QPointer<TFormUpdate> FormUpdate;

// Creates an update window owned by `owner` with its link leading to
// `address`, shows it modally and frees it when it closes.
void ShowFormUpdate(QWidget* owner, const QString& address);

}  // namespace marnova
