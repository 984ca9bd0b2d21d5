// The main window as a keyboard user and a screen reader meet it.
#include <QAccessible>
#include <QAccessibleValueInterface>
#include <set>
#include <vector>

#include "platform/shell/Shell.h"
#include "tests/ui/windows/WindowTestSupport.h"

namespace marnova {
namespace {

QAccessibleInterface* Accessible(QObject* object) {
  return QAccessible::queryAccessibleInterface(object);
}
void PressAction(QObject* object) {
  Accessible(object)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

std::vector<TMMSlider*> SlidersOf(const TFrameHsvCtrl& panel) {
  return {panel.slRed, panel.slGreen, panel.slBlue, panel.slHue, panel.slSat, panel.slVal};
}

// Everything a screen reader reaches by walking down from `root`.
void Collect(QAccessibleInterface* root, std::set<QObject*>& into) {
  for (int i = 0; i < root->childCount(); ++i) {
    QAccessibleInterface* child = root->child(i);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(root->indexOfChild(child), i);
    into.insert(child->object());
    Collect(child, into);
  }
}

TEST_F(MainWindowTest, TabWalksMemoPanelsLinkSponsorAndRoundAgain) {
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  std::vector<QWidget*> stops{form->Memo1};
  for (TFrameHsvCtrl* panel : {form->FColor, form->FBack})
    for (QWidget* stop : panel->TabStops()) stops.push_back(stop);
  stops.insert(stops.end(), {form->lbHome, form->LMDLImage, form->Memo1});
  ASSERT_EQ(stops.size(), 20u);
  EXPECT_EQ(QApplication::focusWidget(), form->Memo1);
  for (std::size_t i = 1; i < stops.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), stops[i]) << "stop " << i;
  }
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
  EXPECT_EQ(QApplication::focusWidget(), form->LMDLImage);
  EXPECT_EQ(form->FColor->TabStops().at(1), form->FColor->btnPick);
}

// The controls that only Tab reaches show a focus rectangle while they have
// the focus and not a pixel of it otherwise; a mouse press takes no focus.
TEST_F(MainWindowTest, FocusRectangleShowsOnlyWhileFocused) {
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  for (QWidget* control : std::vector<QWidget*>{form->FColor->btnPick, form->FBack->btnPick,
                                                form->lbHome, form->LMDLImage}) {
    EXPECT_EQ(control->focusPolicy(), Qt::TabFocus) << control->objectName().toStdString();
    const QImage unfocused = control->grab().toImage();
    control->setFocus(Qt::TabFocusReason);
    EXPECT_NE(control->grab().toImage(), unfocused) << control->objectName().toStdString();
    form->Memo1->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(control->grab().toImage(), unfocused) << control->objectName().toStdString();
  }
}

TEST_F(MainWindowTest, PressableControlsAreNamedByTheirHints) {
  struct Case {
    QWidget* control;
    QAccessible::Role role;
    QString name;
  };
  const Case cases[] = {
      {form->FColor->btnPick, QAccessible::Button, "Preleva il COLOR dallo schermo!"},
      {form->FBack->btnPick, QAccessible::Button, "Preleva il BACKGROUND-COLOR dallo schermo!"},
      {form->LMDLImage, QAccessible::Button, form->LMDLImage->Hint()},
      {form->lbHome, QAccessible::Link,
       "Verifica di accessibilit\u00e0 dei colori basata sul W3C Color contrast algorithm"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control->objectName().toStdString());
    QAccessibleInterface* a = Accessible(c.control);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), c.role);
    EXPECT_EQ(a->text(QAccessible::Name), c.name);
    EXPECT_NE(a->text(QAccessible::Description), c.name);
    EXPECT_TRUE(a->state().focusable);
    ASSERT_NE(a->actionInterface(), nullptr);
    EXPECT_EQ(a->actionInterface()->actionNames().value(0),
              QAccessibleActionInterface::pressAction());
  }

  PressAction(form->FColor->btnPick);
  EXPECT_TRUE(form->Picking());
  form->LeftButtonDown(nullptr);
  form->TimerTimer(form->Timer);
  EXPECT_FALSE(form->Picking());

  const auto isInformation = [](QWidget& info) { EXPECT_EQ(info.objectName(), "FormQuorvel"); };
  WhileModal([&] { QTest::keyClick(form->LMDLImage, Qt::Key_Space); }, isInformation);
  WhileModal([&] { PressAction(form->LMDLImage); }, isInformation);

  QStringList opened;
  ScopedOpenHandler opener{[&opened](const QString& target) {
    opened << target;
    return true;
  }};
  QTest::keyClick(form->lbHome, Qt::Key_Space);  // a link opens with Enter only
  QTest::keyClick(form->lbHome, Qt::Key_Return);
  EXPECT_EQ(opened, QStringList{form->lbHome->Jump()});
}

// The announcement of each change is checked over the accessibility bus
// (tests/app/e2e_accessibility.py): Qt sends no events without a bridge.
TEST_F(MainWindowTest, LightsSpeakTheirVerdict) {
  EXPECT_EQ(Accessible(form->ImgSem1)->text(QAccessible::Name), "Luminosit\u00e0: superato");
  EXPECT_EQ(Accessible(form->ImgSem2)->text(QAccessible::Name), "Colore: superato");
  struct Case {
    const char *text, *brightness, *colour;
  };
  const Case cases[] = {
      {"0000FF", "non superato", "non superato"},
      {"0000F", "non determinato", "non determinato"},
      {"808080", "superato", "non superato"},
      {"FFFFFF", "superato", "superato"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    form->FColor->edValue->setText(c.text);
    EXPECT_EQ(Accessible(form->ImgSem1)->text(QAccessible::Name),
              QStringLiteral("Luminosit\u00e0: ") + c.brightness);
    EXPECT_EQ(Accessible(form->ImgSem2)->text(QAccessible::Name),
              QStringLiteral("Colore: ") + c.colour);
    EXPECT_EQ(Accessible(form->lbBrightRes)->text(QAccessible::Name), form->lbBrightRes->Caption());
  }
}

TEST_F(MainWindowTest, PanelsAreNamedGroupsOfSlidersReadByPosition) {
  const std::pair<TFrameHsvCtrl*, QString> panels[] = {{form->FColor, "Colore del testo"},
                                                       {form->FBack, "Colore di sfondo"}};
  for (const auto& [panel, title] : panels) {
    QAccessibleInterface* group = Accessible(panel);
    EXPECT_EQ(group->role(), QAccessible::Grouping);
    EXPECT_EQ(group->text(QAccessible::Name), title);
    panel->slHue->setPosition(200);
    for (TMMSlider* slider : SlidersOf(*panel)) {
      SCOPED_TRACE(slider->objectName().toStdString());
      QAccessibleInterface* a = Accessible(slider);
      EXPECT_EQ(a->role(), QAccessible::Slider);
      EXPECT_EQ(a->text(QAccessible::Name), slider->Hint());
      EXPECT_TRUE(a->text(QAccessible::Description).isEmpty());
      EXPECT_EQ(a->valueInterface()->currentValue().toInt(), slider->Position());
      EXPECT_EQ(a->text(QAccessible::Value), QString::number(slider->Position()));
    }
  }
}

TEST_F(MainWindowTest, DecorationIsLeftOutOfTheTree) {
  std::set<QObject*> reached;
  Collect(Accessible(form.get()), reached);
  for (QObject* decoration : std::vector<QObject*>{
           form->LMDFill, form->LMDLImageTest, form->LMDLImageUpper, form->FColor->LMDLImage1,
           form->FBack->LMDLImage1, form->FColor->Image, form->FBack->Image})
    EXPECT_EQ(reached.count(decoration), 0u) << decoration->objectName().toStdString();
  for (QObject* spoken : std::vector<QObject*>{form->ImgSem1, form->ImgSem2, form->lbHome,
                                               form->LMDLImage, form->Memo1, form->FBack->slVal,
                                               form->FColor->btnPick, form->FColor->Panel})
    EXPECT_EQ(reached.count(spoken), 1u) << spoken->objectName().toStdString();
}

}  // namespace
}  // namespace marnova
