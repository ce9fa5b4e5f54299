// Drivers of modal loops (see ModalDriver.h).
#include "ModalDriver.h"

#include <map>
#include <utility>

namespace velmtest {

namespace {
// The timers of this thread by id: thread timers carry no pointer of their own.
std::map<UINT_PTR, ThreadTimer*>& Timers() {
  static std::map<UINT_PTR, ThreadTimer*> timers;
  return timers;
}
}  // namespace

ThreadTimer::ThreadTimer(DWORD periodMs, std::function<bool()> tick) : tick_(std::move(tick)) {
  id_ = SetTimer(nullptr, 0, periodMs, &ThreadTimer::Fire);
  if (id_) Timers()[id_] = this;
}

ThreadTimer::~ThreadTimer() {
  stop();
}

void ThreadTimer::stop() {
  if (!id_) return;
  KillTimer(nullptr, id_);
  Timers().erase(id_);
  id_ = 0;
}

void CALLBACK ThreadTimer::Fire(HWND, UINT, UINT_PTR id, DWORD) {
  const auto found = Timers().find(id);
  if (found == Timers().end()) {
    KillTimer(nullptr, id);
    return;
  }
  ThreadTimer* self = found->second;
  if (self->busy_) return;
  self->busy_ = true;
  const bool again = self->tick_();
  // The tick may have ended the test's use of the object; it is still alive while its timer is
  // registered.
  if (Timers().count(id)) {
    self->busy_ = false;
    if (!again) self->stop();
  }
}

bool ReadyForInput(HWND window) {
  if (!window || !IsWindowVisible(window) || !IsWindowEnabled(window)) return false;
  if (GetActiveWindow() != window) return false;
  const HWND focus = GetFocus();
  return focus == window || (focus && IsChild(window, focus));
}

RunInLoop::RunInLoop(std::function<void()> action, HWND readyWindow)
    : timer_(1, [action = std::move(action), readyWindow] {
        if (readyWindow && !ReadyForInput(readyWindow)) {
          if (IsWindowVisible(readyWindow) && GetActiveWindow() != readyWindow)
            SetActiveWindow(readyWindow);
          return true;  // again at the next tick
        }
        action();
        return false;
      }) {}

LoopGuard::LoopGuard(std::function<void()> end, DWORD afterMs)
    : timer_(afterMs, [end = std::move(end)] {
        end();
        return false;
      }) {}

}  // namespace velmtest
