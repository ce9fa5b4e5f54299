// velmbench: how fast the main window comes up and switches titles, each against a yardstick
// run the same way under the same Wine.
//   velmbench <VelmPres.exe> <bare_window.exe> <yardstick.exe> <disc folder> <work folder> [runs]
//             [description KB]
// Figures (medians of `runs` runs):
//   1. start-up: from CreateProcess until the catalogue is revealed (the view at its final place
//      holding title 1's text), against the yardstick program (yardstick.cpp: the same work with
//      plain calls) revealed the same way, and against the bare window program until its window
//      is shown and its message loop answers. Where the time goes is seen from outside, for both:
//      the window on screen (the start, then the background decoded and stretched: the bare
//      window's time is the start), the view shown (the catalogue loaded), the view at its final
//      place (the 47 steps), the view holding text (the first title);
//   2. title switch: from the click on a title with a large description (256 KB unless
//      given) until the view holds all of it and has drawn it (the program answers the length
//      query once its click handler is done), against the same switch in the yardstick, a plain
//      program that clears a bare rich-edit control of the view's size and streams the same RTF
//      into it, clicked and watched the same way: a switch of each in every run, both started
//      afresh for each run. For comparison, also the bare stream timed in this process, drawing
//      as it goes and not drawing until the end (no click, no answer across processes). Wine's
//      rich edit takes time that grows faster than the text (about 11 s for 1 MB, while the
//      switch back to a short title also empties it), so the description is kept to a size that
//      measures the same overhead in seconds;
//   3. memory at the reveal: each program's private memory at the moment its start-up above
//      ends (the bare window's once it answers), and the GDI objects it holds, the program's and
//      the yardstick's above the bare window's (what a window of that size costs anyway), and
//      their ratio. Private memory is GetProcessMemoryInfo's PagefileUsage, the same figure for all
//      three: on Windows the process's commit charge, the memory committed to it alone (the same
//      as PrivateUsage, which Wine leaves empty); under Wine on Linux, which fills it from
//      /proc/PID/status, the process's resident anonymous memory (RssAnon, plus VmSwap): its
//      heaps, the pictures' pixels and the stacks, without the program file and the DLLs mapped
//      from disk, which are shared with every other process.
// Wall-clock times from QueryPerformanceCounter; the program under test runs in its own process.
#include <windows.h>

#include <psapi.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "BenchWatch.h"
#include "DiscFacts.h"

namespace {

using velm::kAppTitle;
constexpr size_t kDefaultDescriptionKB = 256;

using bench::AtFinalPlace;
using bench::FindTop;
using bench::Median;
using bench::Now;
using bench::ViewOf;

LRESULT Send(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(hwnd, message, wParam, lParam, SMTO_ABORTIFHUNG, 120000, &result);
  return static_cast<LRESULT>(result);
}

// What a process holds: its private memory in KB, and its GDI objects where the platform counts
// them (0 where it does not: Wine).
struct Memory {
  double privateKB = 0;
  DWORD gdiObjects = 0;
};

Memory MemoryOf(const e2e::Process& process) {
  Memory m;
  const HANDLE h = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process.id());
  if (!h) return m;
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (GetProcessMemoryInfo(h, &counters, sizeof counters))
    m.privateKB = static_cast<double>(counters.PagefileUsage) / 1024.0;
  m.gdiObjects = GetGuiResources(h, GR_GDIOBJECTS);
  CloseHandle(h);
  return m;
}

void EndProgram(e2e::Process& process, HWND window) {
  if (window) PostMessageA(window, WM_CLOSE, 0, 0);
  DWORD code = 0;
  if (!process.waitForExit(10000, &code)) process.kill();
}

struct Start {
  double ms;
  Memory memory;  // once it is ready
};

// Milliseconds from CreateProcess until `ready` holds for the program's window.
template <class Ready>
Start TimeStart(const std::string& exe, const std::string& folder, const std::string& caption,
                Ready ready) {
  const double start = Now();
  e2e::Process process(exe, "", folder);
  HWND window = nullptr;
  double end = 0;
  for (;;) {
    if (!window) window = FindTop(process.id(), caption);
    if (window && ready(window)) {
      end = Now();
      break;
    }
    if (!process.running() || Now() - start > 60000) {
      std::fprintf(stderr, "velmbench: %s did not come up\n", exe.c_str());
      std::exit(1);
    }
    Sleep(1);
  }
  const Memory memory = MemoryOf(process);
  EndProgram(process, window);
  return {end - start, memory};
}

// Milliseconds from CreateProcess until each stage of the reveal is seen from outside.
struct Reveal {
  double window;  // on screen
  double shown;   // the view shown: the catalogue loaded
  double opened;  // the view at its final place: the 47 steps done
  double title;   // the view holding text: the first title streamed in
  Memory memory;  // then
};

Reveal TimeReveal(const std::string& exe, const std::string& folder) {
  const double start = Now();
  e2e::Process process(exe, "", folder);
  Reveal r{0, 0, 0, 0, {}};
  HWND window = nullptr;
  HWND view = nullptr;
  for (;;) {
    const double now = Now() - start;
    if (!window && (window = FindTop(process.id(), kAppTitle)) != nullptr) r.window = now;
    if (window && !view) view = ViewOf(window);
    if (view && r.shown == 0 && IsWindowVisible(view)) r.shown = now;
    if (r.shown > 0 && r.opened == 0 && AtFinalPlace(view)) r.opened = now;
    // The length is asked only at the end: a question sent earlier would wait for the program.
    if (r.opened > 0 && Send(view, WM_GETTEXTLENGTH) > 0) {
      r.title = Now() - start;
      r.memory = MemoryOf(process);
      break;
    }
    if (!process.running() || now > 60000) {
      std::fprintf(stderr, "velmbench: %s did not reveal its catalogue\n", exe.c_str());
      std::exit(1);
    }
    Sleep(1);
  }
  EndProgram(process, window);
  return r;
}

// A description of about `bytes` bytes: the sample's first one, its paragraphs repeated,
// with an end mark.
std::string LargeDescription(const std::string& sample, size_t bytes) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < sample.size()) {
    size_t end = sample.find_first_of("\r\n", at);
    if (end == std::string::npos) end = sample.size();
    lines.push_back(sample.substr(at, end - at));
    at = sample.find_first_not_of("\r\n", end);
    if (at == std::string::npos) break;
  }
  std::vector<std::string> head, body;
  for (const std::string& line : lines) {
    if (line.rfind("\\pard", 0) == 0)
      body.push_back(line);
    else if (body.empty())
      head.push_back(line);
  }
  std::string rtf;
  for (const std::string& line : head) rtf += line + "\r\n";
  for (int part = 1; rtf.size() < bytes; ++part) {
    rtf += "\\pard\\sb120\\sa60\\cf3\\b\\f0\\fs20 " + std::to_string(part) + "\\b0\\par\r\n";
    for (const std::string& line : body) rtf += line + "\r\n";
  }
  rtf += "\\pard\\qc\\b END\\b0\\par\r\n}\r\n";
  return rtf;
}

struct Source {
  const std::string* bytes;
  size_t offset;
};

DWORD CALLBACK ReadSource(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
  auto* s = reinterpret_cast<Source*>(cookie);
  const size_t n = std::min(s->bytes->size() - s->offset, static_cast<size_t>(wanted));
  std::copy_n(s->bytes->data() + s->offset, n, buffer);
  s->offset += n;
  *given = static_cast<LONG>(n);
  return 0;
}

// Streams `bytes` into `edit` as RTF.
void StreamRtf(HWND edit, const std::string& bytes) {
  Source source{&bytes, 0};
  EDITSTREAM es{};
  es.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
  es.pfnCallback = &ReadSource;
  SendMessageA(edit, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es));
}

// A rich-edit control the size of the view holds `small`; the time in ms to clear it and stream
// `large` in, `runs` times. With `noRedraw` the control does not draw while it takes the text.
std::vector<double> TimeBareRichEdit(const std::string& small, const std::string& large, int runs,
                                     bool noRedraw) {
  LoadLibraryA("riched20.dll");
  HWND top = CreateWindowExA(0, "STATIC", "Bare rich edit", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE,
                             0, 0, 320, 380, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  HWND edit = CreateWindowExA(
      WS_EX_CLIENTEDGE, "RichEdit20A", "",
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 0, 282,
      321, top, nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(edit, EM_SETBKGNDCOLOR, 0, RGB(214, 234, 255));
  SendMessageA(edit, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    SetWindowTextA(edit, "");
    StreamRtf(edit, small);
    UpdateWindow(edit);
    const double start = Now();
    if (noRedraw) SendMessageA(edit, WM_SETREDRAW, FALSE, 0);
    SetWindowTextA(edit, "");
    StreamRtf(edit, large);
    if (noRedraw) {
      SendMessageA(edit, WM_SETREDRAW, TRUE, 0);
      InvalidateRect(edit, nullptr, TRUE);
    }
    times.push_back(Now() - start);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  DestroyWindow(top);
  return times;
}

// A program whose title column switches its view between title 1 and title 2, the title with
// the large description (VelmPres.exe, or the yardstick doing it with plain calls), measured the
// same way for both: from outside, from the press on the title until the view holds the whole
// text and has drawn it. Both are seen alike: the same click through the system's input, the
// same question for the length (answered once the click's handler is done), and the view with
// nothing left to paint, so that neither a view that draws only later nor a program that answers
// sooner counts as a faster switch. Before each press the window is in front, the pointer on
// the title and everything drawn.
class SwitchedProgram {
 public:
  SwitchedProgram(const std::string& exe, const std::string& folder) : process_(exe, "", folder) {
    e2e::WaitUntil([&] { return (window_ = FindTop(process_.id(), kAppTitle)) != nullptr; });
    e2e::WaitForStartUp(process_);
    view_ = window_ ? ViewOf(window_) : nullptr;
    if (view_) e2e::WaitUntil([&] { return (smallLength_ = Send(view_, WM_GETTEXTLENGTH)) > 0; });
  }
  bool ready() const { return view_ && smallLength_ > 0; }
  LRESULT largeLength() const { return largeLength_; }

  // Switches to title 2 and back to title 1 (untimed: the first switch of the process, which also
  // finds out how long the large text is once it is all in), then to title 2 again: the
  // milliseconds of the latter.
  double switchToLarge() {
    if (largeLength_ == 0) {
      LRESULT last = 0;
      switchTo(2, [&] {
        const LRESULT n = Send(view_, WM_GETTEXTLENGTH);
        const bool settled = n != smallLength_ && n == last;
        last = n;
        if (!settled) Sleep(20);
        return settled;
      });
      largeLength_ = last;
    }
    switchTo(1, [&] { return Send(view_, WM_GETTEXTLENGTH) == smallLength_; });
    return switchTo(2, [&] { return Send(view_, WM_GETTEXTLENGTH) == largeLength_; });
  }

  void end() { EndProgram(process_, window_); }

 private:
  template <class Holds>
  double switchTo(int title, Holds holds) {
    e2e::MoveMouse(window_, 104, 104 + 36 * (title - 1) + 18);
    e2e::WaitUntilDrawn(window_);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    const double start = Now();
    SendInput(2, in, sizeof(INPUT));
    while (!holds() || GetUpdateRect(view_, nullptr, FALSE)) Sleep(1);
    return Now() - start;
  }

  e2e::Process process_;
  HWND window_ = nullptr;
  HWND view_ = nullptr;
  LRESULT smallLength_ = 0;
  LRESULT largeLength_ = 0;
};

void Print(const char* what, const std::vector<double>& times) {
  std::printf("  %-44s median %8.1f ms  (", what, Median(times));
  for (size_t i = 0; i < times.size() && i < 8; ++i) std::printf("%s%.1f", i ? " " : "", times[i]);
  std::printf("%s)\n", times.size() > 8 ? " ..." : "");
}

// Prints the medians of a program's memory and GDI objects, its memory above `baseKB` where
// that is not zero; returns its median memory in KB.
double PrintMemory(const char* what, const std::vector<Memory>& memory, double baseKB) {
  std::vector<double> kb, gdi;
  for (const Memory& m : memory) {
    kb.push_back(m.privateKB);
    gdi.push_back(m.gdiObjects);
  }
  const double median = Median(kb);
  std::printf("  %-44s median %8.0f KB", what, median);
  if (baseKB > 0) std::printf(", %8.0f KB above the bare window", median - baseKB);
  if (Median(gdi) > 0)
    std::printf(", %.0f GDI objects", Median(gdi));
  else
    std::printf(", GDI objects not reported by the platform");
  std::printf("  (");
  for (size_t i = 0; i < kb.size() && i < 8; ++i) std::printf("%s%.0f", i ? " " : "", kb[i]);
  std::printf("%s)\n", kb.size() > 8 ? " ..." : "");
  return median;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 6) {
    std::fprintf(stderr,
                 "usage: velmbench <VelmPres.exe> <bare_window.exe> <yardstick.exe> <disc> <work "
                 "folder> [runs]\n");
    return 2;
  }
  const std::string velmPres = argv[1];
  const std::string bare = argv[2];
  const std::string yardstick = argv[3];
  const std::string disc = argv[4];
  const std::string work = argv[5];
  const int runs = argc > 6 ? std::max(1, std::atoi(argv[6])) : 5;

  // The sample catalogue, and a second one whose title 2 has a large description.
  const std::string startFolder = work + "\\start";
  const std::string largeFolder = work + "\\large";
  e2e::RemoveTree(work);
  if (!e2e::CopyTree(disc + "\\content", startFolder + "\\content") ||
      !e2e::CopyTree(disc + "\\content", largeFolder + "\\content")) {
    std::fprintf(stderr, "velmbench: cannot copy the catalogue of %s\n", disc.c_str());
    return 1;
  }
  std::string sample;
  e2e::ReadFileBytes(disc + "\\content\\velm1.rtf", sample);
  const size_t descriptionKB =
      argc > 7 ? static_cast<size_t>(std::max(1, std::atoi(argv[7]))) : kDefaultDescriptionKB;
  const std::string large = LargeDescription(sample, descriptionKB * 1024);
  e2e::WriteFileBytes(largeFolder + "\\content\\velm2.rtf", large);

  std::printf("velmbench: %d start-ups and %d switches each, medians\n", 4 * runs, runs);

  // 1. Start-up. One run of each first, to bring the files into the cache.
  auto answering = [](HWND window) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored) != 0;
  };
  TimeReveal(velmPres, startFolder);
  TimeReveal(yardstick, startFolder);
  TimeStart(bare, startFolder, "Bare window", answering);
  // Start-ups are short and the machine is shared: four times as many runs as switches.
  std::vector<Reveal> velmReveals, yardReveals;
  std::vector<double> bareStarts;
  std::vector<Memory> bareMemory;
  for (int i = 0; i < 4 * runs; ++i) {
    velmReveals.push_back(TimeReveal(velmPres, startFolder));
    yardReveals.push_back(TimeReveal(yardstick, startFolder));
    const Start bareStart = TimeStart(bare, startFolder, "Bare window", answering);
    bareStarts.push_back(bareStart.ms);
    bareMemory.push_back(bareStart.memory);
  }
  std::printf("start-up to the revealed catalogue\n");
  Print("bare window, shown and answering", bareStarts);
  const double start = Median(bareStarts);
  for (const auto& [what, reveals] :
       {std::make_pair("VelmPres.exe", &velmReveals), std::make_pair("yardstick", &yardReveals)}) {
    std::vector<double> window, loading, steps, title, total;
    for (const Reveal& r : *reveals) {
      window.push_back(r.window);
      loading.push_back(r.shown - r.window);
      steps.push_back(r.opened - r.shown);
      title.push_back(r.title - r.opened);
      total.push_back(r.title);
    }
    std::printf("  %s\n", what);
    Print("  revealed", total);
    Print("  window on screen (start and decoding)", window);
    std::printf("    %-42s median %8.1f ms\n", "  of it the start (the bare window's)", start);
    std::printf("    %-42s median %8.1f ms\n", "  of it decoding (the rest)",
                Median(window) - start);
    Print("  loading the catalogue", loading);
    Print("  the 47 steps", steps);
    Print("  the first title", title);
  }
  std::vector<double> velmTotals, yardTotals;
  for (const Reveal& r : velmReveals) velmTotals.push_back(r.title);
  for (const Reveal& r : yardReveals) yardTotals.push_back(r.title);
  std::printf("ratio reveal/bare %.2f\n", Median(velmTotals) / start);
  std::printf("ratio reveal/yardstick %.2f\n", Median(velmTotals) / Median(yardTotals));

  // 3. Memory at the reveal.
  std::vector<Memory> velmMemory, yardMemory;
  for (const Reveal& r : velmReveals) velmMemory.push_back(r.memory);
  for (const Reveal& r : yardReveals) yardMemory.push_back(r.memory);
  std::printf("memory at the reveal (private memory: resident anonymous memory under Wine)\n");
  const double bareKB = PrintMemory("bare window", bareMemory, 0);
  const double velmKB = PrintMemory("VelmPres.exe", velmMemory, bareKB);
  const double yardKB = PrintMemory("yardstick", yardMemory, bareKB);
  std::printf("ratio memory/yardstick %.2f\n", (velmKB - bareKB) / (yardKB - bareKB));

  // 2. Switching to the title with the large description, and back to title 1 before each timed
  // switch: the program and the yardstick side by side, a switch of each in every run, so that
  // what else the machine does at a moment weighs on both alike. Each run starts both afresh:
  // Wine's rich edit takes the same text in notably different times in different processes
  // (a few percent, the same all through one process's life), and a median over fresh processes
  // does not hang on one process's luck.
  std::vector<double> switches, yardSwitches;
  LRESULT largeLength = 0;
  for (int i = 0; i < runs; ++i) {
    SwitchedProgram velm(velmPres, largeFolder);
    SwitchedProgram yard(yardstick, largeFolder);
    if (!velm.ready() || !yard.ready()) {
      std::fprintf(stderr, "velmbench: VelmPres.exe or the yardstick did not come up\n");
      return 1;
    }
    switches.push_back(velm.switchToLarge());
    yardSwitches.push_back(yard.switchToLarge());
    largeLength = velm.largeLength();
    velm.end();
    yard.end();
  }
  const std::vector<double> bareStreams = TimeBareRichEdit(sample, large, runs, false);
  const std::vector<double> quietStreams = TimeBareRichEdit(sample, large, runs, true);

  std::printf("title switch to a %zu-byte description (%ld characters in the view)\n", large.size(),
              static_cast<long>(largeLength));
  Print("VelmPres.exe, click to the whole text", switches);
  Print("yardstick (a bare rich edit), the same", yardSwitches);
  Print("bare rich edit in this process, EM_STREAMIN", bareStreams);
  Print("the same, not drawing while it streams", quietStreams);
  std::printf("  ratio %.2f\n", Median(switches) / Median(yardSwitches));
  return 0;
}
