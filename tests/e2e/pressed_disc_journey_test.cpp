// One customer's whole journey from the pressed disc, on Windows XP and on Vista: the sample
// disc's image (made by make-disc.sh) read back as Windows reads it, every file read-only, in
// the CD-ROM drive R: (scripts/wine-session maps it). Started as its autorun.inf says, the
// catalogue; the installation through the test host into the proposed folder; the dictionary from
// its desktop shortcut; a file of the user's own in the installation; the removal started from the
// disc as the dictionary starts it; and installing again into the folder the removal kept.
#include <cstring>

#include "install_support.h"

namespace e2e {
namespace install {
namespace {

constexpr char kDrive[] = "R:";
constexpr char kRoot[] = "R:\\";
constexpr int kDictionaryFolderId = 100;  // the stub's text showing the folder it read

struct Release {
  const char* name;      // Wine's name for it
  const char* proposed;  // the folder the installation proposes there
};

void PrintTo(const Release& r, std::ostream* os) {
  *os << r.name;
}

// The program autorun.inf's open= line starts.
std::string AutorunProgram() {
  const std::string text = Bytes(std::string(kRoot) + "autorun.inf");
  const size_t at = text.find("\nopen=");
  return at == std::string::npos ? "" : text.substr(at + 6, text.find('\r', at) - at - 6);
}

// Whether the main window shows the removal entry's icon.
bool RemovalOffered(HWND window) {
  const BitmapFile icon(InstallIconAsset());
  return MatchFraction(Capture::Settled(window), icon, kInstallIconBox.left, kInstallIconBox.top,
                       true) > 0.95;
}

// The files of a tree whose read-only attribute is not `readOnly`.
std::vector<std::string> FilesNot(const std::string& root, const Tree& tree, bool readOnly) {
  std::vector<std::string> files;
  for (const auto& entry : tree)
    if (entry.first.back() != '\\' && Writable(root + "\\" + entry.first) == readOnly)
      files.push_back(entry.first);
  return files;
}

class PressedDisc : public ::testing::TestWithParam<Release> {
 protected:
  void SetUp() override {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine", 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &key, nullptr),
              0);
    RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(GetParam().name),
                   static_cast<DWORD>(strlen(GetParam().name) + 1));
    RegCloseKey(key);
    RemoveTree(folder_);
  }
  void TearDown() override { RemoveTree(folder_); }

  // Installs from the disc through the test host into the folder it proposes.
  std::vector<std::string> installFromTheDisc() {
    Running host = StartInstallEntry(kRoot);
    if (!host.window) return {"(the test host did not start)"};
    HWND dialog = OpenFolderDialog(host);
    if (!dialog) return {"(no folder dialog)"};
    EXPECT_EQ(Text(FolderField(dialog)), folder_) << "not the proposed folder";
    return InstallInto(host, dialog, Text(FolderField(dialog)));
  }

  // Every release's settings as they were, put back (declared first: put back last).
  uninstall::SavedValue release_{"Software\\Wine", "Version"};
  uninstall::UnmanagedWindows unmanaged_;
  uninstall::MovedDesktop desktop_{"Desktop-pressed-disc"};
  SettingsFile settings_;
  const std::string folder_ = GetParam().proposed;
};

TEST_P(PressedDisc, OneCustomersJourney) {
  const Tree disc = Snapshot(kDrive);
  ASSERT_EQ(GetDriveTypeA(kRoot), static_cast<UINT>(DRIVE_CDROM)) << "R: is not a CD-ROM drive";
  ASSERT_TRUE(disc.count("autorun.inf") && disc.count("VelmPres.exe")) << "no pressed disc in R:";
  EXPECT_TRUE(FilesNot(kDrive, disc, true).empty()) << "files of the disc are writable";
  const std::string program = std::string(kRoot) + AutorunProgram();

  {
    SCOPED_TRACE("1: started as autorun.inf says");
    Running app = StartVelmPresIdle(kRoot, "", program);
    ASSERT_NE(app.window, nullptr) << program;
    HWND view = View(app.window);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(IsWindowVisible(view) && SameRect(ChildRectInParent(view), kViewFinal))
        << "the catalogue is not revealed";
    for (int k : {2, 1}) {
      ASSERT_TRUE(Click(app.window, MenuClickPoint(k).x, MenuClickPoint(k).y));
      const std::string phrase =
          PhraseOfRtf(Bytes(std::string(kRoot) + "content\\velm" + std::to_string(k) + ".rtf"));
      EXPECT_NE(Text(view).find(phrase), std::string::npos) << "title " << k;
    }
    EXPECT_FALSE(RemovalOffered(app.window));
  }

  const std::string shortcut = desktop_.path() + "\\" + uninstall::kShortcutName;
  const std::string userFile = folder_ + "\\Σημειώσεις μου.txt";
  const std::string userBytes = "Δικές μου σημειώσεις\r\n";
  std::unique_ptr<Process> dictionary;
  {
    SCOPED_TRACE("2: installed from the disc");
    EXPECT_EQ(installFromTheDisc(), std::vector<std::string>{kDoneMessage});
    const Tree installed = Snapshot(folder_);
    EXPECT_EQ(installed, ExpectedInstallation(kDrive)) << testing::PrintToString(Names(installed));
    // Copied from a disc, every file is read-only but the program, whose bit the installation
    // clears.
    EXPECT_EQ(FilesNot(folder_, installed, true), std::vector<std::string>{"Tolvan.exe"});

    SCOPED_TRACE("3: the dictionary started from its shortcut");
    const ShortcutProperties link = ReadShortcut(shortcut);
    ASSERT_TRUE(link.loaded) << "no shortcut on the desktop";
    dictionary = std::make_unique<Process>(link.target, link.arguments, link.workingFolder);
    HWND window = dictionary->waitForWindow(uninstall::kDictionaryCaption);
    ASSERT_NE(window, nullptr) << link.target;
    EXPECT_EQ(Text(GetDlgItem(window, kDictionaryFolderId)), folder_);

    SCOPED_TRACE("4: a file of the user's own");
    ASSERT_TRUE(WriteFileBytes(userFile, userBytes));
  }
  {
    SCOPED_TRACE("5: removal, started from the disc as the dictionary starts it");
    const std::string settings = settings_.bytes();
    Running app = StartVelmPresIdle(kRoot, "\"" + folder_ + "\\\"", program);
    ASSERT_NE(app.window, nullptr);
    EXPECT_TRUE(RemovalOffered(app.window));
    HWND confirmation = uninstall::OpenConfirmation(app);
    ASSERT_NE(confirmation, nullptr) << "no confirmation window";
    ASSERT_TRUE(Key(confirmation, VK_RETURN)) << "the window was not up for input";
    EXPECT_TRUE(app.process->waitForExit(15000, nullptr)) << "VelmPres.exe did not end";
    EXPECT_TRUE(dictionary->waitForExit(15000, nullptr)) << "the dictionary did not end";
    uninstall::ExpectInstallationRemoved(folder_, desktop_.path());
    EXPECT_EQ(Names(Snapshot(folder_)), std::vector<std::string>{"Σημειώσεις μου.txt"});
    EXPECT_EQ(Bytes(userFile), userBytes);
    EXPECT_TRUE(Snapshot(desktop_.path()).empty()) << "a shortcut or script is left";
    EXPECT_EQ(settings_.bytes(), settings);
  }
  {
    SCOPED_TRACE("6: installed again into the folder the removal kept");
    EXPECT_EQ(installFromTheDisc(), std::vector<std::string>{kDoneMessage});
    Tree expected = ExpectedInstallation(kDrive);
    expected["Σημειώσεις μου.txt"] = Digest(userBytes);
    EXPECT_EQ(Snapshot(folder_), expected);
  }
}

INSTANTIATE_TEST_SUITE_P(Releases, PressedDisc,
                         ::testing::Values(Release{"winxp", "C:\\Program Files\\Tolvan"},
                                           Release{"vista", "C:\\Tolvan"}),
                         [](const ::testing::TestParamInfo<Release>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace install
}  // namespace e2e
