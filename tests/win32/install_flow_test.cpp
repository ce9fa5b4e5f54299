// The installation in process, through the seam: a scratch disc and a scratch target, the folder
// dialog answered from a thread timer. What a failure raised inside the copying leaves (the
// manifest that cannot be read, the shell link object that cannot be made), every copy failing,
// and the working directory and the cursor after each flow.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Application.h"
#include "InstallFlow.h"
#include "PelmoraLib.h"
#include "SelectCustomDirFormU.h"
#include "SysCalls.h"
#include "RemovalSupport.h"

namespace velm {
namespace {

using velmtest::CurrentFolder;
using velmtest::FileBytes;
using velmtest::IsFile;
using velmtest::IsFolder;
using velmtest::MainWindow;
using velmtest::ScratchFolder;
using velmtest::WithoutTrailingBackslash;
using velmtest::WriteFileBytes;
using DialogAnswerer = velmtest::ModalAnswerer<TSelectCustomDirForm>;

// The real calls, except: the desktop and the Windows folder are the test's, chosen calls fail,
// and what the flow did is noted.
class InstallSys : public SysCalls {
 public:
  std::string desktop;
  std::string windowsFolder;
  bool failManifestRead = false;
  bool failShellLink = false;
  bool failCopies = false;

  int copies = 0;
  int shellLinks = 0;
  std::vector<std::string> created;         // createText paths: the settings file's
  std::vector<tk::AppCursor> cursorAtCopy;  // the application cursor at each copy
  std::vector<std::string> folderAtCopy;    // the working directory at each copy

  std::string specialFolderPath(int csidl) override {
    return csidl == 0x10 ? desktop : SysCalls::specialFolderPath(csidl);
  }
  UINT getWindowsDirectory(char* buffer, UINT size) override {
    if (windowsFolder.size() + 1 > size) return 0;
    lstrcpyA(buffer, windowsFolder.c_str());
    return static_cast<UINT>(windowsFolder.size());
  }
  bool readFile(const std::string& path, std::string& bytes) override {
    if (failManifestRead && path == kInstallManifestPath) return false;
    return SysCalls::readFile(path, bytes);
  }
  HRESULT createInstance(REFCLSID clsid, DWORD context, REFIID iid, void** object) override {
    ++shellLinks;
    if (failShellLink) return REGDB_E_CLASSNOTREG;
    return SysCalls::createInstance(clsid, context, iid, object);
  }
  bool copyFile(const std::string& from, const std::string& to, bool failIfExists) override {
    ++copies;
    cursorAtCopy.push_back(tk::Application::instance().cursor());
    folderAtCopy.push_back(CurrentFolder());
    if (failCopies) return false;
    return SysCalls::copyFile(from, to, failIfExists);
  }
  std::unique_ptr<TextWriter> createText(const std::string& path) override {
    created.push_back(path);
    return SysCalls::createText(path);
  }
};

class InstallFlowTest : public ::testing::Test {
 protected:
  ScratchFolder scratch_{"install"};
  std::string disc_, target_, desktop_, windows_, launcher_;
  InstallSys sys_;
  MainWindow main_;

  void SetUp() override {
    disc_ = scratch_.path() + "\\Disc";
    target_ = scratch_.path() + "\\Target\\Tolvan";
    desktop_ = scratch_.path() + "\\Desktop";
    windows_ = scratch_.path() + "\\Windows";
    launcher_ = scratch_.path() + "\\Launcher";
    for (const std::string& folder : {disc_, disc_ + "\\Data", disc_ + "\\content",
                                      disc_ + "\\content\\sub", desktop_, windows_, launcher_})
      ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    ASSERT_TRUE(WriteFileBytes(disc_ + "\\" + velm::kProgramFile, "MZ program"));
    SetFileAttributesA((disc_ + "\\" + velm::kProgramFile).c_str(), FILE_ATTRIBUTE_READONLY);
    for (const char* data : kDataFiles) ASSERT_TRUE(WriteFileBytes(disc_ + "\\" + data, data));
    ASSERT_TRUE(
        WriteFileBytes(disc_ + "\\" + kInstallManifestPath, "top.txt\r\nsub\\\r\ninner.txt\r\n"));
    ASSERT_TRUE(WriteFileBytes(disc_ + "\\content\\top.txt", "top"));
    ASSERT_TRUE(WriteFileBytes(disc_ + "\\content\\sub\\inner.txt", "inner"));
    SourceFolder = disc_ + "\\";
    SettingsFilePath.clear();
    sys_.desktop = desktop_;
    sys_.windowsFolder = windows_;
    ASSERT_TRUE(SetCurrentDirectoryA(launcher_.c_str()));
    tk::Application::instance().setCursor(tk::AppCursor::Default);
  }
  void TearDown() override {
    SetFileAttributesA((disc_ + "\\" + velm::kProgramFile).c_str(), FILE_ATTRIBUTE_NORMAL);
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    SetCurrentDirectoryA(temp);
    SourceFolder.clear();
  }

  // Runs the install entry's flow; the dialog gets `folder` typed and OK pressed.
  DialogAnswerer::Seen install(const std::string& folder) {
    return run({[folder](TSelectCustomDirForm& f) {
      f.Dir_Edit->setText(folder);
      DialogAnswerer::Push(*f.BitBtn1);
    }});
  }
  DialogAnswerer::Seen run(std::vector<DialogAnswerer::Answer> answers) {
    DialogAnswerer answerer(std::move(answers));
    ScopedSys scoped(sys_);
    RunInstallFlow(main_.form());
    return answerer.seen();
  }
  std::string settingsFile() const { return windows_ + "\\" + kSettingsFileName; }
  std::string shortcut() const { return desktop_ + "\\" + kDictionaryShortcutName; }
  void expectBackOnTheDisc() const { EXPECT_EQ(WithoutTrailingBackslash(CurrentFolder()), disc_); }
};

TEST_F(InstallFlowTest, InstallationCopiesUnderTheHourglassFromTheDiscAndEndsOnTheArrow) {
  const DialogAnswerer::Seen seen = install(target_);

  EXPECT_EQ(seen.messages, std::vector<std::string>{kInstallDoneMessage});
  EXPECT_EQ(FileBytes(target_ + "\\" + velm::kProgramFile), "MZ program");
  EXPECT_EQ(
      GetFileAttributesA((target_ + "\\" + velm::kProgramFile).c_str()) & FILE_ATTRIBUTE_READONLY,
      0u);
  EXPECT_EQ(FileBytes(target_ + "\\" + kDataFiles[1]), kDataFiles[1]);
  EXPECT_EQ(FileBytes(target_ + "\\Content\\top.txt"), "top");
  EXPECT_EQ(FileBytes(target_ + "\\Content\\sub\\inner.txt"), "inner");
  EXPECT_TRUE(IsFile(shortcut()));
  EXPECT_EQ(FileBytes(settingsFile()), target_ + "\r\n");

  ASSERT_EQ(sys_.copies, 6);
  for (int i = 0; i < sys_.copies; ++i) {
    EXPECT_EQ(sys_.cursorAtCopy[i], tk::AppCursor::HourGlass) << "copy " << i;
    EXPECT_EQ(WithoutTrailingBackslash(sys_.folderAtCopy[i]), disc_) << "copy " << i;
  }
  EXPECT_EQ(tk::Application::instance().cursor(), tk::AppCursor::Arrow);
  expectBackOnTheDisc();
  EXPECT_FALSE(IsWindow(seen.lastConfirmation)) << "the dialog was not freed";
}

TEST_F(InstallFlowTest, FailureRaisedInsideTheCopyingIsReportedOnceAndSkipsTheRest) {
  struct Failure {
    const char* what;
    bool InstallSys::*flag;
    bool contentCopied;  // the manifest's files
    int shellLinks;      // link objects asked for
  };
  const Failure failures[] = {
      {"manifest that cannot be read", &InstallSys::failManifestRead, false, 0},
      {"shell link object that cannot be made", &InstallSys::failShellLink, true, 1},
  };
  for (const Failure& failure : failures) {
    SCOPED_TRACE(failure.what);
    velmtest::RemoveTree(scratch_.path() + "\\Target");
    sys_ = InstallSys();
    sys_.desktop = desktop_;
    sys_.windowsFolder = windows_;
    sys_.*failure.flag = true;
    ASSERT_TRUE(SetCurrentDirectoryA(launcher_.c_str()));

    const DialogAnswerer::Seen seen = install(target_);

    // One message, while the dialog is open; none from the entry, since the dialog closed as
    // cancelled.
    EXPECT_EQ(seen.messages, std::vector<std::string>{kInstallProblemMessage});
    EXPECT_EQ(seen.dialogOpenAtMessage, std::vector<bool>{true});
    // The steps before the failure are done and stay done; the ones after it are not.
    EXPECT_TRUE(IsFile(target_ + "\\" + velm::kProgramFile));
    EXPECT_TRUE(IsFile(target_ + "\\" + kDataFiles[2]));
    EXPECT_EQ(IsFile(target_ + "\\Content\\top.txt"), failure.contentCopied);
    EXPECT_EQ(sys_.shellLinks, failure.shellLinks);
    EXPECT_FALSE(IsFile(shortcut()));
    EXPECT_TRUE(sys_.created.empty()) << "the settings file was written";
    EXPECT_EQ(tk::Application::instance().cursor(), tk::AppCursor::Arrow);
    expectBackOnTheDisc();
  }
}

TEST_F(InstallFlowTest, EveryCopyFailingShowsTheProblemsThenTheEntrysMessage) {
  sys_.failCopies = true;

  const DialogAnswerer::Seen seen = install(target_);

  // The program file is missing once the dialog has closed as confirmed: the entry says so too.
  const std::vector<std::string> expected = {kInstallProblemMessage, kInstallEntryProblemMessage};
  EXPECT_EQ(seen.messages, expected);
  EXPECT_EQ(seen.dialogOpenAtMessage, (std::vector<bool>{true, false}));
  EXPECT_EQ(sys_.copies, 6) << "a failed copy stopped the ones after it";
  // The folders are still made, the shortcut and the settings file still written.
  EXPECT_TRUE(IsFolder(target_ + "\\Content\\sub"));
  EXPECT_TRUE(IsFile(shortcut()));
  EXPECT_EQ(FileBytes(settingsFile()), target_ + "\r\n");
  EXPECT_EQ(tk::Application::instance().cursor(), tk::AppCursor::Arrow);
  expectBackOnTheDisc();
}

TEST_F(InstallFlowTest, CancelAfterMovingTheListCreatesNothingAndReturnsToTheDisc) {
  bool focusInField = false;
  const DialogAnswerer::Seen seen = run({[&](TSelectCustomDirForm& f) {
    focusInField = f.Dir_Edit->focused();
    // The list moves the working directory as the user opens a folder.
    f.DirectoryListBox1->setFolder(launcher_);
    f.Dir_Edit->setText(target_);
    DialogAnswerer::Push(*f.BitBtn2);
  }});

  EXPECT_EQ(seen.confirmations, 1);
  EXPECT_TRUE(seen.messages.empty());
  EXPECT_TRUE(focusInField);
  EXPECT_FALSE(IsFolder(scratch_.path() + "\\Target"));
  EXPECT_EQ(sys_.copies, 0);
  EXPECT_EQ(tk::Application::instance().cursor(), tk::AppCursor::Default);
  expectBackOnTheDisc();
}

TEST_F(InstallFlowTest, RefusedFolderKeepsTheDialogOpenAndWritesNothing) {
  const std::string file = scratch_.path() + "\\in the way";
  ASSERT_TRUE(WriteFileBytes(file, "x"));
  struct Refusal {
    const char* why;
    std::string folder;
    std::string mustNotExist;  // what a wrong acceptance would have made
  };
  const Refusal refusals[] = {
      {"drive root", "C:\\", "C:\\Tolvan.exe"},
      {"share root", "\\\\localhost\\share", ""},
      {"device name", scratch_.path() + "\\NUL", scratch_.path() + "\\NUL\\Data"},
      // The copyright sign has no counterpart in the console code page 737.
      {"not in the console code page", scratch_.path() + "\\Λεξικό \xA9",
       scratch_.path() + "\\Λεξικό \xA9"},
      {"a file in the way", file, ""},
      {"missing drive", velmtest::MissingDriveRoot() + "Tolvan", ""},
  };
  for (const Refusal& refusal : refusals) {
    SCOPED_TRACE(refusal.why);
    sys_.copies = 0;
    sys_.created.clear();
    bool stillOpen = false;
    std::string fieldAfter;
    const DialogAnswerer::Seen seen = run({[&](TSelectCustomDirForm& f) {
                                             f.Dir_Edit->setText(refusal.folder);
                                             DialogAnswerer::Push(*f.BitBtn1);
                                           },
                                           [&](TSelectCustomDirForm& f) {
                                             stillOpen = f.modal();
                                             fieldAfter = f.Dir_Edit->text();
                                             DialogAnswerer::Push(*f.BitBtn2);
                                           }});

    EXPECT_EQ(seen.messages, std::vector<std::string>{kFolderCreationMessage});
    EXPECT_EQ(seen.dialogOpenAtMessage, std::vector<bool>{true});
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(fieldAfter, refusal.folder) << "the field changed";
    EXPECT_EQ(sys_.copies, 0);
    EXPECT_TRUE(sys_.created.empty());
    if (!refusal.mustNotExist.empty()) {
      EXPECT_EQ(GetFileAttributesA(refusal.mustNotExist.c_str()), INVALID_FILE_ATTRIBUTES);
    }
    EXPECT_FALSE(IsFile(shortcut()));
    expectBackOnTheDisc();
  }
}

}  // namespace
}  // namespace velm
