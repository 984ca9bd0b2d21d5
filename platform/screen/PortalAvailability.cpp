#include "platform/screen/PortalAvailability.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QMetaObject>

namespace marnova {

namespace {

// PickColor came with version 2 of the Screenshot interface.
constexpr uint kFirstPickingVersion = 2;

// A portal too slow to answer may still pick when asked again; only a
// definite answer disables picking.
bool UnknownYet(const QDBusError& error) {
  return error.type() == QDBusError::Timeout || error.type() == QDBusError::NoReply ||
         error.type() == QDBusError::TimedOut;
}

}  // namespace

void WhenPortalCannotPick(QObject& context, std::function<void()> cannotPick) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    QMetaObject::invokeMethod(&context, std::move(cannotPick), Qt::QueuedConnection);
    return;
  }
  QDBusMessage get = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.portal.Desktop"),
      QStringLiteral("/org/freedesktop/portal/desktop"),
      QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
  get << QStringLiteral("org.freedesktop.portal.Screenshot") << QStringLiteral("version");
  // Owned by `context`, so the answer dies with it.
  auto* call = new QDBusPendingCallWatcher(bus.asyncCall(get), &context);
  QObject::connect(call, &QDBusPendingCallWatcher::finished, &context,
                   [cannotPick = std::move(cannotPick)](QDBusPendingCallWatcher* reply) {
                     reply->deleteLater();
                     const QDBusPendingReply<QDBusVariant> version = *reply;
                     if (version.isError()
                             ? !UnknownYet(version.error())
                             : version.value().variant().toUInt() < kFirstPickingVersion)
                       cannotPick();
                   });
}

}  // namespace marnova
