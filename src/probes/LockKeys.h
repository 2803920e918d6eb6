#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

namespace qv {

// Virtual-key codes of the four keys the monitor follows.
constexpr uint8_t VkCapsLock = 0x14;
constexpr uint8_t VkInsert = 0x2D;
constexpr uint8_t VkNumLock = 0x90;
constexpr uint8_t VkScrollLock = 0x91;
constexpr unsigned WmKeyDown = 0x0100;

using KeyboardStateBuffer = std::array<uint8_t, 256>;

// The calling thread's keyboard state, one byte per virtual-key code (bit 0 = toggled).
class KeyboardStateReader {
public:
  virtual ~KeyboardStateReader() = default;
  virtual void ReadKeyboardState(KeyboardStateBuffer& state) = 0;
};

class TLockKeys;

// How a monitor is put on the application's message hook and activate handler, and taken off.
class LockKeysHooks {
public:
  virtual ~LockKeysHooks() = default;
  // Installs the monitor's two handlers, keeping the ones that were installed before.
  virtual void Install(TLockKeys& monitor) = 0;
  // Puts the kept handlers back.
  virtual void Remove() = 0;
};

// Notices presses of Num, Caps, Scroll Lock and Insert while the program is active, and the
// program's activation, and reads the keys' toggle states. It only observes: it never changes a
// key's state and never marks a message handled.
class TLockKeys {
public:
  using TNotifyEvent = std::function<void(TLockKeys& sender)>;

  // Installed on the hooks for the component's lifetime; without hooks it only reads states.
  explicit TLockKeys(KeyboardStateReader& reader, std::unique_ptr<LockKeysHooks> hooks = nullptr);
  virtual ~TLockKeys();
  TLockKeys(const TLockKeys&) = delete;
  TLockKeys& operator=(const TLockKeys&) = delete;

  TNotifyEvent OnNumLock;
  TNotifyEvent OnScrollLock;
  TNotifyEvent OnCapsLock;
  TNotifyEvent OnInsert;

  // Each reads the whole keyboard state afresh and returns its key's toggle bit.
  bool NumLockOn() { return Toggled(VkNumLock); }
  bool ScrollLockOn() { return Toggled(VkScrollLock); }
  bool CapsLockOn() { return Toggled(VkCapsLock); }
  bool InsertOn() { return Toggled(VkInsert); }

  // For every message taken from the queue, before dispatch: a key-down of one of the four keys
  // raises its event. Key-downs with Alt held come as system key messages and raise nothing.
  void MessageHook(unsigned message, uintptr_t keyCode);
  // When the program becomes active: all four events, to catch up with presses made while
  // another program had the keyboard.
  void ActivateHook();

private:
  bool Toggled(uint8_t key);
  void Raise(const TNotifyEvent& event);

  KeyboardStateReader& Reader;
  KeyboardStateBuffer KeyboardState{};
  std::unique_ptr<LockKeysHooks> Hooks;
};

// Windows builds only: the calling thread's keyboard state (GetKeyboardState), and hooks on the
// application object that chain to the handlers installed before them (the previous message hook
// sees every message after the monitor, the previous activate handler runs after the events).
KeyboardStateReader& ThreadKeyboardState();
std::unique_ptr<LockKeysHooks> MakeApplicationLockKeysHooks();

} // namespace qv
