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

#include "colour/ColorModel.h"
#include "ui_FrameCmdHsvUnit.h"

class QMenu;
class QPainter;
class QRect;

namespace marnova {

// The components of the description are members of their own name and
// kind (Panel, edValue, the sliders, their labels, Image, btnPick), owned
// by the panel.
class TFrameHsvCtrl : public QWidget, public Ui::TFrameHsvCtrl {
  Q_OBJECT

 public:
  explicit TFrameHsvCtrl(QWidget* owner = nullptr);

  // Positions of the RGB sliders, 0..255.
  int Red() const { return slRed->Position(); }
  int Green() const { return slGreen->Position(); }
  int Blue() const { return slBlue->Position(); }
  // The sample square's colour: PackColor(Red, Green, Blue) after every write.
  TColor SelectedColor() const { return Panel->Color(); }
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

  // Event handlers bound by the description.
  void slRedChange(QObject*) { RgbSliderChanged(*slRed, *lbRed); }
  void slGreenChange(QObject*) { RgbSliderChanged(*slGreen, *lbGreen); }
  void slBlueChange(QObject*) { RgbSliderChanged(*slBlue, *lbBlue); }
  void edValueChange(QObject* Sender);
  void edValueKeyPress(QObject* Sender, QChar& Key);
  void btnPickClick(QObject* Sender);
  void slHueDrawThumb(QObject* Sender, QPainter& aCanvas, const QRect& aRect, bool Dragged,
                      bool Focused);
  void slSatDrawThumb(QObject* Sender, QPainter& aCanvas, const QRect& aRect, bool Dragged,
                      bool Focused);
  void slValDrawThumb(QObject* Sender, QPainter& aCanvas, const QRect& aRect, bool Dragged,
                      bool Focused);
  void slHueChange(QObject*) { HsvSliderChanged(*slHue, *lbHue); }
  void slSatChange(QObject*) { HsvSliderChanged(*slSat, *lbSat); }
  void slValChange(QObject*) { HsvSliderChanged(*slVal, *lbVal); }

 private:
  void WriteColor(int R, int G, int B);
  // Move sliders and touch no flag; the caller fences them with FSyncing.
  void MoveRGB(int R, int G, int B);
  void MoveHSVToRGB();
  // MoveHSVToRGB inside FSyncing, which it sets and clears rather than
  // saves and restores: SetRGB sets it again before the HSV sliders move,
  // whatever its callback did to it.
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

  bool FWritingText = false;
  bool FSyncing = false;
  bool FValid = true;
};

}  // namespace marnova
