#pragma once
// The data module: owner of the shared image list `ImageList` that every
// window takes its pictures from. Creating it loads all nine picture lists
// from the pictures embedded in the program.
//
// The main window exists before the data module, so its widgets cannot find
// the list when they are built. They register with WhenImageListReady(),
// which hands them the list as soon as it exists.

#include <QObject>
#include <functional>

#include "ui/imagelist/TLMDImageList.h"

namespace marnova {

class TDM : public QObject {
  Q_OBJECT
  Q_PROPERTY(marnova::TLMDImageList* ImageList READ ImageList CONSTANT)

 public:
  // Loads the image list, becomes `DM` and then hands the list to every
  // user that registered through WhenImageListReady() while no DM existed.
  explicit TDM(QObject* parent = nullptr);
  // Clears `DM` (if it is this one); the image list goes with it, and its
  // users learn that through QObject::destroyed.
  ~TDM() override;

  // Never null while the data module lives.
  TLMDImageList* ImageList() const { return FImageList; }
  // False if any embedded picture was missing or misshapen when loading.
  bool Loaded() const { return FLoaded; }

 private:
  TLMDImageList* FImageList;  // child object: deleted with the module
  bool FLoaded = false;
};

// The program's data module: the one created last; null until one is
// created and again after it is destroyed. User-interface thread only, as
// is WhenImageListReady().
extern TDM* DM;

// Runs `bind` with DM's image list at once if DM exists, otherwise as soon
// as a TDM is created (once, then forgotten). If `user` is destroyed before
// that, `bind` is dropped without running. A null `user` is never dropped.
void WhenImageListReady(QObject* user, std::function<void(TLMDImageList*)> bind);

// Fills `list` with the nine picture lists of the program, in index order,
// from the embedded raw strips (read in place, nothing decoded), each with
// the file of its double-resolution strip (read on first use by a scaled
// screen; a missing or misshapen one leaves that list serving its 1x
// pictures at every scale). Lists whose strip is missing or of the wrong
// size stay in place but empty, and the result is false.
bool LoadImageList(TLMDImageList& list);

}  // namespace marnova
