// The directory list and the drive picker (see FolderControls.h).
#include "FolderControls.h"

#include <algorithm>

#include "Scoped.h"
#include "SysCalls.h"

namespace tk {
namespace {

constexpr int kIndent = 8;         // pixels of indent a level of the tree
constexpr int kGlyphWidth = 18;    // the folder glyph and the gap after it
constexpr int kDropDownItems = 8;  // drives the open drive list shows without scrolling

char LowerLetter(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

char UpperLetter(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The lower-case drive letter of a path such as "C:\Temp", or 0 (a network path).
char DriveOf(const std::string& path) {
  if (path.size() < 2 || path[1] != ':') return 0;
  const char letter = LowerLetter(path[0]);
  return letter >= 'a' && letter <= 'z' ? letter : 0;
}

std::string DriveRoot(char letter) {
  return std::string{letter, ':', '\\'};
}

// How many leading characters name the root: "C:\" or "\\server\share\".
size_t RootLength(const std::string& path) {
  if (DriveOf(path)) return path.size() >= 3 && path[2] == '\\' ? 3 : 2;
  if (path.compare(0, 2, "\\\\") == 0) {
    size_t slash = path.find('\\', 2);
    if (slash != std::string::npos) slash = path.find('\\', slash + 1);
    return slash == std::string::npos ? path.size() : slash + 1;
  }
  return 0;
}

std::string WorkingDirectory() {
  return velm::Sys().getCurrentDirectory();
}

std::string FullPath(const std::string& path) {
  const DWORD size = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return {};
  std::string full(size, '\0');
  const DWORD got = GetFullPathNameA(path.c_str(), size, &full[0], nullptr);
  if (got == 0 || got >= size) return {};
  full.resize(got);
  return full;
}

bool SameFolder(const std::string& a, const std::string& b) {
  return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

// While it lives, a drive without a disc fails its call instead of asking the user to insert
// one: Windows otherwise puts up its "drive not ready" box from inside the file call.
class QuietDriveErrors {
 public:
  QuietDriveErrors() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {}
  ~QuietDriveErrors() { SetErrorMode(previous_); }
  QuietDriveErrors(const QuietDriveErrors&) = delete;
  QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

 private:
  UINT previous_;
};

// SetCurrentDirectoryA keeps one working directory for the process. The current folder of each
// other drive, which GetFullPathNameA("d:") answers with, lives in the hidden environment
// variable "=D:"; the C runtime's chdir keeps it and SetCurrentDirectoryA does not. The list
// keeps it too, so that going back to a drive returns to the folder left there.
void RememberDriveFolder(const std::string& folder) {
  const char letter = DriveOf(folder);
  if (!letter) return;
  const std::string name{'=', UpperLetter(letter), ':'};
  SetEnvironmentVariableA(name.c_str(), folder.c_str());
}

// `path` (a full path) with each folder's name as the file system holds it: "C:\PROGRA~1" and
// "c:\program files" both become "C:\Program Files". A name that cannot be looked up stays.
std::string AsNamedOnDisk(const std::string& path) {
  const size_t rootLength = RootLength(path);
  std::string named = path.substr(0, rootLength);
  if (DriveOf(named)) named[0] = UpperLetter(named[0]);
  QuietDriveErrors quiet;
  for (size_t at = rootLength; at < path.size();) {
    size_t end = path.find('\\', at);
    if (end == std::string::npos) end = path.size();
    std::string leaf = path.substr(at, end - at);
    if (!leaf.empty() && leaf.find_first_of("*?") == std::string::npos) {
      WIN32_FIND_DATAA found;
      if (FindHandle((named + leaf).c_str(), found).valid()) leaf = found.cFileName;
    }
    named += leaf;
    if (end < path.size()) named += '\\';
    at = end + 1;
  }
  return named;
}

// The drive's current folder, or its root when the system knows none.
std::string DriveFolder(char letter) {
  const std::string drive{letter, ':'};
  QuietDriveErrors quiet;
  std::string folder = FullPath(drive);
  return DriveOf(folder) == letter ? folder : DriveRoot(letter);
}

bool DriveReady(char letter) {
  QuietDriveErrors quiet;
  return velm::Sys().getFileAttributes(DriveRoot(letter)) != INVALID_FILE_ATTRIBUTES;
}

std::string VolumeLabel(char letter) {
  const std::string root = DriveRoot(letter);
  // A floppy would be read (and heard) each time the list is filled: its label is left out.
  if (GetDriveTypeA(root.c_str()) == DRIVE_REMOVABLE) return {};
  QuietDriveErrors quiet;
  char label[MAX_PATH + 1] = {};
  if (!GetVolumeInformationA(root.c_str(), label, sizeof label, nullptr, nullptr, nullptr, nullptr,
                             0))
    return {};
  return label;
}

// The folder glyph: a closed folder, or an open one with its front flap tilted forward.
void DrawFolderGlyph(HDC dc, int x, int y, bool open) {
  const GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, RGB(128, 96, 0)));
  const GdiObject<HBRUSH> back(CreateSolidBrush(RGB(255, 214, 90)));
  const GdiObject<HBRUSH> front(CreateSolidBrush(RGB(255, 238, 160)));
  const SelectedObject penSelected(dc, pen);
  const SelectedObject brushSelected(dc, back);
  const POINT body[] = {{x, y + 1},      {x + 5, y + 1},   {x + 6, y + 2},
                        {x + 13, y + 2}, {x + 13, y + 11}, {x, y + 11}};
  Polygon(dc, body, 6);
  SelectObject(dc, front);
  if (open) {
    const POINT flap[] = {{x + 3, y + 5}, {x + 16, y + 5}, {x + 13, y + 11}, {x, y + 11}};
    Polygon(dc, flap, 4);
  } else {
    Rectangle(dc, x, y + 4, x + 14, y + 12);
  }
}

}  // namespace

// ---- DirectoryList ----------------------------------------------------------------------------

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

const std::string& DirectoryList::folder() const {
  handle();
  return folder_;
}

int DirectoryList::itemCount() const {
  handle();
  return static_cast<int>(entries_.size());
}

const std::string& DirectoryList::itemPath(int index) const {
  handle();
  return entries_.at(index).path;
}

int DirectoryList::currentIndex() const {
  handle();
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
    return 0;
  }
  return CallWindowProcA(self->listProc_, hwnd, message, wParam, lParam);
}

bool DirectoryList::setFolder(const std::string& path) {
  handle();
  if (path.empty()) return false;
  std::string full = FullPath(path);
  if (full.empty()) return false;
  // The drive letter in upper case, as the system writes it: the working directory keeps the
  // letter as it was given.
  if (DriveOf(full)) full[0] = UpperLetter(full[0]);
  {
    QuietDriveErrors quiet;
    if (!velm::Sys().setCurrentDirectory(full)) return false;
  }
  std::string now = WorkingDirectory();
  if (now.empty()) now = full;
  // The folder as the file system names it, whatever letter case or short names the path used,
  // and the working directory written the same way.
  const std::string named = AsNamedOnDisk(now);
  if (named != now && velm::Sys().setCurrentDirectory(named)) now = WorkingDirectory();
  if (now.empty()) now = named;
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
  handle();
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
    const FindHandle search((base + "*").c_str(), found);
    if (search.valid()) {
      do {
        const std::string leaf = found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
            (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) || leaf == "." || leaf == "..")
          continue;
        subfolders.push_back(leaf);
      } while (search.next(found));
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

void DirectoryList::draw(const DRAWITEMSTRUCT& item) const {
  HDC dc = item.hDC;
  const RECT box = item.rcItem;
  FillRect(dc, &box, GetSysColorBrush(COLOR_WINDOW));
  if (item.itemID >= entries_.size()) return;  // an empty list draws only its focus
  const Entry& entry = entries_[item.itemID];
  const int x = box.left + 2 + entry.level * kIndent;
  DrawFolderGlyph(dc, x, box.top + (box.bottom - box.top - 12) / 2, entry.open);

  const SelectedObject font(dc, hfont_);
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
  if (message == WM_DRAWITEM) {
    draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    result = TRUE;
    return true;
  }
  return false;
}

// ---- DriveComboBox ----------------------------------------------------------------------------

DriveComboBox::DriveComboBox(Form& form, std::string name, int left, int top, int width, int height)
    : WindowControl(form, std::move(name), left, top, width, height),
      drive_(DriveOf(WorkingDirectory())) {}

void DriveComboBox::createHandle() {
  createWindow("COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS, 0);
  fill();
  setBounds(left_, top_, width_, height_);
}

char DriveComboBox::drive() const {
  handle();
  return drive_;
}

int DriveComboBox::itemCount() const {
  handle();
  return static_cast<int>(letters_.size());
}

char DriveComboBox::itemDrive(int index) const {
  handle();
  return letters_.at(index);
}

DriveComboBox::~DriveComboBox() {
  if (list_) list_->drives_ = nullptr;
}

void DriveComboBox::setBounds(int left, int top, int width, int height) {
  Control::setBounds(left, top, width, height);
  if (!hwnd_) return;
  // A combo box window's height is that of its open list; the closed box is as high as its
  // selection field, which is set to make the box the control's height.
  const LRESULT item = SendMessageA(hwnd_, CB_GETITEMHEIGHT, 0, 0);
  const int drop = (item > 0 ? static_cast<int>(item) : 13) * kDropDownItems + 2;
  MoveWindow(hwnd_, left, top, std::max(width, 0), std::max(height, 0) + drop, TRUE);
  fitHeight();
}

void DriveComboBox::fitHeight() {
  // Versions differ in what the field height set means (Wine adds 2 to it), so the height is
  // corrected from what the box then measures, starting from the field height it reports.
  LRESULT field = SendMessageA(hwnd_, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  for (int attempt = 0; attempt < 3 && field > 0; ++attempt) {
    RECT box{};
    GetWindowRect(hwnd_, &box);
    const int closed = box.bottom - box.top;
    if (closed == height_) return;
    field += height_ - closed;
    if (field <= 0) return;
    SendMessageA(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
  }
}

void DriveComboBox::fill() {
  letters_.clear();
  if (hwnd_) SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0);
  const DWORD mask = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(mask & (1u << i))) continue;
    const char letter = static_cast<char>('a' + i);
    std::string text{letter, ':'};
    const std::string label = labelled_ ? VolumeLabel(letter) : std::string();
    if (!label.empty()) text += " [" + label + "]";
    if (hwnd_) SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    letters_.push_back(letter);
  }
  select(drive_);
}

void DriveComboBox::refresh() {
  handle();
  labelled_ = true;
  fill();
}

void DriveComboBox::beforeShown() {
  if (!labelled_) refresh();
}

int DriveComboBox::indexOf(char letter) const {
  const auto at = std::find(letters_.begin(), letters_.end(), letter);
  return at == letters_.end() ? -1 : static_cast<int>(at - letters_.begin());
}

void DriveComboBox::select(char letter) {
  if (hwnd_) SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(indexOf(letter)), 0);
}

bool DriveComboBox::setDrive(char letter) {
  handle();
  letter = LowerLetter(letter);
  if (letter < 'a' || letter > 'z') return false;
  if (indexOf(letter) < 0) fill();  // a drive mapped since the list was filled
  if (indexOf(letter) < 0) {
    select(drive_);
    return false;
  }
  if (list_) {
    if (DriveOf(list_->folder()) != letter) {
      // The list follows the drive; its move chooses the drive here (followList). A drive whose
      // current folder has gone is entered at its root.
      if (!list_->setFolder(DriveFolder(letter)) && !list_->setFolder(DriveRoot(letter))) {
        select(drive_);
        return false;
      }
      return true;
    }
  } else if (!DriveReady(letter)) {
    select(drive_);
    return false;
  }
  drive_ = letter;
  select(drive_);
  return true;
}

void DriveComboBox::setDirList(DirectoryList* list) {
  if (list_ == list) return;
  if (list_) list_->drives_ = nullptr;
  list_ = list;
  if (!list_) return;
  if (list_->drives_) list_->drives_->list_ = nullptr;
  list_->drives_ = this;
  followList();
}

void DriveComboBox::followList() {
  if (!list_) return;
  // The list's own folder: a link made before the windows are does not make them.
  const char letter = DriveOf(list_->folder_);
  if (letter && indexOf(letter) < 0) fill();
  drive_ = letter;
  select(drive_);
}

void DriveComboBox::chooseSelected() {
  const LRESULT index = SendMessageA(hwnd_, CB_GETCURSEL, 0, 0);
  if (index < 0 || index >= static_cast<LRESULT>(letters_.size())) return;
  setDrive(letters_[static_cast<size_t>(index)]);
}

bool DriveComboBox::wantsKey(WPARAM key) const {
  // While the drive list is open, Enter and Escape close it rather than the form.
  return (key == VK_RETURN || key == VK_ESCAPE) &&
         SendMessageA(hwnd_, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
}

bool DriveComboBox::reflect(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message != WM_COMMAND) return false;
  result = 0;
  switch (HIWORD(wParam)) {
    case CBN_SELCHANGE:
      // Arrowing through the open list is not yet a choice: it is made when the list closes.
      // The order of the two notifications differs between versions, so each chooses what is
      // selected, and choosing the drive already chosen does nothing.
      if (!SendMessageA(hwnd_, CB_GETDROPPEDSTATE, 0, 0)) chooseSelected();
      return true;
    case CBN_CLOSEUP:
      chooseSelected();
      return true;
    case CBN_SELENDCANCEL:
      select(drive_);
      return true;
    default:
      return false;
  }
}

}  // namespace tk
