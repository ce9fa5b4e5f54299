// A damaged background picture does not keep the window away. The background JPEG is a resource
// compiled into the program, so each case runs a copy of the very VelmPres.exe the build made
// with only that resource replaced through the platform's resource-update calls:
// the program under test is otherwise the one that ships.
#include <vector>

#include "E2e.h"
#include "NamedCases.h"

namespace e2e {
namespace {

constexpr int kBackgroundJpeg = 101;  // the program's resource number of the background
const LPCSTR kRcData = RT_RCDATA;

BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR param) {
  reinterpret_cast<std::vector<WORD>*>(param)->push_back(language);
  return TRUE;
}

// The background resource of `exe` and the languages it is stored under.
bool ReadBackground(const std::string& exe, std::string& bytes, std::vector<WORD>& languages) {
  HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return false;
  bool ok = false;
  if (HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(kBackgroundJpeg), kRcData)) {
    const void* data = LockResource(LoadResource(module, found));
    const DWORD size = SizeofResource(module, found);
    if (data && size) {
      bytes.assign(static_cast<const char*>(data), size);
      EnumResourceLanguagesA(module, kRcData, MAKEINTRESOURCEA(kBackgroundJpeg), &CollectLanguage,
                             reinterpret_cast<LONG_PTR>(&languages));
      ok = !languages.empty();
    }
  }
  FreeLibrary(module);
  return ok;
}

// Copies `exe` to `copy` with its background replaced by `bytes`.
bool CopyWithBackground(const std::string& exe, const std::string& copy, const std::string& bytes) {
  std::string original;
  std::vector<WORD> languages;
  if (!ReadBackground(exe, original, languages)) return false;
  if (!CopyFileA(exe.c_str(), copy.c_str(), FALSE)) return false;
  HANDLE update = BeginUpdateResourceA(copy.c_str(), FALSE);
  if (!update) return false;
  bool ok = true;
  for (WORD language : languages) {
    void* data = const_cast<char*>(bytes.data());
    const DWORD size = static_cast<DWORD>(bytes.size());
    ok =
        UpdateResourceA(update, kRcData, MAKEINTRESOURCEA(kBackgroundJpeg), language, data, size) &&
        ok;
  }
  return EndUpdateResourceA(update, !ok) && ok;
}

std::string OriginalBackground() {
  std::string bytes;
  std::vector<WORD> languages;
  ReadBackground(VelmPresExe(), bytes, languages);
  return bytes;
}

struct DamageCase {
  const char* name;
  std::string (*damage)(const std::string& jpeg);
  bool noBackground;  // nothing of the picture can be shown: the form's colour shows
};

VELM_PRINT_CASE_BY_NAME(DamageCase)

// Cut just before the scan: tables and frame header, but no picture data.
std::string CutBeforeScan(const std::string& jpeg) {
  const size_t scan = jpeg.find("\xFF\xDA");
  return jpeg.substr(0, scan == std::string::npos ? jpeg.size() / 8 : scan);
}
std::string CutInHalf(const std::string& jpeg) {
  return jpeg.substr(0, jpeg.size() / 2);
}
std::string GarbageAfterStart(const std::string& jpeg) {
  std::string bytes = jpeg.substr(0, 2);  // the start-of-image marker
  for (size_t i = 2; i < jpeg.size(); ++i) bytes.push_back(static_cast<char>((i * 131) % 253));
  return bytes;
}
std::string NotAJpeg(const std::string&) {
  return "this is no picture at all";
}
std::string OneByte(const std::string&) {
  return "\xFF";
}

// A part of the window that only the background covers.
constexpr RECT kBackgroundOnly{300, 440, 320, 460};

bool AllOneColour(const Capture& c, const RECT& area, std::uint32_t colour) {
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (c.at(x, y) != colour) return false;
  return true;
}

std::uint32_t FormColour() {
  const COLORREF c = GetSysColor(COLOR_ACTIVEBORDER);
  return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

class DamagedBackground : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedBackground, TheWindowComesUpWithItsCatalogue) {
  const DamageCase& c = GetParam();
  const std::string folder = TestFolder();
  const std::string original = OriginalBackground();
  ASSERT_GT(original.size(), 1000u) << "no background resource in " << VelmPresExe();
  ASSERT_TRUE(CopyCatalogue(folder));
  const std::string exe = folder + "\\VelmPres.exe";
  ASSERT_TRUE(CopyWithBackground(VelmPresExe(), exe, c.damage(original)));
  {
    std::string check;
    std::vector<WORD> languages;
    EXPECT_TRUE(ReadBackground(exe, check, languages) && check == c.damage(original))
        << "the copy does not hold the damaged picture";
  }

  Running app = StartVelmPresIdle(folder, "", exe);
  ASSERT_NE(app.window, nullptr) << "no window with a damaged background";
  for (HWND w : app.process->topWindows()) EXPECT_FALSE(IsMessageBox(w)) << "a message box";

  EXPECT_EQ(ClientSize(app.window).cx, 750);
  HWND view = View(app.window);
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(SameRect(ChildRectInParent(view), kViewFinal));
  EXPECT_NE(Text(view).find(PhraseOfDescription(1)), std::string::npos);

  const Capture screen = Capture::Settled(app.window);
  const BitmapFile picture(DiscContent(PictureFile(1)));
  EXPECT_GT(MatchFraction(screen, picture, kPictureBox.left, kPictureBox.top, false), 0.98);
  if (c.noBackground) {
    EXPECT_TRUE(AllOneColour(screen, kBackgroundOnly, FormColour()));
  }

  ASSERT_TRUE(Key(app.window, VK_ESCAPE)) << "the window was not up for input";
  ExpectEndsWithZero(*app.process);
}

INSTANTIATE_TEST_SUITE_P(Damage, DamagedBackground,
                         ::testing::Values(DamageCase{"CutBeforeTheScan", &CutBeforeScan, true},
                                           DamageCase{"GarbageAfterTheStartMarker",
                                                      &GarbageAfterStart, true},
                                           DamageCase{"NotAJpeg", &NotAJpeg, true},
                                           DamageCase{"OneByte", &OneByte, true},
                                           // Cut in its scan data the picture still decodes, its
                                           // missing rows filled in by the decoder.
                                           DamageCase{"CutInHalf", &CutInHalf, false}),
                         velmtest::CaseName());

// The same spot shows the picture, not the form's colour, when the background is whole: the
// check above tells the two apart.
TEST(Background, WholePictureCoversTheFormColour) {
  const std::string folder = TestFolder();
  Running app = StartVelmPresIdle(folder);
  ASSERT_NE(app.window, nullptr);
  EXPECT_FALSE(AllOneColour(Capture::Settled(app.window), kBackgroundOnly, FormColour()));
}

}  // namespace
}  // namespace e2e
