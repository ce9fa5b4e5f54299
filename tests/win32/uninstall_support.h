// What the removal's in-process tests share: a main window for the confirmation window to centre
// on, scratch folders for the dictionary and the desktop, a seam double that records the calls
// of the flow (and keeps the script from running and the quit message from reaching this
// thread), and an answerer that plays the user from a thread timer while the modal loops run.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Application.h"
#include "ConfirmUninstallFormU.h"
#include "Form.h"
#include "PelmoraLib.h"
#include "SysCalls.h"

namespace velm {
namespace testing {

constexpr char kConfirmCaption[] = "Απεγκατάσταση Ιατρικού Λεξικού";

inline bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

inline std::string ReadBytes(const std::string& path) {
  std::string bytes;
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  CloseHandle(file);
  return bytes;
}

inline void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(path + "\\" + name);
      else
        DeleteFileA((path + "\\" + name).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(path.c_str());
}

inline std::string CurrentFolder() {
  char path[MAX_PATH + 1] = {};
  GetCurrentDirectoryA(sizeof path, path);
  return path;
}

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

// Plays the user while a flow's modal loops run: a thread timer looks at this thread's
// windows; an open dialog of the flow's kind gets the next answer (one a tick, so that what an
// answer posted is handled before the next), a message box has its text noted and is closed
// with OK.
template <class Dialog>
class ModalAnswerer {
 public:
  using Answer = std::function<void(Dialog&)>;

  explicit ModalAnswerer(std::vector<Answer> answers) : answers_(std::move(answers)) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 30, &ModalAnswerer::Tick);
  }
  ~ModalAnswerer() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
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
  static BOOL CALLBACK Visit(HWND window, LPARAM) {
    ModalAnswerer* self = current_;
    if (!self || !IsWindowVisible(window)) return TRUE;
    char cls[32] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (lstrcmpA(cls, "#32770") == 0) {
      if (self->box_ != window) {
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
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), &ModalAnswerer::Visit, 0);
  }

  static inline ModalAnswerer* current_ = nullptr;
  std::vector<Answer> answers_;
  Seen seen_;
  HWND box_ = nullptr;
  UINT_PTR timer_ = 0;
};

using Answerer = ModalAnswerer<TConfirmUninstallForm>;

// A scratch folder of this test under the temporary folder, removed with what is in it.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& leaf) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    path_ =
        std::string(temp) + "velm-uninstall-" + std::to_string(GetCurrentProcessId()) + "-" + leaf;
    RemoveTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~ScratchFolder() { RemoveTree(path_); }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// The application with a plain main window shown, as the confirmation window expects it.
class MainWindow {
 public:
  MainWindow() {
    tk::Application& app = tk::Application::instance();
    app.initialize();
    app.setTitle("Εκδόσεις Βελμαρόδη");
    tk::FormSpec props;
    props.caption = "Εκδόσεις Βελμαρόδη";
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

}  // namespace testing
}  // namespace velm
