// The platform's credential dialog: asks for a user name and a password for a
// server or a proxy that demands them.
#pragma once

#include <QDialog>
#include <QString>

#include "platform/inet/InetErrorDlg.h"

class QLineEdit;

namespace marnova::inet {

class CredentialDialog : public QDialog {
  Q_OBJECT

 public:
  // Without a parent the dialog belongs to the program's main window, so it
  // is never left behind that window (which stays above other windows).
  CredentialDialog(QWidget* parent, const CredentialRequest& request, const QString& userName);

  QString UserName() const;
  QString Password() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLineEdit* user_;
  QLineEdit* password_;
};

// The text the dialog shows for `request`: who asks, the realm, and whether
// the answer would travel unencrypted.
QString CredentialMessage(const CredentialRequest& request);

}  // namespace marnova::inet
