// The removal's confirmation window as the user meets it in VelmPres.exe: offered only for an
// installed (writable) dictionary, opened from the entry, laid out and drawn as designed, with
// the focus on "Ναι", and closed by Alt+F4 like "Όχι".
#include "RemovalE2e.h"

namespace e2e {
namespace uninstall {
namespace {

// Lower-case first, so that the tests are found with the rest of the removal's by "uninstall".
class uninstallConfirmationE2e : public ::testing::Test {
 protected:
  UnmanagedWindows unmanaged_;
  const std::string base_ = "C:\\Δοκιμή παραθύρου απεγκατάστασης";
  const std::string folder_ = base_ + "\\Ιατρικό Λεξικό";
  velmtest::ScratchFolder scratch_{velmtest::ScratchFolder::At{base_}};

  void SetUp() override { InstallCopy(folder_); }
};

TEST_F(uninstallConfirmationE2e, LaidOutAsDesignedWithTheFocusOnYes) {
  Running app = StartForRemoval(folder_ + "\\");
  ASSERT_NE(app.window, nullptr);
  HWND confirmation = OpenConfirmation(app);
  ASSERT_NE(confirmation, nullptr) << "the entry did not open the confirmation window";

  ExpectDialogOver(confirmation, app.window, 292, 141);

  HWND yes = ButtonOf(confirmation, "Ναι");
  HWND no = ButtonOf(confirmation, "Όχι");
  ASSERT_NE(yes, nullptr);
  ASSERT_NE(no, nullptr);
  const std::vector<HWND> memos = Children(confirmation, "Edit");
  ASSERT_EQ(memos.size(), 1u);
  const std::vector<velmtest::Placed> places = {
      {"Button", "Ναι", 28, 104, 101, 25},
      {"Button", "Όχι", 156, 104, 101, 25},
      {"Edit",
       "Πρόκειται να απεγκατασταθεί \r\nτο Duzivod Uzedov από το \r\nσκληρό σας δίσκο. "
       "\r\n\r\nΝα συνεχιστεί η διαδικασία;",
       72, 16, 209, 81},
  };
  EXPECT_EQ((std::vector<velmtest::Placed>{PlaceOf(yes), PlaceOf(no), PlaceOf(memos[0])}), places);
  const RECT yesRect = ChildRectInParent(yes);
  const RECT noRect = ChildRectInParent(no);

  // Once the window is up for input, as a person sees it, the focus is on Ναι.
  ASSERT_TRUE(WaitUntilReadyForInput(confirmation)) << "the window did not come up for input";
  EXPECT_EQ(FocusOf(confirmation), yes) << "the focus is not on Ναι";

  // The picture at (16, 12), drawn at its own size over the window's colour; the glyphs on the
  // buttons: green on Ναι, red on Όχι.
  const Capture screen = Capture::Of(confirmation);
  const BitmapFile picture(std::string(VELM_E2E_SOURCE_DIR) + "\\assets\\install_picture.bmp");
  ASSERT_TRUE(picture.loaded());
  EXPECT_GT(MatchFraction(screen, picture, 16, 12, true), 0.95);
  auto countPixels = [&screen](const RECT& r, bool (*wanted)(int, int, int)) {
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) {
        const std::uint32_t px = screen.at(x, y);
        if (wanted((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF)) ++count;
      }
    return count;
  };
  auto green = [](int r, int g, int b) { return g > 120 && g > r + 50 && g > b + 50; };
  auto red = [](int r, int g, int b) { return r > 150 && r > g + 70 && r > b + 70; };
  EXPECT_GT(countPixels(yesRect, green), 20) << "no check mark on Ναι";
  EXPECT_GT(countPixels(noRect, red), 20) << "no cross on Όχι";

  // Alt+F4 closes it as Όχι: the program goes on with its entry, which opens the window again
  // at once (the click comes within the double-click time of the one that opened the first).
  ASSERT_TRUE(Key(confirmation, VK_F4, true)) << "the window was not up for input";
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(confirmation); }, 5000));
  EXPECT_TRUE(app.process->running());
  EXPECT_TRUE(IsWindowEnabled(app.window));
  EXPECT_TRUE(Exists(folder_ + "\\" + velm::kProgramFile));
  HWND again = OpenConfirmation(app);
  ASSERT_NE(again, nullptr);
  ASSERT_TRUE(Key(again, VK_ESCAPE)) << "the window was not up for input";
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(again); }, 5000));
}

TEST_F(uninstallConfirmationE2e, NotOfferedForTheDictionaryOnTheDisc) {
  // The disc's own Tolvan.exe is read-only: clicking where the entry would be opens nothing.
  Running app = StartForRemoval(SampleDisc() + "\\");
  ASSERT_NE(app.window, nullptr);
  // Clicked once the start-up is over, when an entry would be there.
  ASSERT_TRUE(WaitForStartUp(*app.process));
  ASSERT_TRUE(Click(app.window, kEntryX, kEntryY)) << "the window was not up for input";
  // The click has been handled when Click returns: a window it opened would be up by then.
  EXPECT_EQ(app.process->waitForWindow(kConfirmCaption, 0), nullptr);
  EXPECT_TRUE(app.process->running());
}

}  // namespace
}  // namespace uninstall
}  // namespace e2e
