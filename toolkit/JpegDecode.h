// Decodes a JPEG held in memory into 24-bit pixels with libjpeg. A damaged file ends in an
// error result, never in the library's default handling, which would end the process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tk {

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // rows top to bottom, 3 bytes a pixel (R, G, B)
};

// False when the data is not a JPEG the library can decode; `error` then says why.
bool DecodeJpeg(const std::uint8_t* data, std::size_t size, RgbImage& out, std::string* error);

// Where a decoded picture goes: asked once its size is known, it gives the first of `height` rows
// of `width` * 4 bytes, top row first, or null when it has no room for them.
using BgrxRows = std::function<std::uint8_t*(int width, int height)>;

// The same decoding straight into rows of 4 bytes a pixel (blue, green, red, zero), as a 32-bit
// Windows section holds them, without a picture of its own in between.
bool DecodeJpegBgrx(const std::uint8_t* data, std::size_t size, const BgrxRows& rows,
                    std::string* error);

}  // namespace tk
