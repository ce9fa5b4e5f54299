// The layout builder for real under Wine: a table with every kind of control, as the folder
// dialog has them, makes its controls in order, binds each to its member and gives each the
// row's data; its events reach the form's handlers; rows the builder cannot honour are refused.
#include <windows.h>

#include <gtest/gtest.h>

#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "Application.h"
#include "Layout.h"
#include "resource.h"

namespace {

class AllKindsForm : public tk::Form {
 public:
  template <size_t N>
  explicit AllKindsForm(const tk::Row<AllKindsForm> (&rows)[N]) : tk::Form(Props()) {
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

 private:
  static tk::FormSpec Props() {
    tk::Application::instance().initialize();
    tk::FormSpec props;
    props.caption = "Layout";
    props.clientWidth = 477;
    props.clientHeight = 218;
    return props;
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

  EXPECT_TRUE(GetWindowLongA(form.MsgMemo->handle(), GWL_STYLE) & ES_CENTER);
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
