#include "platform/screen/PortalColorPick.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QVariantMap>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace marnova {
namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kObject = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kScreenshot = QStringLiteral("org.freedesktop.portal.Screenshot");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");
// PickColor came with version 2 of the Screenshot interface.
constexpr uint kFirstPickingVersion = 2;
// Answers of Request.Response.
constexpr uint kResponseSuccess = 0, kResponseCancelled = 1;
// How long closing a request may hold up the end of the program.
constexpr int kCloseFlushMs = 1000;

std::optional<bool> gOverride;
std::chrono::milliseconds gTimeLimit = kPortalAnswerTimeLimit;

// Handle tokens are unique for the whole run, so that a new pick never
// listens on the path of an earlier request.
quint64 gTokens = 0;

QDBusConnection Bus() {
  return QDBusConnection::sessionBus();
}

// Errors that say the portal has no picker at all, as against one that
// failed this time.
bool MeansNoPicker(const QDBusError& error) {
  switch (error.type()) {
    case QDBusError::ServiceUnknown:
    case QDBusError::UnknownObject:
    case QDBusError::UnknownInterface:
    case QDBusError::UnknownMethod:
      return true;
    default:
      return false;
  }
}

int Channel(double value) {
  // Clamped before rounding, so qRound never leaves the range of int.
  return qRound(std::clamp(value, 0.0, 1.0) * 255);
}

}  // namespace

bool UsePortalPick() {
  if (gOverride) return *gOverride;
  const QString platform = QGuiApplication::platformName();
  if (platform.startsWith(QLatin1String("wayland"))) return true;
  if (platform != QLatin1String("xcb")) return false;
  return qgetenv("XDG_SESSION_TYPE") == "wayland" ||
         !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

TPortalPickOverride::TPortalPickOverride(bool portal) : FPrevious(gOverride) {
  gOverride = portal;
}

TPortalPickOverride::~TPortalPickOverride() {
  gOverride = FPrevious;
}

TPortalTimeLimitOverride::TPortalTimeLimitOverride(std::chrono::milliseconds limit)
    : FPrevious(gTimeLimit) {
  gTimeLimit = limit;
}

TPortalTimeLimitOverride::~TPortalTimeLimitOverride() {
  gTimeLimit = FPrevious;
}

std::optional<TColor> PortalColor(const QVariant& value) {
  if (value.userType() != qMetaTypeId<QDBusArgument>()) return std::nullopt;
  const QDBusArgument argument = value.value<QDBusArgument>();
  if (argument.currentSignature() != QLatin1String("(ddd)")) return std::nullopt;
  double rgb[3] = {};
  argument.beginStructure();
  argument >> rgb[0] >> rgb[1] >> rgb[2];
  argument.endStructure();
  if (!std::all_of(std::begin(rgb), std::end(rgb), [](double v) { return std::isfinite(v); }))
    return std::nullopt;
  return PackColor(Channel(rgb[0]), Channel(rgb[1]), Channel(rgb[2]));
}

TPortalColorPick::TPortalColorPick() {
  FTimeLimit.setSingleShot(true);
  connect(&FTimeLimit, &QTimer::timeout, this, [this] {
    if (!Open()) return;
    CloseRequest();  // the desktop's picker goes away with it
    Finish({TPortalResult::prFailed});
  });
}

TPortalColorPick::~TPortalColorPick() {
  if (!Open() || FRequestPath.isEmpty()) return;
  CloseRequest();
  // A round trip to the bus itself after the Close makes sure it has left
  // before the program ends; a portal that hangs cannot hold us up, the
  // bus answers on its own.
  Bus().call(QDBusMessage::createMethodCall(
                 QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                 QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetId")),
             QDBus::Block, kCloseFlushMs);
}

bool TPortalColorPick::Start(const QWidget& window, TDone done) {
  if (Open() || !done) return false;
  FDone = std::move(done);
  ++FSerial;
  FTimeLimit.start(gTimeLimit);
  FParentWindow = QGuiApplication::platformName() == QLatin1String("xcb")
                      ? QStringLiteral("x11:") + QString::number(window.window()->winId(), 16)
                      : QString();
  QDBusConnection bus = Bus();
  if (!bus.isConnected()) {
    // No session bus, so no portal; answered from the event loop as always.
    QMetaObject::invokeMethod(
        this,
        [this, serial = FSerial] {
          if (serial == FSerial) Finish({TPortalResult::prUnavailable});
        },
        Qt::QueuedConnection);
    return true;
  }
  if (FPortalWatch == nullptr) {
    // A portal that exits or is replaced mid-pick never answers its
    // requests; one that is started for our call is no reason to stop.
    FPortalWatch = std::make_unique<QDBusServiceWatcher>(kService, bus,
                                                         QDBusServiceWatcher::WatchForOwnerChange);
    connect(FPortalWatch.get(), &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString& oldOwner, const QString&) {
              if (Open() && !oldOwner.isEmpty()) Finish({TPortalResult::prFailed});
            });
  }
  QDBusMessage get = QDBusMessage::createMethodCall(
      kService, kObject, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
  get << kScreenshot << QStringLiteral("version");
  Await(new QDBusPendingCallWatcher(bus.asyncCall(get), this), &TPortalColorPick::VersionRead);
  return true;
}

void TPortalColorPick::Await(QDBusPendingCallWatcher* call,
                             void (TPortalColorPick::*handler)(QDBusPendingCallWatcher&)) {
  connect(call, &QDBusPendingCallWatcher::finished, this,
          [this, handler, serial = FSerial](QDBusPendingCallWatcher* reply) {
            reply->deleteLater();
            if (serial == FSerial && Open()) (this->*handler)(*reply);
          });
}

void TPortalColorPick::VersionRead(QDBusPendingCallWatcher& reply) {
  const QDBusPendingReply<QDBusVariant> version = reply;
  if (version.isError() || version.value().variant().toUInt() < kFirstPickingVersion) {
    Finish({TPortalResult::prUnavailable});
    return;
  }
  QDBusConnection bus = Bus();
  const QString token = QStringLiteral("marnova_%1").arg(++gTokens);
  // The portal answers on a request object named after our unique bus name
  // and the token. Listening there before the call means an answer sent
  // before the call returns is not lost.
  QString sender = bus.baseService().mid(1);
  sender.replace(QLatin1Char('.'), QLatin1Char('_'));
  Listen(kObject + QStringLiteral("/request/") + sender + QLatin1Char('/') + token);
  QDBusMessage call =
      QDBusMessage::createMethodCall(kService, kObject, kScreenshot, QStringLiteral("PickColor"));
  call << FParentWindow << QVariantMap{{QStringLiteral("handle_token"), token}};
  Await(new QDBusPendingCallWatcher(bus.asyncCall(call), this), &TPortalColorPick::Called);
}

void TPortalColorPick::Called(QDBusPendingCallWatcher& reply) {
  const QDBusPendingReply<QDBusObjectPath> handle = reply;
  if (handle.isError()) {
    Finish(
        {MeansNoPicker(handle.error()) ? TPortalResult::prUnavailable : TPortalResult::prFailed});
    return;
  }
  // Portals older than handle tokens name the request themselves.
  const QString path = handle.value().path();
  if (path != FRequestPath) {
    StopListening();
    Listen(path);
  }
}

void TPortalColorPick::Responded(const QDBusMessage& message) {
  if (!Open()) return;
  // Every Response signal on the request arrives here, whatever its
  // arguments, so that one without its results, or with other types, ends
  // the pick (as failed) instead of going unheard.
  TPortalAnswer answer{TPortalResult::prFailed};
  if (message.signature() == QLatin1String("ua{sv}")) {
    const uint response = message.arguments().at(0).toUInt();
    const QVariantMap results = qdbus_cast<QVariantMap>(message.arguments().at(1));
    if (response == kResponseCancelled) answer = {TPortalResult::prCancelled};
    if (response == kResponseSuccess) {
      if (const std::optional<TColor> color = PortalColor(results.value(QStringLiteral("color"))))
        answer = {TPortalResult::prPicked, *color};
    }
  }
  Finish(answer);
}

void TPortalColorPick::Listen(const QString& requestPath) {
  FRequestPath = requestPath;
  Bus().connect(kService, FRequestPath, kRequest, QStringLiteral("Response"), this,
                SLOT(Responded(QDBusMessage)));
}

void TPortalColorPick::StopListening() {
  if (FRequestPath.isEmpty()) return;
  Bus().disconnect(kService, FRequestPath, kRequest, QStringLiteral("Response"), this,
                   SLOT(Responded(QDBusMessage)));
  FRequestPath.clear();
}

void TPortalColorPick::CloseRequest() {
  if (FRequestPath.isEmpty()) return;
  const QString request = FRequestPath;
  StopListening();
  // Nobody waits for the answer to Close.
  Bus().send(QDBusMessage::createMethodCall(kService, request, kRequest, QStringLiteral("Close")));
}

void TPortalColorPick::Finish(TPortalAnswer answer) {
  StopListening();
  FTimeLimit.stop();
  ++FSerial;  // replies still on their way belong to a finished pick
  // Closed before the owner hears of it, so the owner may start the next
  // pick from inside `done`.
  const TDone done = std::move(FDone);
  FDone = nullptr;
  done(answer);
}

}  // namespace marnova
