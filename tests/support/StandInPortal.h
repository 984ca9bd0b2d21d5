#pragma once
// A stand-in for the desktop portal's Screenshot interface on a private
// session bus: it owns org.freedesktop.portal.Desktop and answers each
// PickColor call with the next answer of its list, the way a desktop's
// picker would (a colour, a cancel, ...). Link marnova_standin_portal.
//
// An answer's Response is sent before the reply to the call, so a client
// that starts listening only after the call returns misses it.
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusObjectPath>
#include <QObject>
#include <QStringList>
#include <QVariantMap>
#include <functional>
#include <memory>
#include <vector>

namespace marnova {

class TStandInRequest;

struct TStandInAnswer {
  enum TKind {
    saColour,     // Response 0 with "color" (R, G, B)
    saCancel,     // Response 1
    saOther,      // Response 2
    saError,      // the call itself fails with org.freedesktop.portal.Error.Failed
    saNever,      // the request stays open until the client closes it
    saNoResults,  // Response 0 without its results dictionary
    saWrongTypes  // Response with a text and a number in place of (u, a{sv})
  };
  TKind Kind = saCancel;
  double R = 0, G = 0, B = 0;
};

// Parses "colour:R,G,B", "cancel", "other", "error", "never", "noresults" or
// "wrongtypes".
bool ParseStandInAnswer(const QString& text, TStandInAnswer& answer);

class TStandInPortal final : public QObject, protected QDBusContext {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")
  Q_PROPERTY(uint version READ version)

 public:
  struct TOptions {
    uint Version = 2;
    bool Screenshot = true;  // false: the object offers another interface only
  };
  struct TCall {
    QString ParentWindow;
    QString Request;  // the request path it answered on
  };

  // Connects to the bus at `address` under its own connection; Registered()
  // tells whether it got the portal's name.
  TStandInPortal(const QString& address, std::vector<TStandInAnswer> answers, TOptions options);
  TStandInPortal(const QString& address, std::vector<TStandInAnswer> answers)
      : TStandInPortal(address, std::move(answers), TOptions{}) {}
  ~TStandInPortal() override;

  bool Registered() const { return FRegistered; }
  const std::vector<TCall>& Calls() const { return FCalls; }
  // Requests the client closed, and those still open.
  const QStringList& Closed() const { return FClosed; }
  int OpenRequests() const { return static_cast<int>(FOpen.size()); }
  // Told of every call and close, as one line ("call x11:1a00003",
  // "close /org/...").
  std::function<void(const QString&)> OnEvent;

  uint version() const { return FOptions.Version; }

 public slots:
  QDBusObjectPath PickColor(const QString& parent_window, const QVariantMap& options);

 private:
  friend class TStandInRequest;
  void RequestClosed(const QString& path);
  void Tell(const QString& line);

  QString FConnectionName;
  QDBusConnection FBus;
  std::vector<TStandInAnswer> FAnswers;
  TOptions FOptions;
  bool FRegistered = false;
  std::vector<TCall> FCalls;
  QStringList FClosed;
  std::vector<std::unique_ptr<TStandInRequest>> FOpen;
};

}  // namespace marnova
