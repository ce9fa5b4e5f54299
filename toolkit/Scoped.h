// Scoped GDI objects and handles: each gives back what it holds when it goes, on every path out
// of the scope. Declare them in the order they are needed: an object selected into a memory DC
// is put back before the DC is deleted, and the DC before the object it held.
#pragma once

#include <windows.h>

#include <utility>

namespace tk {

// `object` selected into `dc` for the scope; the object it replaced is selected again after.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (old_) SelectObject(dc_, old_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A memory device context compatible with `dc` (null: the screen), deleted when it goes.
class MemoryDC {
 public:
  explicit MemoryDC(HDC compatibleWith = nullptr) : dc_(CreateCompatibleDC(compatibleWith)) {}
  ~MemoryDC() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  operator HDC() const { return dc_; }

 private:
  HDC dc_;
};

// The device context of a window's client area (null: the screen), released when it goes.
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  operator HDC() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// The painting of one WM_PAINT: BeginPaint to EndPaint.
class PaintDC {
 public:
  explicit PaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~PaintDC() { EndPaint(window_, &paint_); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  operator HDC() const { return dc_; }
  const RECT& area() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// A GDI object the scope owns (a brush, a pen, a bitmap), deleted when it goes.
template <class T>
class GdiObject {
 public:
  explicit GdiObject(T object = nullptr) : object_(object) {}
  ~GdiObject() { reset(); }
  GdiObject(GdiObject&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) {
      reset();
      object_ = std::exchange(other.object_, nullptr);
    }
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  void reset(T object = nullptr) {
    if (object_) DeleteObject(object_);
    object_ = object;
  }
  // Gives the object up: the caller owns it from now on.
  T release() { return std::exchange(object_, nullptr); }
  T get() const { return object_; }
  operator T() const { return object_; }

 private:
  T object_;
};

// A search of FindFirstFileA, closed when it goes.
class FindHandle {
 public:
  FindHandle(const char* pattern, WIN32_FIND_DATAA& found)
      : handle_(FindFirstFileA(pattern, &found)) {}
  ~FindHandle() {
    if (valid()) FindClose(handle_);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  bool next(WIN32_FIND_DATAA& found) const { return FindNextFileA(handle_, &found) != FALSE; }

 private:
  HANDLE handle_;
};

}  // namespace tk
