// Bitmap pixel decoding (see BitmapPixels.h).
#include "BitmapPixels.h"

#include <cstring>

namespace tk {
namespace {

// One colour's mask, and how its value becomes 8 bits: the value's bits repeated from the top
// down (5 bits abcde become abcdeabc), so that the largest value is full intensity, as image
// tools read it; of a mask wider than 8 bits, the top 8.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  int bits = 0;

  explicit Channel(std::uint32_t m) : mask(m) {
    if (!m) return;
    while (!(m & 1)) m >>= 1, ++shift;
    while (m & 1) m >>= 1, ++bits;
    if (bits > 8) shift += bits - 8, bits = 8;
  }
  std::uint8_t of(std::uint32_t pixel) const {
    const std::uint32_t v = ((pixel & mask) >> shift) & ((1u << bits) - 1);
    std::uint32_t wide = 0;
    for (int at = 8 - bits; at > -bits; at -= bits) wide |= at >= 0 ? v << at : v >> -at;
    return static_cast<std::uint8_t>(wide);
  }
};

class Decoder {
 public:
  Decoder(const std::uint8_t* data, const BitmapLayout& l, std::uint8_t* rows)
      : l_(l), bits_(data + l.bitsOffset), rows_(rows) {
    const std::uint8_t* info = data + l.infoOffset;
    const std::size_t header = U32(info);
    const bool masksBehind = header == 40 && l.compression == BitmapCompression::BitFields;
    entry_ = l.coreHeader ? 3 : 4;
    palette_ = info + header + (masksBehind ? 12 : 0);
    colours_ = (l.infoSize - header - (masksBehind ? 12 : 0)) / entry_;
    // Colour masks lie at the same place whether they follow a 40-byte header or lie inside a
    // longer one; uncompressed 16 bits are 5 bits a colour, 32 bits 8.
    if (l.compression == BitmapCompression::BitFields)
      masks_ = Masks{Channel(U32(info + 40)), Channel(U32(info + 44)), Channel(U32(info + 48))};
    else if (l.bitsPerPixel == 16)
      masks_ = Masks{Channel(0x7C00), Channel(0x03E0), Channel(0x001F)};
    else
      masks_ = Masks{Channel(0xFF0000), Channel(0xFF00), Channel(0xFF)};
  }

  bool masksUsable() const {
    return l_.bitsPerPixel <= 8 || l_.bitsPerPixel == 24 ||
           (masks_.red.mask && masks_.green.mask && masks_.blue.mask);
  }

  void decode() {
    std::memset(rows_, 0, static_cast<std::size_t>(l_.width) * l_.height * 4);
    if (l_.compression == BitmapCompression::Rle8 || l_.compression == BitmapCompression::Rle4)
      runLengths(l_.compression == BitmapCompression::Rle4);
    else
      uncompressed();
  }

 private:
  struct Masks {
    Channel red, green, blue;
  };

  std::uint8_t* at(int x, int y) const {
    return rows_ + (static_cast<std::size_t>(y) * l_.width + x) * 4;
  }
  void putIndex(std::uint8_t* p, std::uint32_t index) const {
    if (index >= colours_) return;  // black
    std::memcpy(p, palette_ + index * entry_, 3);
  }
  void putMasked(std::uint8_t* p, std::uint32_t pixel) const {
    p[0] = masks_.blue.of(pixel);
    p[1] = masks_.green.of(pixel);
    p[2] = masks_.red.of(pixel);
  }

  void uncompressed() {
    const int bpp = l_.bitsPerPixel;
    const std::size_t stride = (static_cast<std::size_t>(l_.width) * bpp + 31) / 32 * 4;
    for (int stored = 0; stored < l_.height; ++stored) {
      const std::uint8_t* row = bits_ + stride * stored;
      const int y = l_.topDown ? stored : l_.height - 1 - stored;
      for (int x = 0; x < l_.width; ++x) {
        std::uint8_t* p = at(x, y);
        if (bpp <= 8) {
          const std::size_t bit = static_cast<std::size_t>(x) * bpp;
          const int shift = 8 - bpp - static_cast<int>(bit % 8);
          putIndex(p, (row[bit / 8] >> shift) & ((1u << bpp) - 1));
        } else if (bpp == 24) {
          std::memcpy(p, row + 3 * x, 3);
        } else {
          putMasked(p, bpp == 16 ? U16(row + 2 * x) : U32(row + 4 * x));
        }
      }
    }
  }

  // Run-length coding, bottom row first: a count and a colour index (at 4 bits, two indices
  // taken in turn), or 0 and an escape: 0 ends the row, 1 the picture, 2 moves right and up by
  // the two bytes after it, 3 or more are that many indices as they are, padded to two bytes.
  // Pixels beyond the row's end are dropped, as the platform drops them.
  void runLengths(bool four) {
    const std::uint8_t* p = bits_;
    const std::uint8_t* const end = bits_ + l_.bitsSize;
    int x = 0;
    int row = 0;
    const auto put = [&](std::uint32_t index) {
      if (x < l_.width && row < l_.height) putIndex(at(x, l_.height - 1 - row), index);
      ++x;
    };
    while (end - p >= 2 && row < l_.height) {
      const unsigned count = p[0];
      const unsigned code = p[1];
      p += 2;
      if (count > 0) {
        for (unsigned i = 0; i < count && x < l_.width; ++i)
          put(four ? (i % 2 ? code & 15 : code >> 4) : code);
      } else if (code == 0) {
        x = 0, ++row;
      } else if (code == 1) {
        return;
      } else if (code == 2) {
        if (end - p < 2) return;
        x += p[0], row += p[1];
        p += 2;
      } else {
        const std::size_t bytes = four ? (code + 1) / 2 : code;
        if (static_cast<std::size_t>(end - p) < bytes) return;
        for (unsigned i = 0; i < code; ++i)
          put(four ? (i % 2 ? p[i / 2] & 15 : p[i / 2] >> 4) : p[i]);
        p += bytes + bytes % 2;
      }
    }
  }

  const BitmapLayout& l_;
  const std::uint8_t* bits_;
  std::uint8_t* rows_;
  const std::uint8_t* palette_ = nullptr;
  std::size_t colours_ = 0;
  std::size_t entry_ = 4;
  Masks masks_{Channel(0), Channel(0), Channel(0)};
};

}  // namespace

bool DecodeBitmapPixels(const std::uint8_t* data, const BitmapLayout& layout, std::uint8_t* rows,
                        std::string* error) {
  Decoder decoder(data, layout, rows);
  if (!decoder.masksUsable()) {
    if (error) *error = "a colour mask is empty";
    return false;
  }
  decoder.decode();
  if (error) error->clear();
  return true;
}

}  // namespace tk
