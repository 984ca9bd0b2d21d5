// Link label: a caption that opens its target in the browser (or another
// program) when clicked, showing an unvisited and a visited colour.
// With TabStop Tab reaches it (a mouse press does not take the focus), Enter
// opens it like a click, and a dotted rectangle shows while it is focused.
#pragma once

#include "ui/widgets/TLMDBaseLabel.h"

namespace marnova {

class TLMDSimpleLabel : public TLMDBaseLabel {
  Q_OBJECT
  Q_PROPERTY(QString Jump READ Jump WRITE setJump)
  Q_PROPERTY(TJumpMode JumpMode READ JumpMode WRITE setJumpMode)
  Q_PROPERTY(int InActiveColor READ InActiveColor WRITE setInActiveColor)
  Q_PROPERTY(int ActiveColor READ ActiveColor WRITE setActiveColor)
  Q_PROPERTY(bool JumpUnderline READ JumpUnderline WRITE setJumpUnderline)
  Q_PROPERTY(TLMD3DStyle Font3DStyle READ Font3DStyle WRITE setFont3DStyle)
  Q_PROPERTY(int Font3DLightColor READ Font3DLightColor WRITE setFont3DLightColor)
  Q_PROPERTY(int Font3DShadowColor READ Font3DShadowColor WRITE setFont3DShadowColor)
  Q_PROPERTY(bool Visited READ Visited)
  Q_PROPERTY(bool TabStop READ TabStop WRITE setTabStop)

 public:
  enum TJumpMode { jmInternet, jmApplication, jmNone, jmCustom };
  Q_ENUM(TJumpMode)

  explicit TLMDSimpleLabel(QWidget* parent = nullptr);

  // A plain assignment: caption, colours and cursor stay as they are.
  QString Jump() const { return FJump; }
  void setJump(const QString& jump);
  // Entering a jump mode shows the unvisited colour, adds the underline (with
  // JumpUnderline) and the pointing-hand cursor, also while loading.
  TJumpMode JumpMode() const { return FJumpMode; }
  void setJumpMode(TJumpMode mode);
  TColor InActiveColor() const { return FInActiveColor; }
  void setInActiveColor(TColor color);
  TColor ActiveColor() const { return FActiveColor; }
  void setActiveColor(TColor color);
  bool JumpUnderline() const { return FJumpUnderline; }
  void setJumpUnderline(bool underline);
  TLMD3DStyle Font3DStyle() const { return FStyle; }
  void setFont3DStyle(TLMD3DStyle style);
  TColor Font3DLightColor() const { return FLightColor; }
  void setFont3DLightColor(TColor color);
  TColor Font3DShadowColor() const { return FShadowColor; }
  void setFont3DShadowColor(TColor color);
  // From the first left press on, for the rest of the label's life.
  bool Visited() const { return FVisited; }

  bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
  void setTabStop(bool value) { setFocusPolicy(value ? Qt::TabFocus : Qt::NoFocus); }

  bool IsJumping() const { return FJumpMode != jmNone; }
  // What a click in jmInternet mode opens: Jump when not blank, otherwise the
  // caption ("mailto:" + caption when it holds "@").
  QString InternetTarget() const;

  void Click() override;
  // A target that the caption does not show is added to the hint, so the
  // user sees where a click leads.
  QString ShownHint() const override;

 protected:
  TextEffect Effect() const override { return {FStyle, FLightColor, FShadowColor}; }
  void LeftPressed() override;
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void ApplyUnderline();

  QString FJump;
  TJumpMode FJumpMode = jmNone;
  TColor FInActiveColor;
  TColor FActiveColor;
  bool FJumpUnderline = true;
  bool FUnderlineAdded = false;
  TLMD3DStyle FStyle = tdNone;
  TColor FLightColor;
  TColor FShadowColor;
  bool FVisited = false;
};

}  // namespace marnova
