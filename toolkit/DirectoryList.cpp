// The directory list (see FolderControls.h).
#include <algorithm>

#include "FailureLog.h"
#include "FolderControls.h"
#include "FolderPaths.h"
#include "Scoped.h"
#include "SysCalls.h"

namespace tk {

using namespace folders;

namespace {

constexpr int kIndent = 8;       // pixels of indent a level of the tree
constexpr int kGlyphWidth = 18;  // the folder glyph and the gap after it

// The folder glyph: a closed folder, or an open one with its front flap tilted forward.
void DrawFolderGlyph(HDC dc, int x, int y, bool open) {
  const GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, RGB(128, 96, 0)));
  const GdiObject<HBRUSH> back(CreateSolidBrush(RGB(255, 214, 90)));
  const GdiObject<HBRUSH> front(CreateSolidBrush(RGB(255, 238, 160)));
  const SelectedObject penSelected = Select(dc, pen.get());
  const SelectedObject brushSelected = Select(dc, back.get());
  const POINT body[] = {{x, y + 1},      {x + 5, y + 1},   {x + 6, y + 2},
                        {x + 13, y + 2}, {x + 13, y + 11}, {x, y + 11}};
  Polygon(dc, body, 6);
  SelectObject(dc, front.get());
  if (open) {
    const POINT flap[] = {{x + 3, y + 5}, {x + 16, y + 5}, {x + 13, y + 11}, {x, y + 11}};
    Polygon(dc, flap, 4);
  } else {
    Rectangle(dc, x, y + 4, x + 14, y + 12);
  }
}

}  // namespace

DirectoryList::DirectoryList(Form& form, std::string name, int left, int top, int width, int height)
    : WindowControl(form, std::move(name), left, top, width, height), folder_(WorkingDirectory()) {}

void DirectoryList::createHandle() {
  createWindow("LISTBOX",
               WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                   LBS_NOINTEGRALHEIGHT,
               WS_EX_CLIENTEDGE);
  SendMessageA(hwnd_, LB_SETITEMHEIGHT, 0, kItemHeight);
  // A list box tells its parent nothing of Enter; its own window procedure is wrapped to see it.
  listProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DirectoryList::KeyProc)));
  // The folder is looked up and read when the list is made: a dialog made but never shown (the
  // program makes one at start-up) has no need of it.
  folder_ = AsNamedOnDisk(folder_);
  fill();
}

// The list is read when it is made: what reads it makes it first.
const std::string& DirectoryList::folder() const {
  form_.create();
  return folder_;
}

int DirectoryList::itemCount() const {
  form_.create();
  return static_cast<int>(entries_.size());
}

const std::string& DirectoryList::itemPath(int index) const {
  form_.create();
  return entries_.at(index).path;
}

int DirectoryList::currentIndex() const {
  form_.create();
  return current_;
}

DirectoryList::~DirectoryList() {
  if (drives_) drives_->list_ = nullptr;
  if (hwnd_ && listProc_)
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listProc_));
}

LRESULT CALLBACK DirectoryList::KeyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* control = static_cast<WindowControl*>(GetPropA(hwnd, "TkControl"));
  auto* self = static_cast<DirectoryList*>(control);
  if (!self || !self->listProc_) return DefWindowProcA(hwnd, message, wParam, lParam);
  // No C++ exception may cross back into Windows.
  try {
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
      self->openSelected();
      return 0;
    }
    if (message == WM_CHAR && wParam == '\r') return 0;  // already handled as a key
  } catch (...) {
    LogDroppedFailure("directory list keys");
    return 0;
  }
  return CallWindowProcA(self->listProc_, hwnd, message, wParam, lParam);
}

// The one place the list moves the working directory: it navigates by it. Makes `full` the
// working directory, written as the file system names the folder (whatever letter case or short
// names the path used), and answers the folder now current; empty, with nothing moved, when the
// folder cannot be entered.
std::string DirectoryList::MoveWorkingDirectory(const std::string& full) {
  {
    QuietDriveErrors quiet;
    if (!velm::Sys().setCurrentDirectory(full)) return std::string();
  }
  std::string now = WorkingDirectory();
  if (now.empty()) now = full;
  const std::string named = AsNamedOnDisk(now);
  if (named != now && velm::Sys().setCurrentDirectory(named)) now = WorkingDirectory();
  if (now.empty()) now = named;
  return now;
}

bool DirectoryList::setFolder(const std::string& path) {
  form_.create();
  if (path.empty()) return false;
  std::string full = FullPath(path);
  if (full.empty()) return false;
  // The drive letter in upper case, as the system writes it: the working directory keeps the
  // letter as it was given.
  if (DriveOf(full)) full[0] = UpperLetter(full[0]);
  const std::string now = MoveWorkingDirectory(full);
  if (now.empty()) return false;
  RememberDriveFolder(folder_);  // the folder being left, for coming back to its drive
  RememberDriveFolder(now);
  const bool changed = !SameFolder(now, folder_);
  folder_ = now;
  fill();
  if (drives_) drives_->followList();
  if (changed && onChange) RunHandler([this] { onChange(*this); });
  return true;
}

void DirectoryList::refresh() {
  form_.create();
  fill();
}

void DirectoryList::openSelected() {
  const LRESULT index = SendMessageA(handle(), LB_GETCURSEL, 0, 0);
  if (index < 0 || index >= static_cast<LRESULT>(entries_.size())) return;
  const std::string path = entries_[static_cast<size_t>(index)].path;
  // A folder removed since the list was filled cannot be entered: show what is there now.
  if (!setFolder(path)) fill();
}

void DirectoryList::fill() {
  entries_.clear();
  const size_t rootLength = RootLength(folder_);
  std::string root = folder_.substr(0, rootLength);
  if (!root.empty() && root.back() != '\\') root += '\\';
  entries_.push_back(Entry{root, root, 0, true});
  int level = 1;
  for (size_t at = rootLength; at < folder_.size();) {
    size_t end = folder_.find('\\', at);
    if (end == std::string::npos) end = folder_.size();
    if (end > at)
      entries_.push_back(
          Entry{folder_.substr(at, end - at), folder_.substr(0, end), level++, true});
    at = end + 1;
  }
  current_ = static_cast<int>(entries_.size()) - 1;

  const std::string base = folder_.empty() || folder_.back() == '\\' ? folder_ : folder_ + "\\";
  std::vector<std::string> subfolders;
  if (!folder_.empty()) {
    QuietDriveErrors quiet;
    WIN32_FIND_DATAA found;
    const velm::UniqueSearch search(FindFirstFileA((base + "*").c_str(), &found));
    if (search) {
      do {
        const std::string leaf = found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
            (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) || leaf == "." || leaf == "..")
          continue;
        subfolders.push_back(leaf);
      } while (FindNextFileA(search.get(), &found));
    }
  }
  std::sort(subfolders.begin(), subfolders.end(), [](const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) < 0;
  });
  for (const auto& leaf : subfolders)
    entries_.push_back(Entry{leaf, base + leaf, current_ + 1, false});

  SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
  SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0);
  for (const auto& entry : entries_)
    SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.name.c_str()));
  SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(current_), 0);
  SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void DirectoryList::drawItem(const DRAWITEMSTRUCT& item) const {
  HDC dc = item.hDC;
  const RECT box = item.rcItem;
  FillRect(dc, &box, GetSysColorBrush(COLOR_WINDOW));
  if (item.itemID >= entries_.size()) return;  // an empty list draws only its focus
  const Entry& entry = entries_[item.itemID];
  const int x = box.left + 2 + entry.level * kIndent;
  DrawFolderGlyph(dc, x, box.top + (box.bottom - box.top - 12) / 2, entry.open);

  const SelectedObject font = Select(dc, hfont_);
  SIZE extent{};
  GetTextExtentPoint32A(dc, entry.name.c_str(), static_cast<int>(entry.name.size()), &extent);
  RECT text{x + kGlyphWidth, box.top, x + kGlyphWidth + extent.cx + 4, box.bottom};
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  if (selected) FillRect(dc, &text, GetSysColorBrush(COLOR_HIGHLIGHT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT inner = text;
  inner.left += 2;
  DrawTextA(dc, entry.name.c_str(), static_cast<int>(entry.name.size()), &inner,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &text);
}

bool DirectoryList::wantsKey(WPARAM key) const {
  return key == VK_RETURN;  // opens the selected folder
}

bool DirectoryList::reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_COMMAND && HIWORD(wParam) == LBN_DBLCLK) {
    openSelected();
    result = 0;
    return true;
  }
  return WindowControl::reflect(message, wParam, lParam, result);
}

}  // namespace tk
