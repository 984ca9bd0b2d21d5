#include "ui/DataModule.h"

#include <QImage>
#include <QPointer>
#include <QResource>
#include <QString>
#include <cstring>
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

// A strip's raw pixels (see PixelsFileName), read in place: the image wraps
// the program's own read-only data, so nothing is decoded or copied, and
// the pages of a strip no window draws are never touched. Null when the
// file is missing or not exactly the strip's size.
QImage StripPixels(const QString& file, const TImageListLayout& layout) {
  const QResource pixels(file);
  const int width = layout.Width * layout.Count;
  const qint64 bytes = qint64(width) * layout.Height * qint64(sizeof(QRgb));
  if (!pixels.isValid() || pixels.compressionAlgorithm() != QResource::NoCompression ||
      pixels.size() != bytes)
    return {};
  const QImage inPlace(pixels.data(), width, layout.Height, QImage::Format_RGB32);
  // Scan lines must start on whole words; data placed otherwise is copied.
  if (reinterpret_cast<quintptr>(pixels.data()) % alignof(QRgb) == 0) return inPlace;
  QImage aligned(width, layout.Height, QImage::Format_RGB32);
  std::memcpy(aligned.bits(), pixels.data(), static_cast<size_t>(bytes));
  return aligned;
}

}  // namespace

bool LoadImageList(TLMDImageList& list) {
  bool complete = true;
  const QString folder = QStringLiteral(":/images/");
  for (const TImageListLayout& layout : kImageListLayout) {
    const int index = list.Add(QString::fromUtf8(layout.Description), layout.Width, layout.Height,
                               layout.AllocBy);
    // A strip of the wrong size would shift every later picture index, so
    // such a list is left empty rather than half right.
    const QImage strip =
        StripPixels(folder + QString::fromStdString(PixelsFileName(layout.FileName)), layout);
    if (strip.isNull() || !list.SetStrip(index, strip)) {
      complete = false;
      continue;
    }
    // Read only on a scaled screen, when it is first needed.
    list.SetDoubleStripFile(index,
                            folder + QString::fromStdString(DoubleResolutionFileName(layout)));
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
