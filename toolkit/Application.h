// The application object: its title (task-bar text and message-box caption), the main form, the
// message loop with the forms' dialog keys, termination, the application-wide cursor and the
// simple message box.
#pragma once

#include <windows.h>

#include <string>

namespace tk {

class Form;

// Busy is the arrow with the small hourglass: at work, yet it can still be clicked.
enum class AppCursor { Default, HourGlass, Busy, Arrow };

class Application {
 public:
  static Application& instance();

  const std::string& title() const { return title_; }
  void setTitle(const std::string& title);

  // The program's icon, for the task-bar buttons of its forms: set before the first form is
  // made. Null (the default) for none.
  void setIcon(HICON icon) { icon_ = icon; }
  HICON icon() const { return icon_; }

  Form* mainForm() const { return mainForm_; }
  void setMainForm(Form* form) { mainForm_ = form; }

  // Runs the message loop until the application is terminated.
  void run();
  // Dispatches one message; false when WM_QUIT was taken (it is posted again for outer loops).
  bool processMessage();
  // Dispatches every message waiting, without waiting for one, so that a long piece of work done
  // inside a handler keeps the windows answering between its steps. False when WM_QUIT was taken
  // (it is posted again for outer loops). Without `input`, only what was sent and the painting:
  // keys, clicks and timers wait for the work to end.
  bool processWaitingMessages(bool input = true);
  // Ends the message loop once the current message has been handled.
  void terminate();
  bool terminated() const { return terminated_; }

  // The cursor over every control of the application; Default lets each control choose its own.
  void setCursor(AppCursor cursor);
  AppCursor cursor() const { return cursor_; }
  HCURSOR cursorHandle() const;

  // The platform's message box: the application title as caption, the text, one OK button.
  int messageBox(const std::string& text);

 private:
  Application() = default;
  std::string title_;
  Form* mainForm_ = nullptr;
  HICON icon_ = nullptr;
  bool terminated_ = false;
  AppCursor cursor_ = AppCursor::Default;
};

// The cursor resource of the program's own pointing hand, as the form class takes the program's
// icon from resource 1 (assets/resource.h names them).
constexpr int kOwnHandCursor = 111;

// Loads the common controls' library and registers its window classes (the tooltip's, the
// progress bar's), the first time it is asked; false where it cannot be loaded.
bool LoadCommonControls();

// The pointing hand over clickable controls: the system's where it has one, otherwise the
// program's own (Windows 95 and NT 4 have none).
HCURSOR HandCursor();

}  // namespace tk
