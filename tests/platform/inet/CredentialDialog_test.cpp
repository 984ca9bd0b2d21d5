// The credential dialog as the user meets it: over the main window, which
// stays above other windows, with the keyboard, and saying who asks.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "platform/inet/CredentialDialog.h"

namespace marnova::inet {
namespace {

TEST(CredentialDialog, OpensAboveTheMainWindowWithTheKeyboardAndSaysWhoAsks) {
  QWidget main(nullptr, Qt::WindowStaysOnTopHint);
  main.setGeometry(60, 40, 618, 348);  // inside the offscreen screen
  main.show();
  main.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&main));

  struct Case {
    CredentialRequest request;
    const char *title, *asks;
    bool warns;
  };
  const Case cases[] = {
      {{"marnova.example", 80, "Marnova", false, false},
       "Autenticazione",
       "Il server marnova.example:80 richiede",
       true},
      {{"marnova.example", 443, "", false, true},
       "Autenticazione",
       "Il server marnova.example:443 richiede",
       false},
      {{"marnova.example", 443, "Rete", true, true},
       "Autenticazione proxy",
       "Il proxy per marnova.example:443 richiede",
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.asks);
    CredentialDialog dialog(nullptr, c.request, QString());
    EXPECT_EQ(dialog.parentWidget(), &main);
    EXPECT_TRUE(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    dialog.open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_EQ(dialog.geometry().center(), main.geometry().center());

    EXPECT_TRUE(
        QTest::qWaitFor([] { return qobject_cast<QLineEdit*>(QApplication::focusWidget()); }));
    QTest::keyClicks(QApplication::focusWidget(), "abc");
    EXPECT_EQ(dialog.UserName(), "abc");

    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&dialog);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::Dialog);
    EXPECT_EQ(accessible->text(QAccessible::Name), c.title);
    const QString text = accessible->text(QAccessible::Description);
    EXPECT_TRUE(text.startsWith(c.asks)) << text.toStdString();
    EXPECT_EQ(text.contains("\nArea: " + QString::fromStdString(c.request.realm)),
              !c.request.realm.empty());
    EXPECT_EQ(text.contains("La connessione non è cifrata: nome utente e password verrebbero "
                            "inviati in chiaro."),
              c.warns);
    dialog.reject();
  }
}

}  // namespace
}  // namespace marnova::inet
