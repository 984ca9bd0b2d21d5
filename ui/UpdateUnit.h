#pragma once
// The update window: tells that a newer version exists and links to the
// download address that the update notice announced. Created per offer,
// shown modally over the main window and freed when it closes.

#include <QDialog>
#include <QPointer>

#include "ui_UpdateUnit.h"

namespace marnova {

// The components of the description are members of their own name and
// kind, owned by the window. lbJumpInternet's Jump is the download address;
// an empty one opens its caption.
class TFormUpdate : public QDialog, public Ui::TFormUpdate {
  Q_OBJECT

 public:
  explicit TFormUpdate(QWidget* owner);

 protected:
  void showEvent(QShowEvent* event) override;
};

// The update window while it is open; null otherwise.
extern QPointer<TFormUpdate> FormUpdate;

// Creates an update window owned by `owner` with its link leading to
// `address`, shows it modally and frees it when it closes.
void ShowFormUpdate(QWidget* owner, const QString& address);

}  // namespace marnova
