// Removing the installed dictionary for real: VelmPres.exe started for an installed copy, the
// removal entry clicked and answered, the script run by the command interpreter while the
// dictionary stub is asked to quit, and the disk judged afterwards. The desktop is moved to a
// Greek folder with blanks, as on a Greek Windows XP, so every path in the script is Greek.
#include "RemovalE2e.h"

namespace e2e {
namespace uninstall {
namespace {

// The user's own file: text, a NUL, a Ctrl-Z and a high byte, to be kept byte for byte.
std::string UserBytes() {
  static const char bytes[] = "Δικές μου σημειώσεις\r\n\x00\x1A\xFE end";
  return std::string(bytes, sizeof bytes - 1);
}

class uninstallE2e : public ::testing::Test {
 protected:
  // Everything a test makes on the C: drive lies under here.
  const std::string base_ = "C:\\Δοκιμή απεγκατάστασης";
  // The installed copy, with a Greek name and a blank.
  const std::string folder_ = base_ + "\\Ιατρικό Λεξικό";
  // A folder of the user's beside it, holding the same names.
  const std::string sibling_ = base_ + "\\Ιατρικό Λεξικό παλιό";
  const std::string userFile_ = folder_ + "\\Σημειώσεις μου.txt";
  const std::string userBytes_ = UserBytes();
  velmtest::ScratchFolder scratch_{velmtest::ScratchFolder::At{base_}};

  UnmanagedWindows unmanaged_;
  std::unique_ptr<MovedDesktop> desktop_;

  void SetUp() override {
    ASSERT_TRUE(IsFolder(base_));
    desktop_ = std::make_unique<MovedDesktop>("Επιφάνεια εργασίας");
    // The shell answers the moved folder, as it will to the program under test.
    ASSERT_EQ(ShellDesktop(), desktop_->path());
    ASSERT_TRUE(IsFolder(desktop_->path()));
  }

  std::string desktopFile(const std::string& name) const { return desktop_->path() + "\\" + name; }

  // A sibling with the dictionary's names in it, and a file of its own.
  void makeSibling() {
    ASSERT_TRUE(MakeFolders(sibling_ + "\\Content\\Λήμματα"));
    ASSERT_TRUE(MakeFolders(sibling_ + "\\Data"));
    ASSERT_TRUE(WriteFileBytes(sibling_ + "\\" + velm::kProgramFile, "not the installed one"));
    ASSERT_TRUE(WriteFileBytes(sibling_ + "\\Data\\Tolvan.tbo", "old data"));
    ASSERT_TRUE(WriteFileBytes(sibling_ + "\\Content\\Λήμματα\\Α.txt", "Αλφα"));
  }

  void expectInstallationRemoved(const std::string& folder) {
    ExpectInstallationRemoved(folder, desktop_->path());
  }

  // Confirms with Enter on the opened confirmation window and expects the problem message, once,
  // with both programs still running.
  void confirmAndExpectTheProblem(Running& app, Process& dictionary) {
    HWND confirmation = OpenConfirmation(app);
    ASSERT_NE(confirmation, nullptr);
    ASSERT_TRUE(Key(confirmation, VK_RETURN)) << "the window was not up for input";
    EXPECT_EQ(AnswerTheMessage(*app.process), kProblemMessage);
    EXPECT_FALSE(MessageBoxUpAfterwards(app)) << "the message came twice";
    EXPECT_TRUE(app.process->running());
    EXPECT_TRUE(dictionary.running()) << "the dictionary was asked to quit";
  }
};

TEST_F(uninstallE2e, EnterRemovesTheInstallationAndLeavesTheUsersFiles) {
  InstallCopy(folder_);
  ASSERT_TRUE(WriteFileBytes(userFile_, userBytes_));
  makeSibling();
  const Tree sibling = Snapshot(sibling_);
  MakeShortcut(desktop_->path(), folder_);
  // An old script on the desktop is replaced, not added to.
  ASSERT_TRUE(WriteFileBytes(desktopFile(velm::kScriptName), std::string(5000, 'x')));

  std::unique_ptr<Process> dictionary = StartDictionary(folder_);
  Running app = StartForRemoval(folder_ + "\\");
  ASSERT_NE(app.window, nullptr);
  ConfirmAndWaitForEnd(app, *dictionary);

  EXPECT_FALSE(Exists(desktopFile(kShortcutName))) << "the shortcut is still on the desktop";
  expectInstallationRemoved(folder_);
  // The folder stays, because of the user's own file, and holds nothing else.
  std::string bytes;
  EXPECT_TRUE(ReadFileBytes(userFile_, bytes));
  EXPECT_EQ(bytes, userBytes_);
  EXPECT_EQ(Names(Snapshot(folder_)), std::vector<std::string>{"Σημειώσεις μου.txt"});
  EXPECT_EQ(Snapshot(sibling_), sibling) << "the sibling folder changed";
  // Nothing else was put on the desktop or left there.
  EXPECT_TRUE(Snapshot(desktop_->path()).empty());

  // Without the user's file the folder itself goes too.
  ASSERT_TRUE(DeleteFileA(userFile_.c_str()));
  InstallCopy(folder_);
  MakeShortcut(desktop_->path(), folder_);
  dictionary = StartDictionary(folder_);
  Running again = StartForRemoval(folder_ + "\\");
  ASSERT_NE(again.window, nullptr);
  ConfirmAndWaitForEnd(again, *dictionary);
  expectInstallationRemoved(folder_);
  EXPECT_TRUE(WaitUntil([&] { return !Exists(folder_); }, kScriptTimeoutMs, 100))
      << "the emptied folder was not removed";
  EXPECT_FALSE(Exists(desktopFile(kShortcutName)));
  EXPECT_EQ(Snapshot(sibling_), sibling) << "the sibling folder changed";
}

TEST_F(uninstallE2e, DeclinedAttemptsChangeNothingAndAConfirmedOneThenRemovesEverything) {
  InstallCopy(folder_);
  makeSibling();
  MakeShortcut(desktop_->path(), folder_);
  const Tree before = Snapshot(base_);
  const Tree desktopBefore = Snapshot(desktop_->path());
  std::unique_ptr<Process> dictionary = StartDictionary(folder_);
  Running app = StartForRemoval(folder_ + "\\");
  ASSERT_NE(app.window, nullptr);

  struct Decline {
    const char* how;
    std::function<void(HWND)> answer;
  };
  const Decline declines[] = {
      {"the Όχι button", [](HWND confirmation) { Press(confirmation, "Όχι"); }},
      {"Escape", [](HWND confirmation) { ASSERT_TRUE(Key(confirmation, VK_ESCAPE)); }},
      {"Alt+F4", [](HWND confirmation) { ASSERT_TRUE(Key(confirmation, VK_F4, true)); }},
  };
  for (const Decline& decline : declines) {
    SCOPED_TRACE(decline.how);
    HWND confirmation = OpenConfirmation(app);
    ASSERT_NE(confirmation, nullptr) << "no confirmation window";
    decline.answer(confirmation);
    // The window is freed, not only hidden, and the program goes on.
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(confirmation); }, 5000))
        << "the confirmation window was not freed";
    EXPECT_TRUE(app.process->running());
    EXPECT_TRUE(dictionary->running());
    EXPECT_FALSE(MessageBoxUpAfterwards(app)) << "a message was shown";
    EXPECT_EQ(Snapshot(base_), before);
    EXPECT_EQ(Snapshot(desktop_->path()), desktopBefore);
  }

  ConfirmAndWaitForEnd(app, *dictionary);
  expectInstallationRemoved(folder_);
  EXPECT_TRUE(WaitUntil([&] { return !Exists(folder_); }, kScriptTimeoutMs, 100));
  EXPECT_FALSE(Exists(desktopFile(kShortcutName)));
  EXPECT_TRUE(Exists(sibling_ + "\\" + velm::kProgramFile));
}

// The argument names a folder without its trailing backslash: dropping its last character would
// point the script at another folder ("...\Lex" for "...\Lexi"), here one holding the same names.
TEST_F(uninstallE2e, ArgumentWithoutTrailingBackslashIsRefusedAndNothingChanges) {
  const std::string argument = base_ + "\\Lexi";
  // The entry is offered because "<argument>Tolvan.exe" is a writable file.
  ASSERT_TRUE(CopyFileA((SampleDisc() + "\\" + velm::kProgramFile).c_str(),
                        (argument + velm::kProgramFile).c_str(), TRUE));
  SetFileAttributesA((argument + velm::kProgramFile).c_str(), FILE_ATTRIBUTE_NORMAL);
  InstallCopy(base_ + "\\Lex");
  MakeShortcut(desktop_->path(), base_ + "\\Lex");
  const Tree before = Snapshot(base_);
  const Tree desktopBefore = Snapshot(desktop_->path());

  std::unique_ptr<Process> dictionary = StartDictionary(base_ + "\\Lex");
  Running app = StartVelmPres(SampleDisc(), "\"" + argument + "\"");
  ASSERT_NE(app.window, nullptr);
  ASSERT_NO_FATAL_FAILURE(confirmAndExpectTheProblem(app, *dictionary));
  // A script is started by the handler that would have shown the message, before it returns to
  // the program's message loop (which a round trip waits for): no command interpreter runs it
  // (or, run by a faulty program, it has ended and its harm is there to see).
  ASSERT_TRUE(RoundTrip(app.window));
  EXPECT_TRUE(ProcessesNamed("cmd.exe").empty()) << "a script was started";
  EXPECT_TRUE(WaitUntil([] { return ProcessesNamed("cmd.exe").empty(); }, kScriptTimeoutMs));
  EXPECT_EQ(Snapshot(base_), before);
  EXPECT_EQ(Snapshot(desktop_->path()), desktopBefore) << "shortcut deleted or script written";

  // The entry is still there and opens the window again.
  HWND again = OpenConfirmation(app);
  ASSERT_NE(again, nullptr) << "the removal entry is gone";
  ASSERT_TRUE(Key(again, VK_ESCAPE)) << "the window was not up for input";
}

// "%P%" in the folder's name would be expanded by the command interpreter (to nothing: P is not
// set), pointing the script at "...\TQ" instead of "...\T%P%Q".
TEST_F(uninstallE2e, PercentSignsInTheFolderNameAreNotExpandedByTheScript) {
  const std::string folder = base_ + "\\T%P%Q";
  const std::string decoy = base_ + "\\TQ";
  InstallCopy(folder);
  InstallCopy(decoy);
  const Tree decoyBefore = Snapshot(decoy);

  std::unique_ptr<Process> dictionary = StartDictionary(folder);
  Running app = StartForRemoval(folder + "\\");
  ASSERT_NE(app.window, nullptr);
  ConfirmAndWaitForEnd(app, *dictionary);
  expectInstallationRemoved(folder);
  EXPECT_TRUE(WaitUntil([&] { return !Exists(folder); }, kScriptTimeoutMs, 100));
  EXPECT_EQ(Snapshot(decoy), decoyBefore) << "the script removed another folder";
}

// A desktop the script cannot be written to (a folder named "uninst.bat" stands there): the
// shortcut is already gone, the message comes once, and the program stays with its entry.
TEST_F(uninstallE2e, DesktopThatCannotTakeTheScriptIsReportedOnceAndTheProgramStays) {
  InstallCopy(folder_);
  MakeShortcut(desktop_->path(), folder_);
  ASSERT_TRUE(MakeFolders(desktopFile(velm::kScriptName)));
  const Tree before = Snapshot(base_);

  std::unique_ptr<Process> dictionary = StartDictionary(folder_);
  Running app = StartForRemoval(folder_ + "\\");
  ASSERT_NE(app.window, nullptr);
  ASSERT_NO_FATAL_FAILURE(confirmAndExpectTheProblem(app, *dictionary));
  EXPECT_FALSE(Exists(desktopFile(kShortcutName))) << "the shortcut is deleted before the script";
  EXPECT_EQ(Snapshot(base_), before);

  HWND again = OpenConfirmation(app);
  ASSERT_NE(again, nullptr) << "the removal entry is gone";
  ASSERT_TRUE(Key(again, VK_ESCAPE)) << "the window was not up for input";
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(again); }, 5000));
  EXPECT_TRUE(app.process->running());
}

}  // namespace
}  // namespace uninstall
}  // namespace e2e
