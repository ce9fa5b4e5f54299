// One customer's whole journey, on Windows XP and on Vista, from the pressed disc: the sample
// disc's image read back as Windows reads it, in the CD-ROM drive R: (scripts/wine-session maps
// it). The catalogue as autorun.inf starts it; the installation into the proposed folder; the
// dictionary from its shortcut; a file of the user's own; the removal started from the disc as
// the dictionary starts it; installing again into the folder the removal kept.
#include "install_support.h"
#include "NamedCases.h"

namespace e2e {
namespace install {
namespace {

constexpr char kDrive[] = "R:";
constexpr char kRoot[] = "R:\\";

struct Release {
  const char* name;  // Wine's
  const char* proposed;
};

bool RemovalOffered(HWND window) {
  return MatchFraction(Capture::Settled(window), BitmapFile(InstallIconAsset()),
                       kInstallIconBox.left, kInstallIconBox.top, true) > 0.95;
}

// The files under `root` that are writable.
std::vector<std::string> WritableFiles(const std::string& root) {
  std::vector<std::string> files;
  for (const auto& entry : Snapshot(root))
    if (entry.first.back() != '\\' && Writable(root + "\\" + entry.first))
      files.push_back(entry.first);
  return files;
}

class PressedDisc : public ::testing::TestWithParam<Release> {
 protected:
  void SetUp() override { RemoveTree(folder_); }
  void TearDown() override { RemoveTree(folder_); }

  // Installs from the disc through the test host, Wine as the release, into the proposed folder.
  std::vector<std::string> install() {
    WineRelease release(TestFolder(), GetParam().name);
    Running host = StartInstallEntry(kRoot, release.exe());
    HWND dialog = host.window ? OpenFolderDialog(host) : nullptr;
    if (!dialog) return {"(no folder dialog)"};
    EXPECT_EQ(Text(FolderField(dialog)), folder_) << "not the proposed folder";
    return InstallInto(host, dialog, folder_);
  }

  uninstall::MovedDesktop desktop_{"Desktop-pressed-disc"};
  SettingsFile settings_;
  const std::string folder_ = GetParam().proposed;
};

TEST_P(PressedDisc, OneCustomersJourney) {
  ASSERT_EQ(GetDriveTypeA(kRoot), static_cast<UINT>(DRIVE_CDROM)) << "no CD-ROM drive R:";
  const std::string autorun = FileBytes(kRoot + std::string("autorun.inf"));
  const size_t open = autorun.find("\nopen=") + 6;
  ASSERT_GT(open, 6u) << "no pressed disc in R:";
  const std::string program = kRoot + autorun.substr(open, autorun.find('\r', open) - open);
  EXPECT_TRUE(WritableFiles(kDrive).empty());

  // 1. Started as autorun.inf says: the catalogue, titles switching, no removal entry.
  Running app = StartVelmPresIdle(kRoot, "", program);
  ASSERT_NE(app.window, nullptr) << program;
  HWND view = View(app.window);
  EXPECT_TRUE(SameRect(ChildRectInParent(view), kViewFinal)) << "the catalogue is not revealed";
  for (int k : {2, 1}) {
    ASSERT_TRUE(Click(app.window, MenuClickPoint(k).x, MenuClickPoint(k).y));
    const std::string rtf = FileBytes(kRoot + std::string("content\\") + DescriptionFile(k));
    EXPECT_NE(Text(view).find(PhraseOfRtf(rtf)), std::string::npos) << "title " << k;
  }
  EXPECT_FALSE(RemovalOffered(app.window));
  app.process.reset();

  // 2. Installed: the tree byte for byte, every file read-only as a copy from a disc leaves it
  // but the program, whose bit the installation clears.
  EXPECT_EQ(install(), std::vector<std::string>{kDoneMessage});
  EXPECT_EQ(Snapshot(folder_), ExpectedInstallation(kDrive));
  EXPECT_EQ(WritableFiles(folder_), std::vector<std::string>{"Tolvan.exe"});

  // 3. The dictionary started from its shortcut shows the folder of the settings file.
  const ShortcutProperties link = ReadShortcut(desktop_.path() + "\\" + uninstall::kShortcutName);
  Process dictionary(link.target, link.arguments, link.workingFolder);
  HWND window = dictionary.waitForWindow(uninstall::kDictionaryCaption);
  ASSERT_NE(window, nullptr) << link.target;
  EXPECT_EQ(Text(GetDlgItem(window, 100)), folder_);

  // 4. and 5. A file of the user's own; the removal, from the disc.
  const std::string userFile = "Σημειώσεις μου.txt";
  ASSERT_TRUE(WriteFileBytes(folder_ + "\\" + userFile, "notes"));
  const std::string settings = settings_.bytes();
  app = StartVelmPresIdle(kRoot, "\"" + folder_ + "\\\"", program);
  ASSERT_NE(app.window, nullptr);
  EXPECT_TRUE(RemovalOffered(app.window));
  uninstall::ConfirmAndWaitForEnd(app, dictionary);
  uninstall::ExpectInstallationRemoved(folder_, desktop_.path());
  EXPECT_EQ(Names(Snapshot(folder_)), std::vector<std::string>{userFile});
  EXPECT_TRUE(Snapshot(desktop_.path()).empty()) << "a shortcut or script is left";
  EXPECT_EQ(settings_.bytes(), settings);

  // 6. Installed again into the folder the removal kept.
  EXPECT_EQ(install(), std::vector<std::string>{kDoneMessage});
  Tree expected = ExpectedInstallation(kDrive);
  expected[userFile] = Digest("notes");
  EXPECT_EQ(Snapshot(folder_), expected);
}

INSTANTIATE_TEST_SUITE_P(Releases, PressedDisc,
                         ::testing::Values(Release{"winxp", "C:\\Program Files\\Tolvan"},
                                           Release{"vista", "C:\\Tolvan"}),
                         velmtest::CaseName());

}  // namespace
}  // namespace install
}  // namespace e2e
