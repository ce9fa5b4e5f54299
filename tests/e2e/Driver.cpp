// The end-to-end automation library (see Driver.h).
#include "Driver.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "BitmapFiles.h"

namespace e2e {

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD stepMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start >= timeoutMs) return condition();
    Sleep(stepMs);
  }
}

// ---- Process ----------------------------------------------------------------------------------

Process::Process(const std::string& exe, const std::string& arguments,
                 const std::string& workingFolder) {
  ParkPointer();
  std::string commandLine = "\"" + exe + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::vector<char> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back('\0');
  // Wine now and then loses a new process before it has run a line of it (the start fails with
  // ERROR_INTERNAL_ERROR at once, more often right after a program is copied or its release set).
  // Such a process did nothing, so it is started again; any other failure is the test's answer.
  for (int attempt = 1;; ++attempt) {
    if (CreateProcessA(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &info_))
      return;
    const DWORD error = GetLastError();
    if (error != ERROR_INTERNAL_ERROR || attempt == 3)
      throw std::runtime_error("cannot start " + exe + " (error " + std::to_string(error) + ")");
    std::fprintf(stderr, "[driver] %s was lost at its start (error %lu), starting it again\n",
                 exe.c_str(), error);
  }
}

Process::~Process() {
  kill();
  detach();
}

void Process::detach() {
  if (info_.hThread) CloseHandle(info_.hThread);
  if (info_.hProcess) CloseHandle(info_.hProcess);
  info_ = PROCESS_INFORMATION{};
}

void Process::kill() {
  if (running()) {
    TerminateProcess(info_.hProcess, 255);
    WaitForSingleObject(info_.hProcess, 5000);
  }
}

bool Process::running() const {
  return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Process::waitForExit(DWORD timeoutMs, DWORD* exitCode) {
  if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  if (exitCode) *exitCode = code;
  return true;
}

namespace {
struct EnumState {
  DWORD pid;
  std::vector<HWND>* out;
};
BOOL CALLBACK CollectTop(HWND hwnd, LPARAM param) {
  auto* state = reinterpret_cast<EnumState*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == state->pid && IsWindowVisible(hwnd)) state->out->push_back(hwnd);
  return TRUE;
}
}  // namespace

std::vector<HWND> Process::topWindows() const {
  std::vector<HWND> windows;
  EnumState state{info_.dwProcessId, &windows};
  EnumWindows(&CollectTop, reinterpret_cast<LPARAM>(&state));
  return windows;
}

HWND Process::waitForTopWindow(const std::function<bool(HWND)>& wanted, DWORD timeoutMs) const {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND w : topWindows())
          if (wanted(w)) {
            found = w;
            return true;
          }
        return false;
      },
      timeoutMs);
  return found;
}

HWND Process::waitForWindow(const std::string& caption, DWORD timeoutMs) const {
  return waitForTopWindow([&](HWND w) { return Text(w) == caption && !IsMessageBox(w); },
                          timeoutMs);
}

bool Process::waitForIdle(DWORD timeoutMs) const {
  return info_.hProcess && WaitForInputIdle(info_.hProcess, timeoutMs) == 0;
}

HWND Process::waitForMessageBox(DWORD timeoutMs) const {
  return waitForTopWindow(&IsMessageBox, timeoutMs);
}

// ---- Geometry and text ------------------------------------------------------------------------

SIZE ClientSize(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

RECT WindowRectOnScreen(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

POINT ClientOriginOnScreen(HWND window) {
  POINT p{0, 0};
  ClientToScreen(window, &p);
  return p;
}

RECT ChildRectInParent(HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

velmtest::Placed PlaceOf(HWND child) {
  const RECT r = ChildRectInParent(child);
  return {ClassName(child), Text(child), r.left, r.top, r.right - r.left, r.bottom - r.top};
}

LONG Style(HWND window) {
  return GetWindowLongA(window, GWL_STYLE);
}

bool RoundTrip(HWND window, DWORD timeoutMs) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &ignored) != 0;
}

std::string Text(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
    return {};
  std::string text(length + 1, '\0');
  DWORD_PTR got = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(&text[0]),
                      SMTO_ABORTIFHUNG, 5000, &got);
  text.resize(std::min<size_t>(got, length));
  return text;
}

std::string ClassName(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

bool IsMessageBox(HWND window) {
  return ClassName(window) == "#32770";
}

std::vector<HWND> Children(HWND parent, const std::string& className) {
  std::vector<HWND> found;
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (className.empty() || lstrcmpiA(ClassName(c).c_str(), className.c_str()) == 0)
      found.push_back(c);
  return found;
}

namespace {
BOOL CALLBACK NoteMessageBox(HWND hwnd, LPARAM param) {
  if (!IsWindowVisible(hwnd) || !IsMessageBox(hwnd)) return TRUE;
  *reinterpret_cast<HWND*>(param) = hwnd;
  return FALSE;
}
}  // namespace

HWND MessageBoxOf(HWND window) {
  HWND box = nullptr;
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  if (thread) EnumThreadWindows(thread, &NoteMessageBox, reinterpret_cast<LPARAM>(&box));
  return box;
}

std::string MessageBoxText(HWND box) {
  HWND text = GetDlgItem(box, 0xFFFF);  // the message box's static text
  return text ? Text(text) : std::string();
}

void AnswerMessageBox(HWND box) {
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

int FirstVisibleLine(HWND edit) {
  DWORD_PTR line = 0;
  SendMessageTimeoutA(edit, EM_GETFIRSTVISIBLELINE, 0, 0, SMTO_ABORTIFHUNG, 5000, &line);
  return static_cast<int>(line);
}

void ScrollPageDown(HWND edit) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(edit, WM_VSCROLL, SB_PAGEDOWN, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
}

// ---- Input ------------------------------------------------------------------------------------

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

bool ReadyForInput(HWND window) {
  const HWND top = GetAncestor(window, GA_ROOT);
  if (!top || !IsWindowVisible(top) || !IsWindowEnabled(top)) return false;
  if (GetForegroundWindow() != top) return false;
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info)) return false;
  return info.hwndActive == top &&
         (info.hwndFocus == top || (info.hwndFocus && IsChild(top, info.hwndFocus)));
}

bool WaitUntilReadyForInput(HWND window, DWORD timeoutMs) {
  const HWND top = GetAncestor(window, GA_ROOT);
  DWORD askedAt = GetTickCount() - 1000;
  // Under Xvfb there is no window manager, and Wine moves the X input focus itself when a window
  // is activated. The X server's news of the focus leaving the program's earlier window (a
  // dialog just closed, the window of the showing before) reaches the program late, and the
  // program may then give up the activation it has just been given: the window is active with
  // its focus, and a moment later it is not. So the state counts only when it still holds after
  // a round trip to the window's thread (which has then read the news that had reached it), and
  // the window is asked for again, as a click on its caption would, for as long as it is not up.
  return WaitUntil(
      [&] {
        if (!IsWindow(top)) return false;
        if (!ReadyForInput(top)) {
          if (IsWindowVisible(top) && GetForegroundWindow() != top &&
              GetTickCount() - askedAt >= 500) {
            SetForegroundWindow(top);
            askedAt = GetTickCount();
          }
          return false;
        }
        return RoundTrip(top, 2000) && ReadyForInput(top);
      },
      timeoutMs, 20);
}

bool WaitUntilInputHandled(HWND window, DWORD timeoutMs) {
  const HWND top = GetAncestor(window, GA_ROOT);
  // A thread paints only once it has handled every sent, posted and input message waiting for
  // it: a pixel of the window is made to need painting, and the paint waited for. (A round trip
  // of a sent message alone would not do: sent messages come before input.)
  if (!top || !IsWindowVisible(top)) return true;
  const RECT pixel{0, 0, 1, 1};
  InvalidateRect(top, &pixel, FALSE);
  return WaitUntil(
      [top] {
        return !IsWindow(top) || !IsWindowVisible(top) || !GetUpdateRect(top, nullptr, FALSE);
      },
      timeoutMs, 10);
}

namespace {
BOOL CALLBACK NoteUnpainted(HWND child, LPARAM param) {
  if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
    *reinterpret_cast<bool*>(param) = true;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

bool WaitUntilDrawn(HWND window, DWORD timeoutMs) {
  const HWND top = GetAncestor(window, GA_ROOT);
  if (!WaitUntilInputHandled(top, timeoutMs)) return false;
  // A thread paints a window before the windows in it: once the window itself is drawn its
  // controls may still wait for their turn (a picture set in a handler, say), and under load
  // that turn can be later than any pause between two captures.
  return WaitUntil(
      [top] {
        if (!IsWindow(top)) return true;
        bool unpainted = GetUpdateRect(top, nullptr, FALSE) != 0;
        if (!unpainted) EnumChildWindows(top, &NoteUnpainted, reinterpret_cast<LPARAM>(&unpainted));
        return !unpainted;
      },
      timeoutMs, 10);
}

bool Focus(HWND window) {
  return WaitUntilReadyForInput(window);
}

namespace {

INPUT MouseAt(POINT screen, DWORD flags) {
  const int sw = GetSystemMetrics(SM_CXSCREEN);
  const int sh = GetSystemMetrics(SM_CYSCREEN);
  INPUT in{};
  in.type = INPUT_MOUSE;
  // Rounded up, the normalised coordinates come back to the same pixel whether Wine rounds them
  // down or to the nearest.
  in.mi.dx = (screen.x * 65536 + sw - 1) / sw;
  in.mi.dy = (screen.y * 65536 + sh - 1) / sh;
  in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
  return in;
}

void SendPointer(POINT screen) {
  INPUT move = MouseAt(screen, MOUSEEVENTF_MOVE);
  SendInput(1, &move, sizeof(INPUT));
}

bool PointerAt(POINT screen) {
  POINT at{};
  return GetCursorPos(&at) && at.x == screen.x && at.y == screen.y;
}

// The top-level window a press at a screen point made with SendInput goes to. Such input names
// no window, and Wine's server routes it by its own stacking order. That order follows what the
// X server shows only as far as the program has read the X server's news: each pointer event it
// reads raises the window it names over what covers the pointer there. Read late (a busy
// machine), the news of a window the pointer was over before (the main window, before a dialog
// came up over that place) puts that window back over the one shown, and a press goes to it.
HWND RoutedTo(POINT screen) {
  return GetAncestor(WindowFromPoint(screen), GA_ROOT);
}

// Moves the pointer to a point of `window` and waits until a press there would reach it: the
// pointer is there and the press would be routed to the window's top-level window, and both
// still hold after a round trip to its thread (which has then read the news that had reached
// it). Meanwhile the move is made again every 200 ms, by a pixel aside and back: Wine moves the
// X pointer only to a new place, and the X server's news of the pointer over the window it
// shows there raises that window in the program's stacking.
bool PointerOnto(HWND window, POINT screen) {
  const HWND top = GetAncestor(window, GA_ROOT);
  auto lands = [&] { return PointerAt(screen) && RoutedTo(screen) == top; };
  SendPointer(screen);
  DWORD movedAt = GetTickCount();
  return WaitUntil(
      [&] {
        if (!IsWindow(top)) return false;
        if (lands() && RoundTrip(top, 2000) && lands()) return true;
        if (GetTickCount() - movedAt >= 200) {
          SendPointer(POINT{screen.x - 1, screen.y});
          SendPointer(screen);
          movedAt = GetTickCount();
        }
        return false;
      },
      10000, 10);
}

}  // namespace

void ParkPointer() {
  const int sw = GetSystemMetrics(SM_CXSCREEN);
  const int sh = GetSystemMetrics(SM_CYSCREEN);
  const POINT corners[] = {{sw - 1, sh - 1}, {0, sh - 1}, {sw - 1, 0}, {0, 0}};
  POINT park = corners[0];
  for (const POINT& corner : corners) {
    const HWND there = WindowFromPoint(corner);
    if (!there || there == GetDesktopWindow()) {
      park = corner;
      break;
    }
  }
  SendPointer(park);
  WaitUntil([park] { return PointerAt(park); }, 5000, 10);
}

bool Click(HWND window, int clientX, int clientY) {
  if (!WaitUntilReadyForInput(window)) return false;
  POINT p{clientX, clientY};
  ClientToScreen(window, &p);
  if (!PointerOnto(window, p)) return false;
  // The press and the release carry the point too. A program's X11 driver turns the X server's
  // news of the pointer entering its window into a move to where the pointer was then; read
  // late (a window just shown, a busy machine) it puts the pointer back where an earlier test
  // left it, and a press without a place of its own would land there.
  INPUT press[2] = {MouseAt(p, MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN),
                    MouseAt(p, MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP)};
  SendInput(2, press, sizeof(INPUT));
  return WaitUntilInputHandled(window);
}

bool MoveMouse(HWND window, int clientX, int clientY) {
  if (!WaitUntilReadyForInput(window)) return false;
  POINT p{clientX, clientY};
  ClientToScreen(window, &p);
  return PointerOnto(window, p) && WaitUntilInputHandled(window);
}

bool Key(HWND window, WORD virtualKey, bool alt) {
  return KeyWith(window, alt ? VK_MENU : 0, virtualKey);
}

bool KeyWith(HWND window, WORD modifier, WORD virtualKey) {
  if (!WaitUntilReadyForInput(window)) return false;
  std::vector<INPUT> in;
  auto key = [&in](WORD vk, bool up) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = vk;
    i.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    in.push_back(i);
  };
  if (modifier) key(modifier, false);
  key(virtualKey, false);
  key(virtualKey, true);
  if (modifier) key(modifier, true);
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
  if (!WaitUntilInputHandled(window)) return false;
  // Keys go to the thread that is in the foreground when they are read: when the program has
  // given up the activation meanwhile (to a window of another thread), they may have gone
  // nowhere, and the caller hears so rather than waiting for what they would have done.
  const HWND top = GetAncestor(window, GA_ROOT);
  const HWND foreground = GetForegroundWindow();
  return !IsWindow(top) || !IsWindowVisible(top) ||
         (foreground &&
          GetWindowThreadProcessId(foreground, nullptr) == GetWindowThreadProcessId(top, nullptr));
}

std::pair<int, int> Selection(HWND edit) {
  DWORD_PTR packed = 0;
  SendMessageTimeoutA(edit, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 5000, &packed);
  return {LOWORD(packed), HIWORD(packed)};
}

CaptionWatch::CaptionWatch(DWORD processId) : processId_(processId) {
  thread_ = CreateThread(nullptr, 0, &Watch, this, 0, nullptr);  // once every member is made
}

CaptionWatch::~CaptionWatch() {
  stop();
}

const std::map<HWND, std::string>& CaptionWatch::stop() {
  InterlockedExchange(&stopping_, 1);
  if (thread_) {
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
  }
  return first_;
}

DWORD WINAPI CaptionWatch::Watch(LPVOID self) {
  auto* watch = static_cast<CaptionWatch*>(self);
  while (!watch->stopping_) {
    std::vector<HWND> windows;
    EnumState state{watch->processId_, &windows};
    EnumWindows(&CollectTop, reinterpret_cast<LPARAM>(&state));
    for (HWND w : windows) {
      if (watch->first_.count(w)) continue;
      // Another process's caption is read without a message to its thread, which may be busy.
      char caption[512] = {};
      GetWindowTextA(w, caption, sizeof caption);
      watch->first_.emplace(w, caption);
    }
    SwitchToThread();  // no pause: only lets a waiting thread of this program run
  }
  return 0;
}

std::vector<DWORD> ProcessesNamed(const std::string& exeName) {
  std::vector<DWORD> ids;
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return ids;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    const char* name = entry.szExeFile;
    if (const char* slash = std::strrchr(name, '\\')) name = slash + 1;
    if (lstrcmpiA(name, exeName.c_str()) == 0) ids.push_back(entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return ids;
}

int ThreadCount(DWORD id) {
  int count = 0;
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return count;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    count += entry.th32OwnerProcessID == id;
  CloseHandle(snapshot);
  return count;
}

bool WaitForStartUp(const Process& process, DWORD timeoutMs) {
  return process.waitForIdle(timeoutMs) &&
         WaitUntil([&] { return ThreadCount(process.id()) <= 1; }, timeoutMs) &&
         process.waitForIdle(timeoutMs);
}

// ---- Pixels -----------------------------------------------------------------------------------

Capture Capture::Of(HWND window) {
  Capture c;
  const SIZE size = ClientSize(window);
  const POINT origin = ClientOriginOnScreen(window);
  c.width_ = size.cx;
  c.height_ = size.cy;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, size.cx, size.cy, screen, origin.x, origin.y, SRCCOPY);
  GdiFlush();
  const auto* p = static_cast<const std::uint32_t*>(bits);
  c.pixels_.assign(p, p + static_cast<size_t>(size.cx) * size.cy);
  for (auto& px : c.pixels_) px &= 0xFFFFFF;
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return c;
}

std::uint32_t Capture::at(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0xFFFFFFFF;
  return pixels_[static_cast<size_t>(y) * width_ + x];
}

bool Capture::save(const std::string& path) const {
  return WriteFileBytes(
      path, velmtest::BitmapBytes(width_, height_, [this](int x, int y) { return at(x, y); }));
}

Capture Capture::Settled(HWND window, DWORD timeoutMs) {
  WaitUntilDrawn(window);
  Capture last = Of(window);
  WaitUntil(
      [&] {
        Capture next = Of(window);
        const bool same = next.width_ == last.width_ && next.height_ == last.height_ &&
                          next.pixels_ == last.pixels_;
        last = std::move(next);
        return same;
      },
      timeoutMs, 60);
  return last;
}

BitmapFile::BitmapFile(const std::string& path) {
  HBITMAP loaded = static_cast<HBITMAP>(
      LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  if (!loaded) return;
  BITMAP bm{};
  GetObjectA(loaded, sizeof bm, &bm);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = bm.bmWidth;
  info.bmiHeader.biHeight = -bm.bmHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  pixels_.resize(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
  HDC dc = CreateCompatibleDC(nullptr);
  GetDIBits(dc, loaded, 0, bm.bmHeight, pixels_.data(), &info, DIB_RGB_COLORS);
  DeleteDC(dc);
  DeleteObject(loaded);
  for (auto& px : pixels_) px &= 0xFFFFFF;
  width_ = bm.bmWidth;
  height_ = bm.bmHeight;
}

std::uint32_t BitmapFile::at(int x, int y) const {
  return pixels_[static_cast<size_t>(y) * width_ + x];
}

namespace {

bool Close(std::uint32_t a, std::uint32_t b, int tolerance) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
    if (d > tolerance || d < -tolerance) return false;
  }
  return true;
}

bool Inside(const RECT& r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

constexpr RECT kEverywhere{-100000, -100000, 100000, 100000};

}  // namespace

double MatchFractionIn(const Capture& screen, const BitmapFile& picture, int x, int y, bool skipKey,
                       const RECT& clip, int tolerance) {
  if (!picture.loaded()) return 0.0;
  const std::uint32_t key = picture.at(0, picture.height() - 1);
  long compared = 0;
  long matched = 0;
  for (int py = 0; py < picture.height(); ++py)
    for (int px = 0; px < picture.width(); ++px) {
      const std::uint32_t want = picture.at(px, py);
      if (skipKey && want == key) continue;
      if (!Inside(clip, x + px, y + py)) continue;
      const std::uint32_t got = screen.at(x + px, y + py);
      if (got == 0xFFFFFFFF) continue;  // outside the client area
      ++compared;
      if (Close(want, got, tolerance)) ++matched;
    }
  return compared ? static_cast<double>(matched) / compared : 0.0;
}

double MatchFraction(const Capture& screen, const BitmapFile& picture, int x, int y, bool skipKey,
                     int tolerance) {
  return MatchFractionIn(screen, picture, x, y, skipKey, kEverywhere, tolerance);
}

double MatchFractionWhereDifferent(const Capture& screen, const BitmapFile& picture,
                                   const BitmapFile& other, int x, int y, const RECT& clip,
                                   int tolerance) {
  if (!picture.loaded() || !other.loaded()) return 0.0;
  const std::uint32_t key = picture.at(0, picture.height() - 1);
  long compared = 0;
  long matched = 0;
  for (int py = 0; py < std::min(picture.height(), other.height()); ++py)
    for (int px = 0; px < std::min(picture.width(), other.width()); ++px) {
      const std::uint32_t want = picture.at(px, py);
      if (want == key || Close(want, other.at(px, py), tolerance)) continue;
      if (!Inside(clip, x + px, y + py)) continue;
      const std::uint32_t got = screen.at(x + px, y + py);
      if (got == 0xFFFFFFFF) continue;
      ++compared;
      if (Close(want, got, tolerance)) ++matched;
    }
  return compared ? static_cast<double>(matched) / compared : 0.0;
}

long DifferingPixels(const Capture& a, const Capture& b, const RECT& area, int tolerance) {
  long differing = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (!Close(a.at(x, y), b.at(x, y), tolerance)) ++differing;
  return differing;
}

}  // namespace e2e
