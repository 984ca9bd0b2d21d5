// What the program decides before and at start: its options, and Qt's texts
// in Italian.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTranslator>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/DisplayCheck.h"
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

// Before Qt starts: whether any platform could, and whether only Qt's
// Wayland plugin is what stands in the way.
TEST(DisplayCheck, EachPlatformNeedsItsOwnServerAndWaylandItsPlugin) {
  struct Case {
    const char *display, *wayland, *platform;  // nullptr: unset
    bool pluginInstalled, available, pluginMissing;
  };
  const Case cases[] = {
      {nullptr, nullptr, nullptr, false, false, false},
      {":0", nullptr, nullptr, false, true, false},
      {nullptr, "wayland-0", nullptr, false, true, true},
      {nullptr, "wayland-0", nullptr, true, true, false},
      {":0", "wayland-0", nullptr, false, true, false},
      {nullptr, "wayland-0", "xcb", false, false, false},
      {nullptr, "wayland-0", "wayland;xcb", false, true, true},
      {nullptr, "wayland-0", "wayland-egl", false, true, true},
      {nullptr, "wayland-0", "offscreen;wayland", false, true, false},
      {nullptr, nullptr, "xcb:nograb;offscreen", false, true, false},
      {":0", nullptr, "wayland", false, false, false},
  };
  QTemporaryDir withPlugin, without;
  ASSERT_TRUE(QDir(withPlugin.path()).mkdir("platforms"));
  std::ofstream(withPlugin.filePath("platforms/libqwayland-generic.so").toStdString());
  char program[] = "marnova";
  char* argv[] = {program};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << (c.display ? c.display : "-") << " " << (c.wayland ? c.wayland : "-") << " "
                 << (c.platform ? c.platform : "-") << " " << c.pluginInstalled);
    for (const auto& [name, value] : {std::pair{"DISPLAY", c.display},
                                      {"WAYLAND_DISPLAY", c.wayland},
                                      {"QT_QPA_PLATFORM", c.platform}})
      value ? setenv(name, value, 1) : unsetenv(name);
    const std::vector<std::string> folders = {
        without.path().toStdString(),
        (c.pluginInstalled ? withPlugin : without).path().toStdString()};
    EXPECT_EQ(DisplayAvailable(1, argv), c.available);
    EXPECT_EQ(WaylandPluginMissing(1, argv, folders), c.pluginMissing);
  }
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  setenv("QT_QPA_PLATFORM", "offscreen", 1);  // as the test runs
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
