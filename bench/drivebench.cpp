// drivebench: one start of the catalogue program as autorun starts it from a disc (in the disc's
// root, with no argument), watched from outside until the catalogue is revealed (the view at its
// final place holding title 1's text). Prints, in milliseconds from CreateProcess:
//   window <ms>      the main window first on screen
//   revealed <ms>    the catalogue revealed
//   unanswered <ms>  the longest wait for the main window's answer to WM_NULL between the two
//   drivebench <program> <folder>
#include <windows.h>

#include <cstdio>
#include <string>

#include "BenchWatch.h"
#include "DiscFacts.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: drivebench <program> <folder>\n");
    return 2;
  }
  const double start = bench::Now();
  e2e::Process process(argv[1], "", argv[2]);
  HWND window = nullptr;
  double shown = 0;
  for (;;) {
    if ((window = bench::FindTop(process.id(), velm::kAppTitle)) != nullptr) break;
    if (!process.running() || bench::Now() - start > 120000) {
      std::fprintf(stderr, "drivebench: the main window did not come up\n");
      return 1;
    }
    Sleep(1);
  }
  shown = bench::Now() - start;
  bench::AnswerWatch watch(window);
  HWND view = nullptr;
  // The length is asked only once the view stands at its place: a question sent earlier would
  // wait for the program.
  for (;;) {
    if (!view) view = bench::ViewOf(window);
    if (view && IsWindowVisible(view) && bench::AtFinalPlace(view)) {
      DWORD_PTR length = 0;
      if (SendMessageTimeoutA(view, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 120000, &length) &&
          length > 0)
        break;
    }
    if (!process.running() || bench::Now() - start > 300000) {
      std::fprintf(stderr, "drivebench: the catalogue was not revealed\n");
      return 1;
    }
    Sleep(1);
  }
  const double revealed = bench::Now() - start;
  watch.stop();
  PostMessageA(window, WM_CLOSE, 0, 0);
  DWORD code = 0;
  if (!process.waitForExit(20000, &code)) process.kill();
  std::printf("window %.1f\nrevealed %.1f\nunanswered %.1f\n", shown, revealed, watch.longestMs());
  return 0;
}
