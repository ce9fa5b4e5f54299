// The controls of a form: graphic controls (images, labels), which the form paints itself into
// its client area, and window controls, each a child window of the form.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "Font.h"
#include "Handler.h"
#include "Picture.h"

namespace tk {

class Form;

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
  // The control's window, null until it is made.
  HWND handle() const { return hwnd_; }
  // The control's window, made with the form's where it is not yet.
  HWND ensureHandle();
  int tabOrder = 0;
  bool tabStop = true;
  void setBounds(int left, int top, int width, int height) override;
  void setVisible(bool visible) override;
  // Gives the control the keyboard focus; on a form not on screen, once the form is shown.
  void setFocus();
  bool focused() const;
  std::string text() const;
  virtual void setText(const std::string& text);
  void setFont(const FontSpec& font);
  // Whether the control handles this key itself rather than the form's default/cancel buttons.
  virtual bool wantsKey(WPARAM key) const;
  // Whether Enter presses the control while it has the focus, as it does a button.
  virtual bool pressedByEnter() const { return false; }
  // Runs before each showing of the form: for what a control leaves until it is first seen.
  virtual void beforeShown() {}
  // Messages the form reflects back to the control (WM_COMMAND, WM_DRAWITEM, WM_CTLCOLOR...).
  virtual bool reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

 protected:
  friend class Form;
  // An owner-drawn control draws its item here, when the form reflects WM_DRAWITEM to it.
  virtual void drawItem(const DRAWITEMSTRUCT&) const {}
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

}  // namespace tk
