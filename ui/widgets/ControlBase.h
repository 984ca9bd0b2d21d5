#pragma once
// What every widget kind shares, whatever Qt widget it sits on: a hint shown
// as its tool tip, the loading phase, a click event, and the name assistive
// technology reads. Each kind inherits this beside its Qt base and publishes
// Hint and ShowHint as properties of its own.
//
// "While loading" (from construction until the owning window calls
// Loaded()), change events stay silent and automatic sizing waits. Code that
// creates a widget directly calls Loaded() right after constructing it.

#include <QString>

#include "ui/widgets/ControlTypes.h"

class QMouseEvent;
class QWidget;

namespace marnova {

class TControlBase {
 public:
  TControlBase(const TControlBase&) = delete;
  TControlBase& operator=(const TControlBase&) = delete;

  const QString& Hint() const { return FHint; }
  void setHint(const QString& value);
  bool ShowHint() const { return FShowHint; }
  void setShowHint(bool value);
  // What the tool tip shows: the hint while ShowHint.
  virtual QString ShownHint() const { return FShowHint ? FHint : QString(); }

  // Ends the loading phase. Idempotent.
  void Loaded();
  bool IsLoading() const { return FLoading; }

  // What a click does: raises OnClick. Mouse clicks and the accessible press
  // action come here.
  virtual void Click();
  // A left button press and release inside the control.
  TNotifyEvent OnClick;

  // The accessible name when one is set, else what the kind is known by.
  QString AccessibleName() const;

 protected:
  // `hintNames`: the hint is also set as the widget's accessible name, for
  // a kind that keeps the interface Qt gives its base.
  TControlBase(QWidget& widget, bool showHint, bool hintNames = false);
  virtual ~TControlBase() = default;

  // Runs once when loading ends, after IsLoading() has turned false.
  virtual void DoLoaded() {}
  // The name without an accessible name set: the hint; a label's caption.
  virtual QString UnnamedName() const { return FHint; }
  // Shows ShownHint() as the tool tip.
  void UpdateToolTip();
  // For the kind's mouse handlers: a left press and release inside make a
  // click; ClickReleased() says whether `event` ends one.
  void ClickPressed(const QMouseEvent& event);
  bool ClickReleased(const QMouseEvent& event);

 private:
  QWidget& FWidget;
  QString FHint;
  bool FShowHint;
  bool FHintNames;
  bool FLoading = true;
  bool FClickPending = false;
};

}  // namespace marnova
