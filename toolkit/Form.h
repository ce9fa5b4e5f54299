// The windowing layer's form: a top-level window of fixed client size whose graphic controls
// (images, labels) it paints itself, double-buffered, in creation order, and whose window
// controls are child windows. A form is shown modelessly (the main window) or modally with a
// nested message loop that ends when its modal result becomes nonzero.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Picture.h"
#include "Scoped.h"

namespace tk {

class Form;
class Button;

// Modal results.
constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;

struct FontSpec {
  std::string face = "MS Sans Serif";
  int height = -11;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  COLORREF color = RGB(0, 0, 0);
  BYTE charset = DEFAULT_CHARSET;
};

// A font made from a FontSpec; shared by the controls that use it.
HFONT MakeFont(const FontSpec& props);

// Runs the handler of a user event: a control's click or change, a form's showing. Every event
// passes here, by mouse, by keyboard or from code. A failure the handler does not catch itself
// ends it silently, as every handler's failure does; nothing goes further.
void RunHandler(const std::function<void()>& handler) noexcept;

class Control {
 public:
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& name() const { return name_; }
  int left() const { return left_; }
  int top() const { return top_; }
  int width() const { return width_; }
  int height() const { return height_; }
  RECT bounds() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
  bool visible() const { return visible_; }
  int tag = 0;
  std::function<void(Control& sender)> onClick;

  virtual void setBounds(int left, int top, int width, int height);
  void setLeft(int v) { setBounds(v, top_, width_, height_); }
  void setTop(int v) { setBounds(left_, v, width_, height_); }
  void setWidth(int v) { setBounds(left_, top_, v, height_); }
  void setHeight(int v) { setBounds(left_, top_, width_, v); }
  virtual void setVisible(bool visible);
  void show() { setVisible(true); }
  void hide() { setVisible(false); }
  virtual void click();

 protected:
  Control(Form& form, std::string name, int left, int top, int width, int height);
  Form& form_;
  std::string name_;
  int left_, top_, width_, height_;
  bool visible_ = true;
};

// A control the form paints itself.
class GraphicControl : public Control {
 public:
  HCURSOR cursor = nullptr;  // null: the arrow
  std::string hint;          // tooltip text, empty for none
  virtual void paint(HDC dc) const = 0;
  void setBounds(int left, int top, int width, int height) override;
  void setVisible(bool visible) override;
  void invalidate() const;

 protected:
  using Control::Control;
};

class Image : public GraphicControl {
 public:
  Image(Form& form, std::string name, int left, int top, int width, int height);
  bool stretch = false;
  bool transparent = false;
  const Picture& picture() const { return picture_; }
  void setPicture(const Picture& picture);
  void setPicture(Picture&& picture);
  void clearPicture() { setPicture(Picture()); }
  // Hands its picture to the caller and shows none.
  Picture takePicture();
  void paint(HDC dc) const override;

 private:
  Picture picture_;
  // The picture stretched to the box, made when first drawn at that size. Stretching once
  // rather than at every paint keeps each repainted part pixel for pixel like the rest (a
  // smoothed stretch clipped to a small area does not always land on the same pixels) and keeps
  // repainting cheap while the window animates. There is none when the picture has the box's
  // size already: a form that needs a large picture only at the size it shows gives it so.
  mutable Picture stretched_;
};

class Label : public GraphicControl {
 public:
  enum class Align { Left, Center };
  Label(Form& form, std::string name, int left, int top, int width, int height);
  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption);
  void setFont(const FontSpec& font);
  bool transparent = false;
  COLORREF background = RGB(255, 255, 255);
  Align align = Align::Left;
  // Whether the label takes the size of its caption in its font, whenever either changes
  // (otherwise it keeps its box and clips the caption to it).
  void setAutoSize(bool autoSize);
  void paint(HDC dc) const override;

 private:
  void fitToCaption();
  bool autoSize_ = false;
  std::string caption_;
  FontSpec font_;
  HFONT hfont_ = nullptr;
};

// A control that is a child window of the form. Its window is made with the form's (see
// Form::create): until then its place, visibility, text and font are kept and given to the window
// when it is made, and anything that needs the window makes the form's first.
class WindowControl : public Control {
 public:
  ~WindowControl() override;
  // The control's window; asking for it makes the form's window, and so the control's.
  HWND handle() const;
  int tabOrder = 0;
  bool tabStop = true;
  void setBounds(int left, int top, int width, int height) override;
  void setVisible(bool visible) override;
  void setFocus();
  bool focused() const;
  std::string text() const;
  virtual void setText(const std::string& text);
  void setFont(const FontSpec& font);
  // Whether the control handles this key itself rather than the form's default/cancel buttons.
  virtual bool wantsKey(WPARAM key) const;
  // Runs before each showing of the form: for what a control leaves until it is first seen.
  virtual void beforeShown() {}
  // Messages the form reflects back to the control (WM_COMMAND, WM_DRAWITEM, WM_CTLCOLOR...).
  virtual bool reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

 protected:
  friend class Form;
  WindowControl(Form& form, std::string name, int left, int top, int width, int height);
  // Makes the control's window, with createWindow, and gives it what was set before.
  virtual void createHandle() = 0;
  // A child window of the form's with the control's place, visibility, text and font.
  void createWindow(const char* className, DWORD style, DWORD exStyle);
  HWND hwnd_ = nullptr;
  HFONT hfont_ = nullptr;

 private:
  std::string text_;  // the text until the window is made
};

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
    registerControl(ref);
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
  // Runs when the form is shown (the first time for a modeless form, every time for a modal one).
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
  void registerControl(Control& control);
  void placeOnScreen();
  void moveFocus(bool forward);
  void focusFirstControl();
  void prepareToShow();
  void makeTooltips(const MSG& move);
  void updateTooltips();

  FormSpec props_;
  HWND hwnd_ = nullptr;
  HWND tooltip_ = nullptr;
  GdiObject<HBRUSH> background_;
  std::vector<std::unique_ptr<Control>> controls_;
  int modalResult_ = mrNone;
  bool modal_ = false;
  bool shownOnce_ = false;
  bool tooltipsPending_ = false;  // shown, with its tooltips still to be made
  GraphicControl* pressed_ = nullptr;
  HWND focusWhenDeactivated_ = nullptr;
};

}  // namespace tk
