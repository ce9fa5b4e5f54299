// The catalogue when its files are missing, partial or damaged: blank buttons over the
// background, one title of a pair of bitmaps, a damaged bitmap that stops the loading, and a
// description that is not RTF.
#include "E2e.h"
#include "NamedCases.h"

namespace e2e {
namespace {

// The window of a program started in a folder without `content`, once it has revealed its nine
// blank buttons: taken once and shared by the tests below.
const Capture& NoContentCapture() {
  static const Capture capture = [] {
    const std::string folder = std::string(VELM_E2E_BUILD_DIR) + "\\e2e-work\\no-content-reference";
    RemoveTree(folder);
    MakeFolders(folder);
    Running app = StartVelmPresIdle(folder);
    return app.window ? Capture::Settled(app.window) : Capture();
  }();
  return capture;
}

// The navy of the "Τίτλοι" bar.
constexpr std::uint32_t kNavy = 0x000080;
constexpr RECT kTitleBar{4, 88, 205, 104};

bool MessageBoxShown(const Process& p) {
  return p.waitForMessageBox(0) != nullptr;
}

void ClickAt(HWND window, POINT p) {
  ASSERT_TRUE(Click(window, p.x, p.y)) << "the window was not up for input";
}

TEST(CatalogueMissing, NoContentFolderShowsNineBlankButtonsAnEmptyViewAndNoPicture) {
  const std::string folder = TestFolder();
  Running app = StartVelmPresIdle(folder);
  ASSERT_NE(app.window, nullptr);
  EXPECT_FALSE(MessageBoxShown(*app.process));

  // Revealed all the same: the title bar and the view at its final place, empty.
  HWND view = View(app.window);
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(IsWindowVisible(view));
  EXPECT_TRUE(SameRect(ChildRectInParent(view), kViewFinal));
  EXPECT_EQ(Text(view), "");

  const Capture shown = Capture::Settled(app.window);
  EXPECT_GT(CountColour(shown, kTitleBar, kNavy), 1000);

  // A program whose loading stops at its first file reveals nothing: there the button column and
  // the picture box show only the background. Nine blank buttons and an empty picture look the
  // same.
  const std::string damaged = folder + "-damaged";
  RemoveTree(damaged);
  ASSERT_TRUE(MakeFolders(damaged + "\\content"));
  ASSERT_TRUE(WriteFileBytes(damaged + "\\content\\menu1.bmp", "not a bitmap"));
  {
    Running hidden = StartVelmPresIdle(damaged);
    ASSERT_NE(hidden.window, nullptr);
    const Capture background = Capture::Settled(hidden.window);
    EXPECT_EQ(DifferingPixels(shown, background, kMenuColumn), 0);
    EXPECT_EQ(DifferingPixels(shown, background, kPictureBox), 0);
    EXPECT_EQ(CountColour(background, kTitleBar, kNavy), 0);
  }
  RemoveTree(damaged);

  // Clicks on any button change nothing visible.
  for (int k : {2, 5, 9, 1, 8}) {
    ClickAt(app.window, MenuClickPoint(k));
    const Capture after = Capture::Settled(app.window);
    EXPECT_EQ(DifferingPixels(shown, after, RECT{0, 0, 750, 470}), 0) << "after button " << k;
    EXPECT_EQ(Text(view), "");
  }
  EXPECT_TRUE(app.process->running());
}

TEST(CatalogueMissing, OnlyTheMenuBitmapsOfTitleThree) {
  // Names are found whatever the case of their letters: the folder is "Content" and the
  // normal picture "MENU3.BMP".
  const std::string folder = TestFolder();
  ASSERT_TRUE(MakeFolders(folder + "\\Content"));
  ASSERT_TRUE(CopyTree(DiscContent(MenuFile(3, false)), folder + "\\Content\\MENU3.BMP"));
  ASSERT_TRUE(CopyTree(DiscContent(MenuFile(3, true)), folder + "\\Content\\" + MenuFile(3, true)));
  const Capture& blank = NoContentCapture();
  ASSERT_GT(blank.width(), 0);

  Running app = StartVelmPresIdle(folder);
  ASSERT_NE(app.window, nullptr);
  HWND view = View(app.window);
  const BitmapFile normal(DiscContent(MenuFile(3, false)));
  const BitmapFile highlighted(DiscContent(MenuFile(3, true)));

  auto expectOnlyButtonThree = [&](bool selected) {
    const Capture screen = Capture::Settled(app.window);
    const RECT own = MenuOwnBox(3);
    const BitmapFile& want = selected ? highlighted : normal;
    const BitmapFile& other = selected ? normal : highlighted;
    EXPECT_GT(MatchFractionIn(screen, want, own.left, own.top, true, own), 0.97);
    EXPECT_GT(MatchFractionWhereDifferent(screen, want, other, own.left, own.top, own), 0.95)
        << (selected ? "button 3 is not highlighted" : "button 3 is still highlighted");
    for (int k = 1; k <= 9; ++k) {
      if (k == 3) continue;
      EXPECT_EQ(DifferingPixels(screen, blank, MenuOwnBox(k)), 0) << "button " << k;
    }
    EXPECT_EQ(DifferingPixels(screen, blank, kPictureBox), 0);
    EXPECT_EQ(Text(view), "");
  };

  expectOnlyButtonThree(false);
  ClickAt(app.window, MenuClickPoint(3));
  expectOnlyButtonThree(true);
  ClickAt(app.window, MenuClickPoint(6));
  expectOnlyButtonThree(false);
}

struct DamageCase {
  const char* name;
  const char* file;  // in content, replaced by `bytes`
  std::string (*bytes)();
};

VELM_PRINT_CASE_BY_NAME(DamageCase)

std::string Garbage() {
  std::string bytes;
  for (int i = 0; i < 4000; ++i) bytes.push_back(static_cast<char>((i * 7919) % 251));
  return bytes;
}
std::string Nothing() {
  return {};
}
// A bitmap header that promises far more pixels than the file holds.
std::string HeaderOnly() {
  return FileBytes(DiscContent("menu5c.bmp")).substr(0, 54);
}

class CatalogueDamaged : public ::testing::TestWithParam<DamageCase> {};

TEST_P(CatalogueDamaged, StopsTheLoadingSilentlyAndRevealsNothing) {
  const DamageCase& c = GetParam();
  const std::string folder = TestFolder();
  ASSERT_TRUE(CopyCatalogue(folder));
  ASSERT_TRUE(WriteFileBytes(folder + "\\content\\" + c.file, c.bytes()));
  const Capture& blank = NoContentCapture();
  ASSERT_GT(blank.width(), 0);

  Running app = StartVelmPresIdle(folder);
  ASSERT_NE(app.window, nullptr) << "the window did not come up";
  EXPECT_FALSE(MessageBoxShown(*app.process)) << "a damaged file must not be reported";

  // Not revealed: the view is still hidden where the window first put it, no title bar, no
  // buttons, no picture.
  HWND view = View(app.window);
  ASSERT_NE(view, nullptr);
  EXPECT_FALSE(IsWindowVisible(view));
  EXPECT_TRUE(SameRect(ChildRectInParent(view), kViewInitial)) << Describe(ChildRectInParent(view));
  const Capture screen = Capture::Settled(app.window);
  EXPECT_EQ(CountColour(screen, kTitleBar, kNavy), 0);
  EXPECT_EQ(DifferingPixels(screen, blank, kMenuColumn), 0);
  EXPECT_EQ(DifferingPixels(screen, blank, kPictureBox), 0);

  // Clicks where the buttons would be do nothing, and the window still ends as it should.
  ClickAt(app.window, MenuClickPoint(2));
  EXPECT_EQ(DifferingPixels(screen, Capture::Settled(app.window), RECT{0, 0, 750, 470}), 0);
  ASSERT_TRUE(Key(app.window, VK_ESCAPE)) << "the window was not up for input";
  ExpectEndsWithZero(*app.process);
}

INSTANTIATE_TEST_SUITE_P(
    Files, CatalogueDamaged,
    ::testing::Values(DamageCase{"GarbageMenuBitmapOfSlot5", "menu5.bmp", &Garbage},
                      DamageCase{"EmptyMenuBitmapOfSlot5", "menu5.bmp", &Nothing},
                      DamageCase{"HeaderOnlyHighlightedBitmapOfSlot5", "menu5c.bmp", &HeaderOnly},
                      DamageCase{"GarbageTitlePictureOfSlot5", "velm5.bmp", &Garbage},
                      DamageCase{"GarbageMenuBitmapOfSlot1", "menu1.bmp", &Garbage},
                      DamageCase{"GarbageLastFileOfSlot9", "velm9.bmp", &Garbage}),
    velmtest::CaseName());

struct TextCase {
  const char* name;
  std::string description;  // the bytes of content\velm1.rtf
  std::vector<std::string> shown;
  std::vector<std::string> notShown;
};

VELM_PRINT_CASE_BY_NAME(TextCase)

class CatalogueDescription : public ::testing::TestWithParam<TextCase> {};

TEST_P(CatalogueDescription, IsShownInTheView) {
  const TextCase& c = GetParam();
  const std::string folder = TestFolder();
  ASSERT_TRUE(CopyCatalogue(folder));
  ASSERT_TRUE(WriteFileBytes(folder + "\\content\\velm1.rtf", c.description));

  Running app = StartVelmPresIdle(folder);
  ASSERT_NE(app.window, nullptr);
  HWND view = View(app.window);
  ASSERT_NE(view, nullptr);
  auto expectTitleOne = [&] {
    const std::string text = Text(view);
    for (const std::string& s : c.shown)
      EXPECT_NE(text.find(s), std::string::npos) << "missing: " << s << "\nthe view: " << text;
    for (const std::string& s : c.notShown)
      EXPECT_EQ(text.find(s), std::string::npos) << "shown: " << s << "\nthe view: " << text;
    // Its picture goes with it.
    const BitmapFile picture(DiscContent(PictureFile(1)));
    EXPECT_GT(MatchFraction(Capture::Settled(app.window), picture, kPictureBox.left,
                            kPictureBox.top, false),
              0.98);
  };
  expectTitleOne();

  // Away to an RTF title and back.
  ClickAt(app.window, MenuClickPoint(2));
  EXPECT_NE(Text(view).find(PhraseOfDescription(2)), std::string::npos);
  ClickAt(app.window, MenuClickPoint(1));
  expectTitleOne();
}

std::string WithLineEnds(std::string text, const std::string& end) {
  std::string out;
  for (char ch : text) {
    if (ch == '\r') continue;
    if (ch == '\n')
      out += end;
    else
      out.push_back(ch);
  }
  return out;
}

constexpr char kNulText[] = "Ορατό μέρος\r\n\0Κρυφό μέρος";

INSTANTIATE_TEST_SUITE_P(
    Texts, CatalogueDescription,
    ::testing::Values(TextCase{"PlainText",
                               "Ανατομία του Ανθρώπου\r\nΈκδοση χωρίς μορφοποίηση\r\n",
                               {"Ανατομία του Ανθρώπου", "Έκδοση χωρίς μορφοποίηση"},
                               {}},
                      TextCase{"PlainTextWithBracesAndBackslashes",
                               "Τιμή {96,00} \\ ευρώ",
                               {"Τιμή {96,00} \\ ευρώ"},
                               {}},
                      TextCase{"NulEndsTheDescription",
                               std::string(kNulText, sizeof kNulText - 1),
                               {"Ορατό μέρος"},
                               {"Κρυφό"}},
                      TextCase{"RtfWithLoneLineFeeds",
                               WithLineEnds(DiscDescription(1), "\n"),
                               {PhraseOfDescription(1)},
                               {"\\pard", "fonttbl"}},
                      TextCase{"RtfWithLoneCarriageReturns",
                               WithLineEnds(DiscDescription(1), "\r"),
                               {PhraseOfDescription(1)},
                               {"\\pard", "fonttbl"}}),
    velmtest::CaseName());

}  // namespace
}  // namespace e2e
