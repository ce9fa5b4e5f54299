// Decodes a JPEG held in memory into 24-bit pixels with libjpeg. A damaged file ends in an
// error result, never in the library's default handling, which would end the process.
#pragma once

#include <cstddef>
#include <cstdint>
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

}  // namespace tk
