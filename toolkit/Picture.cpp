// Picture loading and drawing over GDI.
#include "Picture.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "BitmapLayout.h"
#include "JpegDecode.h"
#include "Scoped.h"

namespace tk {
namespace {

std::string LowerExtension(const std::string& path) {
  const auto dot = path.find_last_of('.');
  const auto slash = path.find_last_of("\\/");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string ext = path.substr(dot);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

// The description of a 32-bit top-down section of the given size: every picture is one.
BITMAPINFO SectionInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// A new section of that size and its pixels; null when there is no memory for it.
HBITMAP NewSection(const BITMAPINFO& info, void** bits) {
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

// A 32-bit top-down section holding the given RGB rows.
HBITMAP SectionFromRgb(const RgbImage& image) {
  BITMAPINFO info = SectionInfo(image.width, image.height);
  void* bits = nullptr;
  HBITMAP bitmap = NewSection(info, &bits);
  if (!bitmap) throw PictureError("out of memory for a picture");
  auto* out = static_cast<std::uint8_t*>(bits);
  const std::uint8_t* in = image.rgb.data();
  for (size_t i = 0, n = static_cast<size_t>(image.width) * image.height; i < n; ++i) {
    out[0] = in[2];
    out[1] = in[1];
    out[2] = in[0];
    out[3] = 0;
    out += 4;
    in += 3;
  }
  return bitmap;
}

// A 32-bit section copy of any bitmap, so that every picture is drawn the same way.
HBITMAP CopyToSection(HBITMAP source) {
  BITMAP bm{};
  if (!GetObjectA(source, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return nullptr;
  BITMAPINFO info = SectionInfo(bm.bmWidth, bm.bmHeight);
  void* bits = nullptr;
  HBITMAP copy = NewSection(info, &bits);
  if (!copy) return nullptr;
  const MemoryDC dc;
  GetDIBits(dc, source, 0, bm.bmHeight, bits, &info, DIB_RGB_COLORS);
  return copy;
}

// A picture file's bytes; larger files than any picture the program takes are refused unread.
std::vector<std::uint8_t> ReadPictureFile(const std::string& path) {
  constexpr DWORD kMaxFileSize = 128u * 1024 * 1024;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw PictureError("cannot open " + path);
  const DWORD size = GetFileSize(file, nullptr);
  if (size == INVALID_FILE_SIZE || size > kMaxFileSize) {
    CloseHandle(file);
    throw PictureError("not a picture file of a usable size: " + path);
  }
  std::vector<std::uint8_t> bytes(size);
  DWORD read = 0;
  const BOOL ok = size == 0 || ReadFile(file, bytes.data(), size, &read, nullptr);
  CloseHandle(file);
  if (!ok || read != size) throw PictureError("cannot read " + path);
  return bytes;
}

}  // namespace

Picture::Picture(HBITMAP adopted) {
  adopt(adopted);
}

Picture::~Picture() {
  reset();
}

Picture::Picture(const Picture& other) {
  if (other.bitmap_) adopt(CopyToSection(other.bitmap_));
}

Picture& Picture::operator=(const Picture& other) {
  if (this != &other) {
    reset();
    if (other.bitmap_) adopt(CopyToSection(other.bitmap_));
  }
  return *this;
}

Picture::Picture(Picture&& other) noexcept
    : bitmap_(other.bitmap_),
      width_(other.width_),
      height_(other.height_),
      transparent_(other.transparent_) {
  other.bitmap_ = nullptr;
  other.width_ = other.height_ = 0;
}

Picture& Picture::operator=(Picture&& other) noexcept {
  if (this != &other) {
    reset();
    std::swap(bitmap_, other.bitmap_);
    std::swap(width_, other.width_);
    std::swap(height_, other.height_);
    transparent_ = other.transparent_;
  }
  return *this;
}

void Picture::reset() {
  if (bitmap_) DeleteObject(bitmap_);
  bitmap_ = nullptr;
  width_ = height_ = 0;
  transparent_ = 0;
}

void Picture::adopt(HBITMAP bitmap) {
  reset();
  if (!bitmap) throw PictureError("picture could not be made");
  BITMAP bm{};
  GetObjectA(bitmap, sizeof bm, &bm);
  bitmap_ = bitmap;
  width_ = bm.bmWidth;
  height_ = bm.bmHeight;
  const MemoryDC dc;
  const SelectedObject selected(dc, bitmap_);
  transparent_ = GetPixel(dc, 0, height_ - 1) & 0xFFFFFF;
}

Picture Picture::FromFile(const std::string& path) {
  const std::string ext = LowerExtension(path);
  const bool jpeg = ext == ".jpg" || ext == ".jpeg";
  if (!jpeg && ext != ".bmp") throw PictureError("unknown picture format: " + path);
  const std::vector<std::uint8_t> bytes = ReadPictureFile(path);
  if (jpeg) return FromJpegBytes(bytes.data(), bytes.size());
  return FromBitmapBytes(bytes.data(), bytes.size());
}

Picture Picture::FromBitmapBytes(const void* data, size_t size) {
  // The platform's file loader trusts the header and reads past the end of a truncated file,
  // so the file's parts are checked here and the platform is handed only the checked parts.
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  BitmapLayout layout;
  std::string error;
  if (!ReadBitmapLayout(bytes, size, layout, &error))
    throw PictureError("damaged bitmap: " + error);
  // Copies: the header block aligned as the platform expects, and the pixels with an end of
  // bitmap mark behind them, at which a run-length decoder stops even if the data lacks one.
  std::vector<std::uint8_t> info(bytes + layout.infoOffset,
                                 bytes + layout.infoOffset + layout.infoSize);
  std::vector<std::uint8_t> bits(bytes + layout.bitsOffset,
                                 bytes + layout.bitsOffset + layout.bitsSize);
  bits.push_back(0);
  bits.push_back(1);

  BITMAPINFO target = SectionInfo(layout.width, layout.height);
  void* pixels = nullptr;
  GdiObject<HBITMAP> section(NewSection(target, &pixels));
  if (!section) throw PictureError("out of memory for a picture");
  const int rows = SetDIBits(MemoryDC(), section, 0, static_cast<UINT>(layout.height), bits.data(),
                             reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
  if (rows == 0) throw PictureError("damaged bitmap: the platform refused its pixels");
  return Picture(section.release());
}

Picture Picture::FromBitmapResource(int id) {
  const GdiObject<HBITMAP> loaded(static_cast<HBITMAP>(LoadImageA(
      GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!loaded) throw PictureError("missing bitmap resource");
  return Picture(CopyToSection(loaded));
}

Picture Picture::FromJpegResource(int id) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  if (!found) throw PictureError("missing JPEG resource");
  HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) throw PictureError("unreadable JPEG resource");
  return FromJpegBytes(data, SizeofResource(module, found));
}

Picture Picture::FromJpegBytes(const void* data, size_t size) {
  RgbImage image;
  std::string error;
  if (!DecodeJpeg(static_cast<const std::uint8_t*>(data), size, image, &error))
    throw PictureError("damaged JPEG picture: " + error);
  return Picture(SectionFromRgb(image));
}

void Picture::draw(HDC dc, int x, int y, const RECT& clip, bool transparent) const {
  if (!bitmap_) return;
  const int w = std::min(width_, static_cast<int>(clip.right - x));
  const int h = std::min(height_, static_cast<int>(clip.bottom - y));
  if (w <= 0 || h <= 0) return;
  const MemoryDC source(dc);
  const SelectedObject selected(source, bitmap_);
  if (transparent)
    TransparentBlt(dc, x, y, w, h, source, 0, 0, w, h, transparent_);
  else
    BitBlt(dc, x, y, w, h, source, 0, 0, SRCCOPY);
}

Picture Picture::stretchedTo(int width, int height, bool smooth) const {
  if (!bitmap_ || width <= 0 || height <= 0) return Picture();
  BITMAPINFO info = SectionInfo(width, height);
  void* bits = nullptr;
  HBITMAP target = NewSection(info, &bits);
  if (!target) throw PictureError("out of memory for a picture");
  {
    const MemoryDC source;
    const MemoryDC dest;
    const SelectedObject sourceSelected(source, bitmap_);
    const SelectedObject destSelected(dest, target);
    SetStretchBltMode(dest, smooth ? HALFTONE : COLORONCOLOR);
    SetBrushOrgEx(dest, 0, 0, nullptr);
    StretchBlt(dest, 0, 0, width, height, source, 0, 0, width_, height_, SRCCOPY);
    GdiFlush();
  }
  Picture stretched(target);
  stretched.transparent_ = transparent_;
  return stretched;
}

void Picture::drawStretched(HDC dc, const RECT& box, bool transparent) const {
  if (!bitmap_) return;
  const int w = box.right - box.left;
  const int h = box.bottom - box.top;
  if (w <= 0 || h <= 0) return;
  const MemoryDC source(dc);
  const SelectedObject selected(source, bitmap_);
  if (transparent) {
    TransparentBlt(dc, box.left, box.top, w, h, source, 0, 0, width_, height_, transparent_);
  } else {
    const int mode = SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, box.left, box.top, w, h, source, 0, 0, width_, height_, SRCCOPY);
    SetStretchBltMode(dc, mode);
  }
}

}  // namespace tk
