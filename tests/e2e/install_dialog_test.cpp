// The folder dialog as a person meets it through the install entry of the test host: its
// caption, message and default folder under Wine as Windows XP (with and without
// "C:\Program Files") and as Vista, its size and place, the focus in the folder field; Escape
// and "Άκυρο" close it with nothing made, and the entry opens a fresh one again; it is first seen
// with its caption, and the proposed folder is selected whenever the focus comes other than by a
// click.
#include "install_support.h"

namespace e2e {
namespace install {
namespace {

struct ReleaseCase {
  const char* release;
  bool programFiles;  // whether "C:\Program Files" is there
  const char* folder;
};
void PrintTo(const ReleaseCase& c, std::ostream* os) {
  *os << c.release << (c.programFiles ? " with" : " without") << " C:\\Program Files";
}

class installDialogE2e : public ::testing::TestWithParam<ReleaseCase> {};

TEST_P(installDialogE2e, ShowsTheInstallTextAndTheDefaultFolderForTheRelease) {
  const ReleaseCase& c = GetParam();
  const std::string work = TestFolder();
  WineRelease release(work, c.release);
  std::unique_ptr<NoProgramFiles> away;
  if (!c.programFiles) {
    away = std::make_unique<NoProgramFiles>();
    ASSERT_TRUE(away->moved()) << "C:\\Program Files could not be moved aside";
  }
  Running app = StartInstallEntry(SampleDisc(), release.exe());
  ASSERT_NE(app.window, nullptr);
  HWND dialog = OpenFolderDialog(app);
  ASSERT_NE(dialog, nullptr) << "the dialog did not come up with the focus in its folder field";

  EXPECT_EQ(Text(dialog), kDialogCaption);
  EXPECT_EQ(Text(FolderField(dialog)), c.folder);
  EXPECT_EQ(Text(MessageArea(dialog)),
            "Παρακαλώ επιλέξτε το φάκελο του δίσκου σας στον οποίο θα εγκατασταθεί το Duzivod "
            "Uzedov. Άμα θέλετε να εγκατασταθεί σε νέο φάκελο απλά πληκτρολογήστε τον στο χώρο από "
            "κάτω. Σας προτείνουμε να κρατήσετε το φάκελο που εμφανίζεται. Η διαδικασία της "
            "εγκατάστασης θα δημιουργήσει εικονίδιο για το λεξικό στην επιφάνεια εργασίας.");
  ExpectDialogOver(dialog, app.window, 477, 218);
  // The installation picture at (8, 16), over the editing one.
  const Capture screen = Capture::Settled(dialog);
  screen.save(work + "\\dialog.bmp");
  const BitmapFile picture(std::string(VELM_E2E_SOURCE_DIR) + "\\assets\\install_picture.bmp");
  ASSERT_TRUE(picture.loaded());
  EXPECT_GT(MatchFraction(screen, picture, 8, 16, true), 0.95);

  Key(dialog, VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));
  EXPECT_TRUE(app.process->running());
  EXPECT_FALSE(Exists(c.folder)) << "cancelling made the folder";
}

INSTANTIATE_TEST_SUITE_P(Releases, installDialogE2e,
                         ::testing::Values(ReleaseCase{"winxp", true, "C:\\Program Files\\Tolvan"},
                                           ReleaseCase{"winxp", false, "C:\\Tolvan"},
                                           ReleaseCase{"vista", true, "C:\\Tolvan"}));

TEST(installCancelE2e, EscapeAndCancelMakeNothingAndTheEntryOpensAFreshDialog) {
  Running app = StartInstallEntry(SampleDisc());
  ASSERT_NE(app.window, nullptr);
  const std::string folder = "C:\\Δοκιμή ακύρωσης";
  RemoveTree(folder);

  HWND first = OpenFolderDialog(app);
  ASSERT_NE(first, nullptr);
  TypeFolder(first, folder);
  Key(first, VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(first); }, 5000)) << "Escape left it open";
  EXPECT_TRUE(IsWindowEnabled(app.window));

  HWND second = OpenFolderDialog(app);
  ASSERT_NE(second, nullptr) << "no dialog the second time";
  // A fresh dialog: the default folder again, not what was typed in the first.
  EXPECT_NE(Text(FolderField(second)), folder);
  TypeFolder(second, folder);
  Press(second, "Άκυρο");
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(second); }, 5000)) << "Άκυρο left it open";

  EXPECT_FALSE(Exists(folder));
  EXPECT_TRUE(app.process->running());
  EXPECT_EQ(app.process->waitForMessageBox(0), nullptr) << "a message after cancelling";
}

TEST(installDialogOpeningE2e, FirstSeenWithItsCaptionAndTheProposedFolderSelected) {
  Running app = StartInstallEntry(SampleDisc());
  ASSERT_NE(app.window, nullptr);
  CaptionWatch watch(app.process->id());
  HWND dialog = OpenFolderDialog(app);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(watch.stop().at(dialog), kDialogCaption) << "the caption first seen";

  HWND field = FolderField(dialog);
  EXPECT_EQ(Selection(field), std::make_pair(0, static_cast<int>(Text(field).size())));
  ASSERT_TRUE(Key(dialog, 'X'));
  EXPECT_EQ(Text(field), "x") << "the typed letter did not replace the proposed folder";
  // Out by Shift+Tab and back by Tab selects it again; a click places the caret.
  ASSERT_TRUE(KeyWith(dialog, VK_SHIFT, VK_TAB));
  ASSERT_EQ(FocusOf(dialog), MessageArea(dialog));
  ASSERT_TRUE(Key(dialog, VK_TAB));
  EXPECT_EQ(Selection(field), std::make_pair(0, 1));
  ASSERT_TRUE(KeyWith(dialog, VK_SHIFT, VK_TAB));
  const RECT box = ChildRectInParent(field);
  ASSERT_TRUE(Click(dialog, box.right - 8, (box.top + box.bottom) / 2));
  ASSERT_EQ(FocusOf(dialog), field);
  EXPECT_EQ(Selection(field), std::make_pair(1, 1));
}

}  // namespace
}  // namespace install
}  // namespace e2e
