// The removal script's text and the rules for the folder it may remove: the fourteen lines for a
// plain path, % signs doubled, and which folders are refused before anything is written.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UninstallScript.h"

namespace velm {
namespace {

std::vector<std::string> ScriptFor(const std::string& folder, const std::string& desktop) {
  std::vector<std::string> lines;
  for (const ScriptLineTemplate& line : kUninstallScript)
    lines.push_back(FormatScriptLine(line, ScriptTargetPath(line.target, folder, desktop)));
  return lines;
}

TEST(UninstallScriptTest, FourteenLinesInTheirOrderForAPlainPath) {
  const std::vector<std::string> expected = {
      "rmdir /s /q \"C:\\Program Files\\Tolvan\\Content\"",
      "rmdir /s /q \"C:\\Program Files\\Tolvan\\Data\"",
      "Erase \"C:\\Program Files\\Tolvan\\Tolvan.exe\"",
      "rmdir \"C:\\Program Files\\Tolvan\"",
      "cd \"C:\\Documents and Settings\\User\\Desktop\"",
      "rmdir /s /q \"C:\\Program Files\\Tolvan\\Content\"",
      "rmdir /s /q \"C:\\Program Files\\Tolvan\\Data\"",
      "Erase \"C:\\Program Files\\Tolvan\\Tolvan.exe\"",
      "rmdir \"C:\\Program Files\\Tolvan\"",
      "deltree /y \"C:\\Program Files\\Tolvan\\Content\"",
      "deltree /y \"C:\\Program Files\\Tolvan\\Data\"",
      "del \"C:\\Program Files\\Tolvan\\Tolvan.exe\"",
      "rmdir \"C:\\Program Files\\Tolvan\"",
      "Erase \"C:\\Documents and Settings\\User\\Desktop\\uninst.bat\"",
  };
  EXPECT_EQ(ScriptFor("C:\\Program Files\\Tolvan", "C:\\Documents and Settings\\User\\Desktop"),
            expected);
}

TEST(UninstallScriptTest, OnlyTheDesktopLinesNeedTheDesktop) {
  std::vector<int> desktopLines;
  for (int i = 0; i < kScriptLineCount; ++i)
    if (NeedsDesktop(kUninstallScript[i].target)) desktopLines.push_back(i + 1);
  EXPECT_EQ(desktopLines, (std::vector<int>{5, 14}));
}

TEST(UninstallScriptTest, EveryPercentIsDoubledSoNothingIsExpanded) {
  EXPECT_EQ(EscapeForScript("C:\\a%b%c"), "C:\\a%%b%%c");
  EXPECT_EQ(EscapeForScript("%%"), "%%%%");
  EXPECT_EQ(EscapeForScript("C:\\plain"), "C:\\plain");
  EXPECT_EQ(EscapeForScript(""), "");

  const std::vector<std::string> lines = ScriptFor("C:\\a%b%c", "D:\\Desk%TOP%");
  EXPECT_EQ(lines[0], "rmdir /s /q \"C:\\a%%b%%c\\Content\"");
  EXPECT_EQ(lines[3], "rmdir \"C:\\a%%b%%c\"");
  EXPECT_EQ(lines[4], "cd \"D:\\Desk%%TOP%%\"");
  EXPECT_EQ(lines[13], "Erase \"D:\\Desk%%TOP%%\\uninst.bat\"");
}

TEST(UninstallScriptTest, PathBytesAreWrittenAsGiven) {
  // "%s" inside a path is text, not a second place for the path; high bytes pass unchanged.
  const std::string folder = "C:\\\x8A\x9C\xA5%s";
  EXPECT_EQ(FormatScriptLine(kUninstallScript[3], folder), "rmdir \"C:\\\x8A\x9C\xA5%%s\"");
}

struct FolderCase {
  const char* folder;
  bool safe;
};

TEST(UninstallScriptTest, OnlyAFolderBelowADriveOrShareRootMayBeRemoved) {
  const FolderCase cases[] = {
      {"C:\\Program Files\\Tolvan", true},
      {"D:\\Apps\\Tolvan", true},
      {"c:\\x", true},
      {"C:\\a%b%c", true},
      {"C:\\Tolvan.old\\v 2", true},
      {"\\\\server\\share\\Tolvan", true},
      {"\\\\?\\C:\\Tolvan", true},
      {"\\\\?\\UNC\\server\\share\\Tolvan", true},
      {"C:\\\x88\x98\xAB\xA8\xA0\xA1\xE6", true},  // Greek letters
      // Empty, drive roots, share roots.
      {"", false},
      {"C:", false},
      {"C:\\", false},
      {"\\", false},
      {"\\\\", false},
      {"\\\\server", false},
      {"\\\\server\\share", false},
      {"\\\\server\\share\\", false},
      {"\\\\?\\C:", false},
      {"\\\\?\\C:\\", false},
      {"\\\\.\\C:", false},
      {"\\\\?\\UNC\\server\\share", false},
      {"\\\\?\\unc\\server\\share", false},
      // A trailing backslash: "C:\Tolvan\" + "\Content" and friends.
      {"C:\\Tolvan\\", false},
      // Relative to the current folder or drive, which the script changes on its way.
      {"Tolvan", false},
      {"\\Tolvan", false},
      {"C:Tolvan", false},
      {"..\\Tolvan", false},
      // Components Windows folds away, which can walk back up to a root.
      {"C:\\..", false},
      {"C:\\Tolvan\\..", false},
      {"C:\\.", false},
      {"C:\\...", false},
      {"C:\\ . ", false},
      {"C:\\a\\\\b", false},
      {"\\\\\\server\\share\\x", false},
      // Characters no name may hold, the forward slash, and bytes that break a script line.
      {"C:\\a*", false},
      {"C:\\a?b", false},
      {"C:\\a:b", false},
      {"C:\\a<b>", false},
      {"C:\\a|b", false},
      {"C:/Tolvan", false},
      {"C:\\a/b", false},
      {"C:\\a\"&\"b", false},
      {"C:\\a\r\nrmdir /s /q \"C:\\x", false},
      {"C:\\a\tb", false},
      // Devices' names, which name the device in any folder and with any extension.
      {"C:\\NUL", false},
      {"C:\\Tolvan\\con", false},
      {"C:\\Tolvan\\Aux.txt", false},
      {"C:\\com1", false},
      {"C:\\LPT9 .x", false},
      {"\\\\server\\share\\prn", false},
      {"C:\\CONNECT", true},
      {"C:\\COM10", true},
      {"C:\\Tolvan\\nul-free", true},
  };
  for (const FolderCase& c : cases)
    EXPECT_EQ(IsSafeRemovalFolder(c.folder), c.safe) << "folder \"" << c.folder << "\"";
}

TEST(UninstallScriptTest, TheFolderIsTheArgumentWithoutItsTrailingBackslash) {
  std::string folder = "untouched";
  EXPECT_TRUE(RemovalFolderOf("D:\\Apps\\Tolvan\\", &folder));
  EXPECT_EQ(folder, "D:\\Apps\\Tolvan");

  const char* refused[] = {
      "",          // no argument
      "C:\\Dict",  // no trailing backslash: "C:\Dic" would be removed
      "C:\\",      // the drive root
      "C:\\\\",    // "C:\" again, with a trailing backslash
      "\\\\server\\share\\",
      "\\",
      "Tolvan\\",
      "C:\\Tolvan\\..\\",
  };
  for (const char* source : refused) {
    folder = "untouched";
    EXPECT_FALSE(RemovalFolderOf(source, &folder)) << "argument \"" << source << "\"";
    EXPECT_EQ(folder, "untouched");
  }
}

TEST(UninstallScriptTest, ScriptSafePathsHaveNoLineBreakingBytes) {
  EXPECT_TRUE(IsScriptSafePath("C:\\users\\root\\Desktop"));
  EXPECT_TRUE(IsScriptSafePath("C:\\\x84\xA7\xA0 %x%"));
  EXPECT_FALSE(IsScriptSafePath(""));
  EXPECT_FALSE(IsScriptSafePath("C:\\a\nb"));
  EXPECT_FALSE(IsScriptSafePath("C:\\a\rb"));
  EXPECT_FALSE(IsScriptSafePath(std::string("C:\\a\0b", 6)));
  EXPECT_FALSE(IsScriptSafePath("C:\\a\x1A"));
  EXPECT_FALSE(IsScriptSafePath("C:\\a\"b"));
}

}  // namespace
}  // namespace velm
