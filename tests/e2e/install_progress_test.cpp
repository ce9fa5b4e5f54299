// The installation from a disc with a large data file, as a person follows it: the progress bar
// read from outside moves, the large file arrives as CopyFileA would leave it; Άκυρο while
// copying takes back exactly what the installation made (a new folder, a folder holding a
// user's file); from a drive as slow as a CD-ROM the bar moves file by file; and a drive too
// small is refused before anything is made.
#include <commctrl.h>

#include <set>

#include "install_support.h"

namespace e2e {
namespace install {
namespace {

constexpr unsigned long long kLargeBytes = 512ull << 20;

class installProgressE2e : public ::testing::Test {
 protected:
  uninstall::MovedDesktop desktop_{"Desktop-progress-e2e"};
  SettingsFile settings_;
  std::string disc_ = TestFolder() + "\\disc";
  std::string base_ = TestFolder() + "\\target";

  // The sample disc with its last data file large (sparse: it reads as zeros).
  void SetUp() override {
    ASSERT_TRUE(velmtest::CopyTree(SampleDisc(), disc_));
    const std::string large = disc_ + "\\" + velm::kDataFiles[2];
    SetFileAttributesA(large.c_str(), FILE_ATTRIBUTE_NORMAL);
    const HANDLE file = CreateFileA(large.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LONG high = static_cast<LONG>(kLargeBytes >> 32);
    SetFilePointer(file, static_cast<LONG>(kLargeBytes & 0xFFFFFFFF), &high, FILE_BEGIN);
    ASSERT_TRUE(SetEndOfFile(file));
    CloseHandle(file);
    SetFileAttributesA(large.c_str(), FILE_ATTRIBUTE_READONLY);
  }
  static HWND ProgressBar(HWND dialog) {
    const std::vector<HWND> bars = Children(dialog, PROGRESS_CLASSA);
    return bars.empty() ? nullptr : bars[0];
  }
  static int Position(HWND bar) {
    DWORD_PTR position = 0;
    SendMessageTimeoutA(bar, PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, 5000, &position);
    return static_cast<int>(position);
  }
  // Types `folder`, presses OK and waits for the bar to have moved, but not to its end.
  HWND StartCopying(const Running& app, const std::string& folder) {
    HWND dialog = OpenFolderDialog(app);
    if (!dialog) return nullptr;
    TypeFolder(dialog, folder);
    Press(dialog, "OK");
    HWND bar = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (bar = ProgressBar(dialog)) && Position(bar) > 0; }, 60000));
    return dialog;
  }
  // Presses Άκυρο while copying: the one message, the dialog closed as cancelled.
  void CancelCopying(const Running& app, HWND dialog) {
    Press(dialog, "Άκυρο");
    HWND box = app.process->waitForMessageBox(60000);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(WaitUntilReadyForInput(box));
    EXPECT_EQ(MessageBoxText(box), velm::kInstallCancelledMessage);
    AnswerMessageBox(box);
    EXPECT_TRUE(WaitUntil([dialog] { return !IsWindow(dialog); }));
    EXPECT_TRUE(app.process->running());
    EXPECT_FALSE(Exists(desktop_.path() + "\\" + velm::kDictionaryShortcutName));
    EXPECT_EQ(settings_.bytes(), "");
  }
};

TEST_F(installProgressE2e, TheBarMovesByBytesAndTheLargeFileArrivesAsCopyFileLeavesIt) {
  Running app = StartInstallEntry(disc_);
  ASSERT_NE(app.window, nullptr);
  HWND dialog = StartCopying(app, base_);
  ASSERT_NE(dialog, nullptr);
  HWND bar = ProgressBar(dialog);
  const int first = Position(bar);
  EXPECT_LT(first, 1000);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(bar) || Position(bar) > first; }, 60000));
  EXPECT_FALSE(IsWindowEnabled(ButtonOf(dialog, "OK"))) << "OK can be pressed twice";

  HWND box = app.process->waitForMessageBox(120000);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), kDoneMessage);
  AnswerMessageBox(box);
  WIN32_FILE_ATTRIBUTE_DATA from{}, to{};
  const std::string data = velm::kDataFiles[2];
  ASSERT_TRUE(GetFileAttributesExA((disc_ + "\\" + data).c_str(), GetFileExInfoStandard, &from));
  ASSERT_TRUE(GetFileAttributesExA((base_ + "\\" + data).c_str(), GetFileExInfoStandard, &to));
  EXPECT_EQ(to.nFileSizeLow, from.nFileSizeLow);
  EXPECT_EQ(to.nFileSizeHigh, from.nFileSizeHigh);
  EXPECT_EQ(CompareFileTime(&to.ftLastWriteTime, &from.ftLastWriteTime), 0);
  EXPECT_TRUE(to.dwFileAttributes & FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(FileBytes(base_ + "\\" + velm::kDataFiles[0]),
            FileBytes(disc_ + "\\" + velm::kDataFiles[0]));
}

// From the pressed disc in a drive as slow as a 4x CD-ROM (Q:, see slow-drive.sh) the bar, read
// from outside while the files come, moves through the installation, and the disc arrives whole.
TEST_F(installProgressE2e, FromASlowDriveTheBarMovesFileByFileAndTheDiscArrivesWhole) {
  const std::string drive = "Q:";
  ASSERT_TRUE(Exists(drive + "\\" + velm::kProgramFile)) << "no slow drive Q:";
  Running app = StartInstallEntry(drive + "\\");
  ASSERT_NE(app.window, nullptr);
  HWND dialog = StartCopying(app, base_);
  ASSERT_NE(dialog, nullptr);
  HWND bar = ProgressBar(dialog);
  std::set<int> positions;
  HWND box = nullptr;
  WaitUntil(
      [&] {
        if (IsWindow(bar)) positions.insert(Position(bar));
        return (box = app.process->waitForMessageBox(0)) != nullptr;
      },
      120000, 10);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), kDoneMessage);
  AnswerMessageBox(box);
  // Seen past its start, and then further on.
  positions.erase(0);
  EXPECT_GE(positions.size(), 2u) << "the bar stood still while the files came";
  EXPECT_EQ(Snapshot(base_), ExpectedInstallation(drive));
}

TEST_F(installProgressE2e, CancelTakesBackANewFolderWholeAndLeavesAUsersFileWithItsFolder) {
  Running app = StartInstallEntry(disc_);
  ASSERT_NE(app.window, nullptr);
  // A new folder whose parent is new too: both go.
  HWND dialog = StartCopying(app, base_ + "\\Λεξικό");
  ASSERT_NE(dialog, nullptr);
  CancelCopying(app, dialog);
  EXPECT_FALSE(Exists(base_));

  // A folder of the user's, with a file in it and in its own "Data": only they stay.
  ASSERT_TRUE(MakeFolders(base_ + "\\Data"));
  ASSERT_TRUE(WriteFileBytes(base_ + "\\notes.txt", "mine"));
  ASSERT_TRUE(WriteFileBytes(base_ + "\\Data\\mine.tbo", "mine too"));
  const Tree before = Snapshot(base_);
  dialog = StartCopying(app, base_);
  ASSERT_NE(dialog, nullptr);
  CancelCopying(app, dialog);
  EXPECT_EQ(Snapshot(base_), before) << ::testing::PrintToString(Names(Snapshot(base_)));
}

TEST_F(installProgressE2e, ADriveTooSmallIsRefusedBeforeAnythingIsMade) {
  ULARGE_INTEGER free{}, total{}, all{};
  ASSERT_TRUE(GetDiskFreeSpaceExA("S:\\", &free, &total, &all)) << "no small drive S:";
  unsigned long long needed = kLargeBytes;
  for (const std::string& file : {std::string(velm::kProgramFile), std::string(velm::kDataFiles[0]),
                                  std::string(velm::kDataFiles[1])})
    needed += FileBytes(disc_ + "\\" + file).size();
  for (const char* file : kManifestFiles) needed += FileBytes(disc_ + "\\content\\" + file).size();
  const std::string expected =
      velm::NoSpaceMessage((needed + (1 << 20) - 1) >> 20, free.QuadPart >> 20);

  Running app = StartInstallEntry(disc_);
  ASSERT_NE(app.window, nullptr);
  HWND dialog = OpenFolderDialog(app);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(InstallInto(app, dialog, "S:\\Tolvan"), std::vector<std::string>{expected});
  EXPECT_TRUE(IsWindow(dialog));
  EXPECT_TRUE(Snapshot("S:").empty());
  Press(dialog, "Άκυρο");
  EXPECT_TRUE(WaitUntil([dialog] { return !IsWindow(dialog); }));
}

}  // namespace
}  // namespace install
}  // namespace e2e
