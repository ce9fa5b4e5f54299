// The catalogue on the oldest releases the disc is sold for: Wine pretends to be Windows 95 or
// NT 4 for a copy of VelmPres.exe, and MSIMG32.DLL, which those releases lack, is switched off
// for it (keys under AppDefaults for that copy's name only, so other programs keep the prefix's
// settings). The window must reveal, titles switch, the menu pictures stay transparent and the
// logo's tooltip shows.
#include "CatalogueE2e.h"

namespace e2e {
namespace {

// Wine's settings for the programs of one exe name (keys under AppDefaults), until the object
// goes: the Windows release it pretends to be, and DLLs switched off as if they were missing.
class WineAppDefaults {
 public:
  explicit WineAppDefaults(const std::string& exeName)
      : key_("Software\\Wine\\AppDefaults\\" + exeName) {}
  ~WineAppDefaults() {
    RegDeleteKeyA(HKEY_CURRENT_USER, (key_ + "\\DllOverrides").c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, key_.c_str());
  }
  WineAppDefaults(const WineAppDefaults&) = delete;
  WineAppDefaults& operator=(const WineAppDefaults&) = delete;

  bool pretendRelease(const std::string& release) { return set(key_, "Version", release); }
  // An empty override is Wine's "disabled": a program importing the DLL cannot start.
  bool switchOff(const std::string& dll) { return set(key_ + "\\DllOverrides", dll, ""); }

 private:
  static bool set(const std::string& path, const std::string& name, const std::string& value) {
    HKEY key = nullptr;
    const bool ok =
        RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) == ERROR_SUCCESS &&
        RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
    if (key) RegCloseKey(key);
    return ok;
  }
  std::string key_;
};

class OldWindows : public ::testing::TestWithParam<const char*> {};

TEST_P(OldWindows, CatalogueRevealsSwitchesTitlesAndKeepsItsPicturesTransparent) {
  const std::string release = GetParam();
  const std::string folder = TestFolder();
  const std::string exeName = "VelmPres_" + release + ".exe";
  const std::string exe = folder + "\\" + exeName;
  ASSERT_TRUE(CopyTree(VelmPresExe(), exe));
  WineAppDefaults wine(exeName);
  ASSERT_TRUE(wine.pretendRelease(release));
  ASSERT_TRUE(wine.switchOff("msimg32"));

  const Capture background = BackgroundWithoutCatalogue(folder, exe);
  if (HasFailure()) return;

  ASSERT_TRUE(CopyCatalogue(folder));
  Running app = StartVelmPresIdle(folder, "", exe);
  ASSERT_NE(app.window, nullptr) << "VelmPres.exe did not start as " << release;
  HWND view = View(app.window);
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(SameRect(ChildRectInParent(view), kViewFinal)) << Describe(ChildRectInParent(view));
  ExpectTitleShown(app.window, 1, 0);
  ClickTitle(app.window, 5);
  ExpectTitleShown(app.window, 5, 1);

  // Where a menu picture has its key colour, the background shows as it does without it.
  const Capture screen = Capture::Settled(app.window);
  for (int k = 1; k <= 9; ++k)
    ExpectKeyShowsBackground(screen, background, BitmapFile(DiscContent(MenuFile(k, k == 5))), k);

  HWND tip = TooltipOverLogo(app);
  ASSERT_NE(tip, nullptr) << "no tooltip over the logo";
  EXPECT_EQ(Text(tip), "Παρουσίαση Εκδόσεων Βελμαρόδη");
}

INSTANTIATE_TEST_SUITE_P(Releases, OldWindows, ::testing::Values("win95", "nt40"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return std::string(info.param);
                         });

}  // namespace
}  // namespace e2e
