#include <cstring>

#include "probes/LockKeys.h"
#include "ui/Application.h"
#include "ui/Win.h"

namespace qv {

namespace {

class WindowsKeyboardState : public KeyboardStateReader {
public:
  void ReadKeyboardState(KeyboardStateBuffer& state) override {
    static_assert(sizeof(KeyboardStateBuffer) == 256);
    // On failure the buffer reads as all keys off rather than as stale values.
    if (!GetKeyboardState(state.data())) state.fill(0);
  }
};

class ApplicationLockKeysHooks : public LockKeysHooks {
public:
  void Install(TLockKeys& monitor) override {
    TApplication& app = Application();
    PreviousMessage = app.OnMessage;
    PreviousActivate = app.OnActivate;
    // The monitor never marks a message handled: the key press reaches its window as usual.
    app.OnMessage = [this, &monitor](MSG& msg, bool& handled) {
      monitor.MessageHook(msg.message, msg.wParam);
      if (PreviousMessage) PreviousMessage(msg, handled);
    };
    app.OnActivate = [this, &monitor] {
      monitor.ActivateHook();
      if (PreviousActivate) PreviousActivate();
    };
  }
  void Remove() override {
    TApplication& app = Application();
    app.OnMessage = std::move(PreviousMessage);
    app.OnActivate = std::move(PreviousActivate);
  }

private:
  std::function<void(MSG& msg, bool& handled)> PreviousMessage;
  std::function<void()> PreviousActivate;
};

} // namespace

KeyboardStateReader& ThreadKeyboardState() {
  static WindowsKeyboardState reader;
  return reader;
}

std::unique_ptr<LockKeysHooks> MakeApplicationLockKeysHooks() { return std::make_unique<ApplicationLockKeysHooks>(); }

} // namespace qv
