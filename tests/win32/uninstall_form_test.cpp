// The confirmation window in process: its properties, and how each key and button closes it
// (or, in the question's text, does not).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ConfirmUninstallFormU.h"
#include "RemovalSupport.h"

namespace velm {
namespace {

using velmtest::Answerer;
using velmtest::MainWindow;

TEST(ConfirmUninstallFormTest, PropertiesPicturesAndFonts) {
  MainWindow main;
  TConfirmUninstallForm form;

  EXPECT_EQ(form.caption(), velmtest::kConfirmCaption);
  velmtest::ExpectDialogFrame(form, 292, 141);  // made but not shown

  // Creation order (the places and the question are checked on screen, end to end).
  ASSERT_EQ(form.controls().size(), 4u);
  const char* const names[] = {"Image1", "BitBtn1", "BitBtn2", "Memo1"};
  for (size_t i = 0; i < 4; ++i) EXPECT_EQ(form.controls()[i]->name(), names[i]);

  // The picture at its own size, its bottom-left colour transparent.
  EXPECT_EQ(form.Image1->picture().width(), 41);
  EXPECT_EQ(form.Image1->picture().height(), 41);
  EXPECT_TRUE(form.Image1->transparent);
  EXPECT_FALSE(form.Image1->stretch);

  EXPECT_EQ(form.BitBtn1->caption(), "Ναι");
  EXPECT_EQ(form.BitBtn1->modalResult, 1);
  EXPECT_EQ(form.BitBtn2->caption(), "Όχι");
  EXPECT_EQ(form.BitBtn2->modalResult, 2);
  EXPECT_EQ(form.defaultButton, form.BitBtn1);
  EXPECT_EQ(form.cancelButton, form.BitBtn2);
  EXPECT_LT(form.BitBtn1->tabOrder, form.BitBtn2->tabOrder);
  EXPECT_LT(form.BitBtn2->tabOrder, form.Memo1->tabOrder);

  EXPECT_TRUE(GetWindowLongA(form.Memo1->handle(), GWL_STYLE) & ES_READONLY);
  EXPECT_FALSE(GetWindowLongA(form.Memo1->handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  // Its own font: the window's, in bold.
  LOGFONTA memoFont{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(form.Memo1->handle(), WM_GETFONT, 0, 0)),
             sizeof memoFont, &memoFont);
  EXPECT_STREQ(memoFont.lfFaceName, "MS Sans Serif");
  EXPECT_EQ(memoFont.lfHeight, -11);
  EXPECT_GE(memoFont.lfWeight, FW_BOLD);
  LOGFONTA buttonFont{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(form.BitBtn1->handle(), WM_GETFONT, 0, 0)),
             sizeof buttonFont, &buttonFont);
  EXPECT_LT(buttonFont.lfWeight, FW_BOLD);
}

TEST(ConfirmUninstallFormTest, EachAnswerGivesItsModalResult) {
  MainWindow main;
  struct Case {
    const char* how;
    std::vector<Answerer::Answer> answers;  // one a tick; all must be used
    int result;
  };
  const Answerer::Answer pushNo = [](TConfirmUninstallForm& f) { Answerer::Push(*f.BitBtn2); };
  const Case cases[] = {
      {"Enter", {[](TConfirmUninstallForm& f) { Answerer::PressKey(f, VK_RETURN); }}, 1},
      {"Ναι", {[](TConfirmUninstallForm& f) { Answerer::Push(*f.BitBtn1); }}, 1},
      {"Escape", {[](TConfirmUninstallForm& f) { Answerer::PressKey(f, VK_ESCAPE); }}, 2},
      {"Όχι", {pushNo}, 2},
      {"Alt+F4", {[](TConfirmUninstallForm& f) { Answerer::PressKey(f, VK_F4, true); }}, 2},
      // In the question the text takes Enter and Escape itself: the window is still open for Όχι.
      {"Enter and Escape in the text, then Όχι",
       {[](TConfirmUninstallForm& f) {
          f.Memo1->setFocus();
          Answerer::PressKey(f, VK_RETURN);
          Answerer::PressKey(f, VK_ESCAPE);
        },
        pushNo},
       2},
      // Tab moves on to Όχι, which Enter then presses.
      {"Tab, Enter",
       {[](TConfirmUninstallForm& f) { Answerer::PressKey(f, VK_TAB); },
        [](TConfirmUninstallForm& f) {
          EXPECT_TRUE(f.BitBtn2->focused());
          Answerer::PressKey(f, VK_RETURN);
        }},
       2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    TConfirmUninstallForm form;
    Answerer answerer(c.answers);
    EXPECT_EQ(form.showModal(), c.result);
    EXPECT_EQ(answerer.seen().answersUsed, c.answers.size()) << "the window closed too early";
    EXPECT_TRUE(answerer.seen().focusWasOnYes);
    EXPECT_FALSE(IsWindowVisible(form.handle()));
  }
}

TEST(ConfirmUninstallFormTest, CentredOverTheMainWindow) {
  MainWindow main;
  SetWindowPos(main.form().handle(), nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  TConfirmUninstallForm form;
  RECT mainFrame{}, frame{};
  Answerer answerer({[&](TConfirmUninstallForm& f) {
    GetWindowRect(f.handle(), &frame);
    Answerer::PressKey(f, VK_ESCAPE);
  }});
  form.showModal();
  GetWindowRect(main.form().handle(), &mainFrame);
  EXPECT_NEAR((frame.left + frame.right) / 2, (mainFrame.left + mainFrame.right) / 2, 1);
  EXPECT_NEAR((frame.top + frame.bottom) / 2, (mainFrame.top + mainFrame.bottom) / 2, 1);
}

}  // namespace
}  // namespace velm
