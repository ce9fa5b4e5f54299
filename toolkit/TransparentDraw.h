// Drawing a bitmap with one colour left out, on every Windows release: the platform's own
// colour-keyed copy (TransparentBlt) lives in a library that Windows 95 and NT 4 do not have, and
// MaskBlt is missing from Windows 95, so the key colour is cut out with a monochrome mask and
// plain BitBlt raster operations, as the common controls of Windows 95 draw their image lists.
#pragma once

#include <windows.h>

namespace tk {

// Copies the w x h block at (sx, sy) of the bitmap selected into `source` to (x, y) of `dest`,
// leaving `dest` as it was wherever the source pixel has the colour `key`.
void DrawTransparent(HDC dest, int x, int y, int w, int h, HDC source, int sx, int sy,
                     COLORREF key);

}  // namespace tk
