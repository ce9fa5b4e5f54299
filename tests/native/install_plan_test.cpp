// The install manifest's lines and the steps planned from them: prefixes, empty lines, the
// runtime's line ends, the fixed steps and which of them feed the success flag, and manifest
// entries that would write outside the chosen folder.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "InstallManifest.h"
#include "InstallPlan.h"
#include "NamedCases.h"

namespace velm {

// A step as a kind and its two paths, as the cases below write it.
struct Flat {
  int kind;
  std::string source, target;
};
Flat Flatten(const InstallStep& step) {
  struct {
    Flat operator()(const InstallStep::FolderRule& s) { return {0, s.folder, ""}; }
    Flat operator()(const InstallStep::FolderChain& s) { return {1, s.folder, s.chain}; }
    Flat operator()(const InstallStep::MakeFolder& s) { return {2, "", s.folder}; }
    Flat operator()(const InstallStep::EnsureFolder& s) { return {3, "", s.folder}; }
    Flat operator()(const InstallStep::Copy& s) { return {4, s.from, s.to}; }
    Flat operator()(const InstallStep::ClearReadOnly& s) { return {5, "", s.file}; }
    Flat operator()(const InstallStep::Refused& s) { return {6, s.entry, ""}; }
    Flat operator()(const InstallStep::ManifestUnreadable& s) { return {7, s.manifest, ""}; }
    Flat operator()(const InstallStep::Shortcut& s) { return {8, s.program, s.workingFolder}; }
    Flat operator()(const InstallStep::Settings& s) { return {9, "", s.folder}; }
  } flatten;
  return std::visit(flatten, step.action);
}

// Readable failure messages: one line a step.
void PrintTo(const InstallStep& step, std::ostream* os) {
  static const char* const kinds[] = {"rule",     "chain",   "make",       "ensure",   "copy",
                                      "clear-ro", "refused", "unreadable", "shortcut", "settings"};
  const Flat flat = Flatten(step);
  *os << kinds[flat.kind] << " [" << flat.source << "] -> [" << flat.target << "]"
      << (step.feedsFlag ? " (flag)" : "");
}
bool operator==(const InstallStep& a, const InstallStep& b) {
  const Flat x = Flatten(a), y = Flatten(b);
  return x.kind == y.kind && x.source == y.source && x.target == y.target &&
         a.feedsFlag == b.feedsFlag;
}

namespace {

using S = InstallStep;
const char kFolder[] = "C:\\Tolvan";

InstallStep Make(const std::string& target) {
  return {S::MakeFolder{target}, true};
}
InstallStep Copy(const std::string& source, const std::string& target) {
  return {S::Copy{source, target}, true};
}
InstallStep Refused(const std::string& entry) {
  return {S::Refused{entry}, true};
}

TEST(InstallPlanTest,
     ProgramAndDataStepsComeInTheirOrderAndTheAttributeAndDataFolderAreOutsideTheFlag) {
  const std::vector<InstallStep> expected = {
      Copy("Tolvan.exe", "C:\\Tolvan\\Tolvan.exe"),
      {S::ClearReadOnly{"C:\\Tolvan\\Tolvan.exe"}, false},
      Make("C:\\Tolvan\\Content"),
      {S::EnsureFolder{"C:\\Tolvan\\Data"}, false},
      Copy("Data\\TolvanI.tbo", "C:\\Tolvan\\Data\\TolvanI.tbo"),
      Copy("Data\\TolvanHI.tbo", "C:\\Tolvan\\Data\\TolvanHI.tbo"),
      Copy("Data\\Tolvan.tbo", "C:\\Tolvan\\Data\\Tolvan.tbo"),
  };
  EXPECT_EQ(PlanProgramAndData(kFolder), expected);
  // A folder ending in a backslash is used as it is: two backslashes in a row.
  EXPECT_EQ(PlanProgramAndData("C:\\Tolvan\\").front().written(), "C:\\Tolvan\\\\Tolvan.exe");
}

struct ManifestCase {
  const char* name;
  std::string bytes;
  std::vector<InstallStep> steps;
};
VELM_PRINT_CASE_BY_NAME(ManifestCase)

class ManifestPlanTest : public ::testing::TestWithParam<ManifestCase> {};

TEST_P(ManifestPlanTest, PlansOneStepAnEntry) {
  EXPECT_EQ(PlanManifest(kFolder, GetParam().bytes), GetParam().steps);
}

// "Λήμματα" and "α.bmp" in code page 1253.
const std::string kGreekFolder = "\xCB\xDE\xEC\xEC\xE1\xF4\xE1";
const std::string kGreekFile = "\xE1.bmp";

INSTANTIATE_TEST_SUITE_P(
    Rules, ManifestPlanTest,
    ::testing::Values(
        ManifestCase{"Empty", "", {}},
        ManifestCase{"FilesBeforeAnyFolderGoIntoContent",
                     "a.txt\r\nb.txt",
                     {Copy("content\\a.txt", "C:\\Tolvan\\content\\a.txt"),
                      Copy("content\\b.txt", "C:\\Tolvan\\content\\b.txt")}},
        ManifestCase{"FolderLineIsThePrefixAndIsMadeUnderCapitalContent",
                     "img\\\r\nx.bmp\r\n",
                     {Make("C:\\Tolvan\\Content\\img\\"),
                      Copy("content\\img\\x.bmp", "C:\\Tolvan\\content\\img\\x.bmp")}},
        ManifestCase{
            "PrefixesReplaceEachOtherAndAreNotJoined",
            "a\\\r\na\\b\\\r\nf\r\nc\\\r\ng\r\n",
            {Make("C:\\Tolvan\\Content\\a\\"), Make("C:\\Tolvan\\Content\\a\\b\\"),
             Copy("content\\a\\b\\f", "C:\\Tolvan\\content\\a\\b\\f"),
             Make("C:\\Tolvan\\Content\\c\\"), Copy("content\\c\\g", "C:\\Tolvan\\content\\c\\g")}},
        ManifestCase{
            "EmptyLinesCountForNothingAndKeepThePrefix",
            "\r\nd\\\r\n\r\n\r\nf\r\n\r\n",
            {Make("C:\\Tolvan\\Content\\d\\"), Copy("content\\d\\f", "C:\\Tolvan\\content\\d\\f")}},
        ManifestCase{"BlanksBelongToTheName",
                     " a b \r\n",
                     {Copy("content\\ a b ", "C:\\Tolvan\\content\\ a b ")}},
        ManifestCase{"LoneLfStaysInTheNameAndCtrlZEnds",
                     "a\nb\r\nc\x1A"
                     "d\r\n",
                     {Copy("content\\a\nb", "C:\\Tolvan\\content\\a\nb"),
                      Copy("content\\c", "C:\\Tolvan\\content\\c")}},
        ManifestCase{"GreekNamesAsTheirBytes",
                     kGreekFolder + "\\\r\n" + kGreekFile + "\r\n",
                     {Make("C:\\Tolvan\\Content\\" + kGreekFolder + "\\"),
                      Copy("content\\" + kGreekFolder + "\\" + kGreekFile,
                           "C:\\Tolvan\\content\\" + kGreekFolder + "\\" + kGreekFile)}},
        ManifestCase{"ChildBeforeParentIsPlannedAsWritten",
                     "a\\b\\\r\na\\\r\n",
                     {Make("C:\\Tolvan\\Content\\a\\b\\"), Make("C:\\Tolvan\\Content\\a\\")}},
        // Entries that would reach outside the folder: refused, one failed step each, and the
        // lines after them still planned.
        ManifestCase{"ParentPartsAreRefused",
                     "..\\\r\nevil.txt\r\nok\\\r\n..\\x\r\nok\\..\\..\\y\r\nz\r\n",
                     {Refused("..\\"), Refused("..\\evil.txt"), Make("C:\\Tolvan\\Content\\ok\\"),
                      Refused("ok\\..\\x"), Refused("ok\\ok\\..\\..\\y"),
                      Copy("content\\ok\\z", "C:\\Tolvan\\content\\ok\\z")}},
        ManifestCase{"AbsoluteAndDriveLinesAreRefused",
                     "\\Windows\\x\r\nC:\\x\r\nC:x\r\n/etc\r\nd\\\r\n\\abs\r\n",
                     {Refused("\\Windows\\x"), Refused("C:\\x"), Refused("C:x"), Refused("/etc"),
                      Make("C:\\Tolvan\\Content\\d\\"), Refused("d\\\\abs")}},
        ManifestCase{
            "DotsAndBlanksOnlyPartsAndForwardSlashesAreRefused",
            "a/../b\r\n. .\\\r\n...\r\n.\\x\r\n",
            {Refused("a/../b"), Refused(". .\\"), Refused(". .\\..."), Refused(". .\\.\\x")}},
        ManifestCase{"DotsInsideNamesAreFine",
                     "..a\\\r\nb..\r\n",
                     {Make("C:\\Tolvan\\Content\\..a\\"),
                      Copy("content\\..a\\b..", "C:\\Tolvan\\content\\..a\\b..")}}));

TEST(InstallPlanTest, TheWholeInstallationIsTheNewFolderThenTheCopyingShortcutAndSettings) {
  const std::vector<InstallStep> folderChains = {PlanNewFolder(kFolder), PlanNewFolder("C:\\T\\")};
  EXPECT_EQ(folderChains,
            (std::vector<InstallStep>{{S::FolderChain{kFolder, "C:\\Tolvan\\Data"}, false},
                                      {S::FolderChain{"C:\\T\\", "C:\\T\\Data"}, false}}));
  std::vector<InstallStep> expected = PlanProgramAndData(kFolder);
  expected.push_back(Make("C:\\Tolvan\\Content\\d\\"));
  expected.push_back({S::Shortcut{"C:\\Tolvan\\Tolvan.exe", kFolder}, false});
  expected.push_back({S::Settings{kFolder}, false});
  const std::vector<InstallStep> read =
      PlanInstallation(kFolder, {DiscManifest::State::Read, ReadInstallManifest("\r\nd\\")});
  EXPECT_EQ(read, expected);
  EXPECT_EQ(read[7].line, 2);  // the manifest's step knows its line; the others have none
  EXPECT_EQ(read[8].line + read[0].line, 0);
  // A manifest that cannot be read: the step that stops the installation, where its steps were.
  expected[7] = {S::ManifestUnreadable{"content\\fil.tbo"}, true};
  EXPECT_EQ(PlanInstallation(kFolder, {DiscManifest::State::Unreadable, {}}), expected);
  expected.erase(expected.begin() + 7);
  EXPECT_EQ(PlanInstallation(kFolder, {}), expected);
  // The whole installation: the folder rule (for the folder as the removal names it) and the
  // new folder, then the copying.
  std::vector<InstallStep> whole = {{S::FolderRule{"C:\\T"}, false}, PlanNewFolder("C:\\T\\")};
  for (const InstallStep& step : PlanInstallation("C:\\T\\", {})) whole.push_back(step);
  EXPECT_EQ(PlanWholeInstallation("C:\\T\\", {}), whole);
}

TEST(InstallManifestTest, EntriesKeepTheirLineAndThePathWithItsPrefix) {
  const std::vector<ManifestEntry> entries = ReadInstallManifest("top\r\nd\\\r\n\r\nf\r\n");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].kind, ManifestEntry::Kind::File);
  EXPECT_EQ(entries[0].path, "top");
  EXPECT_EQ(entries[1].kind, ManifestEntry::Kind::Folder);
  EXPECT_EQ(entries[1].line, "d\\");
  EXPECT_EQ(entries[2].line, "f");
  EXPECT_EQ(entries[2].path, "d\\f");
  EXPECT_EQ(entries[2].number, 4);  // the empty line counts
}

TEST(InstallManifestTest, ALongLineIsOneName) {
  const std::string name(100000, 'n');
  const std::vector<ManifestEntry> entries = ReadInstallManifest(name + "\r\n");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].path, name);
}

}  // namespace
}  // namespace velm
