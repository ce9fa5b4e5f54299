// What the removal's in-process tests share, on top of the shared test support (scratch folders,
// files, modal drivers): a main window for the confirmation window to centre on, a seam double
// that records the calls of the flow (and keeps the script from running and the quit message
// from reaching this thread), and an answerer that plays the user while the modal loops run (the
// installation's tests use it for their folder dialog too).
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Application.h"
#include "DiscFacts.h"
#include "ConfirmUninstallFormU.h"
#include "Form.h"
#include "PelmoraLib.h"
#include "SysCalls.h"
#include "ModalDriver.h"
#include "TestFiles.h"

namespace velmtest {

using velm::SysCalls;
using velm::TConfirmUninstallForm;
using velm::TextWriter;

constexpr char kConfirmCaption[] = "Απεγκατάσταση Ιατρικού Λεξικού";

// The same folder, whether or not a trailing backslash was given.
inline std::string WithoutTrailingBackslash(std::string path) {
  if (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}

// The seam's calls as the flow makes them, in order, one line each; the real file calls behind
// them, except that the script is not started, the quit message goes nowhere, and the desktop is
// whatever the test says.
class RecordingSys : public SysCalls {
 public:
  std::vector<std::string> calls;
  std::string desktop;        // the desktop folder the shell answers
  bool failCreate = false;    // the script file cannot be created
  int failWriteAtLine = 0;    // 1-based: that line (and every later one) cannot be written
  std::string folderAtStart;  // the current folder when the script was started
  bool terminatedAtStart = false;

  std::string specialFolderPath(int csidl) override {
    return csidl == 0x10 ? desktop : SysCalls::specialFolderPath(csidl);
  }
  bool deleteFile(const std::string& path) override {
    calls.push_back("deleteFile " + path);
    return SysCalls::deleteFile(path);
  }
  bool setCurrentDirectory(const std::string& path) override {
    calls.push_back("setCurrentDirectory " + path);
    return SysCalls::setCurrentDirectory(path);
  }
  std::unique_ptr<TextWriter> createText(const std::string& path) override {
    calls.push_back("createText " + path);
    if (failCreate) return nullptr;
    std::unique_ptr<TextWriter> real = SysCalls::createText(path);
    if (!real) return nullptr;
    return std::make_unique<Writer>(*this, std::move(real));
  }
  HWND findWindow(const char* className, const char* windowName) override {
    calls.push_back(std::string("findWindow ") + (className ? className : "(null)") + " " +
                    (windowName ? windowName : "(null)"));
    return nullptr;
  }
  BOOL postMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    calls.push_back("postMessage " + std::to_string(reinterpret_cast<UINT_PTR>(window)) + " " +
                    std::to_string(message) + " " + std::to_string(wParam) + " " +
                    std::to_string(lParam));
    return TRUE;
  }
  UINT winExec(const std::string& commandLine, UINT show) override {
    calls.push_back("winExec " + commandLine + " " + std::to_string(show));
    folderAtStart = CurrentFolder();
    terminatedAtStart = tk::Application::instance().terminated();
    return 33;
  }

  // The calls other than the script's own lines.
  std::vector<std::string> callsWithoutLines() const {
    std::vector<std::string> kept;
    for (const std::string& call : calls)
      if (call.rfind("writeLine ", 0) != 0) kept.push_back(call);
    return kept;
  }

 private:
  class Writer : public TextWriter {
   public:
    Writer(RecordingSys& sys, std::unique_ptr<TextWriter> real)
        : sys_(sys), real_(std::move(real)) {}
    bool writeLine(const std::string& line) override {
      ++lines_;
      sys_.calls.push_back("writeLine " + line);
      if (sys_.failWriteAtLine > 0 && lines_ >= sys_.failWriteAtLine) return false;
      return real_->writeLine(line);
    }
    bool close() override {
      sys_.calls.push_back("close");
      return real_->close();
    }

   private:
    RecordingSys& sys_;
    std::unique_ptr<TextWriter> real_;
    int lines_ = 0;
  };
};

// Plays the user while a flow's modal loops run: a thread timer looks at this thread's windows;
// an open dialog of the flow's kind gets the next answer (one a tick, so that what an answer
// posted is handled before the next), a message box has its text noted and is closed with OK.
// Either is answered only once it is up for input (shown, active, the focus in it), as a person
// waits for it; one that is shown but not active is made active, as a click on it would.
template <class Dialog>
class ModalAnswerer {
 public:
  using Answer = std::function<void(Dialog&)>;

  explicit ModalAnswerer(std::vector<Answer> answers)
      : answers_(std::move(answers)), timer_(30, [this] {
          EnumThreadWindows(GetCurrentThreadId(), &ModalAnswerer::Visit,
                            reinterpret_cast<LPARAM>(this));
          return true;
        }) {}
  ModalAnswerer(const ModalAnswerer&) = delete;
  ModalAnswerer& operator=(const ModalAnswerer&) = delete;

  // What the user saw and did.
  struct Seen {
    std::vector<std::string> messages;  // the texts of the message boxes shown
    int confirmations = 0;              // dialogs seen
    bool focusWasOnYes = false;         // the first one opened with BitBtn1 ("Ναι") focused
    HWND lastConfirmation = nullptr;
    std::vector<bool> dialogOpenAtMessage;  // whether the last dialog seen was, at each message
    size_t answersUsed = 0;
  };
  const Seen& seen() const { return seen_; }

  static void PressKey(Dialog& form, WPARAM key, bool alt = false) {
    // As a key arrives: in the queue, for the focused window, seen by the modal loop first.
    HWND target = GetFocus() ? GetFocus() : form.handle();
    PostMessageA(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, alt ? (1 << 29) : 0);
  }
  static void Push(tk::Button& button) { PostMessageA(button.handle(), BM_CLICK, 0, 0); }

 private:
  // True when the window is up for input; otherwise asks for it to be made so, for a later tick.
  static bool Ready(HWND window) {
    if (ReadyForInput(window)) return true;
    if (GetActiveWindow() != window) SetActiveWindow(window);
    return false;
  }

  static BOOL CALLBACK Visit(HWND window, LPARAM param) {
    ModalAnswerer* self = reinterpret_cast<ModalAnswerer*>(param);
    if (!IsWindowVisible(window)) return TRUE;
    char cls[32] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (lstrcmpA(cls, "#32770") == 0) {
      if (self->box_ != window && Ready(window)) {
        char text[512] = {};
        GetDlgItemTextA(window, 0xFFFF, text, sizeof text);
        self->box_ = window;
        self->seen_.messages.push_back(text);
        const HWND dialog = self->seen_.lastConfirmation;
        self->seen_.dialogOpenAtMessage.push_back(dialog && IsWindowVisible(dialog));
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      }
      return FALSE;
    }
    auto* confirm = dynamic_cast<Dialog*>(tk::Form::FromHandle(window));
    if (confirm && confirm->modal()) {
      if (!Ready(window)) return FALSE;
      Seen& seen = self->seen_;
      if (seen.lastConfirmation != window) {
        seen.lastConfirmation = window;
        if (seen.confirmations++ == 0) seen.focusWasOnYes = confirm->BitBtn1->focused();
      }
      if (seen.answersUsed < self->answers_.size()) self->answers_[seen.answersUsed++](*confirm);
      return FALSE;
    }
    return TRUE;
  }

  std::vector<Answer> answers_;
  Seen seen_;
  HWND box_ = nullptr;
  ThreadTimer timer_;  // last: it ticks only while everything it uses is there
};

using Answerer = ModalAnswerer<TConfirmUninstallForm>;

// The application with a plain main window shown, as the confirmation window expects it.
class MainWindow {
 public:
  MainWindow() {
    tk::Application& app = tk::Application::instance();
    app.setTitle(velm::kAppTitle);
    tk::FormSpec props;
    props.caption = velm::kAppTitle;
    props.clientWidth = 750;
    props.clientHeight = 470;
    form_ = std::make_unique<tk::Form>(props);
    app.setMainForm(form_.get());
    form_->show();
  }
  ~MainWindow() {
    tk::Application::instance().setMainForm(nullptr);
    // A terminate request of the flow left its quit message in the queue.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
  tk::Form& form() { return *form_; }

 private:
  std::unique_ptr<tk::Form> form_;
};

}  // namespace velmtest
