// The installation and the removal as plain calls with their inputs, against the seam double: no
// dialog, no timer. The outcome of each kind, how far a stepwise installation is, the working
// directory each call leaves, and the desktop asked once by a removal.
#include <windows.h>

#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>

#include "DiscFacts.h"
#include "InstallThread.h"
#include "Installation.h"
#include "PelmoraLib.h"
#include "Removal.h"
#include "RemovalSupport.h"

namespace velm {
namespace {

using Kind = InstallOutcome::Kind;
using velmtest::CurrentFolder;
using velmtest::IsFile;
using velmtest::IsFolder;
using velmtest::WriteFileBytes;

class InstallCallTest : public ::testing::Test {
 protected:
  ComApartment com_;
  velmtest::ScratchFolder scratch_{"installcall"};
  velmtest::SysDouble sys_;
  std::string disc_ = scratch_.path() + "\\Disc";
  std::string list_ = scratch_.path() + "\\List";

  void SetUp() override {
    for (const std::string& folder : {disc_, disc_ + "\\Data", disc_ + "\\content", list_})
      ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    ASSERT_TRUE(WriteFileBytes(disc_ + "\\" + kProgramFile, "MZ"));
    for (const char* data : kDataFiles) ASSERT_TRUE(WriteFileBytes(disc_ + "\\" + data, data));
    ASSERT_TRUE(WriteFileBytes(disc_ + "\\" + kInstallManifestPath, "a.txt\r\n"));
    ASSERT_TRUE(WriteFileBytes(disc_ + "\\content\\a.txt", "a"));
    sys_.desktop = scratch_.path();
    sys_.windowsFolder = scratch_.path();
    // The directory list's folder, which a relative chosen folder is taken from.
    ASSERT_TRUE(SetCurrentDirectoryA(list_.c_str()));
  }
  InstallOutcome install(const std::string& folder, bool copy = true) {
    ScopedSys scoped(sys_);
    return Install({disc_ + "\\", folder, copy});
  }
};

TEST_F(InstallCallTest, ARelativeFolderIsTakenFromTheListAndTheCopyingRunsFromTheDisc) {
  const InstallOutcome outcome = install("Tolvan");

  EXPECT_EQ(outcome.kind, Kind::Done);
  EXPECT_EQ(outcome.folder, list_ + "\\Tolvan");
  EXPECT_TRUE(IsFile(list_ + "\\Tolvan\\Content\\a.txt"));
  EXPECT_EQ(sys_.callsNamed("copyFile").front(),
            std::string("copyFile Tolvan.exe ") + list_ + "\\Tolvan\\Tolvan.exe 1");
  EXPECT_EQ(velmtest::WithoutTrailingBackslash(CurrentFolder()), disc_);

  // Again into the same folder: every copy finds its file there.
  EXPECT_EQ(install(list_ + "\\Tolvan").kind, Kind::DoneWithProblems);
}

TEST_F(InstallCallTest, AFolderRefusedOrNotMadeMakesNothingAndLeavesTheWorkingDirectory) {
  EXPECT_EQ(install("C:\\").kind, Kind::Refused);
  EXPECT_EQ(install(velmtest::MissingDriveRoot() + "Tolvan").kind, Kind::FolderNotMade);
  EXPECT_TRUE(sys_.callsNamed("copyFile").empty());
  EXPECT_TRUE(sys_.callsNamed("setCurrentDirectory").empty());
  // The dialog's other modes take a folder the rule refuses, and copy nothing into it.
  EXPECT_EQ(install(list_, false).kind, Kind::FolderReady);
  EXPECT_TRUE(sys_.callsNamed("copyFile").empty());
}

TEST_F(InstallCallTest, StepByStepItSaysHowFarItIsAndAStepThatRaisesStopsIt) {
  sys_.fails = [](const std::string& call) { return call == "createInstance"; };
  ScopedSys scoped(sys_);
  Installation installation({disc_ + "\\", list_ + "\\T", true});
  std::size_t before = installation.stepsDone();
  while (installation.next()) {
    EXPECT_GE(installation.stepsDone(), before);
    EXPECT_LE(installation.stepsDone(), installation.stepCount());
    before = installation.stepsDone();
  }
  // The shortcut's link object cannot be made: the settings file is never written.
  EXPECT_EQ(installation.outcome().kind, Kind::Stopped);
  EXPECT_LT(installation.stepsDone(), installation.stepCount());
  EXPECT_TRUE(sys_.callsNamed("createText").empty());
  EXPECT_FALSE(installation.next());
}

TEST_F(InstallCallTest, OnItsThreadItStopsWhereToldLeavesTheShortcutToTheCallerAndHearsACancel) {
  ScopedSys scoped(sys_);
  const auto runUntil = [](Installation& installation, InstallThread::Until until, bool cancel) {
    InstallThread steps(installation, until);
    if (cancel) steps.cancel();
    while (!steps.wait(INFINITE, 0)) {
    }
    return steps.progress();
  };
  Installation installation({disc_ + "\\", list_ + "\\T", true});
  runUntil(installation, &Installation::folderReady, false);
  EXPECT_TRUE(installation.folderReady());
  EXPECT_TRUE(sys_.callsNamed("copyFile").empty());
  const InstallThread::Progress copied = runUntil(installation, &Installation::copiesOver, false);
  EXPECT_EQ(copied.done, copied.total);
  EXPECT_TRUE(IsFile(list_ + "\\T\\Content\\a.txt"));
  EXPECT_TRUE(sys_.callsNamed("createInstance").empty());  // the shortcut is the caller's
  while (installation.next()) {
  }
  EXPECT_EQ(installation.outcome().kind, Kind::Done);

  Installation cancelled({disc_ + "\\", list_ + "\\U", true});
  runUntil(cancelled, &Installation::copiesOver, true);
  EXPECT_EQ(cancelled.outcome().kind, Kind::Cancelled);
  EXPECT_FALSE(IsFolder(list_ + "\\U"));
}

TEST_F(InstallCallTest, ARemovalAsksForTheDesktopOnceAndARefusedOneTouchesNothing) {
  const std::string installed = scratch_.path() + "\\Installed";
  int desktopAsked = 0;
  sys_.onCall = [&](const std::string& call) {
    desktopAsked += call == "specialFolderPath " + std::to_string(CSIDL_DESKTOPDIRECTORY);
  };
  ScopedSys scoped(sys_);

  EXPECT_FALSE(Remove({installed}));  // no trailing backslash: another folder
  EXPECT_TRUE(sys_.calls.empty());

  EXPECT_TRUE(Remove({installed + "\\"}));
  // Once by the removal, once more by the shortcut routine for the shortcut's own path.
  EXPECT_EQ(desktopAsked, 2);
  EXPECT_EQ(sys_.callsWithoutLines().back(),
            "winExec " + scratch_.path() + "\\" + kScriptName + " 0");
  EXPECT_EQ(velmtest::WithoutTrailingBackslash(CurrentFolder()), scratch_.path());
}

}  // namespace
}  // namespace velm
