// Scoped GDI objects and device contexts, each a velm::UniqueAny: it gives back what it holds when
// it goes, on every path out of the scope, and moves but never copies. Declare them in the order
// they are needed: an object selected into a memory DC is put back before the DC is deleted, and
// the DC before the object it held.
#pragma once

#include <windows.h>

#include "UniqueHandle.h"

namespace tk {

using velm::UniqueAny;

namespace gdi {

inline void DeleteGdiObject(HGDIOBJ object) {
  DeleteObject(object);
}
inline void DeleteMemoryDc(HDC dc) {
  DeleteDC(dc);
}

// A window's device context, released to its window.
struct WindowDc {
  HWND window = nullptr;
  HDC dc = nullptr;
  operator HDC() const { return dc; }
  bool operator==(const WindowDc& other) const { return dc == other.dc; }
};
inline void ReleaseWindowDc(WindowDc held) {
  ReleaseDC(held.window, held.dc);
}

// An object selected into a device context, and the one it replaced there.
struct Selection {
  HDC dc = nullptr;
  HGDIOBJ replaced = nullptr;
  bool operator==(const Selection& other) const { return replaced == other.replaced; }
};
inline void SelectBack(Selection held) {
  SelectObject(held.dc, held.replaced);
}

// One WM_PAINT's painting, from BeginPaint.
struct Painting {
  HWND window = nullptr;
  PAINTSTRUCT paint{};
  operator HDC() const { return paint.hdc; }
  bool operator==(const Painting& other) const { return paint.hdc == other.paint.hdc; }
};
inline void EndPainting(Painting held) {
  EndPaint(held.window, &held.paint);
}

}  // namespace gdi

// A GDI object the scope owns (a brush, a pen, a bitmap), deleted when it goes.
template <class T>
using GdiObject = UniqueAny<T, &gdi::DeleteGdiObject>;

// A memory device context, deleted when it goes.
using MemoryDC = UniqueAny<HDC, &gdi::DeleteMemoryDc>;
// One compatible with `dc` (null: the screen).
inline MemoryDC CompatibleDC(HDC dc = nullptr) {
  return MemoryDC(CreateCompatibleDC(dc));
}

// The device context of a window's client area (null: the screen), released when it goes.
using WindowDC = UniqueAny<gdi::WindowDc, &gdi::ReleaseWindowDc>;
inline WindowDC ClientDC(HWND window) {
  return WindowDC(gdi::WindowDc{window, GetDC(window)});
}

// `object` selected into `dc` for the scope; the object it replaced is selected again after.
using SelectedObject = UniqueAny<gdi::Selection, &gdi::SelectBack>;
inline SelectedObject Select(HDC dc, HGDIOBJ object) {
  return SelectedObject(gdi::Selection{dc, SelectObject(dc, object)});
}

// The painting of one WM_PAINT: BeginPaint to EndPaint.
using PaintDC = UniqueAny<gdi::Painting, &gdi::EndPainting>;
inline PaintDC BeginPainting(HWND window) {
  gdi::Painting painting;
  painting.window = window;
  BeginPaint(window, &painting.paint);
  return PaintDC(painting);
}

}  // namespace tk
