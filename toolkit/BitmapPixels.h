// The pixels of a bitmap file, decoded as Windows draws them: every depth, colour table, colour
// mask and run-length coding the layout check accepts, whatever header the file has (the 12-byte
// header of the oldest bitmaps, the 40-byte one and the longer ones of later releases). The
// program hands the platform only the decoded rows, under a plain header that every release
// reads (Windows 95 reads no 124-byte header, and takes colour masks only of 5 and 6 bits or of
// 8), so a picture draws the same on every release. Portable: no windows.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "BitmapLayout.h"

namespace tk {

// Decodes the pixels of the bitmap file `data`, whose layout ReadBitmapLayout gave,
// into `rows`: layout.width x layout.height pixels, the top row first, four bytes a pixel (blue,
// green, red, and 0 whatever alpha the file holds: the colour alone decides whether a pixel has
// the transparent colour). Pixels a run-length coding skips are black, and so are indices
// beyond the colour table. False, with `error`, for colour masks that leave a colour empty.
bool DecodeBitmapPixels(const std::uint8_t* data, const BitmapLayout& layout, std::uint8_t* rows,
                        std::string* error);

}  // namespace tk
