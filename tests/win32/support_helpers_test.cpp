// The shared test support under Wine: tree removal that takes read-only files and folders with
// it, fresh scratch folders, and the modal drivers' promises (an action runs once, even when it
// opens a loop of its own; a window is made ready for input before it is acted on).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ModalDriver.h"
#include "TestFiles.h"

namespace velmtest {
namespace {

TEST(TestFilesTest, TreesAreMadeCopiedAndRemovedReadOnlyPartsAndAll) {
  ScratchFolder scratch("files");
  const std::string tree = scratch.path() + "\\a\\b b\\c";
  ASSERT_TRUE(MakeFolders(tree));
  ASSERT_TRUE(WriteFileBytes(tree + "\\locked.txt", std::string("x\0y", 3)));
  ASSERT_TRUE(SetReadOnly(tree + "\\locked.txt", true));
  ASSERT_TRUE(SetReadOnly(scratch.path() + "\\a\\b b", true));
  ASSERT_TRUE(WriteFileBytes(scratch.path() + "\\a\\plain", "plain"));
  EXPECT_FALSE(MakeFolders(scratch.path() + "\\a\\plain")) << "a file is not a folder";

  ASSERT_TRUE(CopyTree(scratch.path() + "\\a", scratch.path() + "\\copy"));
  EXPECT_EQ(FileBytes(scratch.path() + "\\copy\\b b\\c\\locked.txt"), std::string("x\0y", 3));
  EXPECT_EQ(FileBytes(scratch.path() + "\\copy\\plain"), "plain");

  EXPECT_TRUE(RemoveTree(scratch.path() + "\\a"));
  EXPECT_FALSE(Exists(scratch.path() + "\\a"));
  EXPECT_TRUE(RemoveTree(scratch.path() + "\\a")) << "what is not there counts as removed";
  EXPECT_TRUE(IsFolder(scratch.path() + "\\copy"));
}

TEST(TestFilesTest, ScratchFolderStartsEmptyAndGoesWithWhatIsInIt) {
  std::string path;
  const std::string working = CurrentFolder();
  {
    ScratchFolder first("again");
    path = first.path();
    ASSERT_TRUE(WriteFileBytes(path + "\\left over", "from a run that ended early"));
    ScratchFolder second("again");  // the same name: what the first left is gone
    EXPECT_TRUE(IsFolder(path));
    EXPECT_FALSE(Exists(path + "\\left over"));
    ASSERT_TRUE(MakeFolders(path + "\\inner"));
    ASSERT_TRUE(WriteFileBytes(path + "\\inner\\file", "bytes"));
    ASSERT_TRUE(SetCurrentDirectoryA((path + "\\inner").c_str()));  // the working folder goes back
  }
  EXPECT_FALSE(Exists(path));
  EXPECT_EQ(CurrentFolder(), working);
}

// Pumps this thread's messages until `done`, as a modal loop would (bounded by a guard).
template <typename Done>
void PumpUntil(Done done) {
  bool guardFired = false;
  LoopGuard guard([&] { guardFired = true; });
  MSG msg;
  while (!done() && !guardFired && GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  ASSERT_FALSE(guardFired) << "the loop was ended by the guard";
}

TEST(ModalDriverTest, ActionRunsOnceEvenWhenItOpensALoopOfItsOwn) {
  int runs = 0;
  int nestedTicks = 0;
  {
    RunInLoop once([&] {
      ++runs;
      // A nested loop, as a modal form opened by the action runs: the action's own timer keeps
      // firing in it, and must not start the action again.
      ThreadTimer ticker(1, [&] { return ++nestedTicks < 20; });
      PumpUntil([&] { return nestedTicks >= 20; });
    });
    PumpUntil([&] { return runs > 0 && nestedTicks >= 20; });
  }
  EXPECT_EQ(runs, 1);
}

TEST(ModalDriverTest, WindowIsMadeReadyForInputBeforeTheActionRuns) {
  auto make = [](const char* caption) {
    return CreateWindowExA(0, "EDIT", caption, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 80,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  };
  const HWND target = make("target");
  const HWND other = make("other");
  ASSERT_TRUE(target && other);
  SetActiveWindow(other);
  ASSERT_FALSE(ReadyForInput(target));
  bool readyWhenRun = false;
  bool ran = false;
  {
    RunInLoop act(
        [&] {
          ran = true;
          readyWhenRun = ReadyForInput(target);
        },
        target);
    PumpUntil([&] { return ran; });
  }
  EXPECT_TRUE(readyWhenRun);
  DestroyWindow(other);
  DestroyWindow(target);
}

}  // namespace
}  // namespace velmtest
