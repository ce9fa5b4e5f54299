// A form's window, its showing and its modal loop (see Form.h).
#include "Form.h"

#include <stdexcept>

#include "Application.h"
#include "FailureLog.h"

namespace tk {
namespace {

constexpr char kFormClass[] = "TkForm";

}  // namespace

Form::Form(FormSpec props)
    : props_(std::move(props)), background_(CreateSolidBrush(props_.color)) {}

Form::~Form() {
  graphics_.clear();
  windows_.clear();
  controls_.clear();
  if (tooltip_) DestroyWindow(tooltip_);
  if (hwnd_ && IsWindow(hwnd_)) {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

// The forms' window class, registered the first time a form is made. Its icon is the
// application's (the task-bar button's), so the application sets it before that.
void Form::registerWindowClass() {
  static const ATOM registered = [] {
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &Form::WindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIcon = Application::instance().icon();
    wc.hCursor = nullptr;  // chosen in WM_SETCURSOR
    wc.lpszClassName = kFormClass;
    const ATOM atom = RegisterClassA(&wc);
    if (!atom) throw std::runtime_error("cannot register the form window class");
    return atom;
  }();
  (void)registered;
}

void Form::create() {
  if (hwnd_) return;
  registerWindowClass();
  // A caption without system menu, minimise, maximise or close box, and a border that does not
  // resize.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;
  RECT frame{0, 0, props_.clientWidth, props_.clientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  // A dialog belongs to the main window, whose window is made first where it was not yet.
  HWND owner = nullptr;
  Form* main = Application::instance().mainForm();
  if (main && main != this) {
    main->create();
    owner = main->handle();
  }
  // WM_NCCREATE attaches the window to this form: from then on, the messages of its creation
  // included, the window procedure hands them to the most derived handleMessage.
  const HWND made =
      CreateWindowExA(0, kFormClass, props_.caption.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                      frame.right - frame.left, frame.bottom - frame.top, owner, nullptr,
                      GetModuleHandleA(nullptr), this);
  if (!made) {
    hwnd_ = nullptr;
    throw std::runtime_error("cannot create a form");
  }
  // The controls' windows in creation order, which is their stacking order.
  for (WindowControl* w : windows_) w->createHandle();
}

Form* Form::FromHandle(HWND hwnd) {
  while (hwnd) {
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (lstrcmpA(cls, kFormClass) == 0)
      return reinterpret_cast<Form*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    hwnd = GetParent(hwnd);
  }
  return nullptr;
}

LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    auto* form = static_cast<Form*>(create->lpCreateParams);
    form->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<Form*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!form) return DefWindowProcA(hwnd, message, wParam, lParam);
  // No C++ exception may cross back into Windows.
  try {
    return form->handleMessage(message, wParam, lParam);
  } catch (...) {
    LogDroppedFailure("form window procedure");
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

void Form::registerControl(GraphicControl& control) {
  graphics_.push_back(&control);
  if (control.visible()) control.invalidate();
}

void Form::registerControl(WindowControl& control) {
  windows_.push_back(&control);
  if (hwnd_) control.createHandle();  // added to a form whose window is made
}

void Form::setCaption(const std::string& caption) {
  props_.caption = caption;
  if (hwnd_) SetWindowTextA(hwnd_, caption.c_str());
}

void Form::placeOnScreen() {
  RECT frame;
  GetWindowRect(hwnd_, &frame);
  const int w = frame.right - frame.left;
  const int h = frame.bottom - frame.top;
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  Form* main = Application::instance().mainForm();
  if (props_.position == FormSpec::Position::MainFormCenter && main && main != this &&
      IsWindowVisible(main->handle()))
    GetWindowRect(main->handle(), &area);
  const int x = area.left + (area.right - area.left - w) / 2;
  const int y = area.top + (area.bottom - area.top - h) / 2;
  SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::prepareToShow() {
  for (WindowControl* w : windows_) w->beforeShown();
  // The hints are only seen under the pointer: the tooltip window is made when the pointer
  // first moves over the form.
  if (tooltip_)
    updateTooltips();
  else
    tooltipsPending_ = true;
}

void Form::show() {
  create();
  if (!shownOnce_) placeOnScreen();
  prepareToShow();
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  // The first showing starts at the first control in tab order, as a modal showing does; later
  // ones find the focus where the activation gives it back, unless a control asked for it
  // while the form was hidden.
  if (!shownOnce_ || focusOnShow_) focusOnShowing();
  UpdateWindow(hwnd_);
  if (!shownOnce_) {
    shownOnce_ = true;
    RunHandler([this] { onShow(); });
  }
}

void Form::hide() {
  if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

bool Form::visible() const {
  return hwnd_ && IsWindowVisible(hwnd_) != FALSE;
}

int Form::showModal() {
  create();
  Application& app = Application::instance();
  Form* main = app.mainForm();
  HWND mainWindow = main && main != this ? main->handle() : nullptr;
  const bool mainWasEnabled = mainWindow && IsWindowEnabled(mainWindow);
  modalResult_ = mrNone;
  modal_ = true;
  placeOnScreen();
  if (mainWindow) EnableWindow(mainWindow, FALSE);
  prepareToShow();
  focusWhenDeactivated_ = nullptr;  // not the control focused when the form was last closed
  // The show handler runs before the form can be seen: its first frame already carries what the
  // handler sets (caption, pictures, texts), and a control the handler focuses gets the focus
  // once the form is active.
  shownOnce_ = true;
  RunHandler([this] { onShow(); });
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  SetActiveWindow(hwnd_);
  // Each showing starts at the first control in tab order, or at the one the handler chose.
  focusOnShowing();
  UpdateWindow(hwnd_);
  while (modalResult_ == mrNone) {
    if (!app.processMessage()) {
      PostQuitMessage(0);  // the outer loop must see it too
      if (modalResult_ == mrNone) modalResult_ = mrCancel;
      break;
    }
  }
  if (mainWindow && mainWasEnabled) EnableWindow(mainWindow, TRUE);
  ShowWindow(hwnd_, SW_HIDE);
  if (mainWindow) SetActiveWindow(mainWindow);
  modal_ = false;
  return modalResult_;
}

void Form::closeCommand() {
  if (modal_)
    modalResult_ = mrCancel;
  else if (Application::instance().mainForm() == this)
    Application::instance().terminate();
  else
    hide();
}

bool Form::activate(WPARAM wParam) {
  // As a dialog box does, the form gives the focus back to the control that had it when
  // another window was activated; the default handling would give it to the form itself,
  // where Enter and Tab no longer start from that control.
  const HWND focus = GetFocus();
  if (LOWORD(wParam) == WA_INACTIVE) {
    if (focus && IsChild(hwnd_, focus)) focusWhenDeactivated_ = focus;
    return false;
  }
  if (HIWORD(wParam)) return false;  // minimised
  if (focus && IsChild(hwnd_, focus)) return true;
  const HWND restore = focusWhenDeactivated_;
  if (restore && IsWindow(restore) && IsChild(hwnd_, restore) && IsWindowVisible(restore) &&
      IsWindowEnabled(restore)) {
    SetFocus(restore);
    return true;
  }
  return false;
}

bool Form::reflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  HWND child = nullptr;
  switch (message) {
    case WM_DRAWITEM:
      child = reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem;
      break;
    case WM_NOTIFY:
      child = reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
      break;
    default:  // WM_COMMAND and WM_CTLCOLOR...: the child's handle
      child = reinterpret_cast<HWND>(lParam);
      break;
  }
  auto* control = child ? static_cast<WindowControl*>(GetPropA(child, "TkControl")) : nullptr;
  result = 0;
  return control && control->reflect(message, wParam, lParam, result);
}

LRESULT Form::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // everything is painted in WM_PAINT
    case WM_PAINT:
      paint();
      return 0;
    case WM_SETCURSOR:
      if (setCursorOver(wParam, lParam)) return TRUE;
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
      mouseButton(message, lParam);
      return 0;
    case WM_MOUSEMOVE:
      if (tooltipsPending_) {
        MSG move{hwnd_, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
        GetCursorPos(&move.pt);
        makeTooltips(move);
      }
      break;
    case WM_ACTIVATE:
      if (activate(wParam)) return 0;
      break;
    case WM_CLOSE:
      closeCommand();
      return 0;
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (reflectToChild(message, wParam, lParam, result)) return result;
      break;
    }
    default:
      break;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

}  // namespace tk
