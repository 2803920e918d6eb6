#pragma once
// GoogleTest builds its Notification on std::mutex, which the win32 thread model's library lacks;
// this one, an event, stands in (GTEST_HAS_NOTIFICATION_). Forced in before GoogleTest's headers.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace testing::internal {

class Notification {
public:
  Notification() : Event(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
  ~Notification() { CloseHandle(Event); }
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;
  void Notify() { SetEvent(Event); }
  void WaitForNotification() { WaitForSingleObject(Event, INFINITE); }

private:
  HANDLE Event;
};

} // namespace testing::internal
