// Bitmap file layout checks (see BitmapLayout.h).
#include "BitmapLayout.h"

namespace tk {
namespace {

std::uint32_t U16(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8;
}
std::uint32_t U32(const std::uint8_t* p) {
  return U16(p) | U16(p + 2) << 16;
}

bool Fail(std::string* error, const char* why) {
  if (error) *error = why;
  return false;
}

constexpr std::size_t kFileHeaderSize = 14;

}  // namespace

bool ReadBitmapLayout(const std::uint8_t* data, std::size_t size, BitmapLayout& out,
                      std::string* error) {
  out = BitmapLayout{};
  if (data == nullptr || size < kFileHeaderSize + 12) return Fail(error, "too short for a bitmap");
  if (data[0] != 'B' || data[1] != 'M') return Fail(error, "not a bitmap file");
  const std::uint64_t bitsOffset = U32(data + 10);
  const std::uint8_t* info = data + kFileHeaderSize;
  const std::uint64_t headerSize = U32(info);

  std::int64_t width = 0;
  std::int64_t height = 0;
  std::uint32_t planes = 0;
  std::uint32_t bpp = 0;
  std::uint32_t compression = 0;
  std::uint64_t colorsUsed = 0;
  std::uint64_t imageSize = 0;
  if (headerSize == 12) {
    out.coreHeader = true;
    width = U16(info + 4);
    height = U16(info + 6);
    planes = U16(info + 8);
    bpp = U16(info + 10);
  } else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 108 ||
             headerSize == 124) {
    if (kFileHeaderSize + headerSize > size) return Fail(error, "header cut short");
    width = static_cast<std::int32_t>(U32(info + 4));
    height = static_cast<std::int32_t>(U32(info + 8));
    planes = U16(info + 12);
    bpp = U16(info + 14);
    compression = U32(info + 16);
    imageSize = U32(info + 20);
    colorsUsed = U32(info + 32);
  } else {
    return Fail(error, "unknown bitmap header");
  }

  if (planes != 1) return Fail(error, "not one colour plane");
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
    return Fail(error, "unsupported colour depth");
  out.topDown = height < 0;
  if (height < 0) height = -height;
  if (width <= 0 || height <= 0) return Fail(error, "empty bitmap");
  if (width * height > kMaxBitmapPixels) return Fail(error, "bitmap too large");

  switch (compression) {
    case 0:
      out.compression = BitmapCompression::Rgb;
      break;
    case 1:
      if (bpp != 8) return Fail(error, "run-length coding of the wrong depth");
      out.compression = BitmapCompression::Rle8;
      break;
    case 2:
      if (bpp != 4) return Fail(error, "run-length coding of the wrong depth");
      out.compression = BitmapCompression::Rle4;
      break;
    case 3:
      if (bpp != 16 && bpp != 32) return Fail(error, "colour masks of the wrong depth");
      out.compression = BitmapCompression::BitFields;
      break;
    default:
      return Fail(error, "unsupported compression");
  }
  const bool runLength =
      out.compression == BitmapCompression::Rle8 || out.compression == BitmapCompression::Rle4;
  if (runLength && out.topDown) return Fail(error, "run-length bitmap stored top down");

  // Colour masks follow a 40-byte header; the longer headers hold them inside.
  const std::uint64_t masks =
      headerSize == 40 && out.compression == BitmapCompression::BitFields ? 12 : 0;
  std::uint64_t colors = colorsUsed;
  if (bpp <= 8) {
    if (colors == 0 || out.coreHeader) colors = 1u << bpp;
    if (colors > (1u << bpp)) return Fail(error, "colour table too long");
  } else if (colors > 256) {
    return Fail(error, "colour table too long");
  }
  const std::uint64_t infoSize = headerSize + masks + colors * (out.coreHeader ? 3 : 4);
  if (kFileHeaderSize + infoSize > bitsOffset) return Fail(error, "colour table overlaps pixels");
  if (bitsOffset > size) return Fail(error, "pixels beyond the end of the file");

  std::uint64_t bitsSize = 0;
  if (runLength) {
    if (imageSize == 0) return Fail(error, "run-length bitmap without its size");
    bitsSize = imageSize;
  } else {
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bpp + 31) / 32 * 4;
    bitsSize = stride * static_cast<std::uint64_t>(height);
  }
  if (bitsSize > size - bitsOffset) return Fail(error, "pixels cut short");

  out.width = static_cast<int>(width);
  out.height = static_cast<int>(height);
  out.bitsPerPixel = static_cast<int>(bpp);
  out.infoOffset = kFileHeaderSize;
  out.infoSize = static_cast<std::size_t>(infoSize);
  out.bitsOffset = static_cast<std::size_t>(bitsOffset);
  out.bitsSize = static_cast<std::size_t>(bitsSize);
  if (error) error->clear();
  return true;
}

}  // namespace tk
