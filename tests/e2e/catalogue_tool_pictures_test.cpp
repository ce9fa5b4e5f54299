// The catalogue of pictures the publisher's tools wrote (ImageMagick and netpbm, one bitmap
// variant a title: tests/support/make_tool_disc.py): each title picture is drawn pixel for
// pixel as its source was given to the tool, each button too, with its key colour showing the
// background; and the disc check takes every picture, as the program does.
#include "CatalogueE2e.h"
#include "DiscCheck.h"
#include "DiscFolder.h"

namespace e2e {
namespace {

std::string ToolDisc() {
  return std::string(VELM_E2E_BUILD_DIR) + "\\tool-disc";
}
BitmapFile Source(const std::string& picture) {
  return BitmapFile(ToolDisc() + "\\sources\\" + picture);
}

TEST(ToolPictures, EveryVariantDrawsAsItsSourceWithItsKeyColourTransparent) {
  const std::string folder = TestFolder();
  ASSERT_TRUE(CopyTree(ToolDisc() + "\\content", folder + "\\content"));
  velm::check::DiscFolder disc(folder);
  velm::check::DiscIndex index;
  ASSERT_TRUE(index.load(disc));
  const velm::check::Report predicted = velm::check::CheckDisc(index);
  EXPECT_TRUE(predicted.catalogue.revealed);
  for (const velm::check::Finding& f : predicted.findings)  // the disc holds only a catalogue
    EXPECT_EQ(f.file.find(".bmp"), std::string::npos) << f.file << ": " << f.what;

  const Capture background = BackgroundWithoutCatalogue(folder);
  Running app = StartVelmPresIdle(folder);
  ASSERT_NE(app.window, nullptr);
  for (int k = 1; k <= 9; ++k) {
    SCOPED_TRACE("title " + std::to_string(k));
    ClickTitle(app.window, k);
    const Capture screen = Capture::Settled(app.window);
    EXPECT_EQ(
        MatchFraction(screen, Source(PictureFile(k)), kPictureBox.left, kPictureBox.top, false, 0),
        1.0);
    for (int j = 1; j <= 9; ++j) {
      const BitmapFile source = Source(MenuFile(j, j == k));
      const RECT own = MenuOwnBox(j);
      EXPECT_EQ(MatchFractionIn(screen, source, own.left, MenuTop(j), true, own, 0), 1.0)
          << MenuFile(j, j == k);
      ExpectKeyShowsBackground(screen, background, source, j);
    }
  }
}

}  // namespace
}  // namespace e2e
