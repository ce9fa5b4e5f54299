// A bitmap picture: empty, or one device-independent section bitmap that the picture owns.
// Copying a picture copies its pixels, as the catalogue hands copies of its pictures to buttons.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

#include "Scoped.h"

namespace tk {

// A picture file or resource that exists but cannot be read.
class PictureError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Picture {
 public:
  Picture() = default;
  Picture(const Picture& other);
  Picture& operator=(const Picture& other);
  Picture(Picture&& other) noexcept = default;
  Picture& operator=(Picture&& other) noexcept = default;

  // Loads a picture file; the format follows the extension (".bmp", ".jpg"/".jpeg").
  static Picture FromFile(const std::string& path);
  static Picture FromBitmapResource(int id);
  static Picture FromJpegResource(int id);
  static Picture FromJpegBytes(const void* data, size_t size);
  // A Windows bitmap file held in memory; throws PictureError when it is damaged or cut short.
  static Picture FromBitmapBytes(const void* data, size_t size);

  bool empty() const { return !bitmap_; }
  int width() const { return width_; }
  int height() const { return height_; }
  HBITMAP handle() const { return bitmap_.get(); }
  // The colour of the bottom-left pixel: the colour drawn as transparent.
  COLORREF transparentColor() const { return transparent_; }

  // Draws the picture at its own size with its top-left corner at (x, y), clipped to `clip`.
  void draw(HDC dc, int x, int y, const RECT& clip, bool transparent) const;
  // A copy stretched to width x height: smoothed, or pixel for pixel so that the transparent
  // colour stays exact. It keeps this picture's transparent colour.
  Picture stretchedTo(int width, int height, bool smooth) const;

 private:
  explicit Picture(HBITMAP adopted);
  void adopt(HBITMAP bitmap);

  GdiObject<HBITMAP> bitmap_;
  int width_ = 0;
  int height_ = 0;
  COLORREF transparent_ = 0;
};

}  // namespace tk
