// Where the parts of a Windows bitmap file lie, checked before the platform is given the bytes:
// a damaged or truncated file must end in an error, never in a read past the end of the data
// (the platform's own loader trusts the header).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tk {

// Compressions a bitmap file may use.
enum class BitmapCompression : std::uint32_t { Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3 };

struct BitmapLayout {
  int width = 0;
  int height = 0;        // rows, always positive
  bool topDown = false;  // rows stored top row first
  int bitsPerPixel = 0;
  BitmapCompression compression = BitmapCompression::Rgb;
  bool coreHeader = false;  // the 12-byte header of the oldest bitmaps, with 3-byte colours
  // The header and what follows it up to the pixels: colour masks and colour table, as one
  // block starting at `infoOffset` (what the platform's BITMAPINFO is).
  std::size_t infoOffset = 0;
  std::size_t infoSize = 0;
  // The pixel data.
  std::size_t bitsOffset = 0;
  std::size_t bitsSize = 0;
};

// Little-endian numbers of 16 and 32 bits, as a bitmap file holds them.
inline std::uint32_t U16(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8;
}
inline std::uint32_t U32(const std::uint8_t* p) {
  return U16(p) | U16(p + 2) << 16;
}

// Largest picture accepted, in pixels (the catalogue's pictures are a few hundred wide).
constexpr std::int64_t kMaxBitmapPixels = 16LL * 1024 * 1024;
// Largest picture file read at all, in bytes: larger files are refused unread.
constexpr std::size_t kMaxPictureFileSize = 128u * 1024 * 1024;

// True when `data` is a bitmap file whose parts all lie inside it; `error` then says nothing.
bool ReadBitmapLayout(const std::uint8_t* data, std::size_t size, BitmapLayout& out,
                      std::string* error);

}  // namespace tk
