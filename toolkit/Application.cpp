// The application object (see Application.h).
#include "Application.h"

#include "Form.h"

namespace tk {

Application& Application::instance() {
  static Application app;
  return app;
}

HCURSOR HandCursor() {
  // The system's hand came with Windows 98 and 2000; asked for on Windows 95 or NT 4 it is not
  // there. Both are shared cursors, never destroyed.
  if (HCURSOR system = LoadCursor(nullptr, IDC_HAND)) return system;
  return LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kOwnHandCursor));
}

void Application::setTitle(const std::string& title) {
  title_ = title;
}

bool Application::processMessage() {
  MSG msg;
  const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
  if (got == 0 || got == -1) {
    terminated_ = true;
    return false;
  }
  // The form a key belongs to is the one its window lies in, as for a dialog box; the active
  // window may be another program's.
  Form* form = msg.hwnd ? Form::FromHandle(msg.hwnd) : nullptr;
  if (form && form->handleDialogKey(msg)) return true;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  return true;
}

bool Application::processWaitingMessages(bool input) {
  MSG msg;
  if (!input) {
    // Peeking handles the messages sent from other threads and programs; the painting is taken.
    while (PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageA(&msg);
    return true;
  }
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
    if (msg.message == WM_QUIT) {
      PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    if (!processMessage()) return false;
  }
  return true;
}

void Application::run() {
  while (!terminated_) {
    if (!processMessage()) break;
  }
}

void Application::terminate() {
  if (!terminated_) PostQuitMessage(0);
  terminated_ = true;
}

void Application::setCursor(AppCursor cursor) {
  cursor_ = cursor;
  if (cursor != AppCursor::Default) SetCursor(cursorHandle());
}

HCURSOR Application::cursorHandle() const {
  switch (cursor_) {
    case AppCursor::HourGlass:
      return LoadCursor(nullptr, IDC_WAIT);
    case AppCursor::Busy:
      return LoadCursor(nullptr, IDC_APPSTARTING);
    case AppCursor::Arrow:
      return LoadCursor(nullptr, IDC_ARROW);
    default:
      return nullptr;
  }
}

int Application::messageBox(const std::string& text) {
  HWND owner = GetActiveWindow();
  if (!owner && mainForm_) owner = mainForm_->handle();
  return MessageBoxA(owner, text.c_str(), title_.c_str(), MB_OK);
}

}  // namespace tk
