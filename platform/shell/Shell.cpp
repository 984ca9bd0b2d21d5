#include "platform/shell/Shell.h"

#include <QDesktopServices>
#include <QUrl>
#include <utility>

namespace marnova {
namespace {

OpenHandler& Handler() {
  static OpenHandler handler;
  return handler;
}

QUrl TargetUrl(const QString& target) {
  const QString trimmed = target.trimmed();
  if (trimmed.isEmpty()) return {};
  return QUrl::fromUserInput(trimmed);
}

}  // namespace

bool OpenTarget(const QString& target) {
  const QUrl url = TargetUrl(target);
  if (!url.isValid()) return false;
  if (Handler()) return Handler()(target);
  return QDesktopServices::openUrl(url);
}

bool IsWebTarget(const QString& target) {
  const QUrl url = TargetUrl(target);
  if (!url.isValid()) return false;
  const QString scheme = url.scheme().toLower();
  if (scheme == QLatin1String("mailto")) return !url.path().isEmpty();
  const bool web = scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
                   scheme == QLatin1String("ftp");
  return web && !url.host().isEmpty();
}

OpenHandler SetOpenHandler(OpenHandler handler) {
  return std::exchange(Handler(), std::move(handler));
}

ScopedOpenHandler::ScopedOpenHandler(OpenHandler handler)
    : FPrevious(SetOpenHandler(std::move(handler))) {}

ScopedOpenHandler::~ScopedOpenHandler() {
  SetOpenHandler(std::move(FPrevious));
}

}  // namespace marnova
