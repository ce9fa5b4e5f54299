// What the end-to-end tests of the catalogue share: what a selected title shows, a click on a
// title button, and the tooltip over the logo.
#pragma once

#include "E2e.h"

namespace e2e {

// Everything title k shows once it is selected: its description in the view, its picture in
// the picture box and its highlighted button; `previous` (0 for none) back to normal.
inline void ExpectTitleShown(HWND window, int k, int previous) {
  SCOPED_TRACE("title " + std::to_string(k));
  HWND view = View(window);
  ASSERT_NE(view, nullptr);
  const std::string text = Text(view);
  const std::string phrase = PhraseOfDescription(k);
  ASSERT_FALSE(phrase.empty()) << "no plain paragraph in " << DescriptionFile(k);
  EXPECT_NE(text.find(phrase), std::string::npos) << "the view shows: " << text.substr(0, 200);
  for (int other = 1; other <= 9; ++other) {
    if (other == k) continue;
    EXPECT_EQ(text.find(PhraseOfDescription(other)), std::string::npos)
        << "the view still shows title " << other;
  }

  const Capture screen = Capture::Settled(window);
  const BitmapFile picture(DiscContent(PictureFile(k)));
  ASSERT_TRUE(picture.loaded());
  EXPECT_GT(MatchFraction(screen, picture, kPictureBox.left, kPictureBox.top, false), 0.98);

  const BitmapFile normal(DiscContent(MenuFile(k, false)));
  const BitmapFile highlighted(DiscContent(MenuFile(k, true)));
  ASSERT_TRUE(normal.loaded() && highlighted.loaded());
  const RECT own = MenuOwnBox(k);
  EXPECT_GT(MatchFractionIn(screen, highlighted, own.left, MenuTop(k), true, own), 0.97);
  EXPECT_GT(MatchFractionWhereDifferent(screen, highlighted, normal, own.left, MenuTop(k), own),
            0.95)
      << "button " << k << " is not highlighted";

  if (previous >= 1 && previous != k) {
    const BitmapFile prevNormal(DiscContent(MenuFile(previous, false)));
    const BitmapFile prevHighlighted(DiscContent(MenuFile(previous, true)));
    const RECT prevOwn = MenuOwnBox(previous);
    EXPECT_GT(MatchFractionWhereDifferent(screen, prevNormal, prevHighlighted, prevOwn.left,
                                          MenuTop(previous), prevOwn),
              0.95)
        << "button " << previous << " did not return to normal";
  }
  // Every other button shows its normal picture.
  for (int other = 1; other <= 9; ++other) {
    if (other == k) continue;
    const BitmapFile otherNormal(DiscContent(MenuFile(other, false)));
    const RECT otherOwn = MenuOwnBox(other);
    EXPECT_GT(MatchFractionIn(screen, otherNormal, otherOwn.left, MenuTop(other), true, otherOwn),
              0.97)
        << "button " << other;
  }
}

// The window of `exe` started in an empty folder made in `folder`: the background as it shows
// where no menu picture lies.
inline Capture BackgroundWithoutCatalogue(const std::string& folder,
                                          const std::string& exe = VelmPresExe()) {
  const std::string empty = folder + "\\empty";
  if (!MakeFolders(empty)) return Capture();
  Running bare = StartVelmPresIdle(empty, "", exe);
  EXPECT_NE(bare.window, nullptr) << exe << " did not start";
  return bare.window ? Capture::Settled(bare.window) : Capture();
}

// Where menu picture `picture` on button k has its key colour (its bottom-left pixel's), the
// background shows as it does without a catalogue.
inline void ExpectKeyShowsBackground(const Capture& screen, const Capture& background,
                                     const BitmapFile& picture, int k) {
  ASSERT_TRUE(picture.loaded());
  const RECT own = MenuOwnBox(k);
  const std::uint32_t key = picture.at(0, picture.height() - 1);
  long keyed = 0;
  long showingBackground = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) {
      const POINT at{own.left + x, MenuTop(k) + y};
      if (picture.at(x, y) != key || !PtInRect(&own, at)) continue;
      ++keyed;
      showingBackground += screen.at(at.x, at.y) == background.at(at.x, at.y);
    }
  ASSERT_GT(keyed, 0) << "menu picture " << k << " has no transparent part";
  EXPECT_EQ(showingBackground, keyed) << "menu picture " << k << " is not transparent";
}

// Clicks button k; the driver waits until the click has been handled. `shift` moves the click
// sideways, so that two clicks in a row on one button are two clicks, not a double click.
inline void ClickTitle(HWND window, int k, int shift = 0) {
  const POINT p = MenuClickPoint(k);
  ASSERT_TRUE(Click(window, p.x + shift, p.y)) << "the window was not up for input";
}

// The logo's tooltip window once the pointer rests on the logo, or null when none shows.
inline HWND TooltipOverLogo(const Running& app) {
  // Two moves inside the logo, as a pointer arriving there makes.
  EXPECT_TRUE(MoveMouse(app.window, 100, 30)) << "the window was not up for input";
  EXPECT_TRUE(MoveMouse(app.window, 104, 32)) << "the window was not up for input";
  HWND tip = nullptr;
  WaitUntil([&] {
    for (HWND w : app.process->topWindows())
      if (ClassName(w) == "tooltips_class32") tip = w;
    return tip != nullptr;
  });
  return tip;
}

}  // namespace e2e
