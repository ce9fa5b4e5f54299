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
#include "RemovalSupport.h"

namespace velm {
namespace {

using velmtest::CurrentFolder;
using velmtest::FileBytes;
using velmtest::IsFile;
using velmtest::IsFolder;
using velmtest::SysDouble;
using velmtest::WithoutTrailingBackslash;
using velmtest::WriteFileBytes;
using DialogAnswerer = velmtest::ModalAnswerer<TSelectCustomDirForm>;

class InstallFlowTest : public velmtest::FlowTest {
 protected:
  InstallFlowTest() : FlowTest("install") {}
  std::string disc_, target_, desktop_, windows_, launcher_;
  SysDouble sys_;
  std::vector<tk::AppCursor> cursorAtCopy_;  // the application cursor at each copy
  std::vector<std::string> folderAtCopy_;    // the working directory at each copy

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
    sys_.onCall = [this](const std::string& call) {
      if (!SysDouble::Is(call, "copyFile")) return;
      cursorAtCopy_.push_back(tk::Application::instance().cursor());
      folderAtCopy_.push_back(CurrentFolder());
    };
    ASSERT_TRUE(SetCurrentDirectoryA(launcher_.c_str()));
    tk::Application::instance().setCursor(tk::AppCursor::Default);
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
  size_t copies() const { return sys_.callsNamed("copyFile").size(); }
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

  ASSERT_EQ(copies(), 6u);
  for (size_t i = 0; i < copies(); ++i) {
    EXPECT_EQ(cursorAtCopy_[i], tk::AppCursor::Busy) << "copy " << i;
    EXPECT_EQ(WithoutTrailingBackslash(folderAtCopy_[i]), disc_) << "copy " << i;
  }
  EXPECT_EQ(tk::Application::instance().cursor(), tk::AppCursor::Arrow);
  expectBackOnTheDisc();
  EXPECT_FALSE(IsWindow(seen.lastConfirmation)) << "the dialog was not freed";
}

TEST_F(InstallFlowTest, FailureRaisedInsideTheCopyingIsReportedOnceAndSkipsTheRest) {
  struct Failure {
    const char* what;
    std::string call;    // the call that fails
    bool contentCopied;  // the manifest's files
    size_t shellLinks;   // link objects asked for
  };
  const Failure failures[] = {
      {"manifest that cannot be read", "readFile content\\fil.tbo", false, 0},
      {"shell link object that cannot be made", "createInstance", true, 1},
  };
  for (const Failure& failure : failures) {
    SCOPED_TRACE(failure.what);
    velmtest::RemoveTree(scratch_.path() + "\\Target");
    sys_.calls.clear();
    sys_.fails = [&failure](const std::string& call) { return call == failure.call; };
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
    EXPECT_EQ(sys_.callsNamed("createInstance").size(), failure.shellLinks);
    EXPECT_FALSE(IsFile(shortcut()));
    EXPECT_TRUE(sys_.callsNamed("createText").empty()) << "the settings file was written";
    EXPECT_EQ(tk::Application::instance().cursor(), tk::AppCursor::Arrow);
    expectBackOnTheDisc();
  }
}

TEST_F(InstallFlowTest, EveryCopyFailingShowsTheProblemsThenTheEntrysMessage) {
  sys_.fails = [](const std::string& call) { return SysDouble::Is(call, "copyFile"); };

  const DialogAnswerer::Seen seen = install(target_);

  // The program file is missing once the dialog has closed as confirmed: the entry says so too.
  const std::vector<std::string> expected = {kInstallProblemMessage, kInstallEntryProblemMessage};
  EXPECT_EQ(seen.messages, expected);
  EXPECT_EQ(seen.dialogOpenAtMessage, (std::vector<bool>{true, false}));
  EXPECT_EQ(copies(), 6u) << "a failed copy stopped the ones after it";
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
  EXPECT_EQ(copies(), 0u);
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
    sys_.calls.clear();
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
    EXPECT_EQ(copies(), 0u);
    EXPECT_TRUE(sys_.callsNamed("createText").empty());
    if (!refusal.mustNotExist.empty()) {
      EXPECT_EQ(GetFileAttributesA(refusal.mustNotExist.c_str()), INVALID_FILE_ATTRIBUTES);
    }
    EXPECT_FALSE(IsFile(shortcut()));
    expectBackOnTheDisc();
  }
}

}  // namespace
}  // namespace velm
