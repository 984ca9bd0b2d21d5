// The main window's pick through the desktop portal, for sessions whose
// screen no program may read.
#include <QPointer>
#include <QTimer>

#include "platform/screen/PortalAvailability.h"
#include "platform/screen/PortalColorPick.h"
#include "ui/MainUnit.h"

namespace marnova {

namespace {

const QString kNoPickerHint =
    QStringLiteral("Prelievo dallo schermo non disponibile in questa sessione");

}  // namespace

void TFormMain::StartPortalPick(TFrameHsvCtrl& frame) {
  if (FPortalPick == nullptr) FPortalPick = std::make_unique<TPortalColorPick>();
  const QPointer<TFrameHsvCtrl> picked = &frame;
  const bool started = FPortalPick->Start(
      *this, [this, picked](const TPortalAnswer& answer) { PortalAnswered(picked, answer); });
  // The desktop's picker is already up for the other panel: one at a time.
  if (!started) frame.EndPick();
}

void TFormMain::PortalAnswered(TFrameHsvCtrl* frame, const TPortalAnswer& answer) {
  if (frame != nullptr) {
    frame->EndPick();
    if (answer.Result == TPortalResult::prPicked) frame->SetSelectedColor(answer.Color);
  }
  if (answer.Result == TPortalResult::prUnavailable) DisablePortalPicks();
}

void TFormMain::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  if (FPortalAsked || !UsePortalPick()) return;
  FPortalAsked = true;
  // Asked once this paint has reached the screen, so that start-up never
  // waits for the session bus; the buttons keep working until the answer.
  QTimer::singleShot(0, this,
                     [this] { WhenPortalCannotPick(*this, [this] { DisablePortalPicks(); }); });
}

void TFormMain::DisablePortalPicks() {
  // Nothing on this session can pick, so neither button offers to.
  for (TFrameHsvCtrl* panel : {FColor, FBack}) {
    panel->btnPick->setEnabled(false);
    panel->btnPick->setHint(kNoPickerHint);
  }
}

}  // namespace marnova
