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

#include <QPointer>
#include <QWidget>
#include <memory>

class QShowEvent;

namespace marnova {

class TFrameHsvCtrl;
class TAdvHttp;
class TLMDFill;
class TLMDLImage;
class TLMDLabel;
class TLMDMemo;
class TLMDSimpleLabel;
class TTimer;

namespace Ui {
class TFormMain;
}

class TFormMain : public QWidget {
  Q_OBJECT

 public:
  explicit TFormMain(QWidget* parent = nullptr);
  ~TFormMain() override;

  // Components, in declaration order. Owned by the window.
  TLMDMemo* Memo1;
  TLMDLabel* lbBrightRes;
  TLMDLabel* lbDiffRes;
  TLMDSimpleLabel* lbHome;
  TLMDLabel* LMDLabel1;
  TLMDLabel* lbBrightRef;
  TLMDLabel* lbDiffRef;
  TTimer* Timer;
  TLMDLImage* LMDLImage;
  TFrameHsvCtrl* FColor;
  TFrameHsvCtrl* FBack;
  TLMDLabel* lbAuthor;
  TLMDFill* LMDFill;
  TLMDLImage* LMDLImageTest;
  TLMDLImage* LMDLImageUpper;
  TLMDLImage* ImgSem1;
  TLMDLImage* ImgSem2;
  TTimer* TimerUpdate;
  TAdvHttp* AdvHttp;

  // The window's OnShow: runs once, when the window is first shown.
  void FormShow(QObject* Sender);
  // The panels' OnColorChanged: shows the evaluation of the current pair.
  void ShowContrast();
  // The sponsor picture's OnClick: the information window, modal.
  void LMDLImageClick(QObject* Sender);
  // TimerUpdate's OnTimer: starts the one update check of the run.
  void TimerUpdateTimer(QObject* Sender);
  // AdvHttp's OnDataAvailable, once per chunk of the notice: offers the
  // update window when the body so far announces a newer version.
  void AdvHttpDataAvailable(QObject* Sender);
  // The panels' OnPickRequest.
  void StartPick(TFrameHsvCtrl* Sender);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  std::unique_ptr<Ui::TFormMain> FUi;
  bool FShown = false;
  // The picker: the panel being picked for (none when idle), and whether a
  // button press has ended the pick.
  QPointer<TFrameHsvCtrl> FPickFrame;
  bool FPickEnding = false;
};

// The application's main window; null until one is created.
extern TFormMain* FormMain;

}  // namespace marnova
