// A form's graphic layer: the graphic controls composed off screen for each paint, and which
// control is under a point (cursor, clicks).
#include "Application.h"
#include "Form.h"

namespace tk {

void Form::invalidate(const RECT& area) const {
  if (hwnd_) InvalidateRect(hwnd_, &area, FALSE);
}

void Form::update() const {
  if (hwnd_) UpdateWindow(hwnd_);
}

void Form::paintGraphics(HDC dc, const RECT& area) const {
  FillRect(dc, &area, background_.get());
  for (const GraphicControl* g : graphics_) {
    if (!g->visible()) continue;
    RECT overlap;
    const RECT box = g->bounds();
    if (!IntersectRect(&overlap, &box, &area)) continue;
    g->paint(dc);
  }
}

GraphicControl* Form::graphicAt(POINT point) const {
  for (auto it = graphics_.rbegin(); it != graphics_.rend(); ++it) {
    GraphicControl* g = *it;
    if (!g->visible()) continue;
    const RECT box = g->bounds();
    if (PtInRect(&box, point)) return g;
  }
  return nullptr;
}

void Form::paint() {
  const PaintDC dc = BeginPainting(hwnd_);
  const RECT& area = dc.get().paint.rcPaint;
  if (area.right <= area.left || area.bottom <= area.top) return;
  // The graphic controls are composed off screen and copied at once, so that nothing flickers,
  // in a buffer made for this paint alone that reaches from the client area's corner to the far
  // corner of the part to paint (the controls draw in client coordinates), composed only within
  // that part. A buffer of the whole client area kept between paints held as much memory as the
  // background picture itself, to spare composing parts uncovered again: a few copies.
  const MemoryDC buffer = CompatibleDC(dc.get());
  const GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(dc.get(), area.right, area.bottom));
  if (!buffer || !bitmap) return;
  const SelectedObject selected = Select(buffer.get(), bitmap.get());
  IntersectClipRect(buffer.get(), area.left, area.top, area.right, area.bottom);
  paintGraphics(buffer.get(), area);
  BitBlt(dc.get(), area.left, area.top, area.right - area.left, area.bottom - area.top,
         buffer.get(), area.left, area.top, SRCCOPY);
}

bool Form::setCursorOver(WPARAM wParam, LPARAM lParam) const {
  if (HCURSOR app = Application::instance().cursorHandle()) {
    SetCursor(app);
    return true;
  }
  if (reinterpret_cast<HWND>(wParam) != hwnd_ || LOWORD(lParam) != HTCLIENT) return false;
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(hwnd_, &p);
  GraphicControl* g = graphicAt(p);
  SetCursor(g && g->cursor ? g->cursor : LoadCursor(nullptr, IDC_ARROW));
  return true;
}

void Form::mouseButton(UINT message, LPARAM lParam) {
  const POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  if (message != WM_LBUTTONUP) {
    // The class asks for double clicks, but no graphic control takes them: the second press
    // of a quick pair is a press like the first, or a label clicked twice in a row (or again
    // soon after its dialog closed) would ignore the second click.
    pressed_ = graphicAt(p);
    if (pressed_) SetCapture(hwnd_);
    return;
  }
  if (GetCapture() == hwnd_) ReleaseCapture();
  GraphicControl* pressed = pressed_;
  pressed_ = nullptr;
  if (pressed && pressed == graphicAt(p)) pressed->click();
}

}  // namespace tk
