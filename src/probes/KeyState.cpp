#include "probes/KeyState.h"

namespace qv {

TKeyState::TKeyState(KeyboardStateReader& reader, std::unique_ptr<KeyStateHooks> hooks)
    : Reader(reader), Hooks(std::move(hooks)) {
  if (Hooks) Hooks->Install(*this);
}

TKeyState::~TKeyState() {
  if (Hooks) Hooks->Remove();
}

void TKeyState::MessageHook(unsigned message, uintptr_t keyCode) {
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

void TKeyState::ActivateHook() {
  Raise(OnNumLock);
  Raise(OnScrollLock);
  Raise(OnCapsLock);
  Raise(OnInsert);
}

bool TKeyState::Toggled(uint8_t key) {
  // Read fresh every time: the system updates the thread's state as key messages leave the queue,
  // so an event handler already sees the new toggle state.
  Reader.ReadKeyboardState(KeyboardState);
  return (KeyboardState[key] & 1) != 0;
}

void TKeyState::Raise(const TNotifyEvent& event) {
  if (event) event(*this);
}

} // namespace qv
