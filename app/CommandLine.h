#pragma once
// The program's own command-line options, decided before Qt starts so that
// they need no display. Qt's common options pass through to Qt.

#include <optional>
#include <span>
#include <string>

namespace marnova {

struct TCommandLine {
  enum TAction { Run, Help, Version, Wrong };
  TAction Action = Run;
  std::string Error;  // for Wrong: the one line that says what is wrong
};

// Reads the arguments after the program name.
TCommandLine ParseCommandLine(std::span<char* const> arguments);

// The usage text --help prints.
std::string UsageText();

// For --help, --version and wrong arguments: prints what they ask for and
// gives the exit status; nothing when the program is to run.
std::optional<int> HandleCommandLine(int argc, char** argv);

}  // namespace marnova
