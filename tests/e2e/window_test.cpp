// The main window as a user first meets it: its size, place, caption and frame, and how it ends.
#include "E2e.h"

namespace e2e {
namespace {

TEST(MainWindow, FixedCentredCaptionedWindowThatAltF4Ends) {
  const std::string folder = TestFolder();
  // Keys are pressed once the window has opened to the end, as a person waits for it to.
  Running app = StartVelmPresIdle(folder);
  ASSERT_NE(app.window, nullptr) << "no window titled with the publisher's name";

  const SIZE client = ClientSize(app.window);
  EXPECT_EQ(client.cx, 750);
  EXPECT_EQ(client.cy, 470);
  EXPECT_EQ(Text(app.window), kMainCaption);

  // A caption, but no system menu, boxes or sizing border.
  const LONG style = Style(app.window);
  EXPECT_TRUE((style & WS_CAPTION) == WS_CAPTION);
  EXPECT_FALSE(style & WS_SYSMENU);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);

  // Centred on the screen.
  const RECT frame = WindowRectOnScreen(app.window);
  const int screenW = GetSystemMetrics(SM_CXSCREEN);
  const int screenH = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_NEAR((frame.left + frame.right) / 2, screenW / 2, 1);
  EXPECT_NEAR((frame.top + frame.bottom) / 2, screenH / 2, 1);

  ASSERT_TRUE(Key(app.window, VK_F4, true)) << "the window was not up for input";
  ExpectEndsWithZero(*app.process);
}

}  // namespace
}  // namespace e2e
