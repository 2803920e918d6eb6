#include "probes/LockKeys.h"

namespace qv {

TLockKeys::TLockKeys(KeyboardStateReader& reader, std::unique_ptr<LockKeysHooks> hooks)
    : Reader(reader), Hooks(std::move(hooks)) {
  if (Hooks) Hooks->Install(*this);
}

TLockKeys::~TLockKeys() {
  if (Hooks) Hooks->Remove();
}

void TLockKeys::MessageHook(unsigned message, uintptr_t keyCode) {
  if (message != WmKeyDown) return;
  switch (keyCode) {
    case VkCapsLock:
      Raise(OnCapsLock);
      break;
    case VkInsert:
      Raise(OnInsert);
      break;
    case VkNumLock:
      Raise(OnNumLock);
      break;
    case VkScrollLock:
      Raise(OnScrollLock);
      break;
    default:
      break;
  }
}

void TLockKeys::ActivateHook() {
  Raise(OnNumLock);
  Raise(OnScrollLock);
  Raise(OnCapsLock);
  Raise(OnInsert);
}

bool TLockKeys::Toggled(uint8_t key) {
  // Read fresh every time: the system updates the thread's state as key messages leave the queue,
  // so an event handler already sees the new toggle state.
  Reader.ReadKeyboardState(KeyboardState);
  return (KeyboardState[key] & 1) != 0;
}

void TLockKeys::Raise(const TNotifyEvent& event) {
  if (event) event(*this);
}

} // namespace qv
