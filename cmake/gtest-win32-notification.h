// GoogleTest's Notification for the MinGW win32 thread model, which lacks std::mutex and
// std::condition_variable: a manual-reset Win32 event does the same. Included ahead of every
// translation unit that uses GoogleTest in the Windows build (see Win32Target.cmake).
#pragma once
#ifdef __cplusplus
#include <windows.h>

namespace testing {
namespace internal {

class Notification {
 public:
  Notification() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
  ~Notification() { CloseHandle(event_); }
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;
  void Notify() { SetEvent(event_); }
  void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

 private:
  HANDLE event_;
};

}  // namespace internal
}  // namespace testing
#endif
