// The windowing layer's form: a top-level window of fixed client size whose graphic controls
// (images, labels) it paints itself, double-buffered, in creation order, and whose window
// controls are child windows. A form is shown modelessly (the main window) or modally with a
// nested message loop that ends when its modal result becomes nonzero.
//
// Where each job is: the window, its showing and the modal loop in Form.cpp; the dialog keys and
// the focus in DialogKeys.cpp; the composed graphic layer, its painting and hit-testing in
// GraphicLayer.cpp; the tooltips in Tooltips.cpp; the controls in Control.h.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "Control.h"
#include "Scoped.h"

namespace tk {

class Button;

// Modal results.
constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;

struct FormSpec {
  std::string caption;
  int clientWidth = 0;
  int clientHeight = 0;
  COLORREF color = GetSysColor(COLOR_BTNFACE);
  FontSpec font;
  enum class Position { ScreenCenter, MainFormCenter } position = Position::ScreenCenter;
};

// A form's window is made by create(), never by the constructor: a derived form's handleMessage
// then sees every message of the creation. Showing the form calls it, and so does anything that
// needs a control's window; a form made and never shown (the program makes two at start-up)
// makes no window at all.
class Form {
 public:
  explicit Form(FormSpec props);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Makes the window and those of its window controls, once; null until then.
  void create();
  HWND handle() const { return hwnd_; }
  const FormSpec& props() const { return props_; }
  const std::string& caption() const { return props_.caption; }
  void setCaption(const std::string& caption);
  const FontSpec& font() const { return props_.font; }

  template <class T, class... Args>
  T& add(Args&&... args) {
    auto control = std::make_unique<T>(*this, std::forward<Args>(args)...);
    T& ref = *control;
    controls_.push_back(std::move(control));
    registerControl(ref);  // by its kind: a graphic or a window control
    return ref;
  }
  const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

  Button* defaultButton = nullptr;
  Button* cancelButton = nullptr;

  // Shows the form modelessly; the first time, with the focus on the first control in tab order,
  // and the show handler runs once it is on screen.
  void show();
  void hide();
  bool visible() const;
  // Shows the form modally and runs a message loop until its modal result is nonzero.
  int showModal();
  int modalResult() const { return modalResult_; }
  void setModalResult(int result) { modalResult_ = result; }
  bool modal() const { return modal_; }

  // The platform's close command (Alt+F4): a modal form closes with result 2, another form
  // ends the application.
  virtual void closeCommand();
  // Enter, Escape and Tab as a dialog handles them; true when the key was used.
  bool handleDialogKey(const MSG& message);
  // Paints the form's graphic controls into `dc` (client coordinates), as WM_PAINT composes them.
  void paintGraphics(HDC dc, const RECT& area) const;
  // Marks a part of the client area to be composed and drawn again.
  void invalidate(const RECT& area) const;
  // Draws every pending change now.
  void update() const;
  // The topmost visible graphic control at a client point, or null.
  GraphicControl* graphicAt(POINT point) const;
  WindowControl* windowControlOf(HWND child) const;
  static Form* FromHandle(HWND hwnd);

 protected:
  // Runs when the form is shown (the first time for a modeless form, once it is on screen; every
  // time for a modal one, before it can be seen).
  virtual void onShow() {}
  virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  friend class Control;
  friend class WindowControl;
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static void registerWindowClass();
  // The parts of handleMessage: true (or nothing to return) where the message was handled.
  void paint();
  bool setCursorOver(WPARAM wParam, LPARAM lParam) const;
  void mouseButton(UINT message, LPARAM lParam);
  bool activate(WPARAM wParam);
  bool reflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void registerControl(GraphicControl& control);
  void registerControl(WindowControl& control);
  void placeOnScreen();
  void moveFocus(bool forward);
  void focusFirstControl();
  // Gives the focus to the control asked for while the form was hidden, or to the first one.
  void focusOnShowing();
  void prepareToShow();
  void makeTooltips(const MSG& move);
  void updateTooltips();

  FormSpec props_;
  HWND hwnd_ = nullptr;
  HWND tooltip_ = nullptr;
  GdiObject<HBRUSH> background_;
  std::vector<std::unique_ptr<Control>> controls_;  // each control, in creation order
  std::vector<GraphicControl*> graphics_;           // the same by kind, in creation order
  std::vector<WindowControl*> windows_;
  int modalResult_ = mrNone;
  bool modal_ = false;
  bool shownOnce_ = false;
  bool tooltipsPending_ = false;  // shown, with its tooltips still to be made
  GraphicControl* pressed_ = nullptr;
  HWND focusWhenDeactivated_ = nullptr;
  WindowControl* focusOnShow_ = nullptr;  // asked for the focus while the form was hidden
};

}  // namespace tk
