// Playing the user from inside a modal loop of the calling thread: the in-process tests open a
// form or a message box modally on their own thread, and these drivers act from a thread timer
// while that loop runs, as the handler of a queued message would.
#pragma once

#include <windows.h>

#include <functional>

namespace velmtest {

// Calls `tick` from a thread timer every `periodMs` while any message loop of this thread runs,
// until `tick` answers false or the object goes. A tick is never started inside another tick of
// the same timer (an action that opens a nested modal loop does not run again from within it).
class ThreadTimer {
 public:
  ThreadTimer(DWORD periodMs, std::function<bool()> tick);
  ~ThreadTimer();
  ThreadTimer(const ThreadTimer&) = delete;
  ThreadTimer& operator=(const ThreadTimer&) = delete;

 private:
  static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD);
  void stop();

  std::function<bool()> tick_;
  UINT_PTR id_ = 0;
  bool busy_ = false;
};

// The window of this thread is up for input as a person sees it: shown, enabled, the active
// window, and the keyboard focus on it or on one of its controls.
bool ReadyForInput(HWND window);

// Runs `action` once from inside the modal loop. With a window given, it waits for that window to
// be ready for input first, making it active as a click on it would when it is not: under Wine
// without a window manager the news of an earlier window's end can reach this thread late and
// take the activation away from the window just shown.
class RunInLoop {
 public:
  explicit RunInLoop(std::function<void()> action, HWND readyWindow = nullptr);

 private:
  ThreadTimer timer_;
};

// Ends a modal loop that nothing else ends, so that a fault fails the test instead of hanging it:
// `end` runs once, long after every message posted for the loop has been handled.
class LoopGuard {
 public:
  explicit LoopGuard(std::function<void()> end, DWORD afterMs = 10000);

 private:
  ThreadTimer timer_;
};

}  // namespace velmtest
