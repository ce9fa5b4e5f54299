// What the removal's in-process tests share, on top of the shared test support (scratch folders,
// files, modal drivers, the seam double): a main window for the confirmation window to centre on,
// the flows' fixture, and an answerer that plays the user while the modal loops run (the
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
#include "ModalDriver.h"
#include "SysDouble.h"
#include "TestFiles.h"
#include "TestForms.h"

namespace velmtest {

using velm::TConfirmUninstallForm;

constexpr char kConfirmCaption[] = "Απεγκατάσταση Ιατρικού Λεξικού";

// The same folder, whether or not a trailing backslash was given.
inline std::string WithoutTrailingBackslash(std::string path) {
  if (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}

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
    form_ = std::make_unique<tk::Form>(FormSpecOf(velm::kAppTitle, 750, 470));
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

// What the flows' fixtures share: a scratch folder (the working folder put back and the folder
// removed afterwards), the main window, and the disc folder the flow was given, forgotten.
class FlowTest : public ::testing::Test {
 protected:
  explicit FlowTest(const std::string& leaf) : scratch_(leaf) {}
  ~FlowTest() override { velm::SourceFolder.clear(); }

  ScratchFolder scratch_;
  MainWindow main_;
};

}  // namespace velmtest
