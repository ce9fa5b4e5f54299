// Window controls (see Controls.h).
#include "Controls.h"

#include <richedit.h>

#include <algorithm>
#include <stdexcept>

#include "Scoped.h"
#include "TransparentDraw.h"

namespace tk {

// ---- Button -----------------------------------------------------------------------------------

Button::Button(Form& form, std::string name, int left, int top, int width, int height,
               std::string caption)
    : WindowControl(form, std::move(name), left, top, width, height), caption_(std::move(caption)) {
  WindowControl::setText(caption_);
}

void Button::createHandle() {
  // Owner-drawn, so the glyph and caption are laid out as one centred group.
  createWindow("BUTTON", BS_OWNERDRAW | WS_TABSTOP, 0);
}

void Button::setGlyph(const Picture& glyph, int frames) {
  glyph_ = glyph;
  frames_ = std::max(frames, 1);
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Button::setText(const std::string& text) {
  caption_ = text;
  WindowControl::setText(text);
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Button::click() {
  if (modalResult != mrNone) form_.setModalResult(modalResult);
  WindowControl::click();
}

bool Button::reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  // An owner-drawn button reports the second of two quick clicks as a double click; each is a
  // press of the button (the OK of a dialog pressed again right after its message was answered).
  if (message == WM_COMMAND &&
      (HIWORD(wParam) == BN_CLICKED || HIWORD(wParam) == BN_DOUBLECLICKED)) {
    click();
    result = 0;
    return true;
  }
  return WindowControl::reflect(message, wParam, lParam, result);
}

void Button::drawItem(const DRAWITEMSTRUCT& item) const {
  HDC dc = item.hDC;
  RECT box = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool focusedNow = (item.itemState & ODS_FOCUS) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  const bool isDefault = form_.defaultButton == this;
  FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
  if (isDefault || focusedNow) {
    // The default button wears a black outer frame, as dialog buttons do.
    FrameRect(dc, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&box, -1, -1);
  }
  DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));

  const SelectedObject font = Select(dc, hfont_);
  SIZE text{};
  GetTextExtentPoint32A(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text);
  const int glyphWidth = glyph_.empty() ? 0 : glyph_.width() / frames_;
  const int glyphHeight = glyph_.height();
  const int spacing = glyphWidth > 0 && !caption_.empty() ? glyphSpacing : 0;
  const int total = glyphWidth + spacing + text.cx;
  const int shift = pressed ? 1 : 0;
  int x = box.left + (box.right - box.left - total) / 2 + shift;
  const int midY = (box.top + box.bottom) / 2 + shift;
  if (glyphWidth > 0) {
    const int frame = disabled && frames_ > 1 ? 1 : 0;
    const MemoryDC source = CompatibleDC(dc);
    const SelectedObject selected = Select(source.get(), glyph_.handle());
    DrawTransparent(dc, x, midY - glyphHeight / 2, glyphWidth, glyphHeight, source.get(),
                    frame * glyphWidth, 0, glyph_.transparentColor());
    x += glyphWidth + spacing;
  }
  RECT textBox{x, midY - text.cy / 2, x + text.cx, midY - text.cy / 2 + text.cy};
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &textBox,
            DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_TOP);
  if (focusedNow) {
    RECT focus = item.rcItem;
    InflateRect(&focus, -4, -4);
    DrawFocusRect(dc, &focus);
  }
}

// ---- RichView ---------------------------------------------------------------------------------

namespace {

struct StreamSource {
  const std::string* bytes;
  size_t offset;
};

DWORD CALLBACK ReadFromSource(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
  auto* source = reinterpret_cast<StreamSource*>(cookie);
  const size_t left = source->bytes->size() - source->offset;
  const size_t n = std::min(left, static_cast<size_t>(std::max(wanted, 0L)));
  std::copy_n(source->bytes->data() + source->offset, n, buffer);
  source->offset += n;
  *given = static_cast<LONG>(n);
  return 0;
}

}  // namespace

std::vector<RichEditLibrary>& RichEditLibraries() {
  static std::vector<RichEditLibrary> libraries = {{"riched20.dll", "RichEdit20A"},
                                                   {"riched32.dll", "RICHEDIT"}};
  return libraries;
}

namespace {

// The window class of the first library that loads; a library stays loaded, as its class must.
std::string LoadRichEditClass() {
  // No "file not found" box from the system when a library is not installed.
  const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  std::string found;
  for (const RichEditLibrary& library : RichEditLibraries()) {
    if (LoadLibraryA(library.dll.c_str())) {
      found = library.windowClass;
      break;
    }
  }
  SetErrorMode(oldMode);
  if (found.empty()) throw std::runtime_error("no rich-edit library");
  return found;
}

}  // namespace

RichView::RichView(Form& form, std::string name, int left, int top, int width, int height)
    : WindowControl(form, std::move(name), left, top, width, height),
      windowClass_(LoadRichEditClass()) {}

void RichView::createHandle() {
  createWindow(windowClass_.c_str(),
               WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_SAVESEL,
               WS_EX_CLIENTEDGE);
  SendMessageA(hwnd_, EM_SETEVENTMASK, 0, 0);
  // Windows' rich-edit control stops RTF streamed in at its text limit, 32767 characters until
  // one is set: a long description would be cut off without a word.
  SendMessageA(hwnd_, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  if (hasBackground_) SendMessageA(hwnd_, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(background_));
}

void RichView::setBackground(COLORREF color) {
  background_ = color;
  hasBackground_ = true;
  if (hwnd_) SendMessageA(hwnd_, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(color));
}

void RichView::clear() {
  SetWindowTextA(ensureHandle(), "");
}

bool RichView::stream(const std::string& bytes, UINT format) {
  StreamSource source{&bytes, 0};
  EDITSTREAM es{};
  es.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
  es.pfnCallback = &ReadFromSource;
  SendMessageA(ensureHandle(), EM_STREAMIN, format, reinterpret_cast<LPARAM>(&es));
  return es.dwError == 0;
}

bool RichView::loadRtf(const std::string& bytes) {
  return stream(bytes, SF_RTF);
}

bool RichView::loadPlainText(const std::string& bytes) {
  return stream(bytes, SF_TEXT);
}

bool RichView::wantsKey(WPARAM key) const {
  // The view takes Enter and Escape itself; Tab still moves on.
  return key == VK_RETURN || key == VK_ESCAPE;
}

// ---- Memo -------------------------------------------------------------------------------------

Memo::Memo(Form& form, std::string name, int left, int top, int width, int height, bool centred,
           bool wordWrap)
    : WindowControl(form, std::move(name), left, top, width, height),
      style_(WS_TABSTOP | ES_MULTILINE | ES_READONLY | (centred ? ES_CENTER : ES_LEFT) |
             (wordWrap ? 0 : ES_AUTOHSCROLL)) {
  setBackground(GetSysColor(COLOR_BTNFACE));
}

void Memo::createHandle() {
  createWindow("EDIT", style_, 0);
}

void Memo::setLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) text += "\r\n";
    text += lines[i];
  }
  setText(text);
}

void Memo::setBackground(COLORREF color) {
  brush_.reset(CreateSolidBrush(color));
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

bool Memo::wantsKey(WPARAM key) const {
  return key == VK_RETURN || key == VK_ESCAPE;
}

bool Memo::reflect(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  // A read-only edit asks for its colours as a static control does.
  if (message == WM_CTLCOLORSTATIC || message == WM_CTLCOLOREDIT) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, form_.font().color);
    LOGBRUSH lb{};
    GetObjectA(brush_.get(), sizeof lb, &lb);
    SetBkColor(dc, lb.lbColor);
    result = reinterpret_cast<LRESULT>(brush_.get());
    return true;
  }
  return false;
}

// ---- Edit -------------------------------------------------------------------------------------

Edit::Edit(Form& form, std::string name, int left, int top, int width, int height)
    : WindowControl(form, std::move(name), left, top, width, height) {}

void Edit::createHandle() {
  createWindow("EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
}

bool Edit::reflect(UINT message, WPARAM wParam, LPARAM, LRESULT&) {
  // The edit tells of the focus from inside its WM_SETFOCUS, before a click that brought it goes
  // on to place the caret; the button is down then.
  const bool byMouse =
      GetKeyState(VK_LBUTTON) < 0 || GetKeyState(VK_RBUTTON) < 0 || GetKeyState(VK_MBUTTON) < 0;
  if (message == WM_COMMAND && HIWORD(wParam) == EN_SETFOCUS && !byMouse)
    SendMessageA(hwnd_, EM_SETSEL, 0, -1);
  return false;
}

}  // namespace tk
