#include "platform/inet/CredentialDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace marnova::inet {

CredentialDialog::CredentialDialog(QWidget* parent, const QString& host, const QString& realm,
                                   bool proxy, const QString& userName)
    : QDialog(parent), user_(new QLineEdit(userName, this)), password_(new QLineEdit(this)) {
  setWindowTitle(proxy ? QStringLiteral("Autenticazione proxy") : QStringLiteral("Autenticazione"));
  QString message = proxy ? QStringLiteral("Il proxy %1 richiede un nome utente e una password.")
                          : QStringLiteral("Il server %1 richiede un nome utente e una password.");
  message = message.arg(host);
  if (!realm.isEmpty()) message += QStringLiteral("\nArea: %1").arg(realm);
  auto* text = new QLabel(message, this);
  text->setWordWrap(true);
  password_->setEchoMode(QLineEdit::Password);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Nome utente:"), user_);
  form->addRow(QStringLiteral("Password:"), password_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text);
  layout->addLayout(form);
  layout->addWidget(buttons);
  (userName.isEmpty() ? user_ : password_)->setFocus();
}

QString CredentialDialog::UserName() const {
  return user_->text();
}
QString CredentialDialog::Password() const {
  return password_->text();
}

}  // namespace marnova::inet
