// The folder dialog's layout, its modes, its default folder and the folder field following the
// directory list (see SelectCustomDirFormU.h).
#include "SelectCustomDirFormU.h"

#include <windows.h>

#include "PelmoraLib.h"
#include "SysCalls.h"
#include "resource.h"

namespace velm {

const char TSelectCustomDirForm::kStoredCaption[] = "Επιλογή Φακέλου για Επεξεργασμένα Λήμματα";

namespace {

enum class Kind { Image, Label, Memo, Edit, GlyphButton, DrivePicker, DirectoryList };

struct ControlLayout {
  const char* name;
  Kind kind;
  int left, top, width, height;
  const char* caption;
  int modalResult;
  int tabOrder;  // window controls only
  int picture;   // bitmap resource, 0 for none
  int frames;    // glyph frames side by side (normal, disabled)
};

// Creation order is stacking order: Image2 lies over Image1.
// clang-format off
constexpr ControlLayout kLayout[] = {
//  name                 kind                left  top width height caption    modal result  tab picture              frames
  {"Image1",            Kind::Image,            8,  16,   41,   33, "",        tk::mrNone,     0, IDB_EDIT_PICTURE,    1},
  {"Label1",            Kind::Label,            8, 136,   45,   13, "Φάκελος", tk::mrNone,     0, 0,                   0},
  {"Image2",            Kind::Image,            8,  16,   49,   49, "",        tk::mrNone,     0, IDB_INSTALL_PICTURE, 1},
  {"MsgMemo",           Kind::Memo,            48,  16,  233,  113, "",        tk::mrNone,     0, 0,                   0},
  {"Dir_Edit",          Kind::Edit,            64, 136,  209,   21, "",        tk::mrNone,     1, 0,                   0},
  {"BitBtn1",           Kind::GlyphButton,    128, 176,  105,   25, "OK",      tk::mrNone,     2, IDB_OK_GLYPH,        2},
  {"BitBtn2",           Kind::GlyphButton,    256, 176,  105,   25, "Άκυρο",   tk::mrCancel,   3, IDB_CANCEL_GLYPH,    2},
  {"DriveComboBox1",    Kind::DrivePicker,    288, 136,  177,   19, "",        tk::mrNone,     4, 0,                   0},
  {"DirectoryListBox1", Kind::DirectoryList,  288,  17,  177,  112, "",        tk::mrNone,     5, 0,                   0},
};
// clang-format on

tk::FormSpec FolderDialogSpec() {
  tk::FormSpec props;
  props.caption = TSelectCustomDirForm::kStoredCaption;
  props.clientWidth = 477;
  props.clientHeight = 218;
  props.color = GetSysColor(COLOR_BTNFACE);
  props.font.face = "MS Sans Serif";
  props.font.height = -11;
  props.font.color = GetSysColor(COLOR_WINDOWTEXT);
  props.font.charset = DEFAULT_CHARSET;
  props.position = tk::FormSpec::Position::MainFormCenter;
  return props;
}

const char kInstallCaption[] = "Επιλογή φακέλου για εγκατάσταση λεξικού";
const char kEntriesCaption[] = "Επιλογή φακέλου για επεξεργασμένα λήμματα";

const char kFolderWithoutVersion[] = "C:\\Tolvan";
const char kFolderUnderProgramFiles[] = "C:\\Program Files\\Tolvan";
const char kProgramFiles[] = "C:\\Program Files";

bool IsFolder(const std::string& path) {
  const DWORD attributes = Sys().getFileAttributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

const std::string& TSelectCustomDirForm::InstallText() {
  static const std::string text =
      "Παρακαλώ επιλέξτε το φάκελο του δίσκου σας στον οποίο θα εγκατασταθεί το Duzivod Uzedov. "
      "Άμα θέλετε να εγκατασταθεί σε νέο φάκελο απλά πληκτρολογήστε τον στο χώρο από κάτω. Σας "
      "προτείνουμε να κρατήσετε το φάκελο που εμφανίζεται. Η διαδικασία της εγκατάστασης θα "
      "δημιουργήσει εικονίδιο για το λεξικό στην επιφάνεια εργασίας.";
  return text;
}

const std::string& TSelectCustomDirForm::NoFolderText() {
  static const std::string text =
      "Για να επεξεργαστείτε λήμματα στο Duzivod Uzedov πρέπει να ορίσετε στον υπολογιστή σας το "
      "φάκελο μέσα στον οποίο θα αποθηκεύονται οι τροποποιήσεις.\r\n\r\nΓια δική σας ευκολία "
      "μπορείτε να κρατήσετε το φάκελο που προτείνεται παρακάτω.";
  return text;
}

const std::string& TSelectCustomDirForm::InvalidFolderText() {
  static const std::string text =
      "Ο φάκελος που έχει οριστεί για την αποθήκευση των επεξεργασμένων λημμάτων δεν είναι "
      "έγκυρος. Αν υπάρχουν ήδη επεξεργασμένα λήμματα πρέπει να ορίσετε το φάκελο που τα περιέχει "
      "ώστε το λεξικό να τα βρει. Αν δεν υπάρχουν τότε πρέπει να ορίσετε το φάκελο μέσα στον οποίο "
      "θα αποθηκεύονται αυτά που θα δημιουργήσετε.";
  return text;
}

TSelectCustomDirForm::TSelectCustomDirForm() : tk::Form(FolderDialogSpec()) {
  createControls();
}

void TSelectCustomDirForm::createControls() {
  for (const ControlLayout& c : kLayout) {
    tk::WindowControl* window = nullptr;
    switch (c.kind) {
      case Kind::Image: {
        auto& image = add<tk::Image>(c.name, c.left, c.top, c.width, c.height);
        image.transparent = true;
        image.stretch = false;  // drawn at its own size from the top-left corner
        image.setPicture(tk::Picture::FromBitmapResource(c.picture));
        break;
      }
      case Kind::Label: {
        auto& label = add<tk::Label>(c.name, c.left, c.top, c.width, c.height);
        label.transparent = true;
        label.setCaption(c.caption);
        break;
      }
      case Kind::Memo:
        window = &add<tk::Memo>(c.name, c.left, c.top, c.width, c.height, true, true);
        break;
      case Kind::Edit:
        window = &add<tk::Edit>(c.name, c.left, c.top, c.width, c.height);
        break;
      case Kind::GlyphButton: {
        auto& button = add<tk::Button>(c.name, c.left, c.top, c.width, c.height, c.caption);
        button.modalResult = c.modalResult;
        button.setGlyph(tk::Picture::FromBitmapResource(c.picture), c.frames);
        window = &button;
        break;
      }
      case Kind::DrivePicker:
        window = &add<tk::DriveComboBox>(c.name, c.left, c.top, c.width, c.height);
        break;
      case Kind::DirectoryList:
        window = &add<tk::DirectoryList>(c.name, c.left, c.top, c.width, c.height);
        break;
    }
    if (window != nullptr) window->tabOrder = c.tabOrder;
  }
  Image1 = static_cast<tk::Image*>(find("Image1"));
  MsgMemo = static_cast<tk::Memo*>(find("MsgMemo"));
  Dir_Edit = static_cast<tk::Edit*>(find("Dir_Edit"));
  Label1 = static_cast<tk::Label*>(find("Label1"));
  BitBtn1 = static_cast<tk::Button*>(find("BitBtn1"));
  BitBtn2 = static_cast<tk::Button*>(find("BitBtn2"));
  DriveComboBox1 = static_cast<tk::DriveComboBox*>(find("DriveComboBox1"));
  DirectoryListBox1 = static_cast<tk::DirectoryList*>(find("DirectoryListBox1"));
  Image2 = static_cast<tk::Image*>(find("Image2"));

  defaultButton = BitBtn1;
  cancelButton = BitBtn2;
  MsgMemo->setBackground(GetSysColor(COLOR_BTNFACE));
  DriveComboBox1->setDirList(DirectoryListBox1);

  DirectoryListBox1->onChange = [this](tk::DirectoryList& sender) {
    DirectoryListBox1Change(sender);
  };
  BitBtn1->onClick = [this](tk::Control& sender) { BitBtn1Click(sender); };
}

void TSelectCustomDirForm::FormShow(tk::Control*) {
  try {
    if (FMode == "INSTALL") {
      setCaption(kInstallCaption);
      Image2->show();
      Image1->hide();
      MsgMemo->setText(InstallText());
    } else if (FMode == "NULL") {
      setCaption(kEntriesCaption);
      Image1->show();
      Image2->hide();
      MsgMemo->setText(NoFolderText());
    } else if (FMode == "INVALID") {
      setCaption(kEntriesCaption);
      Image1->show();
      Image2->hide();
      MsgMemo->setText(InvalidFolderText());
    }
    // On another drive the list moves to drive C's current folder and the field follows it;
    // the default folder below then takes its place.
    DriveComboBox1->setDrive('c');
    // The version is asked first; the folder is looked for only when it is not Vista.
    if (GetWindowsVersion() == WindowsVista)
      Dir_Edit->setText(kFolderWithoutVersion);
    else if (IsFolder(kProgramFiles))
      Dir_Edit->setText(kFolderUnderProgramFiles);
    else
      Dir_Edit->setText(kFolderWithoutVersion);
    Dir_Edit->setFocus();
  } catch (...) {
    // The dialog stays as far as it got.
  }
}

void TSelectCustomDirForm::DirectoryListBox1Change(tk::Control&) {
  try {
    Dir_Edit->setText(DirectoryListBox1->folder());
  } catch (...) {
  }
}

}  // namespace velm
