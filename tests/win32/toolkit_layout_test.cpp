// Building forms for real under Wine: the window is made after the form, so a derived form sees
// its creation; a layout table with every kind of control, as the folder dialog has them, makes
// its controls in order, binds each to its member and gives each the row's data; its events
// reach the form's handlers; rows the builder cannot honour are refused. And the form's painting,
// composed off screen: what changes is drawn again, what a moved child uncovers comes back.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "Application.h"
#include "Layout.h"
#include "TestForms.h"
#include "resource.h"

namespace {

tk::FormSpec SmallForm() {
  return velmtest::FormSpecOf("Layout", 477, 218);
}

// A form of its own that notes the messages its window procedure hands it.
class WatchingForm : public tk::Form {
 public:
  WatchingForm() : tk::Form(SmallForm()) {}
  std::vector<UINT> seen;

 protected:
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    seen.push_back(message);
    return tk::Form::handleMessage(message, wParam, lParam);
  }
};

bool Saw(const WatchingForm& form, UINT message) {
  return std::find(form.seen.begin(), form.seen.end(), message) != form.seen.end();
}

TEST(FormCreationTest, TheWindowIsMadeAfterTheFormSoItsOwnHandlingSeesTheCreation) {
  WatchingForm form;
  EXPECT_EQ(form.handle(), nullptr);
  form.create();
  ASSERT_NE(form.handle(), nullptr);
  EXPECT_TRUE(Saw(form, WM_NCCREATE));
  EXPECT_TRUE(Saw(form, WM_CREATE));
  const HWND first = form.handle();
  form.create();  // once only
  EXPECT_EQ(form.handle(), first);
  // A second form shares the class registered by the first.
  WatchingForm other;
  other.create();
  EXPECT_NE(other.handle(), nullptr);
}

// A form whose show handler fails.
class FailingShowForm : public WatchingForm {
 public:
  int shows = 0;

 protected:
  void onShow() override {
    ++shows;
    throw std::runtime_error("the show handler failed");
  }
};

class AllKindsForm : public tk::Form {
 public:
  template <size_t N>
  explicit AllKindsForm(const tk::Row<AllKindsForm> (&rows)[N]) : tk::Form(SmallForm()) {
    tk::BuildLayout(*this, rows);
  }

  tk::Image* Image1 = nullptr;
  tk::Label* Label1 = nullptr;
  tk::Image* Image2 = nullptr;
  tk::Memo* MsgMemo = nullptr;
  tk::Edit* Dir_Edit = nullptr;
  tk::Button* BitBtn1 = nullptr;
  tk::Button* BitBtn2 = nullptr;
  tk::RichView* PresRTF = nullptr;
  tk::DriveComboBox* DriveComboBox1 = nullptr;
  tk::DirectoryList* DirectoryListBox1 = nullptr;

  std::vector<std::string> events;  // "<handler> <sender>", in order
  void BitBtn1Click(tk::Control& sender) { events.push_back("BitBtn1Click " + sender.name()); }
  void DirectoryListBox1Change(tk::Control& sender) {
    events.push_back("DirectoryListBox1Change " + sender.name());
  }
};

using F = AllKindsForm;
using R = tk::Row<AllKindsForm>;

const tk::FontSpec kBold = [] {
  tk::FontSpec font;
  font.bold = true;
  return font;
}();

// clang-format off
const R kAllKinds[] = {
  R(&F::Image1,            "Image1",            {  8,  16,  41,  33}).transparent().hand().tag(3).picture(tk::BitmapAsset(IDB_EDIT_PICTURE)),
  R(&F::Label1,            "Label1",            {  8, 136, 200,  13}).caption("Φάκελος").autoSize().hint("folder"),
  R(&F::Image2,            "Image2",            {  8,  16,  49,  49}).hidden().stretch().sizedToPicture().picture(tk::BitmapAsset(IDB_INSTALL_ICON)),
  R(&F::MsgMemo,           "MsgMemo",           { 48,  16, 233, 113}).centred().wordWrap().font(&kBold).tabOrder(0),
  R(&F::Dir_Edit,          "Dir_Edit",          { 64, 136, 209,  21}).tabOrder(1),
  R(&F::BitBtn1,           "BitBtn1",           {128, 176, 105,  25}).caption("OK").defaultButton().glyph(tk::BitmapAsset(IDB_OK_GLYPH), 2)
                                                                     .tabOrder(2).onClick(&F::BitBtn1Click),
  R(&F::BitBtn2,           "BitBtn2",           {256, 176, 105,  25}).caption("Άκυρο").cancelButton().modalResult(tk::mrCancel)
                                                                     .glyph(tk::BitmapAsset(IDB_CANCEL_GLYPH), 2).tabOrder(3),
  R(&F::PresRTF,           "PresRTF",           {300,  80,  20,  20}).hidden().color(RGB(214, 234, 255)).tabOrder(6),
  R(&F::DriveComboBox1,    "DriveComboBox1",    {288, 136, 177,  19}).tabOrder(4).linkedTo(&F::DirectoryListBox1),
  R(&F::DirectoryListBox1, "DirectoryListBox1", {288,  17, 177, 112}).tabOrder(5).onChange(&F::DirectoryListBox1Change),
};
// clang-format on

bool Bold(const tk::WindowControl& control) {
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control.handle(), WM_GETFONT, 0, 0)), sizeof font,
             &font);
  return font.lfWeight >= FW_BOLD;
}

TEST(FormCreationTest, AFormMadeButNotShownHasNoWindowsUntilOneIsNeeded) {
  AllKindsForm form(kAllKinds);
  EXPECT_EQ(form.handle(), nullptr);
  form.MsgMemo->setLines({"first", "second"});
  form.Dir_Edit->setText("C:\\Tolvan");
  form.PresRTF->setBounds(30, 40, 50, 60);
  EXPECT_EQ(form.Dir_Edit->text(), "C:\\Tolvan");
  EXPECT_EQ(form.handle(), nullptr);

  // Reading a control's window makes none; asking for it to be made makes them all, in creation
  // order, with what was set.
  EXPECT_EQ(form.MsgMemo->handle(), nullptr);
  EXPECT_EQ(form.handle(), nullptr);
  const HWND memo = form.MsgMemo->ensureHandle();
  ASSERT_NE(form.handle(), nullptr);
  EXPECT_EQ(GetParent(memo), form.handle());
  char text[64] = {};
  GetWindowTextA(memo, text, sizeof text);
  EXPECT_STREQ(text, "first\r\nsecond");
  EXPECT_TRUE(Bold(*form.MsgMemo));
  GetWindowTextA(form.Dir_Edit->handle(), text, sizeof text);
  EXPECT_STREQ(text, "C:\\Tolvan");
  RECT box{};
  GetWindowRect(form.PresRTF->handle(), &box);
  MapWindowPoints(nullptr, form.handle(), reinterpret_cast<POINT*>(&box), 2);
  EXPECT_EQ(box.left, 30);
  EXPECT_EQ(box.bottom - box.top, 60);
  EXPECT_EQ(GetWindow(form.MsgMemo->handle(), GW_HWNDNEXT), form.Dir_Edit->handle());
  EXPECT_GT(form.DirectoryListBox1->itemCount(), 0);
  EXPECT_EQ(form.DriveComboBox1->drive(), form.DirectoryListBox1->folder()[0] | 0x20);

  // A control added afterwards makes its window at once.
  tk::Edit& late = form.add<tk::Edit>("Late", 8, 190, 50, 21);
  const HWND last = GetWindow(GetWindow(form.handle(), GW_CHILD), GW_HWNDLAST);
  EXPECT_EQ(GetPropA(last, "TkControl"), static_cast<tk::WindowControl*>(&late));
}

TEST(LayoutTest, EveryRowMakesItsControlInOrderBoundToItsMember) {
  AllKindsForm form(kAllKinds);
  const tk::Control* const members[] = {
      form.Image1,  form.Label1,  form.Image2,  form.MsgMemo,        form.Dir_Edit,
      form.BitBtn1, form.BitBtn2, form.PresRTF, form.DriveComboBox1, form.DirectoryListBox1};
  ASSERT_EQ(form.controls().size(), std::size(kAllKinds));
  for (size_t i = 0; i < std::size(kAllKinds); ++i) {
    EXPECT_EQ(form.controls()[i].get(), members[i]) << kAllKinds[i].data.name;
    EXPECT_EQ(form.controls()[i]->name(), kAllKinds[i].data.name);
    const RECT box = members[i]->bounds();
    if (members[i] == form.Image2 || members[i] == form.Label1) continue;  // sized by content
    EXPECT_EQ(box.left, kAllKinds[i].data.left) << kAllKinds[i].data.name;
    EXPECT_EQ(box.bottom - box.top, kAllKinds[i].data.height) << kAllKinds[i].data.name;
  }
}

TEST(LayoutTest, EachControlTakesTheDataOfItsRow) {
  AllKindsForm form(kAllKinds);
  EXPECT_TRUE(form.Image1->transparent);
  EXPECT_FALSE(form.Image1->stretch);
  EXPECT_NE(form.Image1->cursor, nullptr);
  EXPECT_EQ(form.Image1->tag, 3);
  EXPECT_EQ(form.Image1->picture().width(), 29);
  EXPECT_TRUE(form.Image1->visible());

  EXPECT_FALSE(form.Image2->visible());
  EXPECT_TRUE(form.Image2->stretch);
  EXPECT_EQ(form.Image2->cursor, nullptr);
  EXPECT_EQ(form.Image2->width(), 18);  // its picture's size, not the row's box
  EXPECT_EQ(form.Image2->height(), 18);

  EXPECT_EQ(form.Label1->caption(), "Φάκελος");
  EXPECT_EQ(form.Label1->hint, "folder");
  EXPECT_GT(form.Label1->width(), 0);
  EXPECT_LT(form.Label1->width(), 200);  // fitted to the caption, not the row's box

  EXPECT_TRUE(GetWindowLongA(form.MsgMemo->ensureHandle(), GWL_STYLE) & ES_CENTER);
  EXPECT_TRUE(Bold(*form.MsgMemo));
  EXPECT_FALSE(Bold(*form.Dir_Edit));

  EXPECT_EQ(form.BitBtn1->caption(), "OK");
  EXPECT_EQ(form.BitBtn1->modalResult, tk::mrNone);
  EXPECT_EQ(form.BitBtn2->modalResult, tk::mrCancel);
  EXPECT_EQ(form.defaultButton, form.BitBtn1);
  EXPECT_EQ(form.cancelButton, form.BitBtn2);

  const int orders[] = {form.MsgMemo->tabOrder,        form.Dir_Edit->tabOrder,
                        form.BitBtn1->tabOrder,        form.BitBtn2->tabOrder,
                        form.DriveComboBox1->tabOrder, form.DirectoryListBox1->tabOrder};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(orders[i], i);
  EXPECT_FALSE(form.PresRTF->visible());
  EXPECT_FALSE(IsWindowVisible(form.PresRTF->handle()));
  EXPECT_EQ(form.DriveComboBox1->dirList(), form.DirectoryListBox1);
}

TEST(LayoutTest, EventsReachTheFormsHandlersWithTheirSender) {
  AllKindsForm form(kAllKinds);
  char original[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, original);
  form.BitBtn1->click();
  form.BitBtn2->click();  // no handler of its own
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const bool moved = form.DirectoryListBox1->setFolder(temp);
  SetCurrentDirectoryA(original);
  ASSERT_TRUE(moved);
  const std::vector<std::string> expected = {"BitBtn1Click BitBtn1",
                                             "DirectoryListBox1Change DirectoryListBox1"};
  EXPECT_EQ(form.events, expected);
}

TEST(EventGuardTest, AFailingHandlerEndsSilentlyWhicheverWayItsEventCame) {
  AllKindsForm form(kAllKinds);
  int clicks = 0;
  form.BitBtn1->onClick = [&](tk::Control&) {
    ++clicks;
    throw std::runtime_error("the click handler failed");
  };
  form.show();
  form.Dir_Edit->setFocus();
  // From code, and by Enter in the edit as the message loop hands keys to the form, outside
  // any window procedure.
  EXPECT_NO_THROW(form.BitBtn1->click());
  const MSG enter{form.Dir_Edit->handle(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  bool used = false;
  EXPECT_NO_THROW(used = form.handleDialogKey(enter));
  EXPECT_TRUE(used);
  EXPECT_EQ(clicks, 2);

  // A directory list's change.
  char original[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, original);
  form.DirectoryListBox1->onChange = [](tk::DirectoryList&) {
    throw std::runtime_error("the change handler failed");
  };
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  EXPECT_NO_THROW(form.DirectoryListBox1->setFolder(temp));
  SetCurrentDirectoryA(original);

  // A form's showing: the form is on screen all the same.
  FailingShowForm failing;
  EXPECT_NO_THROW(failing.show());
  EXPECT_EQ(failing.shows, 1);
  EXPECT_TRUE(failing.visible());
}

COLORREF OnScreen(const tk::Form& form, int x, int y) {
  const HDC dc = GetDC(form.handle());
  const COLORREF colour = GetPixel(dc, x, y) & 0xFFFFFF;
  ReleaseDC(form.handle(), dc);
  return colour;
}

TEST(FormPaintTest, WhatChangesIsDrawnAgainAndWhatAMovedChildUncoversComesBack) {
  tk::Form form(SmallForm());
  auto& label = form.add<tk::Label>("Label1", 10, 10, 60, 30);
  label.background = RGB(255, 0, 0);
  auto& edit = form.add<tk::Edit>("Dir_Edit", 200, 10, 60, 30);
  form.show();
  SetActiveWindow(form.handle());
  form.update();
  EXPECT_EQ(OnScreen(form, 40, 25), RGB(255, 0, 0));
  label.background = RGB(0, 0, 255);
  label.invalidate();
  form.update();
  EXPECT_EQ(OnScreen(form, 40, 25), RGB(0, 0, 255));
  // The edit over the label, then away: the label shows again, as it was last composed.
  edit.setBounds(10, 10, 60, 30);
  form.update();
  EXPECT_NE(OnScreen(form, 40, 25), RGB(0, 0, 255));
  edit.setBounds(200, 10, 60, 30);
  form.update();
  EXPECT_EQ(OnScreen(form, 40, 25), RGB(0, 0, 255));
}

// clang-format off
const R kChangeOnAButton[] = {
  R(&F::BitBtn1, "BitBtn1", {0, 0, 10, 10}).onChange(&F::BitBtn1Click),
};
const R kEditLinkedToAList[] = {
  R(&F::Dir_Edit,          "Dir_Edit",          {0, 0, 10, 10}).linkedTo(&F::DirectoryListBox1),
  R(&F::DirectoryListBox1, "DirectoryListBox1", {0, 20, 10, 10}),
};
const R kMissingPicture[] = {
  R(&F::Image1, "Image1", {0, 0, 10, 10}).picture(tk::BitmapAsset(9999)),
};
// clang-format on

TEST(LayoutTest, RowsTheBuilderCannotHonourAreRefusedAMissingPictureLeavesItEmpty) {
  EXPECT_THROW(AllKindsForm{kChangeOnAButton}, std::logic_error);
  EXPECT_THROW(AllKindsForm{kEditLinkedToAList}, std::logic_error);
  AllKindsForm form(kMissingPicture);
  EXPECT_TRUE(form.Image1->picture().empty());
}

}  // namespace
