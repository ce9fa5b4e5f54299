// A form's dialog keys and its keyboard focus: Enter, Escape, Tab and Shift+Tab, Alt+F4, and where
// the focus goes when the form is shown (see Form.h).
//
// IsDialogMessage is not used: it moves the focus in the windows' stacking order (here the order
// in which the controls were made) rather than by tab order, finds the default and cancel
// buttons by dialog ids these controls do not carry, and leaves Tab to a multi-line text that
// asks for every key; here Tab always moves on and only the texts that say so keep Enter and
// Escape.
#include <algorithm>
#include <utility>

#include "Controls.h"
#include "Form.h"

namespace tk {

void Form::focusOnShowing() {
  WindowControl* chosen = std::exchange(focusOnShow_, nullptr);
  if (chosen && chosen->visible() && IsWindowEnabled(chosen->handle()))
    SetFocus(chosen->handle());
  else
    focusFirstControl();
}

void Form::focusFirstControl() {
  // From the form itself, moving on reaches that control whichever control the activation left
  // focused.
  SetFocus(hwnd_);
  moveFocus(true);
}

void Form::moveFocus(bool forward) {
  std::vector<WindowControl*> stops;
  for (WindowControl* w : windows_)
    if (w->tabStop && w->visible() && IsWindowEnabled(w->handle())) stops.push_back(w);
  if (stops.empty()) return;
  std::stable_sort(stops.begin(), stops.end(),
                   [](WindowControl* a, WindowControl* b) { return a->tabOrder < b->tabOrder; });
  HWND focus = GetFocus();
  auto at = std::find_if(stops.begin(), stops.end(),
                         [focus](WindowControl* w) { return w->handle() == focus; });
  size_t index = 0;
  if (at != stops.end()) {
    const size_t i = static_cast<size_t>(at - stops.begin());
    index = forward ? (i + 1) % stops.size() : (i + stops.size() - 1) % stops.size();
  } else if (!forward) {
    index = stops.size() - 1;
  }
  stops[index]->setFocus();
}

bool Form::handleDialogKey(const MSG& msg) {
  if (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd)) return false;
  if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_F4) {
    closeCommand();
    return true;
  }
  if (msg.message != WM_KEYDOWN) return false;
  WindowControl* focused = windowControlOf(GetFocus());
  if (focused && focused->wantsKey(msg.wParam)) return false;
  switch (msg.wParam) {
    case VK_RETURN: {
      // A focused button is pressed by Enter; otherwise the default button is.
      WindowControl* button = focused && focused->pressedByEnter() ? focused : defaultButton;
      if (button && button->visible() && IsWindowEnabled(button->handle())) {
        button->click();
        return true;
      }
      return false;
    }
    case VK_ESCAPE:
      if (cancelButton && cancelButton->visible() && IsWindowEnabled(cancelButton->handle())) {
        cancelButton->click();
        return true;
      }
      return false;
    case VK_TAB:
      moveFocus(GetKeyState(VK_SHIFT) >= 0);
      return true;
    default:
      return false;
  }
}

WindowControl* Form::windowControlOf(HWND child) const {
  if (!child) return nullptr;
  for (WindowControl* w : windows_)
    if (w->handle() == child || IsChild(w->handle(), child)) return w;
  return nullptr;
}

}  // namespace tk
