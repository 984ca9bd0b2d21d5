#include "platform/shell/Shell.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace marnova {
namespace {

TEST(ShellTest, WebTargetsAreWebPagesAndMailAddressesOnly) {
  const struct {
    const char* target;
    bool web;
  } cases[] = {
      {"http://www.quorvel.example", true},
      {"https://www.w3.org/TR/AERT#color-contrast", true},
      {"www.marnova.example", true},  // a bare host name opens as a web page
      {"  www.marnova.example  ", true},
      {"mailto:info@quorvel.example", true},
      {"ftp://files.example/pub", true},
      {"file:///etc/passwd", false},
      {"/usr/bin/xterm", false},
      {"javascript:alert(1)", false},
      {"mailto:", false},
      {"", false},
      {"   ", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(IsWebTarget(QString::fromUtf8(c.target)), c.web) << c.target;
}

TEST(ShellTest, OpenerGetsTheTargetAsGivenAndItsAnswerIsPassedBack) {
  QStringList opened;
  bool answer = true;
  ScopedOpenHandler handler([&](const QString& target) {
    opened << target;
    return answer;
  });
  EXPECT_TRUE(OpenTarget(QStringLiteral("www.marnova.example")));
  answer = false;
  EXPECT_FALSE(OpenTarget(QStringLiteral("mailto:a@b.example")));
  EXPECT_EQ(opened, (QStringList{QStringLiteral("www.marnova.example"),
                                 QStringLiteral("mailto:a@b.example")}));
}

TEST(ShellTest, BlankTargetFailsWithoutReachingTheOpener) {
  int calls = 0;
  ScopedOpenHandler handler([&](const QString&) { return ++calls > 0; });
  EXPECT_FALSE(OpenTarget(QString()));
  EXPECT_FALSE(OpenTarget(QStringLiteral(" \t ")));
  EXPECT_EQ(calls, 0);
}

TEST(ShellTest, ScopedHandlersNestAndRestore) {
  QStringList log;
  {
    ScopedOpenHandler outer([&](const QString&) {
      log << "outer";
      return true;
    });
    {
      ScopedOpenHandler inner([&](const QString&) {
        log << "inner";
        return true;
      });
      OpenTarget(QStringLiteral("http://a.example"));
    }
    OpenTarget(QStringLiteral("http://a.example"));
  }
  EXPECT_EQ(log, (QStringList{"inner", "outer"}));
  // Outside every scope the desktop's opener is back; nothing is opened here.
  EXPECT_FALSE(SetOpenHandler({}));
}

}  // namespace
}  // namespace marnova
