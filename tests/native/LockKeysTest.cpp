#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "probes/LockKeys.h"

namespace qv {

namespace {

class FakeKeyboard : public KeyboardStateReader {
public:
  void ReadKeyboardState(KeyboardStateBuffer& state) override {
    ++Reads;
    state = State;
  }
  KeyboardStateBuffer State{};
  int Reads = 0;
};

struct Recorder {
  explicit Recorder(TLockKeys& keys) {
    keys.OnNumLock = [this](TLockKeys& sender) { Events.push_back("num"), Sender = &sender; };
    keys.OnScrollLock = [this](TLockKeys& sender) { Events.push_back("scroll"), Sender = &sender; };
    keys.OnCapsLock = [this](TLockKeys& sender) { Events.push_back("caps"), Sender = &sender; };
    keys.OnInsert = [this](TLockKeys& sender) { Events.push_back("insert"), Sender = &sender; };
  }
  std::vector<std::string> Events;
  TLockKeys* Sender = nullptr;
};

constexpr unsigned WmKeyUp = 0x0101, WmChar = 0x0102, WmSysKeyDown = 0x0104;

} // namespace

TEST(KeyState, KeyDownOfEachLockKeyRaisesItsEvent) {
  FakeKeyboard keyboard;
  TLockKeys keys(keyboard);
  Recorder recorder(keys);
  struct Case {
    unsigned Message;
    uintptr_t Key;
    const char* Event; // nullptr: nothing raised
  };
  for (const Case& c :
       {Case{WmKeyDown, 0x14, "caps"}, Case{WmKeyDown, 0x2D, "insert"}, Case{WmKeyDown, 0x90, "num"},
        Case{WmKeyDown, 0x91, "scroll"}, Case{WmKeyDown, 0x41, nullptr}, Case{WmKeyDown, 0x10014, nullptr},
        Case{WmKeyUp, 0x14, nullptr}, Case{WmChar, 0x14, nullptr}, Case{WmSysKeyDown, 0x14, nullptr}, // Alt held
        Case{0, 0x90, nullptr}}) {
    recorder.Events.clear();
    keys.MessageHook(c.Message, c.Key);
    SCOPED_TRACE(std::to_string(c.Message) + "/" + std::to_string(c.Key));
    EXPECT_EQ(recorder.Events, c.Event ? std::vector<std::string>{c.Event} : std::vector<std::string>{});
  }
  EXPECT_EQ(recorder.Sender, &keys);
  EXPECT_EQ(keyboard.Reads, 0); // deciding reads no state
}

TEST(KeyState, AutoRepeatRaisesEveryTime) {
  FakeKeyboard keyboard;
  TLockKeys keys(keyboard);
  Recorder recorder(keys);
  for (int i = 0; i < 3; ++i) keys.MessageHook(WmKeyDown, VkCapsLock);
  EXPECT_EQ(recorder.Events, (std::vector<std::string>{"caps", "caps", "caps"}));
}

TEST(KeyState, ActivationRaisesAllFourInOrder) {
  FakeKeyboard keyboard;
  TLockKeys keys(keyboard);
  Recorder recorder(keys);
  keys.ActivateHook();
  EXPECT_EQ(recorder.Events, (std::vector<std::string>{"num", "scroll", "caps", "insert"}));
}

TEST(KeyState, UnassignedEventsAreSkipped) {
  FakeKeyboard keyboard;
  TLockKeys keys(keyboard);
  int caps = 0;
  keys.OnCapsLock = [&](TLockKeys&) { ++caps; };
  keys.ActivateHook();
  keys.MessageHook(WmKeyDown, VkNumLock);
  keys.MessageHook(WmKeyDown, VkCapsLock);
  EXPECT_EQ(caps, 2);
}

TEST(KeyState, ReadersTakeTheToggleBitFreshEachTime) {
  FakeKeyboard keyboard;
  TLockKeys keys(keyboard);
  keyboard.State[VkNumLock] = 0x01;
  keyboard.State[VkCapsLock] = 0x80; // held down but not toggled
  keyboard.State[VkScrollLock] = 0x81;
  keyboard.State[VkInsert] = 0x00;
  EXPECT_TRUE(keys.NumLockOn());
  EXPECT_FALSE(keys.CapsLockOn());
  EXPECT_TRUE(keys.ScrollLockOn());
  EXPECT_FALSE(keys.InsertOn());
  EXPECT_EQ(keyboard.Reads, 4);

  keyboard.State[VkInsert] = 0x01;
  keyboard.State[VkNumLock] = 0x00;
  EXPECT_TRUE(keys.InsertOn());
  EXPECT_FALSE(keys.NumLockOn());
  EXPECT_EQ(keyboard.Reads, 6);
}

TEST(KeyState, EventHandlerSeesTheNewState) {
  // As the queue hands out the key-down the thread's state has already flipped; the handler
  // reads it through the component.
  FakeKeyboard keyboard;
  TLockKeys keys(keyboard);
  std::vector<bool> seen;
  keys.OnCapsLock = [&](TLockKeys& sender) { seen.push_back(sender.CapsLockOn()); };
  keyboard.State[VkCapsLock] = 1;
  keys.MessageHook(WmKeyDown, VkCapsLock);
  keyboard.State[VkCapsLock] = 0;
  keys.MessageHook(WmKeyDown, VkCapsLock);
  EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}

namespace {

class FakeHooks : public LockKeysHooks {
public:
  explicit FakeHooks(std::vector<std::string>& log) : Log(log) {}
  void Install(TLockKeys& monitor) override {
    Log.push_back("install");
    Installed = &monitor;
  }
  void Remove() override { Log.push_back("remove"); }
  std::vector<std::string>& Log;
  TLockKeys* Installed = nullptr;
};

} // namespace

TEST(KeyState, InstalledForItsLifetime) {
  FakeKeyboard keyboard;
  std::vector<std::string> log;
  auto hooks = std::make_unique<FakeHooks>(log);
  FakeHooks* seen = hooks.get();
  {
    TLockKeys keys(keyboard, std::move(hooks));
    EXPECT_EQ(log, std::vector<std::string>{"install"});
    EXPECT_EQ(seen->Installed, &keys);
  }
  EXPECT_EQ(log, (std::vector<std::string>{"install", "remove"}));
}

} // namespace qv
