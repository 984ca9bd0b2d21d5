// The main window's pick through the desktop portal, against a stand-in
// portal on a private session bus that the test starts.
#include <QProcess>
#include <chrono>
#include <cmath>
#include <optional>

#include "platform/screen/PortalColorPick.h"
#include "support/StandInPortal.h"
#include "tests/ui/windows/WindowTestSupport.h"

namespace marnova {
namespace {

using A = TStandInAnswer;
const QString kNoPicker =
    QStringLiteral("Prelievo dallo schermo non disponibile in questa sessione");

// Each case opens its windows itself, once the bus is known to be there.
class PortalPickTest : public MainWindowTest {
 protected:
  // One private bus for the whole executable: Qt reads its address once.
  static void SetUpTestSuite() {
    MainWindowTest::SetUpTestSuite();
    bus = std::make_unique<QProcess>();
    bus->start(QStringLiteral("dbus-daemon"),
               {QStringLiteral("--config-file=" MARNOVA_PRIVATE_BUS_CONF),
                QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
    if (bus->waitForStarted(5000) && bus->waitForReadyRead(5000)) {
      address = QString::fromLocal8Bit(bus->readLine()).trimmed();
      qputenv("DBUS_SESSION_BUS_ADDRESS", address.toLocal8Bit());
    }
  }
  static void TearDownTestSuite() { bus.reset(); }  // stops the daemon
  void SetUp() override {
    if (address.isEmpty()) GTEST_SKIP() << "dbus-daemon is missing (scripts/deps.sh installs it)";
  }
  bool AwaitAnswer() {
    return QTest::qWaitFor([this] { return !form->Picking(); }, 5000);
  }

  static inline std::unique_ptr<QProcess> bus;
  static inline QString address;
  TPortalPickOverride usePortal{true};
};

// The background panel picks; the text colour stays white. After the
// answer nothing of the pick is left, and while the portal can pick, a
// second pick takes the next answer (a colour).
TEST_F(PortalPickTest, AnswersReachThePanelAndTheEvaluation) {
  const A again{A::saColour, 0.2, 0.4, 0.6};
  struct Row {
    const char* name;
    std::optional<A> answer;  // none: no portal on the bus
    TStandInPortal::TOptions options;
    const char* field;
    int colourDifference;
    bool canPick;
  } rows[] = {
      {"colour", A{A::saColour, 0.2, 0.4, 0.6}, {}, "336699", 459, true},
      {"colour out of range", A{A::saColour, 1.5, -0.2, 0.5}, {}, "FF0080", 382, true},
      {"colour not finite", A{A::saColour, NAN, 0, 0}, {}, "000000", 765, true},
      {"cancel", A{A::saCancel}, {}, "000000", 765, true},
      {"other", A{A::saOther}, {}, "000000", 765, true},
      {"error", A{A::saError}, {}, "000000", 765, true},
      {"no results", A{A::saNoResults}, {}, "000000", 765, true},
      {"wrong types", A{A::saWrongTypes}, {}, "000000", 765, true},
      {"absent", std::nullopt, {}, "000000", 765, false},
      {"version 1", again, {1, true}, "000000", 765, false},
      {"no Screenshot interface", again, {2, false}, "000000", 765, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::unique_ptr<TStandInPortal> portal;
    if (row.answer) {
      portal = std::make_unique<TStandInPortal>(address, std::vector<A>{*row.answer, again},
                                                row.options);
      ASSERT_TRUE(portal->Registered());
    }
    Open();
    PressPickButton(form->FBack);
    EXPECT_EQ(form->FBack->btnPick->ImageIndex(), 1);
    ASSERT_TRUE(AwaitAnswer());
    EXPECT_EQ(form->FBack->btnPick->ImageIndex(), 0);
    EXPECT_EQ(form->FBack->edValue->Text(), row.field);
    EXPECT_EQ(form->FColor->edValue->Text(), "FFFFFF");
    EXPECT_EQ(form->lbDiffRes->Caption(),
              QStringLiteral("Differenza di Colore = %1").arg(row.colourDifference));
    for (TFrameHsvCtrl* panel : {form->FColor, form->FBack}) {
      EXPECT_EQ(panel->btnPick->isEnabled(), row.canPick);
      EXPECT_EQ(panel->btnPick->Hint() == kNoPicker, !row.canPick);
    }
    if (portal != nullptr) {
      EXPECT_EQ(portal->OpenRequests(), 0);
      if (row.canPick) {
        ASSERT_EQ(portal->Calls().size(), 1u);
        EXPECT_EQ(portal->Calls()[0].ParentWindow, "");  // not an X11 client
        PressPickButton(form->FBack);
        ASSERT_TRUE(AwaitAnswer());
        EXPECT_EQ(form->FBack->edValue->Text(), "336699");
      } else {
        EXPECT_EQ(portal->Calls().size(), 0u);
      }
    }
    Close();
  }
}

// Whether the portal can pick is known soon after the window is painted,
// before any press: the buttons say so at once, and nothing is picked.
TEST_F(PortalPickTest, ButtonsTellWhetherThePortalCanPickBeforeAnyPress) {
  struct Row {
    const char* name;
    std::optional<TStandInPortal::TOptions> portal;  // none: no portal on the bus
    bool canPick;
  } rows[] = {
      {"version 2", TStandInPortal::TOptions{2, true}, true},
      {"version 1", TStandInPortal::TOptions{1, true}, false},
      {"absent", std::nullopt, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::unique_ptr<TStandInPortal> portal;
    if (row.portal) {
      portal =
          std::make_unique<TStandInPortal>(address, std::vector<A>{A{A::saCancel}}, *row.portal);
      ASSERT_TRUE(portal->Registered());
    }
    Open();
    const auto disabled = [this] {
      return !form->FColor->btnPick->isEnabled() && !form->FBack->btnPick->isEnabled();
    };
    EXPECT_EQ(QTest::qWaitFor(disabled, row.canPick ? 500 : 5000), !row.canPick);
    for (TFrameHsvCtrl* panel : {form->FColor, form->FBack})
      EXPECT_EQ(panel->btnPick->Hint() == kNoPicker, !row.canPick);
    if (portal != nullptr) {
      EXPECT_EQ(portal->Calls().size(), 0u);
    }
    Close();
  }
}

// The desktop's picker stays up: the button stays pressed, further presses
// start nothing, and closing the window closes the request.
TEST_F(PortalPickTest, ClosingTheWindowClosesAnUnansweredPick) {
  TStandInPortal portal(address, {A{A::saNever}});
  ASSERT_TRUE(portal.Registered());
  Open();
  PressPickButton(form->FBack);
  ASSERT_TRUE(QTest::qWaitFor([&] { return portal.OpenRequests() == 1; }, 5000));
  PressPickButton(form->FBack);
  PressPickButton(form->FColor);
  QTest::qWait(100);
  EXPECT_EQ(portal.Calls().size(), 1u);
  EXPECT_EQ(form->FBack->btnPick->ImageIndex(), 1);
  EXPECT_EQ(form->FColor->btnPick->ImageIndex(), 0);
  EXPECT_TRUE(form->Picking());
  form->close();
  form.reset();
  ASSERT_TRUE(QTest::qWaitFor([&] { return portal.OpenRequests() == 0; }, 5000));
  EXPECT_EQ(portal.Closed(), QStringList{portal.Calls()[0].Request});
}

// A pick the portal never answers ends as a cancel when the portal leaves
// the bus, or at the time limit (which also closes the request): the button
// is idle again, the colour unchanged, and the next pick takes its answer.
TEST_F(PortalPickTest, AnUnansweredPickEndsWhenThePortalGoesOrTimeRunsOut) {
  for (const bool leaves : {true, false}) {
    SCOPED_TRACE(leaves ? "portal leaves" : "time limit");
    TPortalTimeLimitOverride limit(std::chrono::milliseconds(leaves ? 60000 : 400));
    auto portal = std::make_unique<TStandInPortal>(
        address, std::vector<A>{A{A::saNever}, A{A::saColour, 0.2, 0.4, 0.6}});
    ASSERT_TRUE(portal->Registered());
    Open();
    PressPickButton(form->FBack);
    ASSERT_TRUE(QTest::qWaitFor([&] { return portal->OpenRequests() == 1; }, 5000));
    const QString request = portal->Calls()[0].Request;
    if (leaves) {
      portal.reset();
      portal = std::make_unique<TStandInPortal>(
          address, std::vector<A>{A{A::saColour, 0.2, 0.4, 0.6}});  // started again
    }
    ASSERT_TRUE(AwaitAnswer());
    EXPECT_EQ(form->FBack->btnPick->ImageIndex(), 0);
    EXPECT_EQ(form->FBack->edValue->Text(), "000000");
    EXPECT_TRUE(form->FBack->btnPick->isEnabled());
    if (!leaves) {
      EXPECT_TRUE(QTest::qWaitFor([&] { return portal->OpenRequests() == 0; }, 5000));
      EXPECT_EQ(portal->Closed(), QStringList{request});
    }
    PressPickButton(form->FBack);
    ASSERT_TRUE(AwaitAnswer());
    EXPECT_EQ(form->FBack->edValue->Text(), "336699");
    Close();
  }
}

}  // namespace
}  // namespace marnova
