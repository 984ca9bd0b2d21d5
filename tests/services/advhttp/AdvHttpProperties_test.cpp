// The component's properties and their setters' side effects.
#include <gtest/gtest.h>

#include <QMetaProperty>
#include <QWidget>

#include "platform/inet/Inet.h"
#include "services/uAdvHttp.h"

namespace marnova {
namespace {

TEST(AdvHttpProperties, StartWithTheirInitialValuesInDeclarationOrder) {
  TAdvHttp http;
  EXPECT_EQ(http.ConnectTimeout(), 30000);
  EXPECT_TRUE(http.RaiseExceptions());
  EXPECT_EQ(http.UserAgent(), "Brevant WinInet Component");
  EXPECT_FALSE(http.SSL());
  EXPECT_EQ(http.Port(), 80);
  EXPECT_EQ(http.HostName(), "localhost");
  EXPECT_TRUE(http.DefaultUi());
  EXPECT_EQ(http.Method(), "GET");
  EXPECT_EQ(http.AuthRetries(), 3);
  EXPECT_EQ(http.InternetFlags().toInt(), 0xA0F8);
  EXPECT_EQ(http.RequestFlags(), 0x8040F200u);
  EXPECT_EQ(http.URL(), "");

  const QString expected =
      "ConnectTimeout RaiseExceptions UserAgent Proxy SSL URL URLPath ExtraInfo Port UserName "
      "Password ProxyUserName ProxyPassword HostName DefaultUi RequestHeaders AcceptTypes Method "
      "Text AuthRetries InternetFlags";
  const QMetaObject* meta = http.metaObject();
  QStringList names;
  for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i)
    names << meta->property(i).name();
  EXPECT_EQ(names, expected.split(u' '));
}

TEST(AdvHttpProperties, FlagWordIsRecomputedFromTheMembers) {
  using F = TAdvHttp;
  struct Case {
    TAdvHttp::TInternetFlags members;
    std::uint32_t word;
  } cases[] = {
      {{}, 0},
      {F::ifReload, 0x80000000},
      {F::ifDontCache | F::ifNoCacheWrite, 0x04000000},  // two members, one flag
      {F::ifNoAutoRedirect | F::ifNoCookies | F::ifNoAuth, 0x002C0000},
      {F::ifCacheIfNetFail | F::ifHyperLink | F::ifNeedFile | F::ifPragmaNoCache |
           F::ifResynchronize,
       0x00010D10},
  };
  TAdvHttp http;
  for (const Case& c : cases) {
    http.SetInternetFlags(c.members);
    EXPECT_EQ(http.RequestFlags(), c.word) << c.members.toInt();
  }
}

TEST(AdvHttpProperties, AssigningAnAddressSplitsItWithoutRebuilding) {
  TAdvHttp http;
  http.SetURL("http://h:8080/a/b?x=1");
  EXPECT_EQ(http.HostName(), "h");
  EXPECT_EQ(http.Port(), 8080);
  EXPECT_EQ(http.URLPath(), "/a/b");
  EXPECT_EQ(http.ExtraInfo(), "?x=1");
  EXPECT_EQ(http.URL(), "http://h:8080/a/b?x=1");
  EXPECT_FALSE(http.SSL());

  http.SetURL("http://al:pw@h/p%20q");
  EXPECT_EQ(http.UserName(), "al");
  EXPECT_EQ(http.Password(), "pw");
  EXPECT_EQ(http.URLPath(), "/p q");
  EXPECT_EQ(http.Port(), 80);
}

TEST(AdvHttpProperties, HttpsSetsSslAndItsPortAndOnly80IsLeftOut) {
  TAdvHttp http;
  http.SetURL("https://secure.example/p");
  EXPECT_TRUE(http.SSL());
  EXPECT_EQ(http.Port(), 443);
  EXPECT_EQ(http.URL(), "https://secure.example/p");  // rebuilt while Port still held 80
  http.SetPort(443);
  EXPECT_EQ(http.URL(), "https://secure.example:443/p");
  http.SetURL("http://plain.example/q");
  EXPECT_TRUE(http.SSL());  // http leaves SSL as it is
  EXPECT_EQ(http.URL(), "http://plain.example/q");
}

TEST(AdvHttpProperties, RejectedAddressesRestoreTheFormerText) {
  TAdvHttp http;
  http.SetRaiseExceptions(false);  // the setters raise whatever it says
  int errors = 0;
  http.OnError = [&](QObject*) { ++errors; };
  http.SetURL("http://good.example/x");
  try {
    http.SetURL("ftp://files.example/f");
    FAIL() << "no exception";
  } catch (const EInetError&) {
    FAIL() << "not a library error";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Invalid protocol");
  }
  EXPECT_EQ(http.URL(), "http://good.example/x");
  EXPECT_EQ(http.HostName(), "good.example");
  EXPECT_EQ(http.URLPath(), "/x");
  EXPECT_EQ(errors, 0);

  EXPECT_THROW(http.SetURL("no address at all"), EInetError);
  EXPECT_EQ(http.URL(), "http://good.example/x");
  EXPECT_EQ(http.LastError(), 12006);
  EXPECT_EQ(errors, 1);

  EXPECT_THROW(http.SetHostName(QString(2100, 'h')), EInetError);  // over 2055 combined
  EXPECT_EQ(http.LastError(), 122);
  EXPECT_EQ(http.HostName(), "good.example");

  // An https address that splits but is too long to rebuild leaves plain http.
  EXPECT_THROW(http.SetURL("https://" + QString(250, 'h') + "/" + QString(2000, 'p')), EInetError);
  EXPECT_EQ(http.URL(), "http://good.example/x");
  EXPECT_FALSE(http.SSL());
}

TEST(AdvHttpProperties, ExtraInfoGetsAQuestionMarkUnlessItHasOne) {
  struct Case {
    QString assigned, stored, url;
  } cases[] = {
      {"a=1", "?a=1", "http://h/p?a=1"},
      {"?a=1", "?a=1", "http://h/p?a=1"},
      {"#top", "#top", "http://h/p#top"},
      {"", "", "http://h/p"},
  };
  for (const Case& c : cases) {
    TAdvHttp http;
    http.SetURL("http://h/p");
    http.SetExtraInfo(c.assigned);
    EXPECT_EQ(http.ExtraInfo(), c.stored) << c.assigned.toStdString();
    EXPECT_EQ(http.URL(), c.url) << c.assigned.toStdString();
  }
}

TEST(AdvHttpProperties, ADescriptionsAssignmentOrderGivesBackTheAddress) {
  TAdvHttp http;
  http.setProperty("ConnectTimeout", 30000);
  http.setProperty("RaiseExceptions", false);
  http.setProperty("URL", "http://www.quorvel.example/marnova.txt");
  http.setProperty("URLPath", "/marnova.txt");
  http.setProperty("HostName", "www.quorvel.example");
  EXPECT_EQ(http.URL(), "http://www.quorvel.example/marnova.txt");
  http.SetURLPath("/a b.txt");
  EXPECT_EQ(http.URL(), "http://www.quorvel.example/a%20b.txt");
}

TEST(AdvHttpProperties, ExtendedErrorTextCarriesTheLastResponse) {
  inet::SetLastResponseInfo(97, "proxy said no");
  const QString text = TAdvHttp::ErrorText(12003);
  EXPECT_EQ(text, QString("An extended error was returned from the server.\r\nExtended error:97 - "
                          "proxy said no\r\n"));
  EXPECT_EQ(TAdvHttp::ErrorText(12029), "A connection with the server could not be established.");
  EXPECT_EQ(TAdvHttp::ErrorText(4711), "");
}

}  // namespace
}  // namespace marnova
