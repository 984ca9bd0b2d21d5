#include "ui/DataModule.h"

#include <QImageReader>
#include <QPointer>
#include <QString>
#include <utility>
#include <vector>

#include "ui/imagelist/ImageListLayout.h"

namespace marnova {

TDM* DM = nullptr;

namespace {

struct TPendingBind {
  QPointer<QObject> User;
  bool Guarded;  // false for a null user: such a bind is never dropped
  std::function<void(TLMDImageList*)> Bind;

  bool Dropped() const { return Guarded && User.isNull(); }
};

std::vector<TPendingBind>& PendingBinds() {
  static std::vector<TPendingBind> pending;
  return pending;
}

void ResolvePendingBinds(TLMDImageList* list) {
  // Taken out first: a bind may register further users (they run at once,
  // DM being set) or destroy users still waiting (checked just before use).
  std::vector<TPendingBind> pending;
  pending.swap(PendingBinds());
  for (TPendingBind& entry : pending)
    if (!entry.Dropped() && entry.Bind) entry.Bind(list);
}

}  // namespace

bool LoadImageList(TLMDImageList& list) {
  bool complete = true;
  for (const TImageListLayout& layout : kImageListLayout) {
    const int index = list.Add(QString::fromUtf8(layout.Description), layout.Width, layout.Height,
                               layout.AllocBy);
    const QString folder = QStringLiteral(":/images/");
    // Strips are decoded when first drawn; their headers tell now whether
    // they fit. A strip of the wrong width would shift every later picture
    // index, so such a list is left empty rather than half right.
    const QString file = folder + QString::fromUtf8(layout.FileName);
    if (!list.SetStripFile(index, file) || list.PictureCount(index) != layout.Count) {
      list.SetStrip(index, QImage());
      complete = false;
      continue;
    }
    const QString doubleFile = folder + QString::fromStdString(DoubleResolutionFileName(layout));
    list.SetDoubleStripFile(index, doubleFile);
    const QSize stripSize(layout.Width * layout.Count, layout.Height);
    if (QImageReader(doubleFile).size() != kDoubleResolution * stripSize) complete = false;
  }
  return complete;
}

TDM::TDM(QObject* parent) : QObject(parent), FImageList(new TLMDImageList(this)) {
  setObjectName(QStringLiteral("DM"));
  FImageList->setObjectName(QStringLiteral("ImageList"));
  // A failed load is a broken build, not a run-time condition; the program
  // shows no errors of its own, so the lists just stay empty and draw nothing.
  FLoaded = LoadImageList(*FImageList);
  DM = this;
  ResolvePendingBinds(FImageList);
}

TDM::~TDM() {
  if (DM == this) DM = nullptr;
}

void WhenImageListReady(QObject* user, std::function<void(TLMDImageList*)> bind) {
  if (!bind) return;
  if (DM) {
    bind(DM->ImageList());
    return;
  }
  std::vector<TPendingBind>& pending = PendingBinds();
  // Forget users that died meanwhile so the list never outgrows the living.
  std::erase_if(pending, [](const TPendingBind& entry) { return entry.Dropped(); });
  pending.push_back({QPointer<QObject>(user), user != nullptr, std::move(bind)});
}

}  // namespace marnova
