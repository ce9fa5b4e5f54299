// The drive picker (see FolderControls.h).
#include <algorithm>

#include "FolderControls.h"
#include "FolderPaths.h"

namespace tk {

using namespace folders;

namespace {

constexpr int kDropDownItems = 8;  // drives the open drive list shows without scrolling

}  // namespace

DriveComboBox::DriveComboBox(Form& form, std::string name, int left, int top, int width, int height)
    : WindowControl(form, std::move(name), left, top, width, height),
      drive_(DriveOf(WorkingDirectory())) {}

void DriveComboBox::createHandle() {
  createWindow("COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS, 0);
  fill();
  setBounds(left_, top_, width_, height_);
}

char DriveComboBox::drive() const {
  form_.create();
  return drive_;
}

int DriveComboBox::itemCount() const {
  form_.create();
  return static_cast<int>(letters_.size());
}

char DriveComboBox::itemDrive(int index) const {
  form_.create();
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
  form_.create();
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
  form_.create();
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
