// standinportal ANSWER...
// Owns the desktop portal's name on the session bus (DBUS_SESSION_BUS_ADDRESS)
// and answers the n-th PickColor call with the n-th ANSWER ("colour:R,G,B"
// with doubles 0..1, "cancel", "other", "error", "never"; the last one
// repeats). Prints "ready" once it owns the name, then one line per call and
// per closed request, for end-to-end tests. Runs until it is killed.
#include <QCoreApplication>
#include <QProcessEnvironment>
#include <cstdio>

#include "support/StandInPortal.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  std::vector<marnova::TStandInAnswer> answers;
  for (int i = 1; i < argc; ++i) {
    marnova::TStandInAnswer answer;
    if (!marnova::ParseStandInAnswer(QString::fromLocal8Bit(argv[i]), answer)) {
      std::fprintf(stderr, "standinportal: unknown answer %s\n", argv[i]);
      return 2;
    }
    answers.push_back(answer);
  }
  const QString address =
      QProcessEnvironment::systemEnvironment().value(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
  marnova::TStandInPortal portal(address, answers);
  const auto say = [](const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
  };
  if (!portal.Registered()) {
    std::fprintf(stderr, "standinportal: cannot own the portal's name on %s\n",
                 qPrintable(address));
    return 1;
  }
  portal.OnEvent = say;
  say(QStringLiteral("ready"));
  return QCoreApplication::exec();
}
