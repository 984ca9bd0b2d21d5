#pragma once
// The information window: a few words about the tool and its maker, with
// links to the maker's and the product's web sites. Created on demand, shown
// modally over the main window and freed when it closes.

#include <QDialog>
#include <QPointer>

#include "ui_QuorvelUnit.h"

namespace marnova {

// The components of the description are members of their own name and
// kind, owned by the window.
class TFormQuorvel : public QDialog, public Ui::TFormQuorvel {
  Q_OBJECT

 public:
  explicit TFormQuorvel(QWidget* owner);

 protected:
  void showEvent(QShowEvent* event) override;
};

// The information window while it is open; null otherwise.
extern QPointer<TFormQuorvel> FormQuorvel;

// Creates the information window owned by `owner`, shows it modally and
// frees it when it closes.
void ShowFormQuorvel(QWidget* owner);

}  // namespace marnova
