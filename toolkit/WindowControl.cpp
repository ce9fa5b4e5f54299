// The window controls' common part: the child window, made with the form's (see Control.h).
#include <algorithm>
#include <stdexcept>

#include "Form.h"

namespace tk {

WindowControl::WindowControl(Form& form, std::string name, int left, int top, int width, int height)
    : Control(form, std::move(name), left, top, width, height) {}

WindowControl::~WindowControl() {
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

HWND WindowControl::ensureHandle() {
  if (!hwnd_) form_.create();
  return hwnd_;
}

void WindowControl::createWindow(const char* className, DWORD style, DWORD exStyle) {
  if (visible_) style |= WS_VISIBLE;
  hwnd_ = CreateWindowExA(exStyle, className, text_.c_str(), style | WS_CHILD | WS_CLIPSIBLINGS,
                          left_, top_, std::max(width_, 0), std::max(height_, 0), form_.handle(),
                          nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!hwnd_) throw std::runtime_error(std::string("cannot create a ") + className + " control");
  text_.clear();
  SetPropA(hwnd_, "TkControl", this);
  if (!hfont_) hfont_ = MakeFont(form_.font());
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(hfont_), FALSE);
}

void WindowControl::setBounds(int left, int top, int width, int height) {
  Control::setBounds(left, top, width, height);
  if (hwnd_) MoveWindow(hwnd_, left, top, std::max(width, 0), std::max(height, 0), TRUE);
}

void WindowControl::setVisible(bool visible) {
  Control::setVisible(visible);
  if (hwnd_) ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

void WindowControl::setFocus() {
  // A form not on screen (a modal form's show handler runs before it can be seen) gives the
  // focus to the control once it is shown and active.
  if (!form_.visible()) {
    form_.focusOnShow_ = this;
    return;
  }
  SetFocus(ensureHandle());
}

bool WindowControl::focused() const {
  return hwnd_ && GetFocus() == hwnd_;
}

std::string WindowControl::text() const {
  if (!hwnd_) return text_;
  const int length = GetWindowTextLengthA(hwnd_);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(hwnd_, &text[0], length + 1);
  text.resize(static_cast<size_t>(std::max(got, 0)));
  return text;
}

void WindowControl::setText(const std::string& text) {
  if (hwnd_)
    SetWindowTextA(hwnd_, text.c_str());
  else
    text_ = text;
}

void WindowControl::setFont(const FontSpec& font) {
  hfont_ = MakeFont(font);
  if (hwnd_) SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(hfont_), TRUE);
}

bool WindowControl::wantsKey(WPARAM) const {
  return false;
}

bool WindowControl::reflect(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
  if (message != WM_DRAWITEM) return false;
  drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
  result = TRUE;
  return true;
}

}  // namespace tk
