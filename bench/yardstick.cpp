// The yardstick for the reveal: the work no implementation of the main window can skip, done
// with plain Win32 calls and libjpeg, in the program's order. It starts; decodes the background
// JPEG stored with the program straight into a 32-bit section and stretches it once to the
// background's box; shows a window of the main window's size that paints from that stretched
// copy; loads the 36 catalogue files of `content` (bitmaps with LoadImage, descriptions read
// whole); makes a bare rich edit and moves it through the reveal's 47 steps with a repaint each;
// and streams title 1's RTF into it. Then it runs its message loop and ends on WM_CLOSE.
// It is also the yardstick for a title switch: a click on a title's box in the title column,
// where the main window has its menu buttons, clears the view and streams that title's RTF into
// it, as a plain program would do it. It draws no pictures, so a switch is the rich edit's work
// alone, started and seen from outside as the program's is.
#include <windows.h>

#include <richedit.h>

#include <cstdio>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "DiscFacts.h"
#include "resource.h"

namespace {

constexpr char kCaption[] = "Εκδόσεις Βελμαρόδη";
constexpr int kBackgroundWidth = 749;
constexpr int kBackgroundHeight = 468;

HBITMAP g_background = nullptr;  // stretched to its box
HDC g_backgroundDC = nullptr;

HBITMAP NewSection(int width, int height, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

// The stored JPEG decoded into a new section.
HBITMAP DecodeBackground(int* width, int* height) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(IDR_BACKGROUND_JPEG), RT_RCDATA);
  if (!found) return nullptr;
  const auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
  jpeg_decompress_struct cinfo{};
  jpeg_error_mgr errors{};
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data, SizeofResource(module, found));
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_EXT_BGRX;  // the section's own pixel order
  jpeg_start_decompress(&cinfo);
  *width = static_cast<int>(cinfo.output_width);
  *height = static_cast<int>(cinfo.output_height);
  void* bits = nullptr;
  HBITMAP section = NewSection(*width, *height, &bits);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = static_cast<JSAMPROW>(bits) + 4 * *width * cinfo.output_scanline;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return section;
}

void MakeBackground() {
  int width = 0;
  int height = 0;
  HBITMAP decoded = DecodeBackground(&width, &height);
  void* bits = nullptr;
  g_background = NewSection(kBackgroundWidth, kBackgroundHeight, &bits);
  g_backgroundDC = CreateCompatibleDC(nullptr);
  SelectObject(g_backgroundDC, g_background);
  HDC source = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(source, decoded);
  SetStretchBltMode(g_backgroundDC, HALFTONE);
  SetBrushOrgEx(g_backgroundDC, 0, 0, nullptr);
  StretchBlt(g_backgroundDC, 0, 0, kBackgroundWidth, kBackgroundHeight, source, 0, 0, width, height,
             SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
  DeleteObject(decoded);
}

bool ReadWhole(const std::string& path, std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes.resize(GetFileSize(file, nullptr));
  DWORD read = 0;
  ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  return true;
}

struct Catalogue {
  std::vector<HANDLE> pictures;
  std::string descriptions[10];
};

Catalogue g_catalogue;
HWND g_view = nullptr;
int g_title = 1;

void LoadCatalogue(Catalogue& c) {
  for (int k = 1; k <= 9; ++k) {
    const std::string n = std::to_string(k);
    for (const std::string& name : {"menu" + n + ".bmp", "menu" + n + "c.bmp", "velm" + n + ".bmp"})
      c.pictures.push_back(LoadImageA(nullptr, ("content\\" + name).c_str(), IMAGE_BITMAP, 0, 0,
                                      LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ReadWhole("content\\velm" + n + ".rtf", c.descriptions[k]);
  }
}

struct Source {
  const std::string* bytes;
  size_t offset;
};

DWORD CALLBACK ReadSource(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
  auto* s = reinterpret_cast<Source*>(cookie);
  size_t n = s->bytes->size() - s->offset;
  if (n > static_cast<size_t>(wanted)) n = static_cast<size_t>(wanted);
  CopyMemory(buffer, s->bytes->data() + s->offset, n);
  s->offset += n;
  *given = static_cast<LONG>(n);
  return 0;
}

void Stream(const std::string& rtf) {
  Source source{&rtf, 0};
  EDITSTREAM es{};
  es.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
  es.pfnCallback = &ReadSource;
  SendMessageA(g_view, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es));
}

// The title whose box in the title column holds the client point, or 0.
int TitleAt(int x, int y) {
  if (x < 4 || x >= 4 + velm::kMenuButtonWidth || y < 104) return 0;
  const int k = (y - 104) / 36 + 1;
  return k <= velm::kTitleCount ? k : 0;
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONUP: {
      const int k = TitleAt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      if (k && k != g_title && g_view) {
        SetWindowTextA(g_view, "");
        Stream(g_catalogue.descriptions[k]);
        g_title = k;
      }
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      const RECT& r = ps.rcPaint;
      BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, g_backgroundDC, r.left, r.top,
             SRCCOPY);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_CLOSE:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  LoadLibraryA("riched20.dll");
  WNDCLASSA wc{};
  wc.lpfnWndProc = &WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = "Yardstick";
  RegisterClassA(&wc);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;
  RECT frame{0, 0, 750, 470};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  HWND hwnd = CreateWindowExA(0, "Yardstick", kCaption, style, CW_USEDEFAULT, CW_USEDEFAULT,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              instance, nullptr);
  if (!hwnd) return 1;
  MakeBackground();
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);

  LoadCatalogue(g_catalogue);

  HWND view = g_view = CreateWindowExA(
      WS_EX_CLIENTEDGE, "RichEdit20A", "",
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 349, 84, 0,
      321, hwnd, nullptr, instance, nullptr);
  SendMessageA(view, EM_SETBKGNDCOLOR, 0, RGB(214, 234, 255));
  SendMessageA(view, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  int left = 349;
  int width = 0;
  for (int step = 0; step < 47; ++step) {
    left -= 3;
    MoveWindow(view, left, 84, width, 321, TRUE);
    width += 6;
    MoveWindow(view, left, 84, width, 321, TRUE);
    UpdateWindow(view);
    UpdateWindow(hwnd);
  }
  Stream(g_catalogue.descriptions[1]);

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
