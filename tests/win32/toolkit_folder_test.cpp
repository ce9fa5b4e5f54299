// The directory list and the drive picker for real under Wine: the folder tree they show, moves
// of the working directory, exactly one change signal a move, per-drive current folders, and a
// drive that cannot be entered.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Application.h"
#include "Controls.h"
#include "FolderControls.h"
#include "Form.h"
#include "ModalDriver.h"
#include "TestFiles.h"
#include "TestForms.h"

namespace {

using velmtest::RunInLoop;

std::string FullPathOf(const std::string& path) {
  char full[MAX_PATH] = {};
  GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  return full;
}

char LowerLetter(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Lower(std::string text) {
  CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
  return text;
}

std::string ListText(HWND list, int index) {
  char text[MAX_PATH] = {};
  SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
  return text;
}

std::string ComboText(HWND combo, int index) {
  char text[MAX_PATH] = {};
  SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
  return text;
}

std::string SelectedDriveText(const tk::DriveComboBox& drives) {
  const auto index = SendMessageA(drives.handle(), CB_GETCURSEL, 0, 0);
  return index < 0 ? std::string() : ComboText(drives.handle(), static_cast<int>(index));
}

// A ready drive other than C, or 0. Wine's prefixes map Z: to the host's root folder.
char OtherReadyDrive() {
  const DWORD mask = GetLogicalDrives();
  for (char letter = 'z'; letter > 'c'; --letter) {
    if (!(mask & (1u << (letter - 'a')))) continue;
    const std::string root{letter, ':', '\\'};
    if (GetDriveTypeA(root.c_str()) == DRIVE_FIXED &&
        GetFileAttributesA(root.c_str()) != INVALID_FILE_ATTRIBUTES)
      return letter;
  }
  return 0;
}

// A drive letter mapped, for the test's life, to a folder that does not exist: the drive is
// listed but cannot be entered, as a CD drive without a disc. Wine keeps such mappings in the
// wineserver, so the test that makes one removes it whatever happens.
class UnreadyDrive {
 public:
  explicit UnreadyDrive(const std::string& missingFolder) {
    const DWORD mask = GetLogicalDrives();
    for (char c = 'q'; c <= 'y'; ++c) {
      if (mask & (1u << (c - 'a'))) continue;
      device_ = {static_cast<char>(c - 'a' + 'A'), ':'};
      if (DefineDosDeviceA(0, device_.c_str(), missingFolder.c_str())) {
        letter_ = c;
        return;
      }
    }
  }
  ~UnreadyDrive() {
    if (letter_) DefineDosDeviceA(DDD_REMOVE_DEFINITION, device_.c_str(), nullptr);
  }
  char letter() const { return letter_; }

 private:
  std::string device_;
  char letter_ = 0;
};

class FolderControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char longPath[MAX_PATH] = {};
    GetLongPathNameA(scratch_.path().c_str(), longPath, MAX_PATH);
    root_ = FullPathOf(longPath);
    if (root_[0] >= 'a' && root_[0] <= 'z') root_[0] = static_cast<char>(root_[0] - 'a' + 'A');
    ASSERT_TRUE(velmtest::IsFolder(root_)) << root_;
    for (const char* leaf : {"beta", "Alpha", "Gamma", "beta\\inner", "secret"})
      ASSERT_TRUE(CreateDirectoryA((root_ + "\\" + leaf).c_str(), nullptr)) << leaf;
    SetFileAttributesA((root_ + "\\secret").c_str(), FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(velmtest::WriteFileBytes(root_ + "\\notes.txt", ""));
    ASSERT_TRUE(SetCurrentDirectoryA(root_.c_str()));

    form_ = std::make_unique<tk::Form>(velmtest::FormSpecOf("Folders", 477, 218));
    list_ = &form_->add<tk::DirectoryList>("DirectoryListBox1", 288, 17, 177, 112);
    drives_ = &form_->add<tk::DriveComboBox>("DriveComboBox1", 288, 136, 177, 19);
    drives_->setDirList(list_);
    list_->onChange = [this](tk::DirectoryList& sender) { changes_.push_back(sender.folder()); };
  }

  int indexOfPath(const std::string& path) const {
    for (int i = 0; i < list_->itemCount(); ++i)
      if (lstrcmpiA(list_->itemPath(i).c_str(), path.c_str()) == 0) return i;
    return -1;
  }

  // Picks the drive's entry in the picker as the user does; false when it is not listed.
  bool chooseByHand(char letter) {
    const HWND combo = drives_->ensureHandle();
    int index = -1;
    for (int i = 0; i < drives_->itemCount(); ++i)
      if (drives_->itemDrive(i) == letter) index = i;
    if (index < 0) return false;
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    // What the box tells its parent when the user picks an entry.
    SendMessageA(form_->handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    return true;
  }

  // The list's folder is the working directory, and the picker shows the list's drive.
  void expectInStep(const char* where) const {
    EXPECT_EQ(velmtest::CurrentFolder(), list_->folder()) << where;
    const char drive = LowerLetter(list_->folder()[0]);
    EXPECT_EQ(drives_->drive(), drive) << where;
    EXPECT_EQ(SelectedDriveText(*drives_).substr(0, 2), std::string({drive, ':'})) << where;
  }

  velmtest::ScratchFolder scratch_{"folders"};  // left and removed after the form has gone
  std::string root_;
  std::unique_ptr<tk::Form> form_;
  tk::DirectoryList* list_ = nullptr;
  tk::DriveComboBox* drives_ = nullptr;
  std::vector<std::string> changes_;
};

TEST_F(FolderControlsTest, ListShowsTheAncestorsOpenThenTheSubfoldersSorted) {
  EXPECT_EQ(list_->folder(), root_);
  const HWND list = list_->handle();
  EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), 16);
  ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), list_->itemCount());

  // The root, then one entry for each folder down to the current one.
  EXPECT_EQ(list_->itemPath(0), root_.substr(0, 3));
  EXPECT_EQ(ListText(list, 0), root_.substr(0, 3));
  const int current = list_->currentIndex();
  EXPECT_EQ(list_->itemPath(current), root_);
  EXPECT_EQ(ListText(list, current), root_.substr(root_.rfind('\\') + 1));
  for (int i = 1; i < current; ++i) {
    const std::string path = list_->itemPath(i);
    EXPECT_EQ(root_.compare(0, path.size() + 1, path + "\\"), 0) << path;
    EXPECT_EQ(ListText(list, i), path.substr(path.rfind('\\') + 1));
  }
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), current);

  // Subfolders only, without hidden ones, in name order whatever the letter case.
  std::vector<std::string> below;
  for (int i = current + 1; i < list_->itemCount(); ++i) below.push_back(ListText(list, i));
  EXPECT_EQ(below, (std::vector<std::string>{"Alpha", "beta", "Gamma"}));
  EXPECT_EQ(list_->itemPath(current + 2), root_ + "\\beta");
  EXPECT_TRUE(changes_.empty());
}

TEST_F(FolderControlsTest, SetFolderMovesTheWorkingDirectoryAndSignalsOnlyRealChanges) {
  const struct {
    std::string path;
    bool accepted;
    std::string folderAfter;
    size_t changesAfter;
  } steps[] = {
      {root_ + "\\beta", true, root_ + "\\beta", 1},
      {Lower(root_ + "\\BETA\\"), true, "", 1},  // the same folder written otherwise
      {root_ + "\\missing", false, root_ + "\\beta", 1},
      {"", false, root_ + "\\beta", 1},
      {"inner", true, root_ + "\\beta\\inner", 2},  // relative to the working directory
      {"..\\..", true, root_, 3},
      {root_.substr(0, 3), true, root_.substr(0, 3), 4},
  };
  for (const auto& step : steps) {
    EXPECT_EQ(list_->setFolder(step.path), step.accepted) << step.path;
    if (!step.folderAfter.empty()) {
      EXPECT_EQ(list_->folder(), step.folderAfter) << step.path;
    }
    EXPECT_EQ(changes_.size(), step.changesAfter) << step.path;
    expectInStep(step.path.c_str());
  }
  EXPECT_EQ(changes_, (std::vector<std::string>{root_ + "\\beta", root_ + "\\beta\\inner", root_,
                                                root_.substr(0, 3)}));
}

TEST_F(FolderControlsTest, FolderIsGivenAsTheFileSystemNamesIt) {
  const std::string longName = root_ + "\\Long folder name";
  ASSERT_TRUE(CreateDirectoryA(longName.c_str(), nullptr));
  char shortName[MAX_PATH] = {};
  ASSERT_GT(GetShortPathNameA(longName.c_str(), shortName, MAX_PATH), 0u);
  ASSERT_NE(std::string(shortName), longName) << "no short names here";
  ASSERT_TRUE(list_->setFolder(shortName));
  EXPECT_EQ(list_->folder(), longName);
  EXPECT_EQ(ListText(list_->handle(), list_->currentIndex()), "Long folder name");
  expectInStep("short name");
  ASSERT_TRUE(list_->setFolder(Lower(root_)));
  EXPECT_EQ(list_->folder(), root_);
  expectInStep("lower case");
}

TEST_F(FolderControlsTest, DoubleClickAndEnterOpenTheSelectedEntry) {
  const HWND list = list_->ensureHandle();
  EXPECT_TRUE(list_->wantsKey(VK_RETURN));
  EXPECT_FALSE(list_->wantsKey(VK_ESCAPE));
  EXPECT_FALSE(list_->wantsKey(VK_TAB));

  // A double-click on a subfolder goes into it.
  const int gamma = indexOfPath(root_ + "\\Gamma");
  ASSERT_GE(gamma, 0);
  SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(gamma), 0);
  RECT item{};
  SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(gamma), reinterpret_cast<LPARAM>(&item));
  const LPARAM at = MAKELPARAM(item.left + 20, (item.top + item.bottom) / 2);
  SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(list, WM_LBUTTONUP, 0, at);
  SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageA(list, WM_LBUTTONUP, 0, at);
  EXPECT_EQ(list_->folder(), root_ + "\\Gamma");
  EXPECT_EQ(changes_, std::vector<std::string>{root_ + "\\Gamma"});
  expectInStep("double-click");

  // Enter on an ancestor goes up to it; Enter on the current folder changes nothing.
  const int parent = list_->currentIndex() - 1;
  SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(parent), 0);
  SendMessageA(list, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(list_->folder(), root_);
  ASSERT_EQ(changes_.size(), 2u);
  SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(list_->currentIndex()), 0);
  SendMessageA(list, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(changes_.size(), 2u);
  expectInStep("enter");
}

TEST_F(FolderControlsTest, EntryRemovedSinceTheListWasFilledIsNotEntered) {
  const int alpha = indexOfPath(root_ + "\\Alpha");
  ASSERT_GE(alpha, 0);
  ASSERT_TRUE(RemoveDirectoryA((root_ + "\\Alpha").c_str()));
  SendMessageA(list_->handle(), LB_SETCURSEL, static_cast<WPARAM>(alpha), 0);
  list_->openSelected();
  EXPECT_EQ(list_->folder(), root_);
  EXPECT_TRUE(changes_.empty());
  EXPECT_EQ(indexOfPath(root_ + "\\Alpha"), -1);  // the list shows what is there now
  expectInStep("removed entry");
}

TEST_F(FolderControlsTest, EnterInTheListOpensAFolderInsteadOfPressingTheDefaultButton) {
  auto& ok = form_->add<tk::Button>("BitBtn1", 128, 176, 105, 25, "OK");
  auto& cancel = form_->add<tk::Button>("BitBtn2", 256, 176, 105, 25, "Cancel");
  ok.modalResult = tk::mrOk;
  cancel.modalResult = tk::mrCancel;
  ok.tabOrder = 2;
  cancel.tabOrder = 3;
  list_->tabOrder = 0;
  drives_->tabOrder = 1;
  form_->defaultButton = &ok;
  form_->cancelButton = &cancel;
  const int beta = indexOfPath(root_ + "\\beta");
  SendMessageA(list_->handle(), LB_SETCURSEL, static_cast<WPARAM>(beta), 0);
  // From inside the modal loop, once the form is up for input (keys reach only the active
  // window): Enter queued for the focused list, then a click on the cancel button.
  RunInLoop type(
      [&] {
        PostMessageA(list_->handle(), WM_KEYDOWN, VK_RETURN, 0);
        PostMessageA(cancel.handle(), BM_CLICK, 0, 0);
      },
      form_->handle());
  EXPECT_EQ(form_->showModal(), tk::mrCancel);
  EXPECT_EQ(list_->folder(), root_ + "\\beta");
  EXPECT_EQ(changes_.size(), 1u);
}

TEST_F(FolderControlsTest, DrivePickerListsEveryDriveInLowerCase) {
  // Another test may map a drive letter meanwhile (the wineserver is shared): a drive counts as
  // expected when it is there both before and after the picker is filled, and may be shown
  // when it is there at either time.
  const DWORD before = GetLogicalDrives();
  drives_->refresh();
  const DWORD after = GetLogicalDrives();
  ASSERT_EQ(SendMessageA(drives_->handle(), CB_GETCOUNT, 0, 0), drives_->itemCount());
  DWORD shownMask = 0;
  for (int i = 0; i < drives_->itemCount(); ++i) {
    const std::string text = ComboText(drives_->handle(), i);
    const char letter = drives_->itemDrive(i);
    ASSERT_TRUE(letter >= 'a' && letter <= 'z') << int(letter);
    if (i > 0) {
      EXPECT_LT(drives_->itemDrive(i - 1), letter);
    }
    shownMask |= 1u << (letter - 'a');
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(0, 2), std::string({letter, ':'}));
    // "c:" alone, or "c: [label]".
    if (text.size() > 2) {
      EXPECT_EQ(text.substr(2, 2), " [") << text;
      EXPECT_EQ(text.back(), ']') << text;
    }
  }
  EXPECT_EQ(shownMask & before & after, before & after);
  EXPECT_EQ(shownMask & ~(before | after), 0u);
  RECT box{};
  GetWindowRect(drives_->handle(), &box);
  EXPECT_EQ(box.bottom - box.top, 19);  // the closed box, as laid out
  expectInStep("start");
}

TEST_F(FolderControlsTest, SameDriveMovesNothing) {
  ASSERT_TRUE(list_->setFolder(root_ + "\\beta\\inner"));
  changes_.clear();
  for (char letter : {'c', 'C'}) {
    EXPECT_TRUE(drives_->setDrive(letter));
    EXPECT_EQ(list_->folder(), root_ + "\\beta\\inner");
    EXPECT_TRUE(changes_.empty());
    expectInStep("same drive");
  }
}

TEST_F(FolderControlsTest, OtherDriveMovesTheListToThatDrivesCurrentFolderAndBack) {
  const char other = OtherReadyDrive();
  if (!other) GTEST_SKIP() << "no second drive";
  ASSERT_TRUE(list_->setFolder(root_ + "\\beta"));
  changes_.clear();
  const std::string otherFolder = FullPathOf(std::string{other, ':'});

  ASSERT_TRUE(drives_->setDrive(other));
  EXPECT_EQ(drives_->drive(), other);
  EXPECT_EQ(Lower(list_->folder()), Lower(otherFolder.size() > 3 && otherFolder.back() == '\\'
                                              ? otherFolder.substr(0, otherFolder.size() - 1)
                                              : otherFolder));
  ASSERT_EQ(changes_.size(), 1u);
  expectInStep("other drive");
  EXPECT_TRUE(drives_->setDrive(other));  // already there
  EXPECT_EQ(changes_.size(), 1u);

  // Going into a folder there, then back to C, then to the other drive again: each drive is
  // entered where it was left.
  ASSERT_GT(list_->itemCount(), list_->currentIndex() + 1) << "no folder on " << other;
  const std::string there = list_->itemPath(list_->currentIndex() + 1);
  ASSERT_TRUE(list_->setFolder(there));
  ASSERT_TRUE(drives_->setDrive('C'));
  EXPECT_EQ(list_->folder(), root_ + "\\beta");
  expectInStep("back on C");
  ASSERT_TRUE(drives_->setDrive(other));
  EXPECT_EQ(list_->folder(), there);
  expectInStep("back on the other drive");
  EXPECT_EQ(changes_,
            (std::vector<std::string>{list_->itemPath(0), there, root_ + "\\beta", there}));
}

TEST_F(FolderControlsTest, ChoosingADriveByHandDoesTheSame) {
  const char other = OtherReadyDrive();
  if (!other) GTEST_SKIP() << "no second drive";
  ASSERT_TRUE(chooseByHand(other));
  EXPECT_EQ(changes_.size(), 1u);
  EXPECT_EQ(LowerLetter(list_->folder()[0]), other);
  expectInStep("chosen");
  ASSERT_TRUE(chooseByHand(other));
  EXPECT_EQ(changes_.size(), 1u);

  // The keyboard on the closed box: Home picks the first drive, which is C here.
  ASSERT_EQ(drives_->itemDrive(0), 'c');
  SendMessageA(drives_->handle(), WM_KEYDOWN, VK_HOME, 0);
  EXPECT_EQ(list_->folder(), root_);
  EXPECT_EQ(changes_.size(), 2u);
  expectInStep("home key");
}

TEST_F(FolderControlsTest, DriveThatCannotBeEnteredIsRefusedAndTheOldOneStays) {
  UnreadyDrive unready(root_ + "\\missing");
  if (!unready.letter()) GTEST_SKIP() << "cannot map a drive letter";
  const std::string root{unready.letter(), ':', '\\'};
  ASSERT_FALSE(SetCurrentDirectoryA(root.c_str())) << "the mapped drive can be entered";
  ASSERT_TRUE(list_->setFolder(root_ + "\\beta"));
  changes_.clear();

  // Set from code: the new drive is found although it was mapped after the picker was filled.
  EXPECT_FALSE(drives_->setDrive(unready.letter()));
  EXPECT_EQ(drives_->drive(), 'c');
  EXPECT_EQ(list_->folder(), root_ + "\\beta");
  EXPECT_TRUE(changes_.empty());
  expectInStep("refused from code");

  // Chosen by hand: the box goes back to the drive before.
  ASSERT_TRUE(chooseByHand(unready.letter()));
  EXPECT_TRUE(changes_.empty());
  expectInStep("refused by hand");

  // Letters that are no drive at all.
  const DWORD mask = GetLogicalDrives();
  for (char letter = 'd'; letter <= 'y'; ++letter) {
    if (mask & (1u << (letter - 'a'))) continue;
    EXPECT_FALSE(drives_->setDrive(letter)) << letter;
    break;
  }
  EXPECT_FALSE(drives_->setDrive('?'));
  EXPECT_FALSE(drives_->setDrive('\0'));
  EXPECT_TRUE(changes_.empty());
  expectInStep("no drive");
}

TEST_F(FolderControlsTest, PickerFollowsTheListWhenItIsMovedFromCode) {
  const char other = OtherReadyDrive();
  if (!other) GTEST_SKIP() << "no second drive";
  ASSERT_TRUE(list_->setFolder(std::string{other, ':', '\\'}));
  EXPECT_EQ(changes_.size(), 1u);
  expectInStep("moved from code");
  // A second picker linked to the same list takes the link over.
  auto& second = form_->add<tk::DriveComboBox>("DriveComboBox2", 8, 8, 100, 19);
  second.setDirList(list_);
  EXPECT_EQ(second.drive(), other);
  EXPECT_EQ(drives_->dirList(), nullptr);
  ASSERT_TRUE(second.setDrive('c'));
  EXPECT_EQ(list_->folder(), root_);
  EXPECT_EQ(changes_.size(), 2u);
}

}  // namespace
