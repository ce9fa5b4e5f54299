// The window controls of the windowing layer, each a thin wrapper of a Windows control: a push
// button with a glyph, a read-only rich-text view, a borderless memo and a single-line edit.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Form.h"
#include "Picture.h"
#include "Scoped.h"

namespace tk {

// A push button drawn with an optional glyph left of its caption. A glyph bitmap may hold one
// frame, or several side by side (normal, disabled) of the height's width each.
class Button : public WindowControl {
 public:
  Button(Form& form, std::string name, int left, int top, int width, int height,
         std::string caption);
  int modalResult = mrNone;  // given to the form when the button is clicked
  int glyphSpacing = 4;      // pixels between glyph and caption
  void setGlyph(const Picture& glyph, int frames);
  const std::string& caption() const { return caption_; }
  // The caption is drawn by the button itself, so the window text and it change together.
  void setText(const std::string& text) override;
  void click() override;
  bool pressedByEnter() const override { return true; }
  bool reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 protected:
  void createHandle() override;

 private:
  void drawItem(const DRAWITEMSTRUCT& item) const override;
  std::string caption_;
  Picture glyph_;
  int frames_ = 1;
};

// A library a rich-text view can be made from, and the window class it registers.
struct RichEditLibrary {
  std::string dll;
  std::string windowClass;
};

// The libraries a view is made from, tried in turn: RichEdit 2.0 where it loads, RichEdit 1.0
// otherwise (all that Windows 95 and NT 4 have). Tests change the list to leave one out.
std::vector<RichEditLibrary>& RichEditLibraries();

// A read-only rich-text view. Text is streamed in as RTF, or as plain text.
class RichView : public WindowControl {
 public:
  RichView(Form& form, std::string name, int left, int top, int width, int height);
  // The window class the view was made with (of the first library that loaded).
  const std::string& windowClass() const { return windowClass_; }
  void setBackground(COLORREF color);
  void clear();
  // Streams `bytes` in; false when the control reports an error for the load.
  bool loadRtf(const std::string& bytes);
  bool loadPlainText(const std::string& bytes);
  bool wantsKey(WPARAM key) const override;

 protected:
  void createHandle() override;

 private:
  bool stream(const std::string& bytes, UINT format);
  std::string windowClass_;
  COLORREF background_ = 0;
  bool hasBackground_ = false;  // otherwise the control's own
};

// A read-only multi-line text without border, on a background of its own colour, in the colour
// of its form's font.
class Memo : public WindowControl {
 public:
  Memo(Form& form, std::string name, int left, int top, int width, int height, bool centred,
       bool wordWrap);
  void setLines(const std::vector<std::string>& lines);
  void setBackground(COLORREF color);
  bool wantsKey(WPARAM key) const override;
  bool reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 protected:
  void createHandle() override;

 private:
  DWORD style_;
  GdiObject<HBRUSH> brush_;
};

// A single-line edit. As in a dialog box, the focus that arrives other than by a mouse click (the
// form's first focus, Tab, code) selects the whole text, so that typing replaces it; a click
// places the caret where it lands.
class Edit : public WindowControl {
 public:
  Edit(Form& form, std::string name, int left, int top, int width, int height);
  bool reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 protected:
  void createHandle() override;
};

}  // namespace tk
