// The catalogue of the sample disc as a user sees it: the revealed view, each title's
// description, picture and highlighted button, and switching titles once the files are gone.
#include "CatalogueE2e.h"

namespace e2e {
namespace {

TEST(Catalogue, RevealedViewAndCloseButtonStandWhereTheyBelong) {
  Running app = StartOnCatalogueCopy();
  ASSERT_NE(app.window, nullptr);

  HWND view = View(app.window);
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(IsWindowVisible(view));
  const RECT viewRect = ChildRectInParent(view);
  EXPECT_TRUE(SameRect(viewRect, kViewFinal)) << Describe(viewRect);
  EXPECT_TRUE(Style(view) & WS_VSCROLL);

  const std::vector<HWND> buttons = Children(app.window, "Button");
  ASSERT_EQ(buttons.size(), 1u);
  const RECT close = ChildRectInParent(buttons.front());
  EXPECT_TRUE(SameRect(close, RECT{506, 416, 667, 441})) << Describe(close);
  EXPECT_EQ(Text(buttons.front()), "Κλείσιμο");

  // Title 1 is selected by the reveal.
  ExpectTitleShown(app.window, 1, 0);
}

TEST(Catalogue, EachTitleShowsItsDescriptionPictureAndHighlightedButton) {
  Running app = StartOnCatalogueCopy();
  ASSERT_NE(app.window, nullptr);

  // Down the column, then back up to the first: every switch away from every title.
  const int order[] = {2, 3, 4, 5, 6, 7, 8, 9, 1, 9, 8};
  int previous = 1;
  for (int k : order) {
    ClickTitle(app.window, k);
    ExpectTitleShown(app.window, k, previous);
    if (::testing::Test::HasFatalFailure()) return;
    previous = k;
  }
}

TEST(Catalogue, ClickingTheSelectedTitleAgainChangesNothing) {
  Running app = StartOnCatalogueCopy();
  ASSERT_NE(app.window, nullptr);
  HWND view = View(app.window);

  ClickTitle(app.window, 2);
  // Scrolled down: a reload of the description would bring the view back to its first line.
  ScrollPageDown(view);
  RoundTrip(app.window);
  const int line = FirstVisibleLine(view);
  ASSERT_GT(line, 0) << "the description of title 2 does not scroll";
  const std::string text = Text(view);
  const Capture before = Capture::Settled(app.window);

  ClickTitle(app.window, 2, 40);
  const Capture after = Capture::Settled(app.window);
  EXPECT_EQ(FirstVisibleLine(view), line);
  EXPECT_EQ(Text(view), text);
  EXPECT_EQ(DifferingPixels(before, after, RECT{0, 84, 750, 441}), 0);
}

TEST(Catalogue, TitlesStillSwitchOnceTheContentFolderIsGone) {
  const std::string folder = TestFolder();
  ASSERT_TRUE(CopyCatalogue(folder));
  Running app = StartVelmPresIdle(folder);
  ASSERT_NE(app.window, nullptr);

  // The catalogue was read at start-up; from now on the files are not there to be read.
  ASSERT_TRUE(Rename(folder + "\\content", folder + "\\content.gone"));
  ASSERT_FALSE(Exists(folder + "\\content"));

  int previous = 1;
  for (int k : {4, 9, 2, 1}) {
    ClickTitle(app.window, k);
    ExpectTitleShown(app.window, k, previous);
    previous = k;
  }
  ASSERT_TRUE(RemoveTree(folder + "\\content.gone"));
  ClickTitle(app.window, 6);
  ExpectTitleShown(app.window, 6, 1);
  EXPECT_TRUE(app.process->running());
}

TEST(Catalogue, TheViewOpensSidewaysFromItsCentreLine) {
  const std::string folder = TestFolder();
  ASSERT_TRUE(CopyCatalogue(folder));
  Process program(VelmPresExe(), "", folder);
  // Watched from the moment the view exists, as fast as its place can be read: every place it
  // is seen in is one of the opening's steps, centred on x = 349 at the final top and height.
  HWND window = nullptr;
  HWND view = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] {
        // GetWindowText reads another program's caption without a message, which would wait
        // until the opening is over.
        for (HWND w : program.topWindows()) {
          char caption[64] = {};
          GetWindowTextA(w, caption, sizeof caption);
          if (std::string(caption) == kMainCaption) window = w;
        }
        view = window ? View(window) : nullptr;
        return view != nullptr;
      },
      20000, 1));
  std::vector<RECT> seen;
  for (;;) {
    const RECT r = ChildRectInParent(view);
    if (seen.empty() || !SameRect(seen.back(), r)) seen.push_back(r);
    if (SameRect(r, kViewFinal) || !program.running()) break;
  }
  ASSERT_TRUE(SameRect(seen.back(), kViewFinal)) << Describe(seen.back());

  // The places the view passes through: moved up to the final top and height, shut to width 0
  // on the centre line x = 349, then 47 steps of 3 pixels left and 6 wider.
  auto box = [](int left, int top, int width, int height) {
    return RECT{left, top, left + width, top + height};
  };
  std::vector<RECT> path = {kViewInitial, box(244, 84, 216, 285), box(244, 84, 216, 321),
                            box(244, 84, 0, 321), box(349, 84, 0, 321)};
  for (int step = 1; step <= 47; ++step) {
    path.push_back(box(349 - 3 * step, 84, 6 * (step - 1), 321));
    path.push_back(box(349 - 3 * step, 84, 6 * step, 321));
  }
  ASSERT_TRUE(SameRect(path.back(), kViewFinal));
  size_t at = 0;
  int opening = 0;
  for (const RECT& r : seen) {
    while (at < path.size() && !SameRect(path[at], r)) ++at;
    ASSERT_LT(at, path.size()) << "the view was seen at " << Describe(r) << ", off its path";
    const int width = r.right - r.left;
    if (r.left < 349 && width > 0 && width < 282) ++opening;
  }
  EXPECT_GT(opening, 0) << "the view was never seen half open";
}

TEST(Catalogue, TheLogoNamesThePresentationInItsTooltip) {
  const std::string folder = TestFolder();
  Running app = StartVelmPresIdle(folder);
  ASSERT_NE(app.window, nullptr);
  HWND tip = TooltipOverLogo(app);
  ASSERT_NE(tip, nullptr) << "no tooltip over the logo";
  EXPECT_EQ(Text(tip), "Παρουσίαση Εκδόσεων Βελμαρόδη");

  // Over a title button there is none.
  ASSERT_TRUE(MoveMouse(app.window, 100, 200)) << "the window was not up for input";
  ASSERT_TRUE(MoveMouse(app.window, 104, 202)) << "the window was not up for input";
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(tip); }, 5000));
}

}  // namespace
}  // namespace e2e
