#pragma once
// The real screen: Qt's screens, cursor and mouse grab.
#include "platform/screen/ScreenAccess.h"

namespace marnova {

class TQtScreen final : public TScreenAccess {
 public:
  std::unique_ptr<TPointerGrab> GrabPointer(QWidget& window) override;
  QPoint CursorPos() const override;
  void SetCursorPos(QPoint at) override;
  bool IsMinimised(const QWidget& window) const override;
  std::unique_ptr<TScreenDevice> OpenScreen() override;
  void ActivateWindow(QWidget& window) override;
  void RaiseWindow(QWidget& window) override;
};

}  // namespace marnova
