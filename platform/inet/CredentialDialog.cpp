#include "platform/inet/CredentialDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace marnova::inet {
namespace {

// The window a prompt without a parent belongs to: the active one, else the
// first shown window (the main window is the only one while the update check
// runs).
QWidget* OwnerWindow(QWidget* parent) {
  if (parent != nullptr) return parent->window();
  if (QWidget* active = QApplication::activeWindow()) return active;
  for (QWidget* top : QApplication::topLevelWidgets())
    if (top->isVisible() && !top->inherits("QDialog")) return top;
  return nullptr;
}

}  // namespace

QString CredentialMessage(const CredentialRequest& request) {
  const QString where =
      QStringLiteral("%1:%2").arg(QString::fromStdString(request.host)).arg(request.port);
  QString message = request.proxy
                        ? QStringLiteral("Il proxy per %1 richiede un nome utente e una password.")
                        : QStringLiteral("Il server %1 richiede un nome utente e una password.");
  message = message.arg(where);
  if (!request.realm.empty())
    message += QStringLiteral("\nArea: %1").arg(QString::fromStdString(request.realm));
  // A proxy is reached over plain HTTP even for an https address.
  if (request.proxy || !request.secure)
    message += QStringLiteral(
        "\n\nLa connessione non è cifrata: nome utente e password verrebbero inviati in chiaro.");
  return message;
}

CredentialDialog::CredentialDialog(QWidget* parent, const CredentialRequest& request,
                                   const QString& userName)
    : QDialog(OwnerWindow(parent)),
      user_(new QLineEdit(userName, this)),
      password_(new QLineEdit(this)) {
  // The main window stays above other windows; a prompt below it would take
  // the keyboard unseen.
  setWindowFlag(Qt::WindowStaysOnTopHint);
  const QString title =
      request.proxy ? QStringLiteral("Autenticazione proxy") : QStringLiteral("Autenticazione");
  setWindowTitle(title);
  const QString message = CredentialMessage(request);
  setAccessibleName(title);
  setAccessibleDescription(message);
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

void CredentialDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);  // centres it over its parent on the first show
  raise();
  activateWindow();
}

QString CredentialDialog::UserName() const {
  return user_->text();
}
QString CredentialDialog::Password() const {
  return password_->text();
}

}  // namespace marnova::inet
