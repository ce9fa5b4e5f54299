// The folder controls of the windowing layer: a directory list that shows the current folder as
// an indented tree of its ancestors followed by its subfolders, and a drive picker linked to it.
// The list navigates by moving the process's working directory, so after every move of the list
// the working directory is the list's current folder.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Form.h"

namespace tk {

class DriveComboBox;

// A list box of folders: the root, each ancestor of the current folder and the current folder
// itself (open folders, one level of indent each), then the current folder's subfolders. A
// double-click or Enter on an entry makes it the current folder.
class DirectoryList : public WindowControl {
 public:
  static constexpr int kItemHeight = 16;

  // Starts at the working directory.
  DirectoryList(Form& form, std::string name, int left, int top, int width, int height);
  ~DirectoryList() override;

  // The current folder, a full path: "C:\Program Files", or "C:\" for a root.
  const std::string& folder() const;
  // Makes `path` (full, or relative to the working directory) the current folder and the
  // working directory. False, with nothing changed, when the folder cannot be entered.
  // onChange runs when the current folder is another one than before.
  bool setFolder(const std::string& path);
  // Reads the subfolders again.
  void refresh();
  // Opens the selected entry, as a double-click does.
  void openSelected();

  // Runs each time the current folder changes.
  std::function<void(DirectoryList& sender)> onChange;

  // The entries as shown: the full path of entry `index`, and how many there are.
  int itemCount() const;
  const std::string& itemPath(int index) const;
  // The index of the current folder's own entry.
  int currentIndex() const;

  bool wantsKey(WPARAM key) const override;
  bool reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 protected:
  void createHandle() override;

 private:
  friend class DriveComboBox;
  struct Entry {
    std::string name;  // as shown
    std::string path;  // full path
    int level;         // indent
    bool open;         // an ancestor or the current folder
  };
  static LRESULT CALLBACK KeyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static std::string MoveWorkingDirectory(const std::string& full);
  void fill();
  void drawItem(const DRAWITEMSTRUCT& item) const override;

  std::string folder_;
  std::vector<Entry> entries_;
  int current_ = -1;
  WNDPROC listProc_ = nullptr;
  DriveComboBox* drives_ = nullptr;
};

// A drop-down list of the drives, "c: [label]", linked to a directory list. Choosing a drive
// other than the list's moves the list to that drive's current folder; a drive that cannot be
// entered (no disc) is refused and the previous one stays chosen.
class DriveComboBox : public WindowControl {
 public:
  DriveComboBox(Form& form, std::string name, int left, int top, int width, int height);
  ~DriveComboBox() override;

  // The chosen drive, a lower-case letter, or 0 when none is.
  char drive() const;
  // Chooses drive `letter` (either case), as choosing it by hand does. When the linked list is
  // on another drive, it moves to that drive's current folder and signals a change; on the same
  // drive nothing moves. False, with nothing changed, for a drive that is missing or not ready.
  bool setDrive(char letter);

  void setDirList(DirectoryList* list);
  DirectoryList* dirList() const { return list_; }
  // Reads the drives again (a drive mapped or removed since).
  void refresh();

  // The entries as shown: the drive letter of entry `index`, and how many there are.
  int itemCount() const;
  char itemDrive(int index) const;

  void setBounds(int left, int top, int width, int height) override;
  bool wantsKey(WPARAM key) const override;
  bool reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void beforeShown() override;

 protected:
  void createHandle() override;

 private:
  friend class DirectoryList;
  void fill();
  void fitHeight();
  int indexOf(char letter) const;
  void select(char letter);
  void followList();
  void chooseSelected();

  std::vector<char> letters_;
  // Whether the entries carry the drives' volume labels, which are read only once the form is
  // about to be seen: asking each drive for its label is slow, and a dialog made but never
  // shown (the program makes one at start-up) has no need of them.
  bool labelled_ = false;
  char drive_ = 0;
  DirectoryList* list_ = nullptr;
};

}  // namespace tk
