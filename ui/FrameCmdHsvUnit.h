#pragma once
// The colour editor panel: one colour, edited through RGB sliders, HSV
// sliders and six hexadecimal digits, shown in a sample square. The panel
// keeps all of them in step and tells its owner about every change.
//
// The colour is the three RGB slider positions. The HSV sliders are a second
// view: recomputed after every RGB or text change, but after an HSV move
// they keep the user's values even where the RGB triple would convert back
// to other numbers. The panel is invalid while its field holds fewer than
// six characters; it then still reports the last valid colour.
//
// Two flags keep the panel's own writes from being read back as user input:
// FWritingText while WriteColor writes the field, FSyncing while the panel
// moves its own sliders (in SetRGB for the whole call, the owner's callback
// included).

#include <QChar>
#include <QList>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

#include "colour/ColorModel.h"

class QMenu;
class QPainter;
class QRect;

namespace marnova {

class TLMDEdit;
class TLMDLImage;
class TLMDLabel;
class TLMDNImage;
class TMMSlider;
class TPanel;

namespace Ui {
class TFrameHsvCtrl;
}

class TFrameHsvCtrl : public QWidget {
  Q_OBJECT

 public:
  explicit TFrameHsvCtrl(QWidget* owner = nullptr);
  ~TFrameHsvCtrl() override;

  // Positions of the RGB sliders, 0..255.
  int Red() const;
  int Green() const;
  int Blue() const;
  // The sample square's colour: PackColor(Red, Green, Blue) after every write.
  TColor SelectedColor() const;
  bool Valid() const { return FValid; }

  // Sets the colour; raises OnColorChanged once.
  void SetRGB(std::uint8_t R, std::uint8_t G, std::uint8_t B);
  void SetSelectedColor(TColor color);
  // Ends this panel's side of a pick: idle button, main window on top.
  void EndPick();
  // The controls Tab visits, in order: the field, the pick button, the RGB
  // and then the HSV sliders.
  QList<QWidget*> TabStops() const;

  // Raised after every colour write and when the text becomes incomplete.
  std::function<void()> OnColorChanged;
  // Raised by the pick button while no pick of this panel runs.
  std::function<void(TFrameHsvCtrl* Sender)> OnPickRequest;
  // The colour a pasted colour with alpha below 1 is laid over; white (the
  // page) when unassigned.
  std::function<TColor()> OnPasteBackdrop;
  // Raised by the field's "Scambia testo e sfondo"; the item shows only
  // when this is assigned.
  std::function<void(TFrameHsvCtrl* Sender)> OnSwapRequest;

  // Exchanges the colours of this panel and `other`, each through
  // SetSelectedColor; the owner hears one OnColorChanged of this panel, once
  // both hold their new colour.
  void SwapColors(TFrameHsvCtrl& other);
  // Puts the colour on the clipboard as "#1A2B3C", "rgb(26 43 60)" or an
  // hsl() text; nothing while the field is incomplete.
  enum class CopyFormat { Hex, Rgb, Hsl };
  void CopyColorAs(CopyFormat format) const;

  // Components, in declaration order. Owned by the panel.
  TPanel* Panel;
  TLMDEdit* edValue;
  TMMSlider* slBlue;
  TMMSlider* slGreen;
  TMMSlider* slRed;
  TLMDLabel* lbRed;
  TLMDLabel* lbGreen;
  TLMDLabel* lbBlue;
  TLMDNImage* Image;
  TMMSlider* slHue;
  TMMSlider* slSat;
  TMMSlider* slVal;
  TLMDLabel* lbHue;
  TLMDLabel* lbSat;
  TLMDLabel* lbVal;
  TLMDLabel* LMDLabel1;
  TLMDLabel* LMDLabel2;
  TLMDLabel* LMDLabel8;
  TLMDLImage* LMDLImage1;
  TLMDLImage* btnPick;

  // Event handlers bound by the description.
  void slRedChange(QObject* Sender);
  void slGreenChange(QObject* Sender);
  void slBlueChange(QObject* Sender);
  void edValueChange(QObject* Sender);
  void edValueKeyPress(QObject* Sender, QChar& Key);
  void btnPickClick(QObject* Sender);
  void slHueDrawThumb(QObject* Sender, QPainter& aCanvas, const QRect& aRect, bool Dragged,
                      bool Focused);
  void slSatDrawThumb(QObject* Sender, QPainter& aCanvas, const QRect& aRect, bool Dragged,
                      bool Focused);
  void slValDrawThumb(QObject* Sender, QPainter& aCanvas, const QRect& aRect, bool Dragged,
                      bool Focused);
  void slHueChange(QObject* Sender);
  void slSatChange(QObject* Sender);
  void slValChange(QObject* Sender);

 private:
  void WriteColor(int R, int G, int B);
  void SyncHSVFromRGB();
  void SyncRGBFromHSV();
  void RaiseColorChanged();
  // What every RGB or HSV slider change does: its label, then (unless the
  // panel moves its own sliders) the colour follows.
  void RgbSliderChanged(const TMMSlider& slider, TLMDLabel& label);
  void HsvSliderChanged(const TMMSlider& slider, TLMDLabel& label);
  // A colour copied from a style sheet (any CSS colour text) becomes the
  // panel's colour, as a pick would; any other paste is left as it is.
  void edValuePaste(QObject* Sender, QString& Text, bool& WholeField);
  // The field's own additions: copying as CSS (Ctrl+Shift+C, the menu) and
  // the swap.
  void edValueKeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
  void edValueContextPopup(QObject* Sender, QMenu& Menu);

  std::unique_ptr<Ui::TFrameHsvCtrl> FUi;
  bool FWritingText = false;
  bool FSyncing = false;
  bool FValid = true;
};

}  // namespace marnova
