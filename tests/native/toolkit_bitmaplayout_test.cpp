// Bitmap file checks: which files are taken, where their parts lie, and which damaged, cut or
// oversized files are refused before the platform would read past their end.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "BitmapFiles.h"
#include "BitmapLayout.h"
#include "BitmapPixels.h"
#include "NamedCases.h"

namespace tk {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, std::size_t at, std::uint32_t v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}

// The files are of 3 x 2 pixels, 24 bits a pixel, unless a case says otherwise.
struct Shape : velmtest::BitmapShape {
  Shape() { width = 3, height = 2; }
};

Bytes Make(const Shape& s) {
  const std::string b = velmtest::BitmapBytes(s);
  return Bytes(b.begin(), b.end());
}

Shape Depth(std::uint16_t bpp, std::uint32_t compression = 0, std::size_t runLengthBytes = 0) {
  Shape s;
  s.bitsPerPixel = bpp;
  s.compression = compression;
  s.runLengthBytes = runLengthBytes;
  return s;
}

bool Read(const Bytes& b, BitmapLayout& layout, std::string* error = nullptr) {
  return ReadBitmapLayout(b.data(), b.size(), layout, error);
}

TEST(BitmapLayout, TrueColourBottomUp) {
  const Bytes b = Make(Shape{});
  BitmapLayout l;
  std::string error = "unset";
  ASSERT_TRUE(Read(b, l, &error));
  EXPECT_EQ(error, "");
  EXPECT_EQ(l.width, 3);
  EXPECT_EQ(l.height, 2);
  EXPECT_FALSE(l.topDown);
  EXPECT_EQ(l.bitsPerPixel, 24);
  EXPECT_EQ(l.infoOffset, 14u);
  EXPECT_EQ(l.infoSize, 40u);
  EXPECT_EQ(l.bitsOffset, 54u);
  EXPECT_EQ(l.bitsSize, 2u * 12u);  // 9 bytes a row, padded to 12
}

TEST(BitmapLayout, PalettedTopDownCoreAndMasks) {
  BitmapLayout l;
  Shape topDown;
  topDown.height = -5;
  ASSERT_TRUE(Read(Make(topDown), l));
  EXPECT_TRUE(l.topDown);
  EXPECT_EQ(l.height, 5);

  Shape paletted = Depth(8);
  paletted.colorsUsed = 16;
  ASSERT_TRUE(Read(Make(paletted), l));
  EXPECT_EQ(l.infoSize, 40u + 16u * 4u);

  ASSERT_TRUE(Read(Make(Depth(4)), l));  // the whole palette
  EXPECT_EQ(l.infoSize, 40u + 16u * 4u);

  Shape core = Depth(1);
  core.headerSize = 12;
  ASSERT_TRUE(Read(Make(core), l));
  EXPECT_TRUE(l.coreHeader);
  EXPECT_EQ(l.infoSize, 12u + 2u * 3u);

  ASSERT_TRUE(Read(Make(Depth(32, 3)), l));  // colour masks
  EXPECT_EQ(l.compression, BitmapCompression::BitFields);
  EXPECT_EQ(l.infoSize, 40u + 12u);

  Shape v5 = Depth(32, 3);
  v5.headerSize = 124;
  ASSERT_TRUE(Read(Make(v5), l));
  EXPECT_EQ(l.infoSize, 124u);

  ASSERT_TRUE(Read(Make(Depth(8, 1, 10)), l));  // run lengths of 8 bits
  EXPECT_EQ(l.compression, BitmapCompression::Rle8);
  EXPECT_EQ(l.bitsSize, 10u);
}

TEST(BitmapLayout, ExtraBytesAfterThePixelsAreAllowed) {
  Bytes b = Make(Shape{});
  b.resize(b.size() + 100, 0xEE);
  BitmapLayout l;
  ASSERT_TRUE(Read(b, l));
  EXPECT_EQ(l.bitsSize, 24u);
}

struct BadCase {
  const char* name;
  Bytes bytes;
};

VELM_PRINT_CASE_BY_NAME(BadCase)

class BitmapLayoutRefuses : public ::testing::TestWithParam<BadCase> {};

TEST_P(BitmapLayoutRefuses, DamagedFile) {
  BitmapLayout l;
  std::string error;
  EXPECT_FALSE(Read(GetParam().bytes, l, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(l.width, 0);
  EXPECT_EQ(l.bitsSize, 0u);
}

Bytes Cut(Bytes b, std::size_t size) {
  b.resize(size);
  return b;
}
Bytes With16(Bytes b, std::size_t at, std::uint32_t v) {
  Put16(b, at, v);
  return b;
}
Bytes With32(Bytes b, std::size_t at, std::uint32_t v) {
  Put32(b, at, v);
  return b;
}

const Bytes kGood = Make(Shape{});

INSTANTIATE_TEST_SUITE_P(
    Files, BitmapLayoutRefuses,
    ::testing::Values(
        BadCase{"Empty", {}}, BadCase{"OnlyFileHeader", Cut(kGood, 14)},
        BadCase{"HeaderOnly", Cut(kGood, 54)}, BadCase{"LastRowCut", Cut(kGood, kGood.size() - 1)},
        BadCase{"InfoHeaderCut", Cut(kGood, 30)},
        BadCase{"NotBM", With16(kGood, 0, 'M' | 'B' << 8)},
        BadCase{"UnknownHeaderSize", With32(kGood, 14, 64)},
        BadCase{"ZeroWidth", With32(kGood, 18, 0)},
        BadCase{"NegativeWidth", With32(kGood, 18, 0xFFFFFFFF)},
        BadCase{"ZeroHeight", With32(kGood, 22, 0)},
        BadCase{"HugeHeightWraps", With32(kGood, 22, 0x7FFFFFFF)},
        BadCase{"TooManyPixels", With32(With32(kGood, 18, 5000), 22, 5000)},
        BadCase{"TwoPlanes", With16(kGood, 26, 2)}, BadCase{"FiveBitsAPixel", With16(kGood, 28, 5)},
        BadCase{"JpegInside", With32(kGood, 30, 4)}, BadCase{"PngInside", With32(kGood, 30, 5)},
        BadCase{"RleOfTrueColour", Make(Depth(24, 1))},
        BadCase{"Rle4OfEightBits", Make(Depth(8, 2))},
        BadCase{"MasksOfTrueColour", Make(Depth(24, 3))},
        BadCase{"RleWithoutSize", With32(Make(Depth(8, 1, 10)), 34, 0)},
        BadCase{"RleLongerThanFile", With32(Make(Depth(8, 1, 10)), 34, 11)},
        BadCase{"RleTopDown", With32(Make(Depth(8, 1, 10)), 22, 0xFFFFFFFE)},
        BadCase{"PaletteLongerThanDepth", With32(Make(Depth(4)), 46, 17)},
        BadCase{"PaletteOverlapsPixels", With32(Make(Depth(8)), 10, 54 + 255 * 4)},
        BadCase{"PixelsBeyondEnd", With32(kGood, 10, 0xFFFFFF00)},
        BadCase{"HighPaletteOfTrueColour", With32(kGood, 46, 257)}),
    velmtest::CaseName());

TEST(BitmapLayout, NullData) {
  BitmapLayout l;
  EXPECT_FALSE(ReadBitmapLayout(nullptr, 100, l, nullptr));
}

// ---- The pixels, decoded as the program draws them ----------------------------------------------
// (The end-to-end test draws the variants ImageMagick and netpbm write; these are the ones no
// common tool writes.)

// The rows of a file, the top row first, as 0xRRGGBB; empty when the decoder refuses them.
std::vector<std::uint32_t> Decode(const Bytes& b) {
  BitmapLayout l;
  if (!Read(b, l)) return {};
  std::vector<std::uint8_t> rows(static_cast<std::size_t>(l.width) * l.height * 4, 0xAA);
  std::string error;
  if (!DecodeBitmapPixels(b.data(), l, rows.data(), &error)) return {};
  std::vector<std::uint32_t> colours;
  for (std::size_t i = 0; i < rows.size(); i += 4) {
    EXPECT_EQ(rows[i + 3], 0);  // whatever alpha the file holds
    colours.push_back(rows[i + 2] << 16 | rows[i + 1] << 8 | rows[i]);
  }
  return colours;
}

TEST(BitmapPixels, WideColourMasksUnderEveryHeaderTopDownWithoutTheirAlpha) {
  for (const std::uint32_t header : {40u, 52u, 56u, 108u, 124u}) {
    Shape s = Depth(32, 3);
    s.width = 2, s.height = -1, s.headerSize = header;
    Bytes b = Make(s);
    // 10 bits a colour, and 2 of alpha: the top 8 bits of each colour are drawn.
    Put32(b, 54, 0x3FF00000), Put32(b, 58, 0x000FFC00), Put32(b, 62, 0x000003FF);
    Put32(b, b.size() - 8, 0xC0000000 | 0x3FF << 20 | 0x200 << 10 | 0x003);
    Put32(b, b.size() - 4, 0x40000000 | 0x0FF << 20 | 0x3FC);
    EXPECT_EQ(Decode(b), (std::vector<std::uint32_t>{0xFF8000, 0x3F00FF})) << header;
  }
  // 5-6-5 masks widened by repeating their bits; masks leaving a colour empty are refused.
  Shape s = Depth(16, 3);
  s.width = 1, s.height = 1;
  Bytes b = Make(s);
  Put32(b, 54, 0xF800), Put32(b, 58, 0x07E0), Put32(b, 62, 0x001F);
  Put16(b, b.size() - 4, 0x1F << 11 | 0x01 << 5 | 0x10);
  EXPECT_EQ(Decode(b), (std::vector<std::uint32_t>{0xFF0484}));
  EXPECT_TRUE(Decode(Make(Depth(32, 3))).empty());
}

TEST(BitmapPixels, RunLengthsOfFourBitsWithTheirEscapes) {
  // 5 x 2: a run of three, the end of the row; a move right by one, four indices as they are
  // (padded), a run beyond the row's end, and the end of the picture.
  const Bytes runs = {3, 0x12, 0, 0, 0, 2, 1, 0, 0, 4, 0x34, 0x56, 4, 0x77, 0, 1};
  Shape s = Depth(4, 2, runs.size());
  s.width = 5;
  Bytes b = Make(s);
  for (std::uint32_t i = 0; i < 16; ++i) Put32(b, 54 + 4 * i, 0x111111 * i);
  std::copy(runs.begin(), runs.end(), b.end() - static_cast<long>(runs.size()));
  EXPECT_EQ(Decode(b), (std::vector<std::uint32_t>{0, 0x333333, 0x444444, 0x555555, 0x666666,
                                                   0x111111, 0x222222, 0x111111, 0, 0}));
}

}  // namespace
}  // namespace tk
