#include "app/CommandLine.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>

#include "services/AppInfo.h"

namespace marnova {
namespace {

// Qt's common options (QGuiApplication, QApplication and the X11 platform),
// in either spelling (-x or --x). These take the next argument as value...
constexpr std::array<std::string_view, 16> kQtValueOptions = {"platform",
                                                              "platformpluginpath",
                                                              "platformtheme",
                                                              "plugin",
                                                              "qwindowgeometry",
                                                              "qwindowicon",
                                                              "qwindowtitle",
                                                              "session",
                                                              "display",
                                                              "geometry",
                                                              "title",
                                                              "name",
                                                              "icon",
                                                              "style",
                                                              "stylesheet",
                                                              "visual"};
// ...these take none...
constexpr std::array<std::string_view, 6> kQtFlags = {"reverse", "widgetcount", "nograb",
                                                      "dograb",  "sync",        "testability"};
// ...and these are written with "=" and their value.
constexpr std::array<std::string_view, 5> kQtAssignOptions = {
    "style", "stylesheet", "qmljsdebugger", "dialogs", "fontengine"};

template <size_t N>
bool In(const std::array<std::string_view, N>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

std::string Wrong(std::string_view what, std::string_view argument) {
  return "marnova: " + std::string(what) + ": " + std::string(argument) +
         " (marnova --help elenca le opzioni)\n";
}

}  // namespace

TCommandLine ParseCommandLine(std::span<char* const> arguments) {
  TCommandLine result;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (argument == "-h" || argument == "--help") {
      if (result.Action == TCommandLine::Run) result.Action = TCommandLine::Help;
      continue;
    }
    if (argument == "-v" || argument == "--version") {
      if (result.Action == TCommandLine::Run) result.Action = TCommandLine::Version;
      continue;
    }
    if (argument.size() < 2 || argument[0] != '-')
      return {TCommandLine::Wrong, Wrong("argomento non previsto", argument)};
    std::string_view name = argument.substr(argument.starts_with("--") ? 2 : 1);
    const size_t equals = name.find('=');
    if (equals != std::string_view::npos) {
      if (In(kQtAssignOptions, name.substr(0, equals))) continue;
    } else if (In(kQtFlags, name)) {
      continue;
    } else if (In(kQtValueOptions, name)) {
      if (++i < arguments.size()) continue;
      return {TCommandLine::Wrong, Wrong("manca il valore dell'opzione", argument)};
    }
    return {TCommandLine::Wrong, Wrong("opzione sconosciuta", argument)};
  }
  return result;
}

std::string UsageText() {
  return "Uso: marnova [OPZIONE]\n"
         "Verifica se un colore del testo e un colore di sfondo sono leggibili insieme\n"
         "secondo l'algoritmo di contrasto dei colori del W3C.\n"
         "\n"
         "Opzioni:\n"
         "  -h, --help           mostra questo aiuto ed esce\n"
         "  -v, --version        mostra la versione ed esce\n"
         "  -platform NOME       la piattaforma di Qt da usare (xcb, wayland, offscreen...)\n"
         "\n"
         "Accetta anche le altre opzioni comuni di Qt (-display, -style, -reverse...).\n"
         "Il manuale: man marnova\n";
}

std::optional<int> HandleCommandLine(int argc, char** argv) {
  const TCommandLine line = ParseCommandLine(
      std::span<char* const>(argv, static_cast<size_t>(argc)).subspan(argc > 0 ? 1 : 0));
  switch (line.Action) {
    case TCommandLine::Run:
      return std::nullopt;
    case TCommandLine::Help:
      std::fputs(UsageText().c_str(), stdout);
      return 0;
    case TCommandLine::Version:
      InitAppInfo();
      std::printf("marnova %s\n", AppVersion.toUtf8().constData());
      return 0;
    case TCommandLine::Wrong:
      std::fputs(line.Error.c_str(), stderr);
      return 2;
  }
  return std::nullopt;
}

}  // namespace marnova
