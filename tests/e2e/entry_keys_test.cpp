// How the main window ends: Enter and Escape press the close button, Alt+F4 closes, all with
// exit code 0; inside the rich-text view Enter and Escape belong to the view.
#include "E2e.h"
#include "NamedCases.h"

namespace e2e {
namespace {

struct KeyCase {
  const char* name;
  bool focusView;  // click into the view first
  bool tabAway;    // then Tab on to the next control (the close button)
  WORD key;
  bool alt;
  bool ends;
};

VELM_PRINT_CASE_BY_NAME(KeyCase)

class EntryKeys : public ::testing::TestWithParam<KeyCase> {};

// A point inside the view, clear of its scroll bar.
constexpr POINT kInsideView{300, 250};

TEST_P(EntryKeys, EndTheProgramOrNot) {
  const KeyCase& c = GetParam();
  Running app = StartOnCatalogueCopy();
  ASSERT_NE(app.window, nullptr);
  HWND view = View(app.window);
  ASSERT_NE(view, nullptr);

  // Each input is handled before the next is sent (the driver waits for that): the focus is
  // where it has been put before the key under test goes.
  if (c.focusView) {
    ASSERT_TRUE(Click(app.window, kInsideView.x, kInsideView.y))
        << "the window was not up for input";
    ASSERT_EQ(FocusOf(app.window), view) << "the click did not put the focus in the view";
  }
  if (c.tabAway) {
    ASSERT_TRUE(Key(app.window, VK_TAB)) << "the window was not up for input";
    ASSERT_EQ(ClassName(FocusOf(app.window)), "Button")
        << "Tab did not move on to the close button";
  }
  const std::string textBefore = Text(view);
  ASSERT_TRUE(Key(app.window, c.key, c.alt)) << "the window was not up for input";

  DWORD code = 1234;
  if (c.ends) {
    ASSERT_TRUE(app.process->waitForExit(10000, &code)) << "the program did not end";
    EXPECT_EQ(code, 0u);
    return;
  }
  // Input is handled in order, and a program told to end takes no more input: once a later
  // click has switched the title, the key has been handled and did not end the program.
  const POINT title2 = MenuClickPoint(2);
  ASSERT_TRUE(Click(app.window, title2.x, title2.y)) << "the window was not up for input";
  const std::string phrase = PhraseOfDescription(2);
  EXPECT_TRUE(WaitUntil([&] { return Text(view).find(phrase) != std::string::npos; }))
      << "the click after the key was not handled";
  EXPECT_TRUE(app.process->running());
  EXPECT_FALSE(app.process->waitForExit(0, &code));
  // The view is read-only: the key wrote nothing into the text shown before it.
  EXPECT_NE(textBefore.find(PhraseOfDescription(1)), std::string::npos);

  // Away from the view, Enter ends the program again.
  ASSERT_TRUE(Key(app.window, VK_TAB)) << "the window was not up for input";
  ASSERT_NE(FocusOf(app.window), view) << "Tab did not move out of the view";
  ASSERT_TRUE(Key(app.window, VK_RETURN)) << "the window was not up for input";
  ASSERT_TRUE(app.process->waitForExit(10000, &code)) << "Enter on the close button";
  EXPECT_EQ(code, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, EntryKeys,
    ::testing::Values(KeyCase{"Enter", false, false, VK_RETURN, false, true},
                      KeyCase{"Escape", false, false, VK_ESCAPE, false, true},
                      KeyCase{"AltF4", false, false, VK_F4, true, true},
                      KeyCase{"AltF4InsideTheView", true, false, VK_F4, true, true},
                      KeyCase{"EnterInsideTheView", true, false, VK_RETURN, false, false},
                      KeyCase{"EscapeInsideTheView", true, false, VK_ESCAPE, false, false},
                      KeyCase{"EnterAfterTabbingOutOfTheView", true, true, VK_RETURN, false, true},
                      KeyCase{"EscapeAfterTabbingOutOfTheView", true, true, VK_ESCAPE, false, true},
                      KeyCase{"SpaceOnTheCloseButton", true, true, VK_SPACE, false, true},
                      // The window starts with the focus on the close button, first in tab order.
                      KeyCase{"SpaceRightAfterTheReveal", false, false, VK_SPACE, false, true}),
    velmtest::CaseName());

TEST(EntryClose, ClickingTheCloseButtonEndsTheProgram) {
  const std::string folder = TestFolder();
  Running app = StartVelmPresIdle(folder);
  ASSERT_NE(app.window, nullptr);
  ASSERT_TRUE(Click(app.window, 586, 428)) << "the window was not up for input";
  ExpectEndsWithZero(*app.process);
}

}  // namespace
}  // namespace e2e
