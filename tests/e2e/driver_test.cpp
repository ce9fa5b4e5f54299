// The automation library's own promises, on the real program: a window it calls up for input is
// active with the focus in it, and input counts as handled only once the program's thread has
// caught up with it.
#include "E2e.h"

namespace e2e {
namespace {

TEST(Driver, InputCountsAsHandledOnlyOnceTheProgramHasCaughtUp) {
  const std::string folder = TestFolder();
  Running app = StartVelmPresIdle(folder);
  ASSERT_NE(app.window, nullptr);
  ASSERT_TRUE(WaitUntilReadyForInput(app.window));
  const HWND focus = FocusOf(app.window);
  EXPECT_TRUE(focus == app.window || IsChild(app.window, focus)) << "the focus is elsewhere";

  // The program's thread held still: nothing sent to it meanwhile is handled.
  const HANDLE thread =
      OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(app.window, nullptr));
  ASSERT_NE(thread, nullptr);
  ASSERT_NE(SuspendThread(thread), static_cast<DWORD>(-1));
  const bool handledWhileHeld = WaitUntilInputHandled(app.window, 500);
  ResumeThread(thread);
  CloseHandle(thread);
  EXPECT_FALSE(handledWhileHeld) << "the wait did not wait for the program";
  EXPECT_TRUE(WaitUntilInputHandled(app.window));
}

}  // namespace
}  // namespace e2e
