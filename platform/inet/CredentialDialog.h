// The platform's credential dialog: asks for a user name and a password for a
// server or a proxy that demands them.
#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;

namespace marnova::inet {

class CredentialDialog : public QDialog {
  Q_OBJECT

 public:
  CredentialDialog(QWidget* parent, const QString& host, const QString& realm, bool proxy,
                   const QString& userName);

  QString UserName() const;
  QString Password() const;

 private:
  QLineEdit* user_;
  QLineEdit* password_;
};

}  // namespace marnova::inet
