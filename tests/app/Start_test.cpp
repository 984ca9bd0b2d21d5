// What the program decides before and at start: its options, and Qt's texts
// in Italian.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTranslator>
#include <memory>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/QtTranslation.h"

namespace marnova {
namespace {

TEST(CommandLine, OwnOptionsQtOptionsAndEverythingElse) {
  struct Case {
    std::vector<std::string> arguments;
    TCommandLine::TAction action;
    const char* error;  // the start of the one line, for Wrong
  };
  const Case cases[] = {
      {{}, TCommandLine::Run, ""},
      {{"--help"}, TCommandLine::Help, ""},
      {{"-h"}, TCommandLine::Help, ""},
      {{"--version"}, TCommandLine::Version, ""},
      {{"-v", "--help"}, TCommandLine::Version, ""},
      {{"-platform", "offscreen"}, TCommandLine::Run, ""},
      {{"--platform", "xcb", "-reverse", "-style=Fusion", "-display", ":1"}, TCommandLine::Run, ""},
      {{"-platform", "offscreen", "--version"}, TCommandLine::Version, ""},
      {{"--frobnicate"}, TCommandLine::Wrong, "marnova: opzione sconosciuta: --frobnicate"},
      {{"--help", "-x"}, TCommandLine::Wrong, "marnova: opzione sconosciuta: -x"},
      {{"-platform"}, TCommandLine::Wrong, "marnova: manca il valore dell'opzione: -platform"},
      {{"colori.txt"}, TCommandLine::Wrong, "marnova: argomento non previsto: colori.txt"},
  };
  for (const Case& c : cases) {
    std::vector<char*> argv;
    for (const std::string& a : c.arguments) argv.push_back(const_cast<char*>(a.c_str()));
    const TCommandLine line = ParseCommandLine(argv);
    SCOPED_TRACE(c.arguments.empty() ? std::string("(none)") : c.arguments[0]);
    EXPECT_EQ(line.Action, c.action);
    EXPECT_EQ(line.Error.rfind(c.error, 0), 0u) << line.Error;
    if (c.action == TCommandLine::Wrong) {
      EXPECT_EQ(line.Error.find('\n'), line.Error.size() - 1);  // one line
    }
  }
  const std::string usage = UsageText();
  for (const char* part : {"--help", "--version", "-platform", "man marnova", "W3C"})
    EXPECT_NE(usage.find(part), std::string::npos) << part;
}

// The memo's context menu is Qt's own: with the translation it reads Italian
// (Debian's translation calls Redo "Rifai").
TEST(QtTranslation, StandardContextMenuReadsItalian) {
  QTranslator translator;
  ASSERT_TRUE(InstallQtTranslation(translator)) << "qt6-translations-l10n is not installed";
  QPlainTextEdit memo;
  memo.setPlainText("prova");
  const std::unique_ptr<QMenu> menu(memo.createStandardContextMenu());
  QStringList texts;
  for (const QAction* action : menu->actions())
    if (!action->isSeparator()) texts << action->text().remove('&').section('\t', 0, 0);
  EXPECT_EQ(texts, QStringList({"Annulla", "Rifai", "Taglia", "Copia", "Incolla", "Elimina",
                                "Seleziona tutto"}));
}

}  // namespace
}  // namespace marnova
