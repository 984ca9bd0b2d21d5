#pragma once
// The main window: the two colour editor panels, the evaluation of the pair
// (both figures, both traffic lights, the sample text in the two colours),
// the link to the W3C document, the sponsor picture that opens the
// information window, and the author line with the version.
//
// Every colour change of either panel runs ShowContrast(), which ends by
// processing pending events so that the new state is painted at once; input
// handled there may run ShowContrast() again, nested. Each call reads both
// panels afresh, so the window ends in the state of the latest input.

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <chrono>
#include <memory>

#include "colour/ColorModel.h"
#include "services/UpdateNotice.h"
#include "ui_MainUnit.h"

class QKeyEvent;
class QMouseEvent;
class QPaintEvent;
class QShowEvent;

namespace marnova {

class TAdvHttp;
class TPortalColorPick;
struct TPortalAnswer;
class TScreenPick;
class TTimer;

// The components of the description are members of their own name and
// kind, owned by the window; the non-visual ones follow them.
class TFormMain : public QWidget, public Ui::TFormMain {
  Q_OBJECT

 public:
  explicit TFormMain(QWidget* parent = nullptr);
  ~TFormMain() override;

  TTimer* Timer;
  TTimer* TimerUpdate;
  TAdvHttp* AdvHttp;

  // The window's OnShow: runs once, when the window is first shown.
  void FormShow(QObject* Sender);
  // The panels' OnColorChanged: shows the evaluation of the current pair.
  void ShowContrast();
  // Ctrl+Shift+S and the fields' "Scambia testo e sfondo": text and
  // background exchange colours, evaluated once.
  void SwapColors();
  // The sponsor picture's OnClick: the information window, modal.
  void LMDLImageClick(QObject* Sender);
  // TimerUpdate's OnTimer: starts the one update check of the run.
  void TimerUpdateTimer(QObject* Sender);
  // AdvHttp's OnDataAvailable, once per chunk of the notice: offers the
  // update window when the body so far announces a newer version.
  void AdvHttpDataAvailable(QObject* Sender);
  // The screen colour picker. StartPick is the panels' OnPickRequest. Where
  // the screen cannot be read (a Wayland session) it asks the desktop's own
  // picker through the portal and the panel takes its answer; otherwise it
  // takes the pointer and starts Timer. Each tick (re-armed only at its end)
  // samples the 5 x 5 screen block around the cursor into the panel's
  // magnifier and hands the centre pixel to the panel, if the cursor moved.
  // The next left or right press ends the pick; the tick after it releases
  // the screen and stops. That pick also takes the keyboard: the arrow keys
  // move the pointer by one pixel (ten with Shift), Enter or Space ends the
  // pick as a left press does, Escape ends it and gives the panel back the
  // colour it had when the pick started.
  void StartPick(TFrameHsvCtrl* Sender);
  void TimerTimer(QObject* Sender);
  void LeftButtonDown(QMouseEvent* message);
  void RightButtonDown(QMouseEvent* message);
  // The closed outline of (X1, Y1)-(X2, Y2), every pixel inverted once.
  void DrawPickFrame(QImage& canvas, int X1, int Y1, int X2, int Y2);
  // A key pressed while a pick runs; true if the pick used it.
  bool PickKeyPress(const QKeyEvent& key);

  // Whether a pick is running (until the tick after its ending press, or
  // until the portal answers).
  bool Picking() const;

  // How long the update check may take from its tick on; tests shorten it.
  std::chrono::milliseconds UpdateTimeLimit = kUpdateCheckTimeLimit;

 protected:
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  // The first paint asks the portal whether it can pick at all.
  void paintEvent(QPaintEvent* event) override;

 private:
  // The WCAG 2 ratio and levels of the pair, as hints and descriptions.
  void ShowWcagContrast();
  // Puts the centre of the last sample, read back from the magnifier, into
  // the panel being picked for.
  void PassSample(TFrameHsvCtrl& frame);
  // The pick through the desktop portal, and what its answer does to the
  // panel: the button idle again, the colour if one was chosen, and both
  // pick buttons disabled with the reason when the session has no picker.
  void StartPortalPick(TFrameHsvCtrl& frame);
  void PortalAnswered(TFrameHsvCtrl* frame, const TPortalAnswer& answer);
  void DisablePortalPicks();

  bool FShown = false;

  // The screen pick, from StartPick to the tick after the press that ends it.
  std::unique_ptr<TScreenPick> FPick;
  QPoint FLastCursor{0, 0};  // cursor at the last tick that sampled, of any pick

  // The pick through the desktop portal; made at the first one.
  std::unique_ptr<TPortalColorPick> FPortalPick;
  bool FPortalAsked = false;  // whether the portal can pick, asked after the first paint
};

// The application's main window; null until one is created.
extern TFormMain* FormMain;

}  // namespace marnova
