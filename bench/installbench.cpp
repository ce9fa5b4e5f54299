// installbench: one installation of a disc, timed as its user waits for it. It starts the
// application with the visible install entry on the disc, clicks the entry, puts the target
// folder into the folder field and presses Enter; the time runs from the key to the message that
// ends the installation, while the folder dialog is watched from outside (bench::AnswerWatch).
// It then answers the message, closes the program and prints
//   <milliseconds> ms
//   unanswered <ms>   the dialog's longest wait for an answer meanwhile
//   progress <n>      how often its progress bar moved
// or fails (exit 1) when the installation did not report success.
//   installbench <velminstallentry.exe> <disc folder> <target folder>
#include <windows.h>

#include <cstdio>
#include <string>

#include "BenchWatch.h"
#include "DiscFacts.h"

namespace {

using velm::kAppTitle;
using velm::kInstallDialogCaption;
using velm::kInstallDoneMessage;

// The window that holds the keyboard focus in the thread of `window`.
HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus
                                                                            : nullptr;
}

int Fail(const char* what) {
  std::fprintf(stderr, "installbench: %s\n", what);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: installbench <velminstallentry.exe> <disc> <target folder>\n");
    return 2;
  }
  // The disc's folder with its backslash, as the argument names it ("D:\" for a drive's root).
  std::string disc = argv[2];
  if (disc.empty() || disc.back() != '\\') disc += '\\';
  const std::string target = argv[3];
  e2e::Process program(argv[1], "\"" + disc + "\"", disc);
  HWND window = program.waitForWindow(kAppTitle);
  if (!window || !e2e::WaitForStartUp(program)) return Fail("the main window did not come up");
  e2e::Click(window, 256, 426);  // the install entry, at (248, 420)
  HWND dialog = program.waitForWindow(kInstallDialogCaption);
  if (!dialog) return Fail("the folder dialog did not open");
  HWND field = nullptr;  // the one single-line edit (the message beside it is multi-line)
  for (HWND edit : e2e::Children(dialog, "Edit"))
    if (!(e2e::Style(edit) & ES_MULTILINE)) field = edit;
  if (!field) return Fail("the folder dialog has no folder field");
  if (!e2e::WaitUntil([&] { return GetForegroundWindow() == dialog && FocusOf(dialog) == field; }))
    return Fail("the folder field did not get the focus");
  SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(target.c_str()));

  // The key goes in by hand and the message is looked for every few milliseconds: the
  // library's key press and waits add pauses of their own that would count here.
  INPUT enter[2] = {};
  enter[0].type = enter[1].type = INPUT_KEYBOARD;
  enter[0].ki.wVk = enter[1].ki.wVk = VK_RETURN;
  enter[1].ki.dwFlags = KEYEVENTF_KEYUP;
  const double start = bench::Now();
  SendInput(2, enter, sizeof(INPUT));
  bench::AnswerWatch watch(dialog);
  HWND box = nullptr;
  e2e::WaitUntil([&] { return (box = program.waitForMessageBox(0)) != nullptr; }, 1800000, 5);
  const double elapsed = bench::Now() - start;
  watch.stop();
  if (!box) return Fail("no message after half an hour");
  const std::string message = e2e::MessageBoxText(box);
  e2e::AnswerMessageBox(box);
  e2e::WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
  e2e::Key(window, VK_ESCAPE);  // the close button
  DWORD code = 0;
  if (!program.waitForExit(20000, &code)) program.kill();
  std::printf("%.1f ms\nunanswered %.1f\nprogress %d\n", elapsed, watch.longestMs(),
              watch.progressMoves());
  if (message != kInstallDoneMessage) {
    std::fprintf(stderr, "installbench: the installation said: %s\n", message.c_str());
    return 1;
  }
  return 0;
}
