// The installation as a person runs it from the test host's install entry on a real disc folder
// (read-only "Tolvan.exe", the data files, a nested manifest with Greek names and files before
// its first folder line): what lands on disk byte for byte, the shortcut and the settings file,
// installing again, an existing folder, a relative folder, manifest lines reaching outside, and
// folders refused with the dialog kept open. The program keeps running after every flow.
#include "install_support.h"

namespace e2e {
namespace install {
namespace {

using uninstall::MovedDesktop;

class installE2e : public ::testing::Test {
 protected:
  MovedDesktop desktop_{"Desktop-install-e2e"};
  SettingsFile settings_;
  const std::string base_ = "C:\\Δοκιμή εγκατάστασης";
  velmtest::ScratchFolder scratch_{velmtest::ScratchFolder::At{base_, false}};  // not made

  std::string shortcut() const { return desktop_.path() + "\\" + velm::kDictionaryShortcutName; }
};

TEST_F(installE2e, NewFolderGetsEveryFileByteForByteThenInstallingAgainChangesNothing) {
  ASSERT_TRUE(IsFolder(SampleDisc()));
  ASSERT_FALSE(Writable(SampleDisc() + "\\" + velm::kProgramFile))
      << "the disc's program is not read-only";
  Running app = StartInstallEntry(SampleDisc());
  ASSERT_NE(app.window, nullptr);
  // A new folder whose parent is new too.
  const std::string folder = base_ + "\\Ιατρικό Λεξικό";

  HWND dialog = OpenFolderDialog(app);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(InstallInto(app, dialog, folder), std::vector<std::string>{kDoneMessage});

  const Tree installed = Snapshot(folder);
  EXPECT_EQ(installed, ExpectedInstallation(SampleDisc()))
      << ::testing::PrintToString(Names(installed));
  EXPECT_TRUE(Writable(folder + "\\" + velm::kProgramFile)) << "the installed program is read-only";
  const ShortcutProperties link = ReadShortcut(shortcut());
  ASSERT_TRUE(link.loaded) << "no shortcut on the desktop";
  EXPECT_EQ(link.target, folder + "\\" + velm::kProgramFile);
  EXPECT_EQ(link.arguments, "");
  EXPECT_EQ(link.workingFolder, folder);
  EXPECT_EQ(settings_.bytes(), folder + "\r\n");
  EXPECT_TRUE(app.process->running());
  EXPECT_TRUE(IsWindowEnabled(app.window));

  // Again into the same folder: every copy and folder fails, nothing installed changes, and the
  // program file is there, so only the dialog's message shows.
  DeleteFileA(shortcut().c_str());
  HWND again = OpenFolderDialog(app);
  ASSERT_NE(again, nullptr) << "the entry did not open a second dialog";
  EXPECT_EQ(InstallInto(app, again, folder), std::vector<std::string>{kProblemMessage});
  EXPECT_EQ(Snapshot(folder), installed);
  EXPECT_TRUE(Exists(shortcut())) << "the shortcut is written again";
  EXPECT_EQ(settings_.bytes(), folder + "\r\n");
  EXPECT_TRUE(app.process->running());
}

TEST_F(installE2e, ExistingFoldersWithoutDataAreCompletedAndSucceed) {
  // An empty folder, and one as a removal leaves it when the user's own file is in it; one flow
  // after the other in the same program.
  const std::string empty = base_ + "\\Κενός";
  const std::string kept = base_ + "\\Tolvan";
  ASSERT_TRUE(MakeFolders(empty));
  ASSERT_TRUE(MakeFolders(kept));
  ASSERT_TRUE(WriteFileBytes(kept + "\\σημειώσεις.txt", "notes"));
  Running app = StartInstallEntry(SampleDisc());
  ASSERT_NE(app.window, nullptr);

  for (const std::string& folder : {empty, kept}) {
    SCOPED_TRACE(folder);
    HWND dialog = OpenFolderDialog(app);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(InstallInto(app, dialog, folder), std::vector<std::string>{kDoneMessage});
  }
  EXPECT_EQ(Snapshot(empty), ExpectedInstallation(SampleDisc()));
  Tree expected = ExpectedInstallation(SampleDisc());
  expected["σημειώσεις.txt"] = Digest("notes");
  EXPECT_EQ(Snapshot(kept), expected);
  EXPECT_EQ(settings_.bytes(), kept + "\r\n");
  EXPECT_TRUE(app.process->running());
}

TEST_F(installE2e, RelativeFolderIsTakenFromTheListsFolderForEveryStep) {
  // The dialog puts its list on drive C, whose current folder for the program is its root; a
  // relative folder typed then names a folder there, and the copies, the shortcut and the
  // settings file all get that one absolute path (not one under the disc, where the copies run).
  Running app = StartInstallEntry(SampleDisc());
  ASSERT_NE(app.window, nullptr);
  HWND dialog = OpenFolderDialog(app);
  ASSERT_NE(dialog, nullptr);
  const std::string relative = "Δοκιμή εγκατάστασης\\Σχετικός";
  const std::string folder = "C:\\" + relative;

  EXPECT_EQ(InstallInto(app, dialog, relative), std::vector<std::string>{kDoneMessage});
  EXPECT_EQ(Snapshot(folder), ExpectedInstallation(SampleDisc()));
  EXPECT_FALSE(Exists(SampleDisc() + "\\Δοκιμή εγκατάστασης")) << "written under the disc";
  const ShortcutProperties link = ReadShortcut(shortcut());
  EXPECT_EQ(link.target, folder + "\\" + velm::kProgramFile);
  EXPECT_EQ(link.workingFolder, folder);
  EXPECT_EQ(settings_.bytes(), folder + "\r\n");
}

TEST_F(installE2e, ManifestLinesReachingOutsideTheFolderWriteNothingAndCountAsProblems) {
  // A disc whose manifest also names files outside "content" and outside the chosen folder; the
  // sources are there, so only the rule keeps them from being copied.
  const std::string disc = base_ + "\\Δίσκος";
  ASSERT_TRUE(MakeFolders(disc + "\\content\\sub"));
  ASSERT_TRUE(CopyFileA((SampleDisc() + "\\" + velm::kProgramFile).c_str(),
                        (disc + "\\" + velm::kProgramFile).c_str(), FALSE));
  ASSERT_TRUE(CopyTree(SampleDisc() + "\\Data", disc + "\\Data"));
  ASSERT_TRUE(CopyCatalogue(disc));
  ASSERT_TRUE(WriteFileBytes(base_ + "\\outside.txt", "outside"));
  ASSERT_TRUE(WriteFileBytes(disc + "\\content\\kept.txt", "kept"));
  ASSERT_TRUE(
      WriteFileBytes(disc + "\\" + velm::kInstallManifestPath,
                     "kept.txt\r\n..\\..\\outside.txt\r\nsub\\\r\n..\\..\\..\\outside.txt\r\n"
                     "..\\\r\n" +
                         base_ + "\\outside.txt\r\n"));
  const std::string folder = base_ + "\\Στόχος\\Tolvan";

  Running app = StartInstallEntry(disc);
  ASSERT_NE(app.window, nullptr);
  HWND dialog = OpenFolderDialog(app);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(InstallInto(app, dialog, folder), std::vector<std::string>{kProblemMessage});

  EXPECT_EQ(FileBytes(folder + "\\Content\\kept.txt"), "kept");
  EXPECT_TRUE(IsFolder(folder + "\\Content\\sub"));
  // "..\..\outside.txt" from Content would land beside the folder, "..\..\..\outside.txt" from
  // Content\sub too, "..\" one level up.
  EXPECT_FALSE(Exists(base_ + "\\Στόχος\\outside.txt"));
  EXPECT_FALSE(Exists(folder + "\\outside.txt"));
  EXPECT_EQ(FileBytes(folder + "\\" + velm::kProgramFile),
            FileBytes(SampleDisc() + "\\" + velm::kProgramFile));
  EXPECT_TRUE(app.process->running());
}

TEST_F(installE2e, FoldersThatCannotBeUsedKeepTheDialogOpenUntilCancel) {
  ASSERT_TRUE(MakeFolders(base_));
  const std::string file = base_ + "\\αρχείο";
  ASSERT_TRUE(WriteFileBytes(file, "in the way"));
  ASSERT_FALSE(velmtest::MissingDriveRoot().empty());
  const std::string onMissingDrive = velmtest::MissingDriveRoot() + "Tolvan";
  const Tree before = Snapshot(base_);

  Running app = StartInstallEntry(SampleDisc());
  ASSERT_NE(app.window, nullptr);
  HWND dialog = OpenFolderDialog(app);
  ASSERT_NE(dialog, nullptr);
  for (const std::string& folder : {onMissingDrive, std::string("C:\\"), file, file + "\\Tolvan"}) {
    SCOPED_TRACE(folder);
    EXPECT_EQ(InstallInto(app, dialog, folder), std::vector<std::string>{kCreationMessage});
    ASSERT_TRUE(IsWindowVisible(dialog)) << "the dialog closed";
    EXPECT_EQ(Text(FolderField(dialog)), folder) << "the field changed";
    // Back to the state a person waits for before typing the next folder.
    ASSERT_TRUE(WaitUntilReadyForInput(dialog));
  }
  Press(dialog, "Άκυρο");
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));

  EXPECT_FALSE(Exists("C:\\Tolvan.exe"));
  EXPECT_FALSE(Exists("C:\\Data"));
  EXPECT_EQ(Snapshot(base_), before);
  EXPECT_FALSE(Exists(shortcut()));
  EXPECT_EQ(settings_.bytes(), "");
  EXPECT_TRUE(app.process->running());
}

}  // namespace
}  // namespace install
}  // namespace e2e
