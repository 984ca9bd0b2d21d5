#pragma once
// Names the window descriptions use for cursors and frames, the
// notification type of control events, and the named colours (from
// ColorConstants.h). System colours are resolved each time they are painted,
// so a palette change shows at the next repaint.

#include <QColor>
#include <QObject>
#include <functional>
#include <utility>

#include "ui/widgets/ColorConstants.h"

namespace marnova {

// An event with only the sender, e.g. OnChange, OnClick, OnTimer.
using TNotifyEvent = std::function<void(QObject* Sender)>;

// Cursor names of the window descriptions.
inline constexpr Qt::CursorShape crDefault = Qt::ArrowCursor;
inline constexpr Qt::CursorShape crHandPoint = Qt::PointingHandCursor;
inline constexpr Qt::CursorShape crHelp = Qt::WhatsThisCursor;

// Frame kinds shared by the slider's bevels and the panel. Controls that
// publish such properties derive from this, so that a description can name
// the values unqualified.
struct TFrameKinds {
  enum TBevelCut { bvNone, bvLowered, bvRaised };
  enum TBorderStyle { bsNone, bsSingle };
};

}  // namespace marnova

namespace marnova {

// Runs an event if one is assigned. The handler runs from a copy, so it may
// reassign the event, or destroy the control that holds it, while it runs.
template <class Event, class... Args>
void Fire(const Event& event, Args&&... args) {
  if (!event) return;
  Event handler = event;
  handler(std::forward<Args>(args)...);
}

}  // namespace marnova
