// Bitmap file layout checks (see BitmapLayout.h).
#include "BitmapLayout.h"

namespace tk {
namespace {

bool Fail(std::string* error, const char* why) {
  if (error) *error = why;
  return false;
}

constexpr std::size_t kFileHeaderSize = 14;

// The fields of the info header that the layout depends on.
struct InfoHeader {
  std::uint64_t size = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;
  std::uint32_t planes = 0;
  std::uint32_t bpp = 0;
  std::uint32_t compression = 0;
  std::uint64_t colorsUsed = 0;
  std::uint64_t imageSize = 0;
};

// Reads the info header that starts at `info`, `size` being the whole file's.
bool ReadInfoHeader(const std::uint8_t* info, std::size_t size, InfoHeader& h, bool& core,
                    std::string* error) {
  h.size = U32(info);
  core = h.size == 12;
  if (core) {
    h.width = U16(info + 4);
    h.height = U16(info + 6);
    h.planes = U16(info + 8);
    h.bpp = U16(info + 10);
    return true;
  }
  if (h.size != 40 && h.size != 52 && h.size != 56 && h.size != 108 && h.size != 124)
    return Fail(error, "unknown bitmap header");
  if (kFileHeaderSize + h.size > size) return Fail(error, "header cut short");
  h.width = static_cast<std::int32_t>(U32(info + 4));
  h.height = static_cast<std::int32_t>(U32(info + 8));
  h.planes = U16(info + 12);
  h.bpp = U16(info + 14);
  h.compression = U32(info + 16);
  h.imageSize = U32(info + 20);
  h.colorsUsed = U32(info + 32);
  return true;
}

// The compression the header names, if it suits the colour depth.
bool ReadCompression(const InfoHeader& h, BitmapCompression& out, std::string* error) {
  switch (h.compression) {
    case 0:
      out = BitmapCompression::Rgb;
      return true;
    case 1:
      if (h.bpp != 8) return Fail(error, "run-length coding of the wrong depth");
      out = BitmapCompression::Rle8;
      return true;
    case 2:
      if (h.bpp != 4) return Fail(error, "run-length coding of the wrong depth");
      out = BitmapCompression::Rle4;
      return true;
    case 3:
      if (h.bpp != 16 && h.bpp != 32) return Fail(error, "colour masks of the wrong depth");
      out = BitmapCompression::BitFields;
      return true;
    default:
      return Fail(error, "unsupported compression");
  }
}

}  // namespace

bool ReadBitmapLayout(const std::uint8_t* data, std::size_t size, BitmapLayout& out,
                      std::string* error) {
  out = BitmapLayout{};
  if (data == nullptr || size < kFileHeaderSize + 12) return Fail(error, "too short for a bitmap");
  if (data[0] != 'B' || data[1] != 'M') return Fail(error, "not a bitmap file");
  const std::uint64_t bitsOffset = U32(data + 10);
  InfoHeader h;
  if (!ReadInfoHeader(data + kFileHeaderSize, size, h, out.coreHeader, error)) return false;

  if (h.planes != 1) return Fail(error, "not one colour plane");
  const std::uint32_t bpp = h.bpp;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
    return Fail(error, "unsupported colour depth");
  out.topDown = h.height < 0;
  const std::int64_t width = h.width;
  const std::int64_t height = h.height < 0 ? -h.height : h.height;
  if (width <= 0 || height <= 0) return Fail(error, "empty bitmap");
  if (width * height > kMaxBitmapPixels) return Fail(error, "bitmap too large");
  if (!ReadCompression(h, out.compression, error)) return false;
  const bool runLength =
      out.compression == BitmapCompression::Rle8 || out.compression == BitmapCompression::Rle4;
  if (runLength && out.topDown) return Fail(error, "run-length bitmap stored top down");

  // Colour masks follow a 40-byte header; the longer headers hold them inside.
  const std::uint64_t masks =
      h.size == 40 && out.compression == BitmapCompression::BitFields ? 12 : 0;
  std::uint64_t colors = h.colorsUsed;
  if (bpp <= 8) {
    if (colors == 0 || out.coreHeader) colors = 1u << bpp;
    if (colors > (1u << bpp)) return Fail(error, "colour table too long");
  } else if (colors > 256) {
    return Fail(error, "colour table too long");
  }
  const std::uint64_t infoSize = h.size + masks + colors * (out.coreHeader ? 3 : 4);
  if (kFileHeaderSize + infoSize > bitsOffset) return Fail(error, "colour table overlaps pixels");
  if (bitsOffset > size) return Fail(error, "pixels beyond the end of the file");

  std::uint64_t bitsSize = 0;
  if (runLength) {
    if (h.imageSize == 0) return Fail(error, "run-length bitmap without its size");
    bitsSize = h.imageSize;
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
