// Picture loading and drawing over GDI.
#include "Picture.h"

#include <algorithm>
#include <cstring>

#include "BitmapLayout.h"
#include "BitmapPixels.h"
#include "JpegDecode.h"
#include "Scoped.h"
#include "SysCalls.h"
#include "TransparentDraw.h"

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

// The description of a top-down section of the given size: every picture is one, of 24 bits a
// pixel when its file had those, else of 32.
BITMAPINFO SectionInfo(int width, int height, WORD bitsPerPixel = 32) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = bitsPerPixel;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// A new section of that size and its pixels; null when there is no memory for it.
HBITMAP NewSection(const BITMAPINFO& info, void** bits) {
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

// The rows of `bitmap` when it is one of the pictures' own top-down sections of 24 or 32 bits a
// pixel, else null.
const std::uint8_t* OwnSectionRows(HBITMAP bitmap, BITMAP& bm) {
  DIBSECTION section{};
  if (GetObjectA(bitmap, sizeof section, &section) != sizeof section) return nullptr;
  bm = section.dsBm;
  if (!bm.bmBits || (bm.bmBitsPixel != 24 && bm.bmBitsPixel != 32) || section.dsBmih.biHeight >= 0)
    return nullptr;
  GdiFlush();  // what GDI drew into it is in its pixels
  return static_cast<const std::uint8_t*>(bm.bmBits);
}

// A section copy of any bitmap, so that every picture is drawn the same way: of 24 bits a pixel
// when the bitmap has those, else of 32. A picture's own section (the catalogue hands copies to
// the buttons) is copied row for row where the platform tells its rows are top-down.
HBITMAP CopyToSection(HBITMAP source) {
  BITMAP bm{};
  const std::uint8_t* rows = OwnSectionRows(source, bm);
  if (!rows && !GetObjectA(source, sizeof bm, &bm)) return nullptr;
  if (bm.bmWidth <= 0 || bm.bmHeight <= 0) return nullptr;
  const WORD depth = bm.bmBitsPixel == 24 ? 24 : 32;
  BITMAPINFO info = SectionInfo(bm.bmWidth, bm.bmHeight, depth);
  void* bits = nullptr;
  HBITMAP copy = NewSection(info, &bits);
  if (!copy) return nullptr;
  if (rows) {
    std::memcpy(bits, rows, static_cast<size_t>(bm.bmWidthBytes) * bm.bmHeight);
  } else {
    const MemoryDC dc = CompatibleDC();
    GetDIBits(dc.get(), source, 0, bm.bmHeight, bits, &info, DIB_RGB_COLORS);
  }
  return copy;
}

// Whether a bitmap file holds uncompressed 24-bit pixels, the usual kind of a catalogue picture:
// they are kept as they are, in a 24-bit section, a quarter smaller than a 32-bit one.
bool IsRgb24(const BitmapLayout& layout) {
  return layout.compression == BitmapCompression::Rgb && layout.bitsPerPixel == 24;
}

// Uncompressed 24-bit rows copied into a 24-bit top-down section of the same size, without a
// device context and its general conversion: rows of the same length, turned upright.
void CopyRgb24Rows(const std::uint8_t* bits, const BitmapLayout& layout, std::uint8_t* out) {
  const size_t stride = (static_cast<size_t>(layout.width) * 3 + 3) / 4 * 4;
  for (int y = 0; y < layout.height; ++y, out += stride)
    std::memcpy(out, bits + stride * (layout.topDown ? y : layout.height - 1 - y), stride);
}

}  // namespace

Picture::Picture(HBITMAP adopted) {
  adopt(adopted);
}

Picture::Picture(const Picture& other) {
  if (other.bitmap_) adopt(CopyToSection(other.bitmap_.get()));
}

Picture& Picture::operator=(const Picture& other) {
  if (this != &other) *this = other.empty() ? Picture() : Picture(other);
  return *this;
}

void Picture::adopt(HBITMAP bitmap) {
  if (!bitmap) throw PictureError("picture could not be made");
  bitmap_.reset(bitmap);
  BITMAP bm{};
  const std::uint8_t* rows = OwnSectionRows(bitmap, bm);
  if (!rows) GetObjectA(bitmap, sizeof bm, &bm);
  width_ = bm.bmWidth;
  height_ = bm.bmHeight;
  if (rows && height_ > 0) {
    // The bottom-left pixel, read from the rows (blue, green, red bytes) without a DC.
    const std::uint8_t* p = rows + static_cast<size_t>(bm.bmWidthBytes) * (height_ - 1);
    transparent_ = RGB(p[2], p[1], p[0]);
    return;
  }
  const MemoryDC dc = CompatibleDC();
  const SelectedObject selected = Select(dc.get(), bitmap_.get());
  transparent_ = GetPixel(dc.get(), 0, height_ - 1) & 0xFFFFFF;
}

Picture Picture::FromFile(const std::string& path) {
  const std::string ext = LowerExtension(path);
  const bool jpeg = ext == ".jpg" || ext == ".jpeg";
  if (!jpeg && ext != ".bmp") throw PictureError("unknown picture format: " + path);
  // Larger files than any picture the program takes are refused unread.
  std::string bytes;
  if (!velm::Sys().readFileAtMost(path, kMaxPictureFileSize, bytes))
    throw PictureError("cannot read a picture file of a usable size: " + path);
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
  BITMAPINFO target = SectionInfo(layout.width, layout.height, IsRgb24(layout) ? 24 : 32);
  void* pixels = nullptr;
  GdiObject<HBITMAP> section(NewSection(target, &pixels));
  if (!section) throw PictureError("out of memory for a picture");
  if (IsRgb24(layout)) {
    CopyRgb24Rows(bytes + layout.bitsOffset, layout, static_cast<std::uint8_t*>(pixels));
    return Picture(section.release());
  }
  // Decoded here, not by the platform: its decoders differ between releases (Windows 95 reads
  // no 124-byte header and few colour masks) and may copy a pixel's alpha into the section,
  // where it would take part in the comparison with the transparent colour.
  if (!DecodeBitmapPixels(bytes, layout, static_cast<std::uint8_t*>(pixels), &error))
    throw PictureError("damaged bitmap: " + error);
  return Picture(section.release());
}

Picture Picture::FromBitmapResource(int id) {
  const GdiObject<HBITMAP> loaded(static_cast<HBITMAP>(LoadImageA(
      GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!loaded) throw PictureError("missing bitmap resource");
  return Picture(CopyToSection(loaded.get()));
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
  // Decoded straight into the picture's own section.
  GdiObject<HBITMAP> section;
  std::string error;
  const bool decoded = DecodeJpegBgrx(
      static_cast<const std::uint8_t*>(data), size,
      [&section](int width, int height) -> std::uint8_t* {
        BITMAPINFO info = SectionInfo(width, height);
        void* bits = nullptr;
        section.reset(NewSection(info, &bits));
        return section ? static_cast<std::uint8_t*>(bits) : nullptr;
      },
      &error);
  if (!decoded) throw PictureError("damaged JPEG picture: " + error);
  return Picture(section.release());
}

void Picture::draw(HDC dc, int x, int y, const RECT& clip, bool transparent) const {
  if (!bitmap_) return;
  const int w = std::min(width_, static_cast<int>(clip.right - x));
  const int h = std::min(height_, static_cast<int>(clip.bottom - y));
  if (w <= 0 || h <= 0) return;
  const MemoryDC source = CompatibleDC(dc);
  const SelectedObject selected = Select(source.get(), bitmap_.get());
  if (transparent)
    DrawTransparent(dc, x, y, w, h, source.get(), 0, 0, transparent_);
  else
    BitBlt(dc, x, y, w, h, source.get(), 0, 0, SRCCOPY);
}

Picture Picture::stretchedTo(int width, int height, bool smooth) const {
  if (!bitmap_ || width <= 0 || height <= 0) return Picture();
  BITMAPINFO info = SectionInfo(width, height);
  void* bits = nullptr;
  HBITMAP target = NewSection(info, &bits);
  if (!target) throw PictureError("out of memory for a picture");
  {
    const MemoryDC source = CompatibleDC();
    const MemoryDC dest = CompatibleDC();
    const SelectedObject sourceSelected = Select(source.get(), bitmap_.get());
    const SelectedObject destSelected = Select(dest.get(), target);
    // Windows 95, 98 and Me have no HALFTONE: where it is refused, COLORONCOLOR stays, not the
    // default BLACKONWHITE, which darkens a colour picture it shrinks.
    SetStretchBltMode(dest.get(), COLORONCOLOR);
    if (smooth) SetStretchBltMode(dest.get(), HALFTONE);
    SetBrushOrgEx(dest.get(), 0, 0, nullptr);
    StretchBlt(dest.get(), 0, 0, width, height, source.get(), 0, 0, width_, height_, SRCCOPY);
    GdiFlush();
  }
  Picture stretched(target);
  stretched.transparent_ = transparent_;
  return stretched;
}

}  // namespace tk
