// Tolvan.exe of the sample disc: a small stand-in for the medical dictionary program. It opens
// one window titled "Duzivod Uzedov" that shows the data folder recorded in the dictionary's
// settings file, and ends when its thread receives the quit message (which the publisher's
// program posts to this window before removing the installation) or when the window is closed.
#include <windows.h>

#include <string>

namespace {

const char kWindowTitle[] = "Duzivod Uzedov";
const char kWindowClass[] = "TolvanDictionaryWindow";
const char kNoFolder[] = "(no folder recorded)";
const int kFolderControlId = 100;  // the static control holding the folder, for automation
const int kClientWidth = 440;
const int kClientHeight = 150;

// A GDI object released with its owner.
class GdiObject {
 public:
  explicit GdiObject(HGDIOBJ object = nullptr) : object_(object) {}
  ~GdiObject() {
    if (object_) DeleteObject(object_);
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  void Reset(HGDIOBJ object) {
    if (object_) DeleteObject(object_);
    object_ = object;
  }
  HGDIOBJ Get() const { return object_; }

 private:
  HGDIOBJ object_;
};

// A kernel handle closed with its owner.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (Valid()) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

// Reads the first line of a text file (up to CR, LF, NUL or Ctrl-Z). False when the file cannot
// be opened; a folder of that name counts as no file (the default installation folder is
// C:\Tolvan, the same name as the fallback settings file).
bool ReadFirstLine(const std::string& path, std::string* line) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return false;
  line->clear();
  char buffer[512];
  DWORD got = 0;
  while (ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
    for (DWORD i = 0; i < got; ++i) {
      const char c = buffer[i];
      if (c == '\r' || c == '\n' || c == '\0' || c == 26) return true;
      line->push_back(c);
    }
    if (line->size() > 32768) break;  // a settings line is a path; stop on a runaway file
  }
  return true;
}

// The folder recorded at installation: Tolvan.ini in the Windows folder, else the file
// C:\Tolvan. The first of the two that can be read decides.
std::string RecordedFolder() {
  std::string line;
  char windows[MAX_PATH + 1] = {};
  const UINT length = GetWindowsDirectoryA(windows, MAX_PATH);
  if (length > 0 && length < MAX_PATH) {
    std::string ini(windows, length);
    if (ini.back() != '\\') ini += '\\';
    ini += "Tolvan.ini";
    if (ReadFirstLine(ini, &line)) return line.empty() ? kNoFolder : line;
  }
  if (ReadFirstLine("C:\\Tolvan", &line)) return line.empty() ? kNoFolder : line;
  return kNoFolder;
}

struct Window {
  GdiObject heading_font;
  GdiObject text_font;
};

HWND AddStatic(HWND parent, const char* text, int id, int x, int y, int w, int h, HGDIOBJ font) {
  HWND control = CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                                 x, y, w, h, parent, reinterpret_cast<HMENU>(INT_PTR(id)),
                                 GetModuleHandleA(nullptr), nullptr);
  if (control && font) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

void CreateContents(HWND hwnd, Window* self) {
  // Fonts are asked for by face; Wine substitutes a font with Greek glyphs where Tahoma is
  // missing.
  self->heading_font.Reset(CreateFontA(-17, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                       DEFAULT_PITCH | FF_SWISS, "Tahoma"));
  self->text_font.Reset(CreateFontA(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                    DEFAULT_PITCH | FF_SWISS, "Tahoma"));
  AddStatic(hwnd, "Duzivod Uzedov – Ιατρικό Λεξικό", -1, 16, 14, kClientWidth - 32, 24,
            self->heading_font.Get());
  AddStatic(hwnd, "Φάκελος δεδομένων:", -1, 16, 56, kClientWidth - 32, 18, self->text_font.Get());
  const std::string folder = RecordedFolder();
  AddStatic(hwnd, folder.c_str(), kFolderControlId, 16, 76, kClientWidth - 32, 36,
            self->text_font.Get());
  AddStatic(hwnd, "Δοκιμαστικό πρόγραμμα του δίσκου.", -1, 16, 118, kClientWidth - 32, 18,
            self->text_font.Get());
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  try {
    Window* self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (message) {
      case WM_NCCREATE: {
        const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        break;
      }
      case WM_CREATE:
        if (self) CreateContents(hwnd, self);
        return 0;
      case WM_CTLCOLORSTATIC: {
        // The labels sit on the window colour, not on the dialog grey.
        HDC dc = reinterpret_cast<HDC>(wparam);
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
      }
      case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
  } catch (...) {
    return 0;  // nothing may unwind into Windows
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kWindowClass;
  if (!RegisterClassA(&wc)) return 1;

  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame = {0, 0, kClientWidth, kClientHeight};
  AdjustWindowRect(&frame, style, FALSE);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  Window self;
  HWND hwnd = CreateWindowExA(0, kWindowClass, kWindowTitle, style,
                              (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                              (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr,
                              nullptr, instance, &self);
  if (!hwnd) return 1;
  ShowWindow(hwnd, show);
  UpdateWindow(hwnd);

  // The quit message may be posted to this window from outside (PostMessage with WM_QUIT);
  // GetMessage then returns 0 and the program ends, the window going with the process.
  MSG msg;
  BOOL got;
  while ((got = GetMessageA(&msg, nullptr, 0, 0)) != 0) {
    if (got == -1) return 1;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (IsWindow(hwnd)) DestroyWindow(hwnd);  // before its fonts go with `self`
  return static_cast<int>(msg.wParam);
}
