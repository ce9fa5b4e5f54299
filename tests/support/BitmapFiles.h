// Windows bitmap files written byte by byte: the pictures the tests give the program and the
// toolkit (well formed, or with a header field set to what a damaged file holds), and the
// captures the end-to-end tests save. Portable, and header-only so that every build of the test
// discs takes it without a library of its own.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace velmtest {

// The colour of the pixel at (x, y), y counted from the top, as 0xRRGGBB.
using PixelColour = std::function<std::uint32_t(int x, int y)>;

// What the file's headers say.
struct BitmapShape {
  std::int32_t width = 1;
  std::int32_t height = 1;  // negative: the rows are stored top row first
  std::uint16_t bitsPerPixel = 24;
  std::uint32_t compression = 0;  // 0 none, 1 and 2 run lengths (8 and 4 bits), 3 colour masks
  // The palette's length; 0: the whole palette of the depth (up to 8 bits), or with pixels of 8
  // bits given, the colours they use. The old 12-byte header always has the whole palette.
  std::uint32_t colorsUsed = 0;
  std::uint32_t headerSize = 40;  // 12 (the old core header), 40, 108 or 124
  // A run-length file's pixel bytes (zeros), which its header gives as the image size.
  std::size_t runLengthBytes = 0;
};

namespace bitmapfiles {

inline void Le(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace bitmapfiles

// The whole file: the headers, the palette (the colours `pixel` uses at 8 bits, zeros else), the
// three colour masks that follow a 40-byte header with compression 3 (zeros: every colour
// empty), and the rows, each padded to four bytes: `pixel`'s colours at 8, 24 and 32 bits, zeros
// at other depths or without `pixel`.
inline std::string BitmapBytes(const BitmapShape& s, const PixelColour& pixel = nullptr) {
  using bitmapfiles::Le;
  const bool core = s.headerSize == 12;
  const int rows = s.height < 0 ? -s.height : s.height;
  const bool indexed = s.bitsPerPixel == 8 && pixel;
  std::vector<std::uint32_t> palette;
  if (indexed && s.colorsUsed == 0) {
    for (int y = 0; y < rows; ++y)
      for (int x = 0; x < s.width; ++x)
        if (std::find(palette.begin(), palette.end(), pixel(x, y)) == palette.end())
          palette.push_back(pixel(x, y));
  } else {
    std::size_t colours = s.colorsUsed;
    if (s.bitsPerPixel <= 8 && (colours == 0 || core)) colours = std::size_t{1} << s.bitsPerPixel;
    palette.assign(colours, 0);
  }
  const std::uint32_t colorsUsed =
      indexed && s.colorsUsed == 0 ? static_cast<std::uint32_t>(palette.size()) : s.colorsUsed;
  const std::size_t stride = (static_cast<std::size_t>(s.width) * s.bitsPerPixel + 31) / 32 * 4;
  const std::size_t pixelBytes = s.runLengthBytes ? s.runLengthBytes : stride * rows;
  const std::size_t masks = s.headerSize == 40 && s.compression == 3 ? 12 : 0;
  const std::size_t bitsOffset = 14 + s.headerSize + masks + palette.size() * (core ? 3 : 4);

  std::string b = "BM";
  Le(b, static_cast<std::uint32_t>(bitsOffset + pixelBytes), 4);
  Le(b, 0, 4);
  Le(b, static_cast<std::uint32_t>(bitsOffset), 4);
  Le(b, s.headerSize, 4);
  const int sizeBytes = core ? 2 : 4;
  Le(b, static_cast<std::uint32_t>(s.width), sizeBytes);
  Le(b, static_cast<std::uint32_t>(s.height), sizeBytes);
  Le(b, 1, 2);
  Le(b, s.bitsPerPixel, 2);
  if (!core) {
    Le(b, s.compression, 4);
    Le(b, static_cast<std::uint32_t>(s.runLengthBytes ? s.runLengthBytes : pixelBytes), 4);
    Le(b, 2835, 4);  // 72 dots an inch, both ways
    Le(b, 2835, 4);
    Le(b, colorsUsed, 4);
    Le(b, 0, 4);
    b.resize(14 + s.headerSize + masks, '\0');
  }
  for (const std::uint32_t c : palette) Le(b, c, core ? 3 : 4);
  if (s.runLengthBytes || !pixel) return b + std::string(pixelBytes, '\0');

  std::string row;
  for (int stored = 0; stored < rows; ++stored) {
    const int y = s.height < 0 ? stored : rows - 1 - stored;
    row.clear();
    for (int x = 0; x < s.width; ++x) {
      const std::uint32_t c = pixel(x, y);
      if (indexed)
        row += static_cast<char>(std::find(palette.begin(), palette.end(), c) - palette.begin());
      else if (s.bitsPerPixel == 24 || s.bitsPerPixel == 32)
        Le(row, c, s.bitsPerPixel / 8);
    }
    row.resize(stride, '\0');
    b += row;
  }
  return b;
}

// A 24-bit file of `width` x `height` pixels, the bottom row stored first.
inline std::string BitmapBytes(int width, int height, const PixelColour& pixel) {
  return BitmapBytes(BitmapShape{width, height}, pixel);
}

}  // namespace velmtest
