// velmdrive: the automation library as a command, for driving a program by hand or from a
// script (the demo's screenshots, a quick look at a window).
//   velmdrive <exe> <working folder> <arguments> <step>...
// Steps, in order:
//   wait:<caption>    wait for the top-level window with that caption (UTF-8 on the command
//                     line is fine: Wine hands it over in the ANSI code page)
//   click:<x>,<y>     click at client coordinates of that window
//   move:<x>,<y>      move the pointer there without clicking (to hover)
//   key:<name>        ENTER, ESC, TAB, ALTF4 or SPACE
//                     (each input waits for the window to be up for input, and for the input
//                     to have been handled; velmdrive stops when the window does not come up)
//   sleep:<ms>        wait
//   shot:<file.bmp>   save the window's client area once its drawing has settled
//   box               print the text of the message box that appears, and press its OK
//   geometry          print the window's client size and position, and its child windows
//   idle              wait until the program has done its start-up and waits for input
//   text              print the text of the window's rich-text view (the description shown)
//   exit              wait for the program to end and print its exit code
//   leave             stop driving and leave the program running
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Driver.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: velmdrive <exe> <working folder> <arguments> <step>...\n");
    return 2;
  }
  try {
    e2e::Process program(argv[1], argv[3], argv[2]);
    HWND window = nullptr;
    for (int i = 4; i < argc; ++i) {
      const std::string step = argv[i];
      const auto colon = step.find(':');
      const std::string verb = step.substr(0, colon);
      const std::string value = colon == std::string::npos ? "" : step.substr(colon + 1);
      if (verb == "wait") {
        window = program.waitForWindow(value);
        if (!window) {
          std::fprintf(stderr, "velmdrive: no window '%s'\n", value.c_str());
          return 1;
        }
      } else if ((verb == "click" || verb == "move" || verb == "key") && window) {
        bool done = false;
        if (verb == "key") {
          const struct {
            const char* name;
            WORD key;
            bool alt;
          } keys[] = {{"ENTER", VK_RETURN, false},
                      {"ESC", VK_ESCAPE, false},
                      {"TAB", VK_TAB, false},
                      {"SPACE", VK_SPACE, false},
                      {"ALTF4", VK_F4, true}};
          for (const auto& k : keys)
            if (value == k.name) done = e2e::Key(window, k.key, k.alt);
        } else {
          int x = 0, y = 0;
          std::sscanf(value.c_str(), "%d,%d", &x, &y);
          done = verb == "click" ? e2e::Click(window, x, y) : e2e::MoveMouse(window, x, y);
        }
        if (!done) {
          std::fprintf(stderr, "velmdrive: '%s' not done: the window is not up for input\n",
                       step.c_str());
          return 1;
        }
      } else if (verb == "sleep") {
        Sleep(static_cast<DWORD>(std::atoi(value.c_str())));
      } else if (verb == "shot" && window) {
        if (!e2e::Capture::Settled(window).save(value))
          std::fprintf(stderr, "velmdrive: cannot save\n");
      } else if (verb == "box") {
        HWND box = program.waitForMessageBox();
        std::printf("box: %s\n", box ? e2e::MessageBoxText(box).c_str() : "(none)");
        if (box) e2e::AnswerMessageBox(box);
      } else if (verb == "geometry" && window) {
        const SIZE size = e2e::ClientSize(window);
        const RECT frame = e2e::WindowRectOnScreen(window);
        std::printf("client %ldx%ld, frame %ld,%ld-%ld,%ld\n", size.cx, size.cy, frame.left,
                    frame.top, frame.right, frame.bottom);
        for (HWND child : e2e::Children(window, "")) {
          const RECT r = e2e::ChildRectInParent(child);
          std::printf("  %s %ld,%ld %ldx%ld visible=%d\n", e2e::ClassName(child).c_str(), r.left,
                      r.top, r.right - r.left, r.bottom - r.top, IsWindowVisible(child) ? 1 : 0);
        }
      } else if (verb == "idle") {
        if (!e2e::WaitForStartUp(program))
          std::fprintf(stderr, "velmdrive: the program stays busy\n");
      } else if (verb == "text" && window) {
        const std::vector<HWND> views = e2e::Children(window, "RichEdit20A");
        std::printf("text: %s\n", views.empty() ? "(no view)" : e2e::Text(views.front()).c_str());
      } else if (verb == "exit") {
        DWORD code = 0;
        if (!program.waitForExit(20000, &code)) {
          std::fprintf(stderr, "velmdrive: the program did not end\n");
          return 1;
        }
        std::printf("exit code %lu\n", code);
        return 0;
      } else if (verb == "leave") {
        program.detach();
        return 0;
      } else {
        std::fprintf(stderr, "velmdrive: cannot do '%s' here\n", step.c_str());
        return 2;
      }
      std::fflush(stdout);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "velmdrive: %s\n", e.what());
    return 1;
  }
  return 0;
}
