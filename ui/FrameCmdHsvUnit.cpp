#include "ui/FrameCmdHsvUnit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>

#include <functional>
#include <optional>
#include <utility>

#include "colour/CssColour.h"

#include "platform/screen/ScreenAccess.h"
#include "ui/DataModule.h"
#include "ui/WindowAccessibility.h"
#include "ui/WindowDescription.h"
#include "ui/imagelist/ImageListLayout.h"

namespace marnova {

namespace {

constexpr TColor kFieldValid = 0xFFFFFF;    // white
constexpr TColor kFieldInvalid = 0x80FFFF;  // light yellow, RGB(255, 255, 128)
// Thumbs of the HSV sliders in the "Sliders" list: unfocused, focused.
constexpr int kHueThumb = 0, kSatThumb = 2, kValThumb = 4;

QString ThreeDigits(int value) {
  return QString::asprintf("%.3d", value);
}

// One thumb picture of the shared list at the thumb's top-left corner; the
// blink phase picks the second picture of the pair.
void DrawThumb(QPainter& canvas, const QRect& rect, int firstPicture, bool focused) {
  if (DM == nullptr) return;  // no list yet: the thumb stays undrawn
  DM->ImageList()->Draw(canvas, rect.topLeft(), ilSliders, firstPicture + (focused ? 1 : 0));
}

bool IsHexDigit(QChar c) {
  return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

RGBTriple TripleOf(TColor color) {
  RGBTriple c{};
  UnpackColor(color, c.Red, c.Green, c.Blue);
  return c;
}

}  // namespace

TFrameHsvCtrl::TFrameHsvCtrl(QWidget* owner) : QWidget(owner) {
  InstallWindowAccessibility();
  setupUi(this);
  slRed->OnChange = std::bind_front(&TFrameHsvCtrl::slRedChange, this);
  slGreen->OnChange = std::bind_front(&TFrameHsvCtrl::slGreenChange, this);
  slBlue->OnChange = std::bind_front(&TFrameHsvCtrl::slBlueChange, this);
  slHue->OnChange = std::bind_front(&TFrameHsvCtrl::slHueChange, this);
  slSat->OnChange = std::bind_front(&TFrameHsvCtrl::slSatChange, this);
  slVal->OnChange = std::bind_front(&TFrameHsvCtrl::slValChange, this);
  slHue->OnDrawThumb = std::bind_front(&TFrameHsvCtrl::slHueDrawThumb, this);
  slSat->OnDrawThumb = std::bind_front(&TFrameHsvCtrl::slSatDrawThumb, this);
  slVal->OnDrawThumb = std::bind_front(&TFrameHsvCtrl::slValDrawThumb, this);
  edValue->OnChange = std::bind_front(&TFrameHsvCtrl::edValueChange, this);
  edValue->OnKeyPress = std::bind_front(&TFrameHsvCtrl::edValueKeyPress, this);
  edValue->OnPaste = std::bind_front(&TFrameHsvCtrl::edValuePaste, this);
  edValue->OnKeyDown = std::bind_front(&TFrameHsvCtrl::edValueKeyDown, this);
  edValue->OnContextPopup = std::bind_front(&TFrameHsvCtrl::edValueContextPopup, this);
  btnPick->OnClick = std::bind_front(&TFrameHsvCtrl::btnPickClick, this);
  FinishDescription(this);

  for (TLMDLabel* label : {lbRed, lbGreen, lbBlue, lbHue, lbSat, lbVal})
    label->setTransparent(true);
  FWritingText = false;
  FSyncing = false;
  FValid = true;
  Image->setBitmap(QImage());
  // Kept out of sight below the panel: the picker only uses its bitmap.
  Image->move(Image->x(), height() + 100);
}

void TFrameHsvCtrl::RaiseColorChanged() {
  if (!OnColorChanged) return;
  // A copy, so that the owner may reassign the callback while it runs.
  const auto callback = OnColorChanged;
  callback();
}

void TFrameHsvCtrl::WriteColor(int R, int G, int B) {
  FWritingText = true;
  edValue->setText(QString::fromStdString(ColorToHex(R, G, B)));
  Panel->setColor(PackColor(R, G, B));
  FWritingText = false;
  RaiseColorChanged();
}

void TFrameHsvCtrl::MoveRGB(int R, int G, int B) {
  slRed->setPosition(R);
  slGreen->setPosition(G);
  slBlue->setPosition(B);
}

void TFrameHsvCtrl::MoveHSVToRGB() {
  int h = 0, s = 0, v = 0;
  RGBToHSV(slRed->Position(), slGreen->Position(), slBlue->Position(), h, s, v);
  slHue->setPosition(h);
  slSat->setPosition(s);
  slVal->setPosition(v);
}

void TFrameHsvCtrl::SyncHSVFromRGB() {
  FSyncing = true;
  MoveHSVToRGB();
  FSyncing = false;
}

void TFrameHsvCtrl::SyncRGBFromHSV() {
  int r = 0, g = 0, b = 0;
  HSVToRGB(slHue->Position(), slSat->Position(), slVal->Position(), r, g, b);
  FSyncing = true;
  MoveRGB(r, g, b);
  FSyncing = false;
  WriteColor(r, g, b);
}

void TFrameHsvCtrl::SetRGB(std::uint8_t R, std::uint8_t G, std::uint8_t B) {
  FSyncing = true;
  MoveRGB(R, G, B);
  WriteColor(R, G, B);
  SyncHSVFromRGB();
  FSyncing = false;
}

void TFrameHsvCtrl::SetSelectedColor(TColor color) {
  int r = 0, g = 0, b = 0;
  UnpackColor(color, r, g, b);
  SetRGB(static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b));
}

void TFrameHsvCtrl::EndPick() {
  Image->hide();
  btnPick->setImageIndex(0);
  if (QWidget* mainWindow = window()) Screen().RaiseWindow(*mainWindow);
}

QList<QWidget*> TFrameHsvCtrl::TabStops() const {
  return {edValue, btnPick, slRed, slGreen, slBlue, slHue, slSat, slVal};
}

void TFrameHsvCtrl::RgbSliderChanged(const TMMSlider& slider, TLMDLabel& label) {
  label.setCaption(ThreeDigits(slider.Position()));
  if (FSyncing) return;
  WriteColor(slRed->Position(), slGreen->Position(), slBlue->Position());
  SyncHSVFromRGB();
}

void TFrameHsvCtrl::HsvSliderChanged(const TMMSlider& slider, TLMDLabel& label) {
  label.setCaption(ThreeDigits(slider.Position()));
  if (!FSyncing) SyncRGBFromHSV();
}

void TFrameHsvCtrl::edValueChange(QObject*) {
  const QString text = edValue->Text();
  if (text.size() < 6) {
    edValue->setColor(kFieldInvalid);
    FValid = false;
    RaiseColorChanged();
    return;
  }
  edValue->setColor(kFieldValid);
  FValid = true;
  if (FWritingText) return;
  FSyncing = true;
  // Latin-1 keeps one byte per character, so the pairs stay where they are;
  // a character it cannot hold becomes "?", no hexadecimal digit either.
  const QByteArray latin = text.toLatin1();
  int r = 0, g = 0, b = 0;
  HexTextToRGB(std::string_view(latin.constData(), static_cast<std::size_t>(latin.size())), r, g,
               b);
  MoveRGB(r, g, b);
  MoveHSVToRGB();
  FSyncing = false;
  WriteColor(slRed->Position(), slGreen->Position(), slBlue->Position());
}

void TFrameHsvCtrl::edValueKeyPress(QObject*, QChar& Key) {
  if (!IsHexDigit(Key)) Key = QChar(0);
}

void TFrameHsvCtrl::edValuePaste(QObject*, QString& Text, bool&) {
  const QByteArray utf8 = Text.toUtf8();
  const std::optional<CssColour> colour =
      ParseCssColour(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
  if (!colour) return;
  const TColor backdrop = OnPasteBackdrop ? OnPasteBackdrop() : TColor{0xFFFFFF};
  const RGBTriple c = CompositeOver(*colour, TripleOf(backdrop));
  Text.clear();  // nothing to insert: the colour is written whole
  SetSelectedColor(PackColor(c.Red, c.Green, c.Blue));
}

void TFrameHsvCtrl::CopyColorAs(CopyFormat format) const {
  if (!FValid) return;
  const RGBTriple c{Red(), Green(), Blue()};
  const std::string text = format == CopyFormat::Hex   ? CssHexText(c)
                           : format == CopyFormat::Rgb ? CssRgbText(c)
                                                       : CssHslText(c);
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void TFrameHsvCtrl::SwapColors(TFrameHsvCtrl& other) {
  const TColor mine = SelectedColor(), theirs = other.SelectedColor();
  // Both panels stay silent until both hold their new colour, so the owner
  // never evaluates a half-swapped pair.
  const auto myCallback = std::exchange(OnColorChanged, nullptr);
  const auto theirCallback = std::exchange(other.OnColorChanged, nullptr);
  SetSelectedColor(theirs);
  other.SetSelectedColor(mine);
  OnColorChanged = myCallback;
  other.OnColorChanged = theirCallback;
  RaiseColorChanged();
}

void TFrameHsvCtrl::edValueKeyDown(QObject*, int& Key, Qt::KeyboardModifiers Shift) {
  const Qt::KeyboardModifiers mods =
      Shift & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
  if (Key == Qt::Key_C && mods == (Qt::ControlModifier | Qt::ShiftModifier)) {
    CopyColorAs(CopyFormat::Hex);
    Key = 0;
  }
}

void TFrameHsvCtrl::edValueContextPopup(QObject*, QMenu& Menu) {
  Menu.addSeparator();
  const struct {
    const char* caption;
    CopyFormat format;
  } copies[] = {{"Copia come #RRGGBB", CopyFormat::Hex},
                {"Copia come rgb()", CopyFormat::Rgb},
                {"Copia come hsl()", CopyFormat::Hsl}};
  for (const auto& copy : copies) {
    const CopyFormat format = copy.format;
    Menu.addAction(QString::fromUtf8(copy.caption), this, [this, format] { CopyColorAs(format); })
        ->setEnabled(FValid);
  }
  if (OnSwapRequest) {
    Menu.addSeparator();
    Menu.addAction(QStringLiteral("Scambia testo e sfondo"), this, [this] {
      const auto callback = OnSwapRequest;
      callback(this);
    });
  }
}

void TFrameHsvCtrl::btnPickClick(QObject*) {
  if (btnPick->ImageIndex() == 1) return;  // this panel is being picked for already
  Image->hide();
  btnPick->setImageIndex(1);
  if (OnPickRequest) {
    const auto callback = OnPickRequest;
    callback(this);
  }
}

void TFrameHsvCtrl::slHueDrawThumb(QObject*, QPainter& aCanvas, const QRect& aRect, bool,
                                   bool Focused) {
  DrawThumb(aCanvas, aRect, kHueThumb, Focused);
}

void TFrameHsvCtrl::slSatDrawThumb(QObject*, QPainter& aCanvas, const QRect& aRect, bool,
                                   bool Focused) {
  DrawThumb(aCanvas, aRect, kSatThumb, Focused);
}

void TFrameHsvCtrl::slValDrawThumb(QObject*, QPainter& aCanvas, const QRect& aRect, bool,
                                   bool Focused) {
  DrawThumb(aCanvas, aRect, kValThumb, Focused);
}

}  // namespace marnova
