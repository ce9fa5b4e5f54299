// The removal flow in process, through the seam: the order of its steps, the script's bytes as
// written to disk, where the current folder is when the script starts and afterwards, and what a
// declined, refused or failed removal leaves behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UninstallFlow.h"
#include "RemovalSupport.h"

namespace velm {
namespace {

using velmtest::Answerer;
using velmtest::CurrentFolder;
using velmtest::FileBytes;
using velmtest::IsFile;
using velmtest::SysDouble;
using velmtest::WithoutTrailingBackslash;
using velmtest::WriteFileBytes;

const Answerer::Answer kEnter = [](TConfirmUninstallForm& f) { Answerer::PressKey(f, VK_RETURN); };

class UninstallFlowTest : public velmtest::FlowTest {
 protected:
  UninstallFlowTest() : FlowTest("flow") {}
  std::string dictionary_;  // the installed folder, without its backslash
  std::string desktop_;
  std::string launcher_;  // the current folder before the flow
  SysDouble sys_;
  std::string folderAtStart_;  // the current folder when the script was started
  bool terminatedAtStart_ = false;

  void SetUp() override {
    dictionary_ = scratch_.path() + "\\Tolvan";
    desktop_ = scratch_.path() + "\\Desktop";
    launcher_ = scratch_.path() + "\\Disc";
    for (const std::string& folder : {dictionary_, desktop_, launcher_})
      ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    ASSERT_TRUE(WriteFileBytes(dictionary_ + "\\" + kProgramFile, "MZ"));
    ASSERT_TRUE(WriteFileBytes(desktop_ + "\\" + kDictionaryShortcutName, "shortcut"));
    ASSERT_TRUE(SetCurrentDirectoryA(launcher_.c_str()));
    SourceFolder = dictionary_ + "\\";
    sys_.desktop = desktop_;
    sys_.onCall = [this](const std::string& call) {
      if (!SysDouble::Is(call, "winExec")) return;
      folderAtStart_ = CurrentFolder();
      terminatedAtStart_ = tk::Application::instance().terminated();
    };
  }

  // Runs the flow with the seam double in force and the answers given.
  Answerer::Seen run(std::vector<Answerer::Answer> answers) {
    Answerer answerer(std::move(answers));
    ScopedSys scoped(sys_);
    RunUninstallFlow(main_.form());
    return answerer.seen();
  }
  std::string script() const { return desktop_ + "\\" + kScriptName; }
};

// The script as it must be, for the folder D and the desktop (the console code page's bytes).
std::string ExpectedScript(const std::string& d, const std::string& desktop) {
  const std::string lines[] = {
      "rmdir /s /q \"" + d + "\\Content\"",
      "rmdir /s /q \"" + d + "\\Data\"",
      "Erase \"" + d + "\\Tolvan.exe\"",
      "rmdir \"" + d + "\"",
      "cd \"" + desktop + "\"",
      "rmdir /s /q \"" + d + "\\Content\"",
      "rmdir /s /q \"" + d + "\\Data\"",
      "Erase \"" + d + "\\Tolvan.exe\"",
      "rmdir \"" + d + "\"",
      "deltree /y \"" + d + "\\Content\"",
      "deltree /y \"" + d + "\\Data\"",
      "del \"" + d + "\\Tolvan.exe\"",
      "rmdir \"" + d + "\"",
      "Erase \"" + desktop + "\\uninst.bat\"",
  };
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

TEST_F(UninstallFlowTest, ConfirmedRemovalRunsItsStepsInOrderAndStartsTheScriptFromTheDesktop) {
  // An old, longer script is replaced, not added to.
  ASSERT_TRUE(WriteFileBytes(script(), std::string(4000, '#') + "\r\n"));

  const Answerer::Seen seen = run({kEnter});

  EXPECT_EQ(seen.confirmations, 1);
  EXPECT_TRUE(seen.focusWasOnYes) << "the window did not open with the focus on Ναι";
  EXPECT_TRUE(seen.messages.empty());
  const std::vector<std::string> expected = {
      "deleteFile " + desktop_ + "\\" + kDictionaryShortcutName,
      "createText " + desktop_ + "\\" + kScriptName,
      "close",
      std::string("findWindow (null) ") + kDictionaryWindowTitle,
      "postMessage 0 18 0 0",  // WM_QUIT to what the lookup gave, both parameters 0
      "setCurrentDirectory " + desktop_,
      "winExec " + desktop_ + "\\" + kScriptName + " 0",  // unquoted, SW_HIDE
  };
  EXPECT_EQ(sys_.callsWithoutLines(), expected);
  EXPECT_EQ(FileBytes(script()), ExpectedScript(dictionary_, desktop_));
  EXPECT_FALSE(IsFile(desktop_ + "\\" + kDictionaryShortcutName));

  // The script starts on the desktop before termination is asked for, and the program stays
  // there: neither may stand in the folder being removed.
  EXPECT_EQ(folderAtStart_, desktop_);
  EXPECT_FALSE(terminatedAtStart_);
  EXPECT_TRUE(tk::Application::instance().terminated());
  EXPECT_EQ(CurrentFolder(), desktop_);
  EXPECT_FALSE(IsWindow(seen.lastConfirmation)) << "the confirmation window was not freed";
}

TEST_F(UninstallFlowTest, GreekPathsAreWrittenInTheConsoleCodePageWithPercentSignsDoubled) {
  ASSERT_EQ(GetACP(), 1253u);
  ASSERT_EQ(GetOEMCP(), 737u);
  // "Ιατρικό Λεξικό 100%" and "Επιφάνεια εργασίας %USERNAME%"
  const std::string dictionary = scratch_.path() + "\\Ιατρικό Λεξικό 100%";
  const std::string desktop = scratch_.path() + "\\Επιφάνεια εργασίας %USERNAME%";
  ASSERT_TRUE(CreateDirectoryA(dictionary.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA(desktop.c_str(), nullptr));
  SourceFolder = dictionary + "\\";
  sys_.desktop = desktop;

  run({kEnter});

  // The same names in code page 737, as Python's cp737 codec gives them.
  const std::string scratchOem = scratch_.path();  // ASCII: the same in both
  const std::string d =
      scratchOem + "\\\x88\x98\xAB\xA8\xA0\xA1\xE6 \x8A\x9C\xA5\xA0\xA1\xE6 100%%";
  const std::string desk = scratchOem +
                           "\\\x84\xA7\xA0\xAD\xE1\xA4\x9C\xA0\x98 \x9C\xA8\x9A\x98\xA9\xE5\x98"
                           "\xAA %%USERNAME%%";
  EXPECT_EQ(FileBytes(desktop + "\\" + kScriptName), ExpectedScript(d, desk));
  // The file calls themselves take the ANSI names.
  EXPECT_EQ(sys_.callsWithoutLines().back(), "winExec " + desktop + "\\" + kScriptName + " 0");
  EXPECT_EQ(CurrentFolder(), desktop);
}

TEST_F(UninstallFlowTest, DecliningChangesNothingAndMovesToTheDictionaryFolder) {
  struct Decline {
    const char* how;
    Answerer::Answer answer;
  };
  const Decline declines[] = {
      {"Όχι", [](TConfirmUninstallForm& f) { Answerer::Push(*f.BitBtn2); }},
      {"Escape", [](TConfirmUninstallForm& f) { Answerer::PressKey(f, VK_ESCAPE); }},
      {"Alt+F4", [](TConfirmUninstallForm& f) { Answerer::PressKey(f, VK_F4, true); }},
  };
  for (const Decline& decline : declines) {
    SCOPED_TRACE(decline.how);
    sys_.calls.clear();
    ASSERT_TRUE(SetCurrentDirectoryA(launcher_.c_str()));

    const Answerer::Seen seen = run({decline.answer});

    EXPECT_EQ(seen.confirmations, 1);
    EXPECT_TRUE(seen.messages.empty());
    EXPECT_EQ(sys_.calls, std::vector<std::string>{"setCurrentDirectory " + SourceFolder});
    EXPECT_EQ(WithoutTrailingBackslash(CurrentFolder()), dictionary_);
    EXPECT_TRUE(IsFile(desktop_ + "\\" + kDictionaryShortcutName));
    EXPECT_FALSE(IsFile(script()));
    EXPECT_FALSE(tk::Application::instance().terminated());
    EXPECT_FALSE(IsWindow(seen.lastConfirmation)) << "the confirmation window was not freed";
  }
}

TEST_F(UninstallFlowTest, UnsafeOrUnwritableNamesAreRefusedBeforeAnythingIsTouched) {
  struct Refusal {
    const char* why;
    std::string sourceFolder;
    std::string desktop;
  };
  const std::string tolvan = dictionary_ + "\\";
  const Refusal refusals[] = {
      {"no trailing backslash", dictionary_, desktop_},
      {"drive root", "C:\\", desktop_},
      {"share root", "\\\\server\\share\\", desktop_},
      {"no argument", "", desktop_},
      {"relative", "Tolvan\\", desktop_},
      // Characters code page 737 does not have: the copyright sign, and the section sign, which
      // a best-fit conversion would turn into the control byte 0x15.
      {"folder not in the console code page", scratch_.path() + "\\Λεξικό ©\\", desktop_},
      {"folder with a best-fit only character", scratch_.path() + "\\§ 2\\", desktop_},
      {"desktop not in the console code page", tolvan, scratch_.path() + "\\Desktop €"},
      {"no desktop", tolvan, ""},
  };
  for (const Refusal& refusal : refusals) {
    SCOPED_TRACE(refusal.why);
    sys_.calls.clear();
    SourceFolder = refusal.sourceFolder;
    sys_.desktop = refusal.desktop;

    const Answerer::Seen seen = run({kEnter});

    EXPECT_EQ(seen.messages, std::vector<std::string>{kUninstallProblemMessage});
    // Nothing but the clean-up's move to the argument's folder.
    EXPECT_EQ(sys_.calls, std::vector<std::string>{"setCurrentDirectory " + SourceFolder});
    EXPECT_TRUE(IsFile(desktop_ + "\\" + kDictionaryShortcutName));
    EXPECT_FALSE(IsFile(script()));
    EXPECT_FALSE(tk::Application::instance().terminated());
  }
}

TEST_F(UninstallFlowTest, ScriptThatCannotBeCreatedIsReportedOnceAndNothingIsStarted) {
  sys_.fails = [](const std::string& call) { return SysDouble::Is(call, "createText"); };

  const Answerer::Seen seen = run({kEnter});

  EXPECT_EQ(seen.messages, std::vector<std::string>{kUninstallProblemMessage});
  const std::vector<std::string> expected = {
      "deleteFile " + desktop_ + "\\" + kDictionaryShortcutName,  // what was done stays done
      "createText " + desktop_ + "\\" + kScriptName,
      "setCurrentDirectory " + SourceFolder,
  };
  EXPECT_EQ(sys_.calls, expected);
  EXPECT_FALSE(IsFile(desktop_ + "\\" + kDictionaryShortcutName));
  EXPECT_FALSE(tk::Application::instance().terminated());
  EXPECT_EQ(WithoutTrailingBackslash(CurrentFolder()), dictionary_);
}

TEST_F(UninstallFlowTest, LineThatCannotBeWrittenStopsTheScriptThereAndIsReportedOnce) {
  int lines = 0;
  sys_.fails = [&lines](const std::string& call) {
    return SysDouble::Is(call, "writeLine") && ++lines >= 6;
  };

  const Answerer::Seen seen = run({kEnter});

  EXPECT_EQ(seen.messages, std::vector<std::string>{kUninstallProblemMessage});
  // Lines 1 to 5 were written; line 6 was tried and failed; nothing came after it.
  const std::vector<std::string>& calls = sys_.calls;
  ASSERT_EQ(calls.size(), 2u + 6u + 1u);
  EXPECT_EQ(calls[7], "writeLine rmdir /s /q \"" + dictionary_ + "\\Content\"");
  EXPECT_EQ(calls[8], "setCurrentDirectory " + SourceFolder);
  const std::string full = ExpectedScript(dictionary_, desktop_);
  size_t fiveLines = 0;
  for (int i = 0; i < 5; ++i) fiveLines = full.find("\r\n", fiveLines) + 2;
  EXPECT_EQ(FileBytes(script()), full.substr(0, fiveLines));
  EXPECT_FALSE(tk::Application::instance().terminated());
}

TEST_F(UninstallFlowTest, DeclinedThenConfirmedStartsTheScriptFromTheDesktop) {
  run({[](TConfirmUninstallForm& f) { Answerer::PressKey(f, VK_ESCAPE); }});
  ASSERT_EQ(WithoutTrailingBackslash(CurrentFolder()), dictionary_);
  sys_.calls.clear();

  const Answerer::Seen seen = run({kEnter});

  EXPECT_EQ(seen.confirmations, 1) << "a fresh window for the second click";
  EXPECT_EQ(folderAtStart_, desktop_) << "the script would start in the folder it removes";
  EXPECT_EQ(CurrentFolder(), desktop_);
}

}  // namespace
}  // namespace velm
