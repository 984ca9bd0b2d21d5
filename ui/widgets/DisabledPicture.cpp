#include "ui/widgets/DisabledPicture.h"

#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>

namespace marnova {

void DrawGreyed(QPainter& painter, const QWidget& widget,
                const std::function<void(QPainter& layer)>& draw) {
  const qreal ratio = painter.device()->devicePixelRatioF();
  QPixmap layer(widget.size() * ratio);
  layer.setDevicePixelRatio(ratio);
  layer.fill(Qt::transparent);
  {
    QPainter onLayer(&layer);
    draw(onLayer);
  }
  QStyleOption option;
  option.initFrom(&widget);
  painter.drawPixmap(0, 0, widget.style()->generatedIconPixmap(QIcon::Disabled, layer, &option));
}

}  // namespace marnova
