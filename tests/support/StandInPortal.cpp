#include "support/StandInPortal.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusVirtualObject>

namespace marnova {
namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kObject = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");

int gConnections = 0;

}  // namespace

// One open request: answers Close, as the portal's request objects do.
class TStandInRequest final : public QDBusVirtualObject {
 public:
  TStandInRequest(TStandInPortal& portal, QString path) : FPortal(portal), FPath(std::move(path)) {}
  const QString& Path() const { return FPath; }
  QString introspect(const QString&) const override { return {}; }
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    if (message.interface() != kRequest || message.member() != QLatin1String("Close")) return false;
    connection.send(message.createReply());
    FPortal.RequestClosed(FPath);  // destroys this object
    return true;
  }

 private:
  TStandInPortal& FPortal;
  QString FPath;
};

bool ParseStandInAnswer(const QString& text, TStandInAnswer& answer) {
  static const std::pair<const char*, TStandInAnswer::TKind> kinds[] = {
      {"cancel", TStandInAnswer::saCancel},       {"other", TStandInAnswer::saOther},
      {"error", TStandInAnswer::saError},         {"never", TStandInAnswer::saNever},
      {"noresults", TStandInAnswer::saNoResults}, {"wrongtypes", TStandInAnswer::saWrongTypes}};
  for (const auto& [name, kind] : kinds) {
    if (text == QLatin1String(name)) {
      answer = {kind};
      return true;
    }
  }
  if (!text.startsWith(QLatin1String("colour:"))) return false;
  const QStringList parts = text.mid(7).split(QLatin1Char(','));
  if (parts.size() != 3) return false;
  double rgb[3];
  for (int i = 0; i < 3; ++i) {
    bool ok = false;
    rgb[i] = parts[i].toDouble(&ok);
    if (!ok) return false;
  }
  answer = {TStandInAnswer::saColour, rgb[0], rgb[1], rgb[2]};
  return true;
}

TStandInPortal::TStandInPortal(const QString& address, std::vector<TStandInAnswer> answers,
                               TOptions options)
    : FConnectionName(QStringLiteral("standin-portal-%1").arg(++gConnections)),
      FBus(QDBusConnection::connectToBus(address, FConnectionName)),
      FAnswers(std::move(answers)),
      FOptions(options) {
  const QString interface = FOptions.Screenshot
                                ? QStringLiteral("org.freedesktop.portal.Screenshot")
                                : QStringLiteral("org.freedesktop.portal.Settings");
  FRegistered =
      FBus.isConnected() &&
      FBus.registerObject(kObject, interface, this,
                          QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties) &&
      FBus.registerService(kService);
}

TStandInPortal::~TStandInPortal() {
  FBus.unregisterService(kService);
  FBus.unregisterObject(kObject);
  for (const auto& request : FOpen) FBus.unregisterObject(request->Path());
  QDBusConnection::disconnectFromBus(FConnectionName);
}

QDBusObjectPath TStandInPortal::PickColor(const QString& parent_window,
                                          const QVariantMap& options) {
  QString sender = message().service().mid(1);
  sender.replace(QLatin1Char('.'), QLatin1Char('_'));
  const QString path = kObject + QStringLiteral("/request/") + sender + QLatin1Char('/') +
                       options.value(QStringLiteral("handle_token")).toString();
  FCalls.push_back({parent_window, path});
  Tell(QStringLiteral("call ") + parent_window);
  const TStandInAnswer answer =
      FAnswers.empty() ? TStandInAnswer{} : FAnswers[std::min(FCalls.size(), FAnswers.size()) - 1];
  if (answer.Kind == TStandInAnswer::saError) {
    sendErrorReply(QStringLiteral("org.freedesktop.portal.Error.Failed"),
                   QStringLiteral("the stand-in fails this call"));
    return {};
  }
  if (answer.Kind == TStandInAnswer::saNever) {
    FOpen.push_back(std::make_unique<TStandInRequest>(*this, path));
    FBus.registerVirtualObject(path, FOpen.back().get());
    return QDBusObjectPath(path);
  }
  QVariantMap results;
  uint response = answer.Kind == TStandInAnswer::saCancel ? 1 : 2;
  if (answer.Kind == TStandInAnswer::saColour) {
    response = 0;
    QDBusArgument colour;
    colour.beginStructure();
    colour << answer.R << answer.G << answer.B;
    colour.endStructure();
    results.insert(QStringLiteral("color"), QVariant::fromValue(colour));
  }
  // The answer goes out before the reply to the call.
  QDBusMessage signal = QDBusMessage::createSignal(path, kRequest, QStringLiteral("Response"));
  if (answer.Kind == TStandInAnswer::saNoResults)
    signal << 0u;
  else if (answer.Kind == TStandInAnswer::saWrongTypes)
    signal << QStringLiteral("0") << 42;
  else
    signal << response << results;
  FBus.send(signal);
  return QDBusObjectPath(path);
}

void TStandInPortal::RequestClosed(const QString& path) {
  FClosed << path;
  Tell(QStringLiteral("close ") + path);
  FBus.unregisterObject(path);
  std::erase_if(FOpen, [&path](const auto& request) { return request->Path() == path; });
}

void TStandInPortal::Tell(const QString& line) {
  if (OnEvent) OnEvent(line);
}

}  // namespace marnova
