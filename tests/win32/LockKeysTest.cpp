#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "probes/LockKeys.h"
#include "ui/Application.h"
#include "ui/Win.h"

namespace qv {

namespace {

// Puts the application's handlers back whatever a test does to them.
class LockKeysOnApplication : public ::testing::Test {
protected:
  void SetUp() override {
    SavedMessage = Application().OnMessage;
    SavedActivate = Application().OnActivate;
    Application().OnMessage = [this](MSG& msg, bool&) { Log.push_back("previous " + std::to_string(msg.message)); };
    Application().OnActivate = [this] { Log.push_back("previous activate"); };
    GetKeyboardState(SavedKeys);
  }
  void TearDown() override {
    SetKeyboardState(SavedKeys);
    Application().OnMessage = SavedMessage;
    Application().OnActivate = SavedActivate;
  }
  void Record(TLockKeys& keys) {
    keys.OnNumLock = [this](TLockKeys&) { Log.push_back("num"); };
    keys.OnScrollLock = [this](TLockKeys&) { Log.push_back("scroll"); };
    keys.OnCapsLock = [this](TLockKeys&) { Log.push_back("caps"); };
    keys.OnInsert = [this](TLockKeys&) { Log.push_back("insert"); };
  }
  bool Hook(UINT message, WPARAM key) {
    MSG msg{};
    msg.message = message;
    msg.wParam = key;
    bool handled = false;
    Application().OnMessage(msg, handled);
    return handled;
  }

  std::vector<std::string> Log;
  std::function<void(MSG&, bool&)> SavedMessage;
  std::function<void()> SavedActivate;
  BYTE SavedKeys[256] = {};
};

} // namespace

TEST_F(LockKeysOnApplication, ChainsOntoTheApplicationHandlersAndPutsThemBack) {
  {
    TLockKeys keys(ThreadKeyboardState(), MakeApplicationLockKeysHooks());
    Record(keys);
    EXPECT_FALSE(Hook(WM_KEYDOWN, VK_CAPITAL)); // never marked handled
    Hook(WM_SYSKEYDOWN, VK_CAPITAL);
    Hook(WM_KEYDOWN, 'A');
    Application().OnActivate();
    EXPECT_EQ(Log, (std::vector<std::string>{"caps", "previous 256", "previous 260", "previous 256", "num", "scroll",
                                             "caps", "insert", "previous activate"}));
  }
  Log.clear();
  Hook(WM_KEYDOWN, VK_NUMLOCK);
  Application().OnActivate();
  EXPECT_EQ(Log, (std::vector<std::string>{"previous 256", "previous activate"}));
}

TEST_F(LockKeysOnApplication, KeyDownTakenFromTheQueueRaisesItsEvent) {
  TLockKeys keys(ThreadKeyboardState(), MakeApplicationLockKeysHooks());
  Record(keys);
  MSG stale;
  while (PeekMessageA(&stale, nullptr, 0, 0, PM_REMOVE)) {
  }
  ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_KEYDOWN, VK_SCROLL, 0));
  ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_KEYDOWN, VK_INSERT, 0));
  Application().ProcessMessages();
  EXPECT_EQ(Log, (std::vector<std::string>{"scroll", "previous 256", "insert", "previous 256"}));
}

TEST_F(LockKeysOnApplication, ReadersFollowTheThreadsToggleBits) {
  TLockKeys keys(ThreadKeyboardState());
  struct Case {
    BYTE Num, Caps, Scroll, Insert;
  };
  for (const Case& c :
       {Case{1, 0, 0, 0}, Case{0, 1, 0, 0}, Case{0, 0, 1, 0}, Case{0, 0, 0, 1}, Case{0x81, 0x80, 1, 1}}) {
    BYTE state[256] = {};
    state[VK_NUMLOCK] = c.Num;
    state[VK_CAPITAL] = c.Caps;
    state[VK_SCROLL] = c.Scroll;
    state[VK_INSERT] = c.Insert;
    ASSERT_TRUE(SetKeyboardState(state));
    EXPECT_EQ(keys.NumLockOn(), (c.Num & 1) != 0);
    EXPECT_EQ(keys.CapsLockOn(), (c.Caps & 1) != 0);
    EXPECT_EQ(keys.ScrollLockOn(), (c.Scroll & 1) != 0);
    EXPECT_EQ(keys.InsertOn(), (c.Insert & 1) != 0);
  }
}

} // namespace qv
