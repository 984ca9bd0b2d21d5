#pragma once
// Picking on a desktop whose screen no program may read (a Wayland session):
// the desktop's own picker, asked for one colour through the desktop portal
// (org.freedesktop.portal.Screenshot.PickColor on the session bus). The
// live picker of ScreenAccess.h serves every other desktop; UsePortalPick()
// is the one place that chooses between the two.
//
// The exchange is asynchronous: the window keeps painting and answering
// while the desktop's picker is up, and the answer comes later from the
// event loop.
#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include "colour/ColorModel.h"

class QDBusPendingCallWatcher;
class QDBusServiceWatcher;
class QWidget;

namespace marnova {

// True when picks go through the portal: the Qt platform is Wayland, or we
// run as an X11 client while the environment says the session is Wayland
// (XDG_SESSION_TYPE=wayland, or WAYLAND_DISPLAY set), where XWayland shows
// an X11 client nothing but its own windows.
bool UsePortalPick();

// Makes UsePortalPick() answer `portal` for the override's lifetime; the
// previous answer comes back when it is destroyed. Overrides nest.
class TPortalPickOverride {
 public:
  explicit TPortalPickOverride(bool portal);
  ~TPortalPickOverride();
  TPortalPickOverride(const TPortalPickOverride&) = delete;
  TPortalPickOverride& operator=(const TPortalPickOverride&) = delete;

 private:
  std::optional<bool> FPrevious;
};

// How long a pick waits for the portal's answer. Past it the pick ends as
// failed and its request is closed: a desktop picker that never answers
// must not keep the pick button pressed for good.
inline constexpr std::chrono::milliseconds kPortalAnswerTimeLimit = std::chrono::minutes(5);

// Picks started during its lifetime wait `limit` instead; tests shorten it.
class TPortalTimeLimitOverride {
 public:
  explicit TPortalTimeLimitOverride(std::chrono::milliseconds limit);
  ~TPortalTimeLimitOverride();
  TPortalTimeLimitOverride(const TPortalTimeLimitOverride&) = delete;
  TPortalTimeLimitOverride& operator=(const TPortalTimeLimitOverride&) = delete;

 private:
  std::chrono::milliseconds FPrevious;
};

enum class TPortalResult {
  prPicked,      // the user chose a colour
  prCancelled,   // the user closed the desktop's picker
  prFailed,      // the portal gave up, answered an error, an unreadable colour or a
                 // malformed answer, left the bus, or did not answer in time
  prUnavailable  // no portal, no Screenshot interface, or one too old to pick
};

struct TPortalAnswer {
  TPortalResult Result = TPortalResult::prFailed;
  TColor Color = 0;  // prPicked only
};

// The colour of a portal answer's "color" entry, three doubles 0..1: each
// channel qRound(v * 255), clamped to 0..255. Empty when the value is not
// three doubles or one of them is not finite.
std::optional<TColor> PortalColor(const QVariant& value);

// One portal pick at a time. Destroying it while a pick is open closes the
// portal's request (org.freedesktop.portal.Request.Close) and calls nothing.
// Every pick ends: with the portal's answer, whatever its form; when the
// portal leaves the bus; or at the time limit.
class TPortalColorPick final : public QObject {
  Q_OBJECT

 public:
  using TDone = std::function<void(const TPortalAnswer&)>;

  TPortalColorPick();
  ~TPortalColorPick() override;

  // Asks the portal for a colour for `window` (its parent window when we
  // are an X11 client). `done` runs once with the answer, later, from the
  // event loop, never inside this call. While a pick is open, or without a
  // `done`, this returns false and does nothing.
  bool Start(const QWidget& window, TDone done);
  // From Start until just before `done` runs.
  bool Open() const { return FDone != nullptr; }

 private slots:
  void Responded(const QDBusMessage& message);

 private:
  void VersionRead(QDBusPendingCallWatcher& reply);
  void Called(QDBusPendingCallWatcher& reply);
  // Waits for `call` to finish, then runs `handler` if this pick is still
  // the one that made the call.
  void Await(QDBusPendingCallWatcher* call,
             void (TPortalColorPick::*handler)(QDBusPendingCallWatcher&));
  void Listen(const QString& requestPath);
  void StopListening();
  void CloseRequest();
  void Finish(TPortalAnswer answer);

  TDone FDone;
  QString FParentWindow;
  QString FRequestPath;  // the request listened on; empty when none
  quint64 FSerial = 0;   // counts picks, so late replies of an earlier one are ignored
  QTimer FTimeLimit;     // from Start to Finish
  std::unique_ptr<QDBusServiceWatcher> FPortalWatch;  // made at the first pick on a bus
};

}  // namespace marnova
