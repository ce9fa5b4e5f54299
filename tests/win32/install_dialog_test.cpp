// The folder dialog in process: its layout and properties, what each mode shows, the default
// folder and the order of the questions that decide it, drive C set first, the focus in the
// folder field, the folder field following the directory list, and the message in the colour
// scheme's window-text colour.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PelmoraLib.h"
#include "SelectCustomDirFormU.h"
#include "RemovalSupport.h"

namespace velm {
namespace {

using velmtest::CurrentFolder;
using velmtest::MainWindow;
using velmtest::ScratchFolder;
using DialogAnswerer = velmtest::ModalAnswerer<TSelectCustomDirForm>;

constexpr char kProgramFiles[] = "C:\\Program Files";

// What the dialog showed, read while it was open.
struct Shown {
  std::string caption;
  bool image1 = false, image2 = false;
  std::string message;
  std::string folder;
  bool focusInField = false;
  std::string listFolder;
};

class FolderDialogTest : public ::testing::Test {
 protected:
  MainWindow main_;
  velmtest::SysDouble sys_;

  // Shows a fresh dialog in `mode`, notes what it shows, and cancels it.
  Shown show(const std::string& mode) {
    Shown shown;
    DialogAnswerer answerer({[&shown](TSelectCustomDirForm& f) {
      shown.caption = f.caption();
      shown.image1 = f.Image1->visible();
      shown.image2 = f.Image2->visible();
      shown.message = f.MsgMemo->text();
      shown.folder = f.Dir_Edit->text();
      shown.focusInField = f.Dir_Edit->focused();
      shown.listFolder = f.DirectoryListBox1->folder();
      DialogAnswerer::Push(*f.BitBtn2);
    }});
    ScopedSys scoped(sys_);
    TSelectCustomDirForm dialog;
    dialog.FMode = mode;
    EXPECT_EQ(dialog.showModal(), tk::mrCancel);
    EXPECT_EQ(answerer.seen().confirmations, 1);
    return shown;
  }
};

TEST_F(FolderDialogTest, LayoutPropertiesAndPictures) {
  TSelectCustomDirForm form;
  EXPECT_EQ(form.caption(), "Επιλογή Φακέλου για Επεξεργασμένα Λήμματα");
  EXPECT_TRUE(form.FMode.empty());
  velmtest::ExpectDialogFrame(form, 477, 218);  // made but not shown
  EXPECT_EQ(form.font().face, "MS Sans Serif");
  EXPECT_EQ(form.font().height, -11);

  // In creation order; tab orders of the window controls.
  const std::vector<velmtest::Placed> places = {
      {"Image1", "", 8, 16, 41, 33},
      {"Label1", "Φάκελος", 8, 136, 45, 13},
      {"Image2", "", 8, 16, 49, 49},
      {"MsgMemo", "", 48, 16, 233, 113, 0},
      {"Dir_Edit", "", 64, 136, 209, 21, 1},
      {"BitBtn1", "OK", 128, 176, 105, 25, 2},
      {"BitBtn2", "Άκυρο", 256, 176, 105, 25, 3},
      {"DriveComboBox1", "", 288, 136, 177, 19, 4},
      {"DirectoryListBox1", "", 288, 17, 177, 112, 5},
  };
  EXPECT_EQ(velmtest::PlacesOf(form), places);
  EXPECT_EQ(form.Image1->picture().width(), 29);
  EXPECT_EQ(form.Image1->picture().height(), 22);
  EXPECT_EQ(form.Image2->picture().width(), 41);
  EXPECT_EQ(form.Image2->picture().height(), 41);
  EXPECT_TRUE(form.Image1->transparent && form.Image2->transparent);
  EXPECT_TRUE(form.Image1->visible() && form.Image2->visible());

  EXPECT_EQ(form.BitBtn1->modalResult, tk::mrNone) << "its handler sets the result";
  EXPECT_EQ(form.BitBtn2->modalResult, tk::mrCancel);
  EXPECT_EQ(form.defaultButton, form.BitBtn1);
  EXPECT_EQ(form.cancelButton, form.BitBtn2);

  const LONG memo = GetWindowLongA(form.MsgMemo->handle(), GWL_STYLE);
  EXPECT_TRUE(memo & ES_READONLY);
  EXPECT_TRUE(memo & ES_CENTER);
  EXPECT_FALSE(memo & ES_AUTOHSCROLL) << "not word-wrapped";
  EXPECT_FALSE(GetWindowLongA(form.MsgMemo->handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_TRUE(form.MsgMemo->text().empty());
  EXPECT_TRUE(form.Dir_Edit->text().empty());
  EXPECT_EQ(SendMessageA(form.DirectoryListBox1->handle(), LB_GETITEMHEIGHT, 0, 0), 16);
  EXPECT_EQ(form.DriveComboBox1->dirList(), form.DirectoryListBox1);
}

TEST_F(FolderDialogTest, EachModeShowsItsCaptionPictureAndMessage) {
  const std::string entries = "Επιλογή φακέλου για επεξεργασμένα λήμματα";
  struct Mode {
    const char* mode;
    std::string caption;
    bool image1, image2;
    std::string message;
  };
  const Mode modes[] = {
      {"INSTALL", "Επιλογή φακέλου για εγκατάσταση λεξικού", false, true,
       TSelectCustomDirForm::InstallText()},
      {"NULL", entries, true, false, TSelectCustomDirForm::NoFolderText()},
      {"INVALID", entries, true, false, TSelectCustomDirForm::InvalidFolderText()},
      // Compared exactly: anything else leaves the window as stored.
      {"install", TSelectCustomDirForm::kStoredCaption, true, true, ""},
      {"", TSelectCustomDirForm::kStoredCaption, true, true, ""},
      {"INSTALL ", TSelectCustomDirForm::kStoredCaption, true, true, ""},
  };
  for (const Mode& m : modes) {
    SCOPED_TRACE(std::string("mode [") + m.mode + "]");
    const Shown shown = show(m.mode);
    EXPECT_EQ(shown.caption, m.caption);
    EXPECT_EQ(shown.image1, m.image1);
    EXPECT_EQ(shown.image2, m.image2);
    EXPECT_EQ(shown.message, m.message);
    // The default folder in every mode, and the focus in the field.
    EXPECT_TRUE(shown.folder == "C:\\Tolvan" || shown.folder == "C:\\Program Files\\Tolvan")
        << shown.folder;
    EXPECT_TRUE(shown.focusInField);
  }
  // The no-folder text's two paragraphs with one empty line between, 229 bytes in code page 1253.
  EXPECT_EQ(TSelectCustomDirForm::NoFolderText().size(), 229u);
  EXPECT_NE(TSelectCustomDirForm::NoFolderText().find(".\r\n\r\n\xC3\xE9\xE1 "),
            std::string::npos);  // ".", an empty line, "Για "
}

TEST_F(FolderDialogTest, DefaultFolderAsksTheVersionFirstAndProgramFilesOnlyBeforeVista) {
  const bool vista = GetWindowsVersion() == WindowsVista;
  for (const bool hidden : {false, true}) {
    SCOPED_TRACE(hidden ? "without C:\\Program Files" : "with C:\\Program Files");
    // "C:\Program Files" looked for, or made to look missing.
    const std::string query = std::string("getFileAttributes ") + kProgramFiles;
    bool asked = false;
    sys_.onCall = [&](const std::string& call) { asked = asked || call == query; };
    sys_.fails = [&](const std::string& call) {
      return hidden && lstrcmpiA(call.c_str(), query.c_str()) == 0;
    };
    const Shown shown = show("INSTALL");
    if (vista) {
      EXPECT_EQ(shown.folder, "C:\\Tolvan");
      EXPECT_FALSE(asked) << "C:\\Program Files looked for on Vista";
    } else {
      EXPECT_EQ(shown.folder, hidden ? "C:\\Tolvan" : "C:\\Program Files\\Tolvan");
      EXPECT_TRUE(asked);
    }
  }
}

TEST_F(FolderDialogTest, DriveCIsSetFirstAndTheListMovesOnlyFromAnotherDrive) {
  ScratchFolder scratch("dialog-drive");
  // On drive C: the list stays at the working directory.
  ASSERT_TRUE(SetCurrentDirectoryA(scratch.path().c_str()));
  const std::string onC = CurrentFolder();
  Shown shown = show("INSTALL");
  EXPECT_EQ(lstrcmpiA(shown.listFolder.c_str(), onC.c_str()), 0) << shown.listFolder;

  // On another drive it moves to drive C's current folder; the field still shows the default.
  ASSERT_TRUE(SetCurrentDirectoryA("Z:\\"));
  shown = show("INSTALL");
  ASSERT_GE(shown.listFolder.size(), 2u);
  EXPECT_TRUE(shown.listFolder[0] == 'C' || shown.listFolder[0] == 'c') << shown.listFolder;
  EXPECT_TRUE(shown.folder == "C:\\Tolvan" || shown.folder == "C:\\Program Files\\Tolvan");
  SetCurrentDirectoryA(onC.c_str());
  SetCurrentDirectoryA("C:\\");
}

TEST_F(FolderDialogTest, TheFieldFollowsTheListOverWhatWasTyped) {
  ScratchFolder scratch("dialog-list");
  const std::string inner = scratch.path() + "\\Λήμματα";
  ASSERT_TRUE(CreateDirectoryA(inner.c_str(), nullptr));
  ASSERT_TRUE(SetCurrentDirectoryA(scratch.path().c_str()));
  std::string afterMove, listAfterMove;
  DialogAnswerer answerer({[&](TSelectCustomDirForm& f) {
    f.Dir_Edit->setText("D:\\typed");
    f.DirectoryListBox1->setFolder(inner);
    listAfterMove = f.DirectoryListBox1->folder();
    afterMove = f.Dir_Edit->text();
    DialogAnswerer::Push(*f.BitBtn2);
  }});
  TSelectCustomDirForm dialog;
  dialog.FMode = "INSTALL";
  dialog.showModal();

  EXPECT_EQ(afterMove, listAfterMove) << "the field shows the list's full path";
  EXPECT_EQ(lstrcmpiA(afterMove.c_str(), inner.c_str()), 0) << afterMove;
  SetCurrentDirectoryA("C:\\");
}

TEST_F(FolderDialogTest, TheMessageIsWrittenInTheSchemesWindowTextColour) {
  const int element = COLOR_WINDOWTEXT;
  const COLORREF standard = GetSysColor(element);
  const COLORREF scheme = RGB(0x80, 0x10, 0x40);
  ASSERT_TRUE(SetSysColors(1, &element, &scheme));
  TSelectCustomDirForm dialog;
  SetSysColors(1, &element, &standard);
  dialog.create();
  // The colours the read-only edit asks its form for before it draws.
  const HDC dc = CreateCompatibleDC(nullptr);
  SendMessageA(dialog.handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(dialog.MsgMemo->handle()));
  EXPECT_EQ(GetTextColor(dc), scheme);
  DeleteDC(dc);
}

}  // namespace
}  // namespace velm
