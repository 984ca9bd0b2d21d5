#pragma once
// A picture control's picture while the control is disabled: drawn greyed
// the way the style greys a disabled icon, in the same place and size.

#include <functional>

class QPainter;
class QWidget;

namespace marnova {

// Runs `draw` on a transparent layer the size of `widget` (at the painter's
// device pixel ratio), lets `widget`'s style turn the layer into its
// disabled form (QStyle::generatedIconPixmap with QIcon::Disabled) and puts
// that onto `painter` at the widget's top-left corner.
void DrawGreyed(QPainter& painter, const QWidget& widget,
                const std::function<void(QPainter& layer)>& draw);

}  // namespace marnova
