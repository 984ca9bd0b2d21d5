#include "support/FakeScreen.h"

#include <QMetaObject>

#include "platform/screen/QtScreen.h"

namespace marnova {

namespace {

using TState = TFakeScreen::TState;

// Counts itself in one of the state's tallies for as long as it lives.
class TCounted {
 public:
  TCounted(std::shared_ptr<TState> state, int TState::*tally)
      : FState(std::move(state)), FTally(tally) {
    ++(FState.get()->*FTally);
    ++FState->HandedOut;
  }
  ~TCounted() { --(FState.get()->*FTally); }
  TCounted(const TCounted&) = delete;
  TCounted& operator=(const TCounted&) = delete;

 protected:
  std::shared_ptr<TState> FState;

 private:
  int TState::*FTally;
};

class TFakeBlock final : public TPixelBlock, TCounted {
 public:
  explicit TFakeBlock(std::shared_ptr<TState> state)
      : TCounted(std::move(state), &TState::Blocks) {}
};

class TFakeGrab final : public TPointerGrab, TCounted {
 public:
  TFakeGrab(std::shared_ptr<TState> state, QWidget& window)
      : TCounted(std::move(state), &TState::Grabs), FWindow(&window) {
    FState->GrabStack.emplace_back(&window);
    FReal = TQtScreen().GrabPointer(window);
  }
  ~TFakeGrab() override {
    auto& stack = FState->GrabStack;
    for (auto it = stack.begin(); it != stack.end(); ++it) {
      if (*it == FWindow) {
        stack.erase(it);
        break;
      }
    }
  }
  bool HeldBySystem() const override { return FReal->HeldBySystem(); }

 private:
  QPointer<QWidget> FWindow;
  std::unique_ptr<TPointerGrab> FReal;
};

class TFakeDevice final : public TScreenDevice, TCounted {
 public:
  explicit TFakeDevice(std::shared_ptr<TState> state)
      : TCounted(std::move(state), &TState::Devices) {}

  std::unique_ptr<TPixelBlock> CreateBlock() const override {
    return std::make_unique<TFakeBlock>(FState);
  }

  bool ReadBlock(QPoint centre, TPixelBlock& into) override {
    ++FState->Reads;
    const QImage& desktop = FState->Desktop;
    if (!FState->Readable || !desktop.valid(centre)) return false;
    QImage& block = into.Image();
    for (int y = 0; y < kPickBlockSize; ++y) {
      for (int x = 0; x < kPickBlockSize; ++x) {
        const QPoint at = centre + QPoint(x - kPickBlockCentre, y - kPickBlockCentre);
        block.setPixel(x, y, desktop.valid(at) ? desktop.pixel(at) : qRgb(0, 0, 0));
      }
    }
    return true;
  }
};

}  // namespace

TFakeScreen::TFakeScreen(QSize size) : FState(std::make_shared<TState>()) {
  FState->Desktop = QImage(size, QImage::Format_RGB32);
  FState->Desktop.fill(Qt::black);
}

QWidget* TFakeScreen::Grabber() const {
  return FState->GrabStack.empty() ? nullptr : FState->GrabStack.back().data();
}

std::unique_ptr<TPointerGrab> TFakeScreen::GrabPointer(QWidget& window) {
  return std::make_unique<TFakeGrab>(FState, window);
}

std::unique_ptr<TScreenDevice> TFakeScreen::OpenScreen() {
  return std::make_unique<TFakeDevice>(FState);
}

void TFakeScreen::ActivateWindow(QWidget& window) {
  ++FState->ActivationsRequested;
  std::weak_ptr<TState> state = FState;
  QMetaObject::invokeMethod(
      &window,
      [state] {
        if (auto alive = state.lock()) ++alive->ActivationsDone;
      },
      Qt::QueuedConnection);
}

}  // namespace marnova
