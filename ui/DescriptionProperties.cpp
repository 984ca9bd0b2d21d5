#include "ui/DescriptionProperties.h"

#include <QList>
#include <QMetaProperty>
#include <QObject>
#include <QVariant>

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

// Sets `path` ("A.B.Property") below `owner`; false when some step is missing.
bool SetPath(QObject* owner, const QByteArray& path, const QVariant& value) {
  const QList<QByteArray> steps = path.split('.');
  QObject* target = owner;
  for (qsizetype i = 0; i + 1 < steps.size() && target != nullptr; ++i)
    target = Part(target, steps[i]);
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

}  // namespace marnova
