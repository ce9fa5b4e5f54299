// What the benchmarks read of a program from outside: the clock, its windows, and whether a
// window keeps answering while the program works (AnswerWatch).
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

#include "Driver.h"

namespace bench {

// Milliseconds from QueryPerformanceCounter.
inline double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The visible top-level window of process `pid` with that caption, or null. The caption is read
// without a message to the window, which a busy program would answer only later.
inline HWND FindTop(DWORD pid, const std::string& caption) {
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner != pid || !IsWindowVisible(w)) continue;
    char text[128] = {};
    GetWindowTextA(w, text, sizeof text);
    if (caption == text) return w;
  }
  return nullptr;
}

// The main window's rich-text view, and whether it stands where the reveal leaves it.
inline HWND ViewOf(HWND window) {
  const std::vector<HWND> views = e2e::Children(window, "RichEdit20A");
  return views.empty() ? nullptr : views.front();
}

inline bool AtFinalPlace(HWND view) {
  constexpr RECT kViewFinal{208, 84, 490, 405};
  const RECT r = e2e::ChildRectInParent(view);
  return r.left == kViewFinal.left && r.top == kViewFinal.top && r.right == kViewFinal.right &&
         r.bottom == kViewFinal.bottom;
}

// Watches a window from a thread of its own while the program works: sends it WM_NULL again and
// again and keeps the longest wait for its answer (how long the window did not answer: paint,
// move or close), and reads the position of its progress bar (a msctls_progress32 child), if it
// has one, counting how often it moved.
class AnswerWatch {
 public:
  explicit AnswerWatch(HWND window) : window_(window) {
    thread_ = CreateThread(nullptr, 0, &AnswerWatch::Run, this, 0, nullptr);
  }
  ~AnswerWatch() { stop(); }
  AnswerWatch(const AnswerWatch&) = delete;
  AnswerWatch& operator=(const AnswerWatch&) = delete;

  // Ends the watch once the answer being waited for has come.
  void stop() {
    if (!thread_) return;
    stop_ = true;
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
  }
  double longestMs() const { return longest_; }
  int progressMoves() const { return moves_; }

 private:
  static DWORD WINAPI Run(LPVOID self) {
    static_cast<AnswerWatch*>(self)->watch();
    return 0;
  }
  void watch() {
    LRESULT position = -1;
    while (!stop_ && IsWindow(window_)) {
      DWORD_PTR answer = 0;
      const double start = Now();
      if (!SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, 600000, &answer)) break;
      longest_ = std::max(longest_.load(), Now() - start);
      const std::vector<HWND> bars = e2e::Children(window_, PROGRESS_CLASSA);
      if (!bars.empty() &&
          SendMessageTimeoutA(bars.front(), PBM_GETPOS, 0, 0, SMTO_NORMAL, 600000, &answer)) {
        if (position >= 0 && static_cast<LRESULT>(answer) != position) ++moves_;
        position = static_cast<LRESULT>(answer);
      }
      Sleep(5);
    }
  }

  HWND window_;
  HANDLE thread_ = nullptr;
  std::atomic<bool> stop_{false};
  std::atomic<double> longest_{0};
  std::atomic<int> moves_{0};
};

}  // namespace bench
