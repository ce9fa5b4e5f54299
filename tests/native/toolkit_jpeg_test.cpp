// The JPEG decoder on pictures made here with libjpeg's own compressor, and on damaged data:
// truncated, garbage, empty, and headers that claim an enormous picture. It must report every
// failure and never end the process.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "JpegDecode.h"
#include "JpegFiles.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Compress(const velmtest::JpegShape& how, const velmtest::PixelColour& pixel) {
  const std::string bytes = velmtest::JpegBytes(how, pixel);
  return Bytes(bytes.begin(), bytes.end());
}

// Left half red, right half blue.
Bytes RedBlue(int width, int height, bool progressive = false) {
  return Compress({width, height, 3, progressive},
                  [width](int x, int) { return x < width / 2 ? 0xDC1E14u : 0x141EDCu; });
}

const std::uint8_t* PixelAt(const tk::RgbImage& image, int x, int y) {
  return &image.rgb[(static_cast<size_t>(y) * image.width + x) * 3];
}

void ExpectNear(const std::uint8_t* got, int r, int g, int b, const std::string& where) {
  EXPECT_NEAR(got[0], r, 24) << where;
  EXPECT_NEAR(got[1], g, 24) << where;
  EXPECT_NEAR(got[2], b, 24) << where;
}

// Rewrites the picture size in the frame header (SOF0 to SOF2) of a JPEG.
Bytes WithClaimedSize(Bytes bytes, int width, int height) {
  for (size_t i = 2; i + 9 < bytes.size(); ++i) {
    if (bytes[i] == 0xFF && bytes[i + 1] >= 0xC0 && bytes[i + 1] <= 0xC2) {
      bytes[i + 5] = static_cast<std::uint8_t>(height >> 8);
      bytes[i + 6] = static_cast<std::uint8_t>(height & 0xFF);
      bytes[i + 7] = static_cast<std::uint8_t>(width >> 8);
      bytes[i + 8] = static_cast<std::uint8_t>(width & 0xFF);
      return bytes;
    }
  }
  ADD_FAILURE() << "no frame header found";
  return bytes;
}

// Where the compressed scan data begins: just after the start-of-scan header.
size_t ScanDataOffset(const Bytes& bytes) {
  for (size_t i = 2; i + 3 < bytes.size(); ++i)
    if (bytes[i] == 0xFF && bytes[i + 1] == 0xDA) return i + 2 + (bytes[i + 2] << 8 | bytes[i + 3]);
  return 0;
}

TEST(DecodeJpegTest, DecodesColourPictureRowsTopDown) {
  const Bytes jpeg = RedBlue(32, 16);
  tk::RgbImage image;
  std::string error;
  ASSERT_TRUE(tk::DecodeJpeg(jpeg.data(), jpeg.size(), image, &error)) << error;
  EXPECT_EQ(image.width, 32);
  EXPECT_EQ(image.height, 16);
  ASSERT_EQ(image.rgb.size(), 32u * 16u * 3u);
  ExpectNear(PixelAt(image, 2, 2), 220, 30, 20, "left");
  ExpectNear(PixelAt(image, 29, 13), 20, 30, 220, "right");
}

TEST(DecodeJpegTest, TopAndBottomRowsKeepTheirOrder) {
  // Top half white, bottom half black: a decoder that fills rows bottom-up fails here.
  const Bytes jpeg = Compress({16, 16}, [](int, int y) { return y < 8 ? 0xFAFAFAu : 0x050505u; });
  tk::RgbImage image;
  ASSERT_TRUE(tk::DecodeJpeg(jpeg.data(), jpeg.size(), image, nullptr));
  ExpectNear(PixelAt(image, 8, 1), 250, 250, 250, "top");
  ExpectNear(PixelAt(image, 8, 14), 5, 5, 5, "bottom");
}

TEST(DecodeJpegTest, BgrxRowsHoldTheSamePixelsInTheSectionsOrder) {
  const Bytes jpeg = RedBlue(33, 7);
  tk::RgbImage rgb;
  ASSERT_TRUE(tk::DecodeJpeg(jpeg.data(), jpeg.size(), rgb, nullptr));
  std::vector<std::uint8_t> bgrx;
  std::string error;
  ASSERT_TRUE(tk::DecodeJpegBgrx(
      jpeg.data(), jpeg.size(),
      [&](int width, int height) {
        EXPECT_EQ(width, 33);
        EXPECT_EQ(height, 7);
        bgrx.assign(static_cast<size_t>(width) * height * 4, 0xAA);
        return bgrx.data();
      },
      &error))
      << error;
  ASSERT_EQ(bgrx.size(), 33u * 7u * 4u);
  for (size_t i = 0; i < 33u * 7u; ++i) {
    ASSERT_EQ(bgrx[4 * i], rgb.rgb[3 * i + 2]) << i;
    ASSERT_EQ(bgrx[4 * i + 1], rgb.rgb[3 * i + 1]) << i;
    ASSERT_EQ(bgrx[4 * i + 2], rgb.rgb[3 * i]) << i;
    ASSERT_EQ(bgrx[4 * i + 3], 0) << i;
  }
  // No room for the picture, or no picture at all: an error, and nothing written.
  EXPECT_FALSE(tk::DecodeJpegBgrx(
      jpeg.data(), jpeg.size(), [](int, int) -> std::uint8_t* { return nullptr; }, &error));
  EXPECT_FALSE(error.empty());
  bool asked = false;
  const Bytes cut(jpeg.begin(), jpeg.begin() + 3);
  EXPECT_FALSE(tk::DecodeJpegBgrx(
      cut.data(), cut.size(), [&](int, int) -> std::uint8_t* { return asked = true, nullptr; },
      &error));
  EXPECT_FALSE(asked);
}

TEST(DecodeJpegTest, GreyAndProgressivePicturesComeOutAsRgb) {
  const Bytes grey = Compress({8, 8, 1}, [](int, int) { return 0x808080u; });
  tk::RgbImage image;
  ASSERT_TRUE(tk::DecodeJpeg(grey.data(), grey.size(), image, nullptr));
  ASSERT_EQ(image.rgb.size(), 8u * 8u * 3u);
  ExpectNear(PixelAt(image, 4, 4), 128, 128, 128, "grey");

  const Bytes progressive = RedBlue(24, 8, true);
  std::string error;
  ASSERT_TRUE(tk::DecodeJpeg(progressive.data(), progressive.size(), image, &error)) << error;
  EXPECT_EQ(image.width, 24);
  ExpectNear(PixelAt(image, 1, 1), 220, 30, 20, "progressive left");
}

TEST(DecodeJpegTest, DamagedDataIsReportedAndLeavesNoPicture) {
  const Bytes valid = RedBlue(32, 16);
  const size_t scan = ScanDataOffset(valid);
  ASSERT_GT(scan, 0u);
  Bytes garbage(300);
  for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<std::uint8_t>(i * 37 + 11);
  Bytes badMarker = valid;
  badMarker[scan - 10] = 0xFF;  // inside the start-of-scan header
  badMarker[scan - 9] = 0x01;

  const struct {
    const char* name;
    Bytes bytes;
  } cases[] = {
      {"empty", {}},
      {"shorter than a marker", {0xFF, 0xD8, 0xFF}},
      {"start marker only", {0xFF, 0xD8, 0xFF, 0xD9}},
      {"garbage", garbage},
      {"a bitmap header", {'B', 'M', 0x36, 0, 0, 0, 0, 0, 0, 0, 0x36, 0, 0, 0, 40, 0}},
      {"cut inside the headers", Bytes(valid.begin(), valid.begin() + 40)},
      {"cut inside the scan header", Bytes(valid.begin(), valid.begin() + scan - 5)},
      {"damaged scan header", badMarker},
  };
  for (const auto& c : cases) {
    tk::RgbImage image;
    image.width = 99;  // a result left from before must not survive
    image.rgb.assign(6, 1);
    std::string error;
    EXPECT_FALSE(
        tk::DecodeJpeg(c.bytes.empty() ? nullptr : c.bytes.data(), c.bytes.size(), image, &error))
        << c.name;
    EXPECT_FALSE(error.empty()) << c.name;
    EXPECT_EQ(image.width, 0) << c.name;
    EXPECT_TRUE(image.rgb.empty()) << c.name;
    // The error text is optional.
    EXPECT_FALSE(tk::DecodeJpeg(c.bytes.data(), c.bytes.size(), image, nullptr)) << c.name;
  }
}

TEST(DecodeJpegTest, PictureCutInsideItsScanDataDecodesWhatIsThere) {
  // libjpeg fills the missing part of a cut picture and warns; the warning stays silent and the
  // top of the picture, which was there, is decoded.
  const Bytes valid = RedBlue(64, 64);
  const size_t scan = ScanDataOffset(valid);
  const Bytes cut(valid.begin(), valid.begin() + scan + (valid.size() - scan) / 2);
  tk::RgbImage image;
  std::string error;
  ASSERT_TRUE(tk::DecodeJpeg(cut.data(), cut.size(), image, &error)) << error;
  EXPECT_EQ(image.width, 64);
  EXPECT_EQ(image.height, 64);
  ASSERT_EQ(image.rgb.size(), 64u * 64u * 3u);
  ExpectNear(PixelAt(image, 3, 3), 220, 30, 20, "top left");
}

TEST(DecodeJpegTest, HeaderClaimingAHugePictureIsRefusedWithoutAllocating) {
  // 65500 is the largest size a JPEG header can hold; a progressive file makes the library
  // allocate its whole-picture buffers as decoding starts.
  for (const bool progressive : {false, true}) {
    const Bytes valid = RedBlue(16, 16, progressive);
    for (const auto& size : {std::pair<int, int>{65500, 65500}, {65500, 1024}, {20000, 20000}}) {
      const Bytes huge = WithClaimedSize(valid, size.first, size.second);
      tk::RgbImage image;
      std::string error;
      EXPECT_FALSE(tk::DecodeJpeg(huge.data(), huge.size(), image, &error))
          << size.first << " x " << size.second << (progressive ? " progressive" : "");
      EXPECT_FALSE(error.empty());
      EXPECT_TRUE(image.rgb.empty());
    }
  }
}

TEST(DecodeJpegTest, ZeroSizeInHeaderIsReported) {
  const Bytes zero = WithClaimedSize(RedBlue(16, 16), 0, 16);
  tk::RgbImage image;
  std::string error;
  EXPECT_FALSE(tk::DecodeJpeg(zero.data(), zero.size(), image, &error));
  EXPECT_FALSE(error.empty());
}

TEST(DecodeJpegTest, DecodesAgainAfterAFailure) {
  // The error manager returns by longjmp; nothing of a failed decode may linger.
  const Bytes valid = RedBlue(16, 8);
  const Bytes broken(valid.begin(), valid.begin() + 30);
  tk::RgbImage image;
  for (int round = 0; round < 3; ++round) {
    EXPECT_FALSE(tk::DecodeJpeg(broken.data(), broken.size(), image, nullptr));
    ASSERT_TRUE(tk::DecodeJpeg(valid.data(), valid.size(), image, nullptr));
    EXPECT_EQ(image.width, 16);
  }
}

}  // namespace
