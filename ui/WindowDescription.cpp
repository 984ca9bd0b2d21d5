#include "ui/WindowDescription.h"

#include <QFont>
#include <QList>
#include <QMetaProperty>
#include <QObject>
#include <QVariant>
#include <QWidget>

#include "ui/widgets/ControlBase.h"
#include "ui/widgets/FontSubstitutes.h"

namespace marnova {

namespace {

// The part `name` of `owner`: a published QObject* property, else a direct
// or nested child of that object name.
QObject* Part(QObject* owner, const QByteArray& name) {
  const QMetaObject* meta = owner->metaObject();
  const int index = meta->indexOfProperty(name.constData());
  if (index >= 0) {
    const QVariant value = meta->property(index).read(owner);
    if (auto* part = value.value<QObject*>()) return part;
  }
  return owner->findChild<QObject*>(QString::fromLatin1(name));
}

// "Font.Bold", "Font.Italic", "Font.Underline" on a widget: one style flag
// of its font, keeping family and size.
bool SetFontStyle(QObject* target, const QByteArray& flag, const QVariant& value) {
  auto* widget = qobject_cast<QWidget*>(target);
  if (widget == nullptr) return false;
  QFont font = widget->font();
  if (flag == "Bold") {
    font.setBold(value.toBool());
  } else if (flag == "Italic") {
    font.setItalic(value.toBool());
  } else if (flag == "Underline") {
    font.setUnderline(value.toBool());
  } else if (flag == "FullHinting") {
    // Glyph advances snapped to whole pixels: a long caption in a bold face
    // then fits the width its description gives it.
    font.setHintingPreference(value.toBool() ? QFont::PreferFullHinting
                                             : QFont::PreferDefaultHinting);
  } else {
    return false;
  }
  widget->setFont(font);
  return true;
}

// Sets `path` ("A.B.Property") below `owner`; false when some step is missing.
bool SetPath(QObject* owner, const QByteArray& path, const QVariant& value) {
  const QList<QByteArray> steps = path.split('.');
  QObject* target = owner;
  for (qsizetype i = 0; i + 1 < steps.size() && target != nullptr; ++i) {
    if (i + 2 == steps.size() && steps[i] == "Font")
      return SetFontStyle(target, steps.last(), value);
    target = Part(target, steps[i]);
  }
  if (target == nullptr) return false;
  const QByteArray& property = steps.last();
  const int index = target->metaObject()->indexOfProperty(property.constData());
  if (index < 0) return false;
  return target->metaObject()->property(index).write(target, value);
}

int ApplyTo(QObject* object) {
  int unresolved = 0;
  for (const QByteArray& name : object->dynamicPropertyNames()) {
    if (!name.contains('.')) continue;
    const QVariant value = object->property(name.constData());
    object->setProperty(name.constData(), QVariant());  // removes the dynamic property
    if (!SetPath(object, name, value)) ++unresolved;
  }
  return unresolved;
}

}  // namespace

int ApplyDescriptionProperties(QObject* root) {
  if (root == nullptr) return 0;
  int unresolved = ApplyTo(root);
  for (QObject* child : root->findChildren<QObject*>()) unresolved += ApplyTo(child);
  return unresolved;
}

void EndLoading(QObject* root) {
  if (root == nullptr) return;
  // Every widget kind has TControlBase beside its Qt base.
  const auto end = [](QObject* object) {
    if (auto* kind = dynamic_cast<TControlBase*>(object)) kind->Loaded();
  };
  end(root);
  for (QObject* child : root->findChildren<QObject*>()) end(child);
}

namespace {

// The fonts a description names are handed to Qt by their installed family
// before any text is measured, so that each is found at once.
void NameInstalledFamily(QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget == nullptr || !widget->testAttribute(Qt::WA_SetFont)) return;
  QFont font = widget->font();
  const QString installed = InstalledFamily(font.family());
  if (installed == font.family()) return;
  font.setFamily(installed);
  widget->setFont(font);
}

}  // namespace

int FinishDescription(QObject* root) {
  const int unresolved = ApplyDescriptionProperties(root);
  if (root != nullptr) {
    NameInstalledFamily(root);
    for (QObject* child : root->findChildren<QObject*>()) NameInstalledFamily(child);
  }
  EndLoading(root);
  return unresolved;
}

}  // namespace marnova
