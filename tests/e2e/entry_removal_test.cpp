// The removal entry (the install/remove icon and its label) shows exactly when the argument
// names, by plain concatenation with "Tolvan.exe", a file that is not read-only.
#include "E2e.h"
#include "NamedCases.h"

namespace e2e {
namespace {

// The main window of a run without an argument, where the entry never shows.
const Capture& NoArgumentCapture() {
  static const Capture capture = [] {
    const std::string folder =
        std::string(VELM_E2E_BUILD_DIR) + "\\e2e-work\\no-argument-reference";
    RemoveTree(folder);
    MakeFolders(folder);
    Running app = StartVelmPresIdle(folder);
    return app.window ? Capture::Settled(app.window) : Capture();
  }();
  return capture;
}

struct EntryCase {
  const char* name;
  const char* dictionary;  // folder made under the test folder for Tolvan.exe ("" for none)
  const char* file;        // the file made there, relative to the test folder ("" for none)
  bool readOnly;
  // The argument text: %F stands for the test folder.
  const char* argument;
  bool shown;
};

VELM_PRINT_CASE_BY_NAME(EntryCase)

std::string Expand(std::string text, const std::string& folder) {
  for (size_t at; (at = text.find("%F")) != std::string::npos;) text.replace(at, 2, folder);
  return text;
}

class RemovalEntry : public ::testing::TestWithParam<EntryCase> {};

TEST_P(RemovalEntry, ShowsForAWritableTolvanOnly) {
  const EntryCase& c = GetParam();
  const std::string folder = TestFolder();
  const Capture& without = NoArgumentCapture();
  ASSERT_GT(without.width(), 0);

  if (*c.dictionary) {
    ASSERT_TRUE(MakeFolders(folder + "\\" + c.dictionary));
  }
  if (*c.file) {
    const std::string file = folder + "\\" + c.file;
    // The disc's dictionary, read-only as on the disc; an installed copy is writable.
    ASSERT_TRUE(CopyTree(SampleDisc() + "\\" + velm::kProgramFile, file));
    ASSERT_TRUE(SetReadOnly(file, c.readOnly));
    ASSERT_EQ((GetFileAttributesA(file.c_str()) & FILE_ATTRIBUTE_READONLY) != 0, c.readOnly);
  }
  Running app = StartVelmPresIdle(folder, Expand(c.argument, folder));
  ASSERT_NE(app.window, nullptr);
  const Capture screen = Capture::Settled(app.window);

  const BitmapFile icon(InstallIconAsset());
  ASSERT_TRUE(icon.loaded());
  const double iconMatch =
      MatchFraction(screen, icon, kInstallIconBox.left, kInstallIconBox.top, true);
  const long labelChanged = DifferingPixels(screen, without, kUninstallLabelBox, 16);
  if (c.shown) {
    EXPECT_GT(iconMatch, 0.95) << "no install/remove icon";
    // Dark letters on the light background: a good part of the label's box changes.
    EXPECT_GT(labelChanged, 150) << "no removal label";
  } else {
    EXPECT_EQ(DifferingPixels(screen, without, kInstallIconBox), 0) << "an icon is shown";
    EXPECT_EQ(labelChanged, 0) << "a label is shown";
    EXPECT_LT(iconMatch, 0.5);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, RemovalEntry,
    ::testing::Values(
        EntryCase{"WritableTolvan", "dict", "dict\\Tolvan.exe", false, "%F\\dict\\", true},
        EntryCase{"ReadOnlyTolvan", "dict", "dict\\Tolvan.exe", true, "%F\\dict\\", false},
        EntryCase{"NoTrailingBackslash", "dict", "dict\\Tolvan.exe", false, "%F\\dict", false},
        // Nothing adds the backslash: the argument and the name are simply joined.
        EntryCase{"NoTrailingBackslashNamesTheJoinedFile", "", "dictTolvan.exe", false, "%F\\dict",
                  true},
        EntryCase{"QuotedFolderWithBlanks", "Tolvan Dict", "Tolvan Dict\\Tolvan.exe", false,
                  "\"%F\\Tolvan Dict\\\"", true},
        EntryCase{"UnquotedFolderWithBlanksIsCut", "Tolvan Dict", "Tolvan Dict\\Tolvan.exe", false,
                  "%F\\Tolvan Dict\\", false},
        EntryCase{"SecondArgumentIsNotRead", "dict", "dict\\Tolvan.exe", false,
                  "%F\\nothing\\ %F\\dict\\", false},
        EntryCase{"FolderWithoutTolvan", "dict", "", false, "%F\\dict\\", false},
        EntryCase{"NoArgument", "dict", "dict\\Tolvan.exe", false, "", false}),
    velmtest::CaseName());

}  // namespace
}  // namespace e2e
