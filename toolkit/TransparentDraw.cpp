// Colour-keyed drawing with a mask (see TransparentDraw.h).
#include "TransparentDraw.h"

#include "Scoped.h"

namespace tk {

void DrawTransparent(HDC dest, int x, int y, int w, int h, HDC source, int sx, int sy,
                     COLORREF key) {
  if (w <= 0 || h <= 0) return;
  const MemoryDC maskDc = CompatibleDC(dest);
  const GdiObject<HBITMAP> mask(CreateBitmap(w, h, 1, 1, nullptr));
  if (!maskDc || !mask) return;
  const SelectedObject maskSelected = Select(maskDc.get(), mask.get());
  // A colour copy into a monochrome bitmap turns the source's background colour white and every
  // other colour black: the mask is white exactly where the key colour is.
  const COLORREF oldSourceBk = SetBkColor(source, key);
  BitBlt(maskDc.get(), 0, 0, w, h, source, sx, sy, SRCCOPY);
  SetBkColor(source, oldSourceBk);

  // Monochrome onto colour maps white to the background colour and black to the text colour.
  const COLORREF oldBk = SetBkColor(dest, RGB(255, 255, 255));
  const COLORREF oldText = SetTextColor(dest, RGB(0, 0, 0));
  // dest ^ source, then cleared where the picture is opaque, then ^ source again: the picture
  // where it is opaque, dest unchanged where the key colour is.
  BitBlt(dest, x, y, w, h, source, sx, sy, SRCINVERT);
  BitBlt(dest, x, y, w, h, maskDc.get(), 0, 0, SRCAND);
  BitBlt(dest, x, y, w, h, source, sx, sy, SRCINVERT);
  SetTextColor(dest, oldText);
  SetBkColor(dest, oldBk);
}

}  // namespace tk
