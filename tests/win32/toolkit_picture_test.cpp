// Pictures for real under Wine: bitmap and JPEG files and resources, damaged ones raising
// PictureError without ending the process, independent copies, the bottom-left pixel as the
// transparent colour, and images painted by their form with that colour left unpainted.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Application.h"
#include "BitmapFiles.h"
#include "Form.h"
#include "JpegFiles.h"
#include "Picture.h"
#include "TestFiles.h"
#include "TestForms.h"
#include "resource.h"

namespace {

using PixelFn = std::function<COLORREF(int x, int y)>;  // y from the top

constexpr COLORREF kKey = RGB(255, 0, 255);
constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kBlue = RGB(0, 0, 200);
constexpr COLORREF kFormColour = RGB(10, 20, 30);

// A colour as the files hold it, 0xRRGGBB.
std::uint32_t Rgb(COLORREF c) {
  return static_cast<std::uint32_t>(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c));
}

// A Windows bitmap file, bottom-up rows (top-down with a negative height): 24 bits a pixel, or 8
// with a palette of the colours the picture uses.
std::string BitmapFile(int width, int height, int bits, const PixelFn& pixel) {
  return velmtest::BitmapBytes({width, height, static_cast<std::uint16_t>(bits)},
                               [&](int x, int y) { return Rgb(pixel(x, y)); });
}

// A 6 x 4 picture: key colour in the bottom-left corner and in a bottom-right block, red top
// left, blue top right, green elsewhere.
COLORREF Sample(int x, int y) {
  if ((x == 0 && y == 3) || (x >= 4 && y >= 2)) return kKey;
  if (x == 0 && y == 0) return kRed;
  if (x == 5 && y == 0) return kBlue;
  return kGreen;
}

std::string JpegBytes(int width, int height, COLORREF left, COLORREF right) {
  return velmtest::JpegBytes({width, height},
                             [&](int x, int) { return Rgb(x < width / 2 ? left : right); });
}

COLORREF PixelOf(const tk::Picture& picture, int x, int y) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, picture.handle());
  const COLORREF c = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteDC(dc);
  return c;
}

bool Near(COLORREF a, COLORREF b, int tolerance = 24) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
         std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

std::string Hex(COLORREF c) {
  char text[16];
  std::snprintf(text, sizeof text, "%06lX", static_cast<unsigned long>(c));
  return text;
}

class PictureTest : public ::testing::Test {
 protected:
  std::string write(const std::string& name, const std::string& bytes) {
    const std::string path = folder_.path() + "\\" + name;
    EXPECT_TRUE(velmtest::WriteFileBytes(path, bytes)) << path;
    return path;
  }

  velmtest::ScratchFolder folder_{"pictures"};
};

TEST_F(PictureTest, BitmapFilesLoadWithTheirPixelsAndTheBottomLeftColourAsTransparent) {
  for (const int bits : {24, 8}) {
    for (const char* name : {"sample.bmp", "SAMPLE.BMP"}) {
      const tk::Picture picture =
          tk::Picture::FromFile(write(name, BitmapFile(6, 4, bits, Sample)));
      const std::string what = std::to_string(bits) + " bits, " + name;
      ASSERT_FALSE(picture.empty()) << what;
      EXPECT_EQ(picture.width(), 6) << what;
      EXPECT_EQ(picture.height(), 4) << what;
      EXPECT_EQ(PixelOf(picture, 0, 0), kRed) << what;
      EXPECT_EQ(PixelOf(picture, 5, 0), kBlue) << what;
      EXPECT_EQ(PixelOf(picture, 1, 1), kGreen) << what;
      EXPECT_EQ(picture.transparentColor(), kKey) << what;
    }
  }
  // The transparent colour is whatever the bottom-left pixel holds.
  const tk::Picture other = tk::Picture::FromFile(
      write("other.bmp",
            BitmapFile(3, 2, 24, [](int x, int y) { return x == 0 && y == 1 ? kBlue : kRed; })));
  EXPECT_EQ(other.transparentColor(), kBlue);
}

TEST_F(PictureTest, TrueColourRowsLoadWhateverTheirPaddingAndOrder) {
  // Widths 1 to 4 leave 1, 2, 3 and no padding bytes at the end of a 24-bit row; every pixel
  // a colour of its own, so that a row or a pixel out of place shows.
  const PixelFn distinct = [](int x, int y) { return RGB(40 * x + 1, 50 * y + 2, 7 * x + y + 3); };
  for (int width = 1; width <= 4; ++width) {
    const std::string bottomUp = BitmapFile(width, 3, 24, distinct);
    const std::string topDown = BitmapFile(width, -3, 24, distinct);
    const std::string* const orders[] = {&bottomUp, &topDown};
    for (const std::string* bytes : orders) {
      const tk::Picture picture = tk::Picture::FromBitmapBytes(bytes->data(), bytes->size());
      const std::string what =
          "width " + std::to_string(width) + (bytes == &topDown ? ", top down" : ", bottom up");
      ASSERT_EQ(picture.width(), width) << what;
      ASSERT_EQ(picture.height(), 3) << what;
      for (int y = 0; y < 3; ++y)
        for (int x = 0; x < width; ++x)
          EXPECT_EQ(Hex(PixelOf(picture, x, y)), Hex(distinct(x, y)))
              << what << " at " << x << "," << y;
      EXPECT_EQ(picture.transparentColor(), distinct(0, 2)) << what;
    }
  }
}

TEST_F(PictureTest, DamagedOrMissingBitmapsRaisePictureError) {
  const std::string valid = BitmapFile(6, 4, 24, Sample);
  std::string wrongMagic = valid;
  wrongMagic[0] = 'X';
  std::string noBits = valid;
  noBits[sizeof(BITMAPFILEHEADER) + 14] = 0;  // biBitCount
  noBits[sizeof(BITMAPFILEHEADER) + 15] = 0;
  std::string badHeaderSize = valid;
  badHeaderSize[sizeof(BITMAPFILEHEADER)] = 3;  // biSize
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"empty.bmp", ""},
      {"garbage.bmp", std::string(200, '\x5A')},
      {"headers-cut.bmp", valid.substr(0, 20)},
      {"wrong-magic.bmp", wrongMagic},
      {"no-bits.bmp", noBits},
      {"bad-header-size.bmp", badHeaderSize},
      {"jpeg-named-bmp.bmp", JpegBytes(8, 8, kRed, kBlue)},
  };
  for (const auto& c : cases)
    EXPECT_THROW(tk::Picture::FromFile(write(c.name, c.bytes)), tk::PictureError) << c.name;
  EXPECT_THROW(tk::Picture::FromFile(folder_.path() + "\\missing.bmp"), tk::PictureError);
  EXPECT_THROW(tk::Picture::FromFile(write("picture.gif", valid)), tk::PictureError);
  EXPECT_THROW(tk::Picture::FromFile(write("no-extension", valid)), tk::PictureError);
  EXPECT_THROW(tk::Picture::FromBitmapResource(9999), tk::PictureError);
  EXPECT_THROW(tk::Picture::FromJpegResource(9999), tk::PictureError);
}

TEST_F(PictureTest, BitmapWithItsPixelsCutShortDoesNotEndTheProgram) {
  // Either refused or loaded at its stated size; reading past the file would end the process.
  const std::string valid = BitmapFile(64, 64, 24, Sample);
  for (const size_t keep : {valid.size() - 1, valid.size() / 2, sizeof(BITMAPFILEHEADER) + 40}) {
    try {
      const tk::Picture picture = tk::Picture::FromFile(write("cut.bmp", valid.substr(0, keep)));
      EXPECT_EQ(picture.width(), 64) << keep;
    } catch (const tk::PictureError&) {
    }
  }
}

TEST_F(PictureTest, JpegBytesAndFilesDecode) {
  const std::string jpeg = JpegBytes(32, 16, kRed, kBlue);
  const tk::Picture fromBytes = tk::Picture::FromJpegBytes(jpeg.data(), jpeg.size());
  EXPECT_EQ(fromBytes.width(), 32);
  EXPECT_EQ(fromBytes.height(), 16);
  EXPECT_TRUE(Near(PixelOf(fromBytes, 2, 2), kRed)) << Hex(PixelOf(fromBytes, 2, 2));
  EXPECT_TRUE(Near(PixelOf(fromBytes, 29, 13), kBlue)) << Hex(PixelOf(fromBytes, 29, 13));
  EXPECT_TRUE(Near(fromBytes.transparentColor(), kRed));
  for (const char* name : {"title.jpg", "TITLE.JPEG"}) {
    const tk::Picture fromFile = tk::Picture::FromFile(write(name, jpeg));
    EXPECT_EQ(fromFile.width(), 32) << name;
    EXPECT_TRUE(Near(PixelOf(fromFile, 29, 2), kBlue)) << name;
  }
}

TEST_F(PictureTest, DamagedJpegRaisesAndTheProgramGoesOn) {
  const std::string valid = JpegBytes(32, 16, kRed, kBlue);
  std::string huge = valid;
  // The frame header's size fields, claiming 65500 x 65500 pixels.
  const size_t sof = huge.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  huge[sof + 5] = huge[sof + 7] = '\xFF';
  huge[sof + 6] = huge[sof + 8] = '\xDC';
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"garbage", std::string(500, '\x33')},
      {"start marker only", std::string("\xFF\xD8\xFF\xD9", 4)},
      {"headers cut", valid.substr(0, 60)},
      {"a bitmap", BitmapFile(4, 4, 24, Sample)},
      {"65500 x 65500 claimed", huge},
  };
  for (int round = 0; round < 2; ++round) {
    for (const auto& c : cases) {
      EXPECT_THROW(tk::Picture::FromJpegBytes(c.bytes.data(), c.bytes.size()), tk::PictureError)
          << c.name;
      EXPECT_THROW(tk::Picture::FromFile(write("damaged.jpg", c.bytes)), tk::PictureError)
          << c.name;
    }
    // Still alive, and decoding as before.
    EXPECT_EQ(tk::Picture::FromJpegBytes(valid.data(), valid.size()).width(), 32);
  }
}

TEST_F(PictureTest, PicturesStoredWithTheProgramLoad) {
  const tk::Picture background = tk::Picture::FromJpegResource(IDR_BACKGROUND_JPEG);
  EXPECT_EQ(background.width(), 750);
  EXPECT_EQ(background.height(), 485);
  const tk::Picture glyph = tk::Picture::FromBitmapResource(IDB_OK_GLYPH);
  EXPECT_EQ(glyph.width(), 36);  // two frames of 18 x 18
  EXPECT_EQ(glyph.height(), 18);
  EXPECT_EQ(glyph.transparentColor(), PixelOf(glyph, 0, 17));
}

TEST_F(PictureTest, CopiesAreIndependent) {
  const tk::Picture original = tk::Picture::FromFile(write("a.bmp", BitmapFile(6, 4, 24, Sample)));
  tk::Picture copy(original);
  tk::Picture assigned;
  assigned = original;
  for (tk::Picture* p : {&copy, &assigned}) {
    ASSERT_NE(p->handle(), original.handle());
    EXPECT_EQ(p->width(), 6);
    EXPECT_EQ(p->transparentColor(), kKey);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, p->handle());
    SetPixel(dc, 0, 0, kBlue);
    SelectObject(dc, old);
    DeleteDC(dc);
    EXPECT_EQ(PixelOf(*p, 0, 0), kBlue);
  }
  EXPECT_EQ(PixelOf(original, 0, 0), kRed);

  // A moved-from picture is empty; an empty one copies as empty.
  tk::Picture moved(std::move(copy));
  EXPECT_TRUE(copy.empty());  // NOLINT(bugprone-use-after-move): the state is specified
  EXPECT_EQ(PixelOf(moved, 0, 0), kBlue);
  tk::Picture emptyCopy(copy);
  EXPECT_TRUE(emptyCopy.empty());
  assigned = tk::Picture();
  EXPECT_TRUE(assigned.empty());
  EXPECT_EQ(PixelOf(original, 5, 0), kBlue);
}

int DepthOf(const tk::Picture& picture) {
  BITMAP bm{};
  GetObjectA(picture.handle(), sizeof bm, &bm);
  return bm.bmBitsPixel;
}

TEST_F(PictureTest, TrueColourFilesKeepTheirDepthOthersBecome32Bit) {
  const tk::Picture rgb = tk::Picture::FromFile(write("rgb.bmp", BitmapFile(6, 4, 24, Sample)));
  const tk::Picture copy(rgb);
  EXPECT_EQ(DepthOf(rgb), 24);
  EXPECT_EQ(DepthOf(copy), 24);
  EXPECT_EQ(PixelOf(copy, 5, 0), kBlue);
  EXPECT_EQ(copy.transparentColor(), kKey);
  EXPECT_EQ(DepthOf(tk::Picture::FromFile(write("p.bmp", BitmapFile(6, 4, 8, Sample)))), 32);
}

// Paints `form` into a memory bitmap of 32 bits a pixel, or of the fewer bits of an older
// display (16 or 24), and reads pixels from it.
class Canvas {
 public:
  explicit Canvas(const tk::Form& form, int bitsPerPixel = 32) {
    const tk::FormSpec& props = form.props();
    area_ = RECT{0, 0, props.clientWidth, props.clientHeight};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = props.clientWidth;
    info.bmiHeader.biHeight = -props.clientHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel);
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, bitmap_);
    form.paintGraphics(dc_, area_);
    GdiFlush();
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  COLORREF at(int x, int y) const { return GetPixel(dc_, x, y) & 0xFFFFFF; }

 private:
  RECT area_{};
  HBITMAP bitmap_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

class PaintTest : public PictureTest {
 protected:
  void SetUp() override {
    tk::FormSpec props = velmtest::FormSpecOf("Paint", 80, 40);
    props.color = kFormColour;
    form_ = std::make_unique<tk::Form>(props);
    sample_ = tk::Picture::FromFile(write("sample.bmp", BitmapFile(6, 4, 24, Sample)));
  }
  std::unique_ptr<tk::Form> form_;
  tk::Picture sample_;
};

TEST_F(PaintTest, TransparentImageLeavesKeyColouredPixelsUnpainted) {
  auto& plain = form_->add<tk::Image>("Plain", 2, 2, 6, 4);
  plain.setPicture(sample_);
  auto& clear = form_->add<tk::Image>("Clear", 12, 2, 6, 4);
  clear.transparent = true;
  clear.setPicture(sample_);
  const Canvas canvas(*form_);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) {
      const COLORREF source = Sample(x, y);
      EXPECT_EQ(canvas.at(2 + x, 2 + y), source) << "plain " << x << "," << y;
      EXPECT_EQ(canvas.at(12 + x, 2 + y), source == kKey ? kFormColour : source)
          << "transparent " << x << "," << y;
    }
  EXPECT_EQ(canvas.at(40, 30), kFormColour);
}

TEST_F(PaintTest, TransparentImageKeepsItsKeyColourOutOnDisplaysOfFewerColours) {
  // The key colour is cut out of the picture, not looked for in the target: on a target of 16
  // bits a pixel, where the key and the form colour come out as other colours, what shows
  // through is still the form, and the rest is the picture as the plain copy beside it shows it.
  auto& plain = form_->add<tk::Image>("Plain", 2, 2, 6, 4);
  plain.setPicture(sample_);
  auto& clear = form_->add<tk::Image>("Clear", 12, 2, 6, 4);
  clear.transparent = true;
  clear.setPicture(sample_);
  for (int depth : {16, 24}) {
    const Canvas canvas(*form_, depth);
    const COLORREF form = canvas.at(40, 30);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 6; ++x)
        EXPECT_EQ(canvas.at(12 + x, 2 + y), Sample(x, y) == kKey ? form : canvas.at(2 + x, 2 + y))
            << depth << " bits, " << x << "," << y;
  }
}

TEST_F(PaintTest, TransparentImageShowsTheImageBelowThroughItsKeyColour) {
  // As a dialog's second picture lies over its first.
  auto& below = form_->add<tk::Image>("Image1", 2, 2, 6, 4);
  below.setPicture(tk::Picture::FromFile(
      write("below.bmp", BitmapFile(6, 4, 24, [](int, int) { return kBlue; }))));
  auto& above = form_->add<tk::Image>("Image2", 2, 2, 6, 4);
  above.transparent = true;
  above.setPicture(sample_);
  {
    const Canvas canvas(*form_);
    EXPECT_EQ(canvas.at(2 + 0, 2 + 3), kBlue);  // the key colour of the upper picture
    EXPECT_EQ(canvas.at(2 + 5, 2 + 3), kBlue);
    EXPECT_EQ(canvas.at(2 + 1, 2 + 1), kGreen);
  }
  above.hide();
  const Canvas canvas(*form_);
  EXPECT_EQ(canvas.at(2 + 1, 2 + 1), kBlue);
}

TEST_F(PaintTest, StretchedTransparentImageKeepsItsKeyColourOut) {
  auto& image = form_->add<tk::Image>("Stretched", 10, 4, 24, 16);  // four times the picture
  image.stretch = true;
  image.transparent = true;
  image.setPicture(sample_);
  const Canvas canvas(*form_);
  int keyPixels = 0;
  for (int y = 4; y < 20; ++y)
    for (int x = 10; x < 34; ++x) keyPixels += canvas.at(x, y) == kKey;
  EXPECT_EQ(keyPixels, 0);
  EXPECT_EQ(canvas.at(10 + 1, 4 + 14), kFormColour);   // the bottom-left corner, stretched
  EXPECT_EQ(canvas.at(10 + 22, 4 + 14), kFormColour);  // the bottom-right block
  EXPECT_EQ(canvas.at(10 + 1, 4 + 1), kRed);
  EXPECT_EQ(canvas.at(10 + 8, 4 + 5), kGreen);
}

TEST_F(PaintTest, StretchedImageOfItsPicturesSizeDrawsItAsItIsAndHandsItOver) {
  auto& image = form_->add<tk::Image>("Image", 2, 2, 6, 4);
  image.stretch = true;
  image.setPicture(sample_);
  {
    const Canvas canvas(*form_);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 6; ++x) EXPECT_EQ(canvas.at(2 + x, 2 + y), Sample(x, y));
  }
  const tk::Picture taken = image.takePicture();
  EXPECT_EQ(taken.width(), 6);
  EXPECT_TRUE(image.picture().empty());
  EXPECT_EQ(Canvas(*form_).at(2 + 1, 2 + 1), kFormColour);
}

TEST_F(PaintTest, ImageIsClippedToItsBox) {
  auto& image = form_->add<tk::Image>("Small", 2, 2, 3, 2);  // smaller than the picture
  image.setPicture(sample_);
  const Canvas canvas(*form_);
  EXPECT_EQ(canvas.at(2, 2), kRed);
  EXPECT_EQ(canvas.at(2 + 3, 2), kFormColour);
  EXPECT_EQ(canvas.at(2, 2 + 2), kFormColour);
}

}  // namespace
