#include "ui/MainUnit.h"

#include <QCoreApplication>
#include <QShortcut>
#include <QShowEvent>
#include <QTimer>
#include <functional>

#include "colour/Contrast.h"
#include "colour/WcagContrast.h"
#include "platform/screen/PortalColorPick.h"
#include "platform/screen/ScreenAccess.h"
#include "services/AppInfo.h"
#include "services/UpdateNotice.h"
#include "services/uAdvHttp.h"
#include "ui/DataModule.h"
#include "ui/FixedSizeWindow.h"
#include "ui/QuorvelUnit.h"
#include "ui/ScreenPick.h"
#include "ui/UpdateUnit.h"
#include "ui/WindowAccessibility.h"
#include "ui/WindowDescription.h"
#include "ui/WindowPlacement.h"
#include "ui/imagelist/ImageListLayout.h"
#include "ui/widgets/TTimer.h"
#include "ui/widgets/TextFont.h"

namespace marnova {

TFormMain* FormMain = nullptr;

namespace {

// Pictures of the "Semaphore" list.
constexpr int kLightPasses = 0, kLightUndetermined = 1, kLightFails = 2;
constexpr QRgb kFormColor = 0xE5E5E5;
// What the two lights judge, as a screen reader names them.
const QString kBrightnessFigure = QStringLiteral("Luminosità");
const QString kColourFigure = QStringLiteral("Colore");

RGBTriple TripleOf(const TFrameHsvCtrl& panel) {
  return {panel.Red(), panel.Green(), panel.Blue()};
}

// Shows a verdict on a traffic light and gives it the words a screen reader
// speaks; a changed name is announced to assistive technology.
void ShowLight(TLMDLImage& light, const QString& figure, int picture) {
  light.setImageIndex(picture);
  const QString verdict = picture == kLightPasses  ? QStringLiteral("superato")
                          : picture == kLightFails ? QStringLiteral("non superato")
                                                   : QStringLiteral("non determinato");
  const QString name = figure + QStringLiteral(": ") + verdict;
  // Qt announces the new name itself.
  if (light.accessibleName() != name) light.setAccessibleName(name);
}

}  // namespace

TFormMain::TFormMain(QWidget* parent) : QWidget(parent) {
  if (FormMain == nullptr) FormMain = this;
  InstallWindowAccessibility();
  setupUi(this);

  // The window's own settings: a fixed client area at a fixed place, always
  // on top, with a minimise box but no maximise box.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
  setFixedSize(618, 348);
  KeepFixedSize(*this);
  move(650, 355);
  setFont(FontWithHeight(font(), -11));
  QPalette colours = palette();
  colours.setColor(QPalette::Window, QColor(kFormColor));
  setPalette(colours);

  // Non-visual components, in description order.
  Timer = new TTimer(this);
  Timer->setObjectName("Timer");
  Timer->setEnabled(false);
  Timer->setInterval(50);
  Timer->OnTimer = std::bind_front(&TFormMain::TimerTimer, this);
  TimerUpdate = new TTimer(this);  // enabled, 1000 ms: counts from here
  TimerUpdate->setObjectName("TimerUpdate");
  TimerUpdate->OnTimer = std::bind_front(&TFormMain::TimerUpdateTimer, this);
  AdvHttp = new TAdvHttp(this);
  AdvHttp->setObjectName("AdvHttp");
  AdvHttp->SetConnectTimeout(30000);
  AdvHttp->SetRaiseExceptions(false);
  AdvHttp->SetUserAgent(QStringLiteral("Brevant WinInet Component"));
  AdvHttp->SetURL(QStringLiteral("http://" MARNOVA_UPDATE_HOST "/marnova.txt"));
  AdvHttp->SetURLPath(QStringLiteral("/marnova.txt"));
  AdvHttp->SetHostName(QStringLiteral(MARNOVA_UPDATE_HOST_NAME));  // the URL keeps the port
  AdvHttp->SetMethod(QStringLiteral("GET"));
  AdvHttp->SetAuthRetries(3);
  AdvHttp->SetInternetFlags(TAdvHttp::ifIgnoreCertCnInvalid | TAdvHttp::ifIgnoreCertDateInvalid |
                            TAdvHttp::ifIgnoreRedirectToHttp | TAdvHttp::ifIgnoreRedirectToHttps |
                            TAdvHttp::ifKeepConnection | TAdvHttp::ifNoUi | TAdvHttp::ifReload);
  AdvHttp->OnDataAvailable = std::bind_front(&TFormMain::AdvHttpDataAvailable, this);

  LMDLImage->OnClick = std::bind_front(&TFormMain::LMDLImageClick, this);
  FinishDescription(this);
  // Owned by the window.
  new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this, [this] { SwapColors(); });

  // Tab runs memo, text panel, background panel, link, sponsor and round
  // again. The chain is laid through the controls themselves: ordering the
  // panels as wholes leaves the controls inside them where they were.
  QList<QWidget*> chain{Memo1};
  chain << FColor->TabStops() << FBack->TabStops() << lbHome << LMDLImage;
  for (qsizetype i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
  Memo1->setFocus();
}

TFormMain::~TFormMain() {
  if (FormMain == this) FormMain = nullptr;
}

void TFormMain::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (FShown) return;
  FShown = true;
  // The described place, unless that leaves part of the window off its
  // screen (a small or scaled screen).
  PlaceWindow(*this, pos());
  FormShow(this);
}

void TFormMain::FormShow(QObject*) {
  // Qt paints every window through a back buffer already.
  Memo1->Lines().Clear();
  Memo1->setDoubleBuffered(true);
  Memo1->Lines().Add(QStringLiteral("Scrivi qui un testo di prova..."));

  FPick.reset();  // the picker is idle from here on

  const auto wire = [this](TFrameHsvCtrl* panel, const QString& pickHint) {
    panel->OnColorChanged = [this] { ShowContrast(); };
    panel->OnPickRequest = std::bind_front(&TFormMain::StartPick, this);
    panel->btnPick->setSharedImageList(true);
    panel->btnPick->setListIndex(ilButtons);
    panel->btnPick->setHint(pickHint);
  };
  // A pasted text colour with alpha lies over the background colour; a
  // background colour over the page's white (the panel's own default).
  FColor->OnPasteBackdrop = [this] { return FBack->SelectedColor(); };
  for (TFrameHsvCtrl* panel : {FColor, FBack})
    panel->OnSwapRequest = [this](TFrameHsvCtrl*) { SwapColors(); };
  wire(FColor, QStringLiteral("Preleva il COLOR dallo schermo!"));
  FColor->SetRGB(255, 255, 255);
  wire(FBack, QStringLiteral("Preleva il BACKGROUND-COLOR dallo schermo!"));
  FBack->SetRGB(0, 0, 0);

  lbAuthor->setCaption(lbAuthor->Caption() + QStringLiteral("  ver.") + AppVersion);
}

void TFormMain::ShowContrast() {
  if (FColor->Valid() && FBack->Valid()) {
    const ContrastResult result = EvaluateContrast(TripleOf(*FColor), TripleOf(*FBack), true, true);
    Memo1->setFontColor(FColor->SelectedColor());
    lbBrightRes->setCaption(QString::fromStdString(result.BrightnessText));
    ShowLight(*ImgSem1, kBrightnessFigure, result.BrightnessPasses ? kLightPasses : kLightFails);
    Memo1->setColor(FBack->SelectedColor());
    lbDiffRes->setCaption(QString::fromStdString(result.ColorText));
    ShowLight(*ImgSem2, kColourFigure, result.ColorPasses ? kLightPasses : kLightFails);
  } else {
    const ContrastResult undetermined = EvaluateContrast({}, {}, false, false);
    ShowLight(*ImgSem1, kBrightnessFigure, kLightUndetermined);
    ShowLight(*ImgSem2, kColourFigure, kLightUndetermined);
    lbBrightRes->setCaption(QString::fromStdString(undetermined.BrightnessText));
    lbDiffRes->setCaption(QString::fromStdString(undetermined.ColorText));
  }
  ShowWcagContrast();
  // Paint the new state at once, even while a slider is being dragged or the
  // picker is running; input handled here may call this again, nested.
  QCoreApplication::processEvents();
}

void TFormMain::ShowWcagContrast() {
  // The WCAG 2 figures need no room of their own: they ride on the hints of
  // the result lines and the lights, and on the lights' descriptions.
  const QString hint = QString::fromStdString(
      WcagContrastHint(TripleOf(*FColor), TripleOf(*FBack), FColor->Valid(), FBack->Valid()));
  if (hint == lbBrightRes->Hint()) return;  // the four always carry the same text
  lbBrightRes->setHint(hint);
  lbDiffRes->setHint(hint);
  for (TLMDLImage* light : {ImgSem1, ImgSem2}) {
    light->setHint(hint);
    light->setAccessibleDescription(hint);
  }
}

void TFormMain::SwapColors() {
  if (Picking()) return;  // the pick owns a panel's colour until it ends
  FColor->SwapColors(*FBack);
}

void TFormMain::LMDLImageClick(QObject*) {
  ShowFormQuorvel(this);
}

void TFormMain::TimerUpdateTimer(QObject*) {
  TimerUpdate->setEnabled(false);  // one check per run
  // Failures stay silent: the component reports them only to handlers,
  // and none is assigned. A check still running at the limit (a stalled
  // connect or answer, a drip-fed body) is cut off the same way; after the
  // last byte the cut finds nothing to end.
  QTimer::singleShot(UpdateTimeLimit, AdvHttp, [this] { AdvHttp->Abort(); });
  AdvHttp->Execute(false);
}

void TFormMain::AdvHttpDataAvailable(QObject*) {
  if (AdvHttp->BytesRead() > kUpdateNoticeLimit) {
    AdvHttp->Abort();  // no notice is that long: read no further, keep nothing
    return;
  }
  const std::optional<QString> address =
      EvaluateUpdateNotice(AdvHttp->Text(), AppVersionMS, AppVersionLS);
  if (!address) return;
  ShowFormUpdate(this, *address);
  // One offer per check: the rest of a long notice is not read, so that no
  // later chunk opens the window again.
  AdvHttp->Abort();
}

}  // namespace marnova
