// The automation library the end-to-end tests drive VelmPres.exe with, from outside: start a
// program with arguments and a working folder, find its windows by caption, read geometry and
// text, click at client coordinates, type keys, read the screen, answer message boxes, and wait
// for the process to end with its exit code.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Places.h"
#include "TestFiles.h"

namespace e2e {

// Polls `condition` until it holds or `timeoutMs` passes; the last answer.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000, DWORD stepMs = 50);

class Process {
 public:
  // Starts `exe` with the raw argument text `arguments` in `workingFolder`, the pointer parked
  // first (ParkPointer); throws on failure.
  Process(const std::string& exe, const std::string& arguments, const std::string& workingFolder);
  ~Process();  // ends the program if it still runs
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  DWORD id() const { return info_.dwProcessId; }
  bool running() const;
  // Waits for the end; true with the exit code when it ended in time.
  bool waitForExit(DWORD timeoutMs, DWORD* exitCode);
  // A visible top-level window of this process with exactly this caption, or null after the
  // timeout.
  HWND waitForWindow(const std::string& caption, DWORD timeoutMs = 20000) const;
  // A visible message box (dialog class #32770) of this process, or null after the timeout.
  HWND waitForMessageBox(DWORD timeoutMs = 10000) const;
  std::vector<HWND> topWindows() const;
  // Waits until the program waits for input with nothing pending (its start-up handlers have
  // run); false after the timeout.
  bool waitForIdle(DWORD timeoutMs = 20000) const;
  void kill();
  // Stops watching the program and leaves it running.
  void detach();

 private:
  // The first visible top-level window of this process that is wanted, or null after the timeout.
  HWND waitForTopWindow(const std::function<bool(HWND)>& wanted, DWORD timeoutMs) const;

  PROCESS_INFORMATION info_{};
};

// Geometry, read from outside.
SIZE ClientSize(HWND window);
RECT WindowRectOnScreen(HWND window);
POINT ClientOriginOnScreen(HWND window);
// A child's rectangle in its parent's client coordinates.
RECT ChildRectInParent(HWND child);
// A child as laid out: its window class, its text, its box in its parent's client area.
velmtest::Placed PlaceOf(HWND child);
LONG Style(HWND window);

// Waits until the window's thread has handled everything sent to it before (a round trip of
// WM_NULL); false when it did not answer in time.
bool RoundTrip(HWND window, DWORD timeoutMs = 10000);

// Texts, read from outside (WM_GETTEXT crosses processes).
std::string Text(HWND window);
std::string ClassName(HWND window);
// Whether the window is a dialog of the system's class #32770, as message boxes are.
bool IsMessageBox(HWND window);
// Direct children of `parent` of the given window class, in Z order.
std::vector<HWND> Children(HWND parent, const std::string& className);
// A visible message box of the window's thread (one it shows over its windows), or null.
HWND MessageBoxOf(HWND window);
// The message text of a message box.
std::string MessageBoxText(HWND box);
// Presses a message box's OK button.
void AnswerMessageBox(HWND box);

// A multi-line edit or rich-edit control's scrolling, from outside: the first line in view, and
// one page down (as a click in the scroll bar's track does).
int FirstVisibleLine(HWND edit);
void ScrollPageDown(HWND edit);

// ---- Input ----------------------------------------------------------------------------------
// A key or click goes, as a person's does, only to a window that is up for input: the program's
// window shown and enabled, the foreground window, active in its thread with the keyboard focus
// on it or on one of its controls. Each input routine first waits for that state (asking for the
// window to be brought to the front meanwhile), then sends the input, then waits until the
// window's thread has handled it; it answers false when the window did not come up in time.

// Moves the pointer to a corner of the screen where no window lies, and waits until it is there,
// so that a program started next shows its windows away from it: the X server's news of the
// pointer entering a window, read late, would raise that window in Wine's stacking over the ones
// shown after it.
void ParkPointer();

// The keyboard focus in the window's thread (null when none), read from outside.
HWND FocusOf(HWND window);
// The window's top-level window is up for input as above.
bool ReadyForInput(HWND window);
// Brings the window's top-level window to the front and waits until it is up for input.
bool WaitUntilReadyForInput(HWND window, DWORD timeoutMs = 10000);
// Waits until the window's thread has handled every message and input queued for it before
// (or the window has gone or been hidden).
bool WaitUntilInputHandled(HWND window, DWORD timeoutMs = 10000);
// Waits until the window's thread has caught up (as above) and the window and every window in
// it have drawn what they were asked to draw (no part of them waits to be painted).
bool WaitUntilDrawn(HWND window, DWORD timeoutMs = 10000);

// A click (and a move) waits, after moving the pointer, until a press there would reach the
// window's top-level window, and not one Wine still stacks over it (see Driver.cpp).
bool Click(HWND window, int clientX, int clientY);
// Moves the pointer to a client point without pressing anything (to hover).
bool MoveMouse(HWND window, int clientX, int clientY);
bool Key(HWND window, WORD virtualKey, bool alt = false);
// The key pressed while `modifier` (VK_SHIFT, VK_CONTROL, VK_MENU; 0 for none) is held.
bool KeyWith(HWND window, WORD modifier, WORD virtualKey);
bool Focus(HWND window);

// An edit control's selection, read from outside: {start, end}.
std::pair<int, int> Selection(HWND edit);

// Watches every visible top-level window of a process without pause, on a thread of its own,
// from its making until stop(), and notes the caption each window had when it was first seen.
class CaptionWatch {
 public:
  explicit CaptionWatch(DWORD processId);
  ~CaptionWatch();
  CaptionWatch(const CaptionWatch&) = delete;
  CaptionWatch& operator=(const CaptionWatch&) = delete;
  // Ends the watching; each window seen with its first caption.
  const std::map<HWND, std::string>& stop();

 private:
  static DWORD WINAPI Watch(LPVOID self);
  DWORD processId_;
  volatile LONG stopping_ = 0;
  HANDLE thread_ = nullptr;
  std::map<HWND, std::string> first_;
};

// The ids of the running processes whose program file has this name (as "cmd.exe").
std::vector<DWORD> ProcessesNamed(const std::string& exeName);
// The number of threads process `id` runs.
int ThreadCount(DWORD id);
// Waits until VelmPres.exe's start-up has come to its end: the catalogue revealed, or its loading
// stopped. The window answers meanwhile (the program is idle while a thread of its own reads the
// catalogue); that thread ends only once the loading has ended, then the program is idle again.
bool WaitForStartUp(const Process& process, DWORD timeoutMs = 60000);

// A copy of the screen pixels of a window's client area.
class Capture {
 public:
  static Capture Of(HWND window);
  int width() const { return width_; }
  int height() const { return height_; }
  // The colour at a client point as 0xRRGGBB.
  std::uint32_t at(int x, int y) const;
  // Saves as a 24-bit BMP.
  bool save(const std::string& path) const;
  // Waits for the window's drawing to settle: until the program has drawn everything it was
  // asked to (WaitUntilDrawn), then captures until two in a row are equal.
  static Capture Settled(HWND window, DWORD timeoutMs = 3000);

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;  // 0x00RRGGBB, rows top to bottom
};

// A bitmap file's pixels (any depth), for comparing with what is on screen.
class BitmapFile {
 public:
  explicit BitmapFile(const std::string& path);
  bool loaded() const { return width_ > 0; }
  int width() const { return width_; }
  int height() const { return height_; }
  std::uint32_t at(int x, int y) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

// Fraction of the pixels of `picture` (excluding its transparent colour when `skipKey`) drawn
// at client offset (x, y) that match the capture within `tolerance` per channel.
double MatchFraction(const Capture& screen, const BitmapFile& picture, int x, int y, bool skipKey,
                     int tolerance = 8);

// The same, counting only pixels inside `clip` (client coordinates), e.g. to leave out a part
// that another control covers.
double MatchFractionIn(const Capture& screen, const BitmapFile& picture, int x, int y, bool skipKey,
                       const RECT& clip, int tolerance = 8);

// Of the pixels where `picture` and `other` differ (and `picture` is not transparent), the
// fraction where the screen at (x, y) shows `picture`: tells a button's highlighted picture from
// its normal one even where the two are mostly alike.
double MatchFractionWhereDifferent(const Capture& screen, const BitmapFile& picture,
                                   const BitmapFile& other, int x, int y, const RECT& clip,
                                   int tolerance = 8);

// Pixels inside `area` that differ between two captures by more than `tolerance` per channel.
long DifferingPixels(const Capture& a, const Capture& b, const RECT& area, int tolerance = 0);

// Files and folders for tests (Windows paths): the routines every test under Wine shares.
using velmtest::CopyTree;
using velmtest::Exists;
using velmtest::FileBytes;
using velmtest::IsFolder;
using velmtest::MakeFolders;
using velmtest::ReadFileBytes;
using velmtest::RemoveTree;
using velmtest::Rename;
using velmtest::SetReadOnly;
using velmtest::WriteFileBytes;

}  // namespace e2e
