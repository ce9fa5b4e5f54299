// The folder dialog's layout, its modes, its default folder and the folder field following the
// directory list (see SelectCustomDirFormU.h).
#include "SelectCustomDirFormU.h"

#include <windows.h>

#include <commctrl.h>

#include <initializer_list>

#include "Application.h"
#include "DialogEntry.h"
#include "Font.h"
#include "Layout.h"
#include "PelmoraLib.h"
#include "resource.h"

namespace velm {

const char TSelectCustomDirForm::kStoredCaption[] = "Επιλογή Φακέλου για Επεξεργασμένα Λήμματα";

namespace {

using F = TSelectCustomDirForm;
using R = tk::Row<TSelectCustomDirForm>;

// Creation order is stacking order: Image2 lies over Image1. The pictures are drawn at their own
// size from the top-left corner.
// clang-format off
const R kLayout[] = {
  R(&F::Image1,            "Image1",            {  8,  16,  41,  33}).transparent().picture(tk::BitmapAsset(IDB_EDIT_PICTURE)),
  R(&F::Label1,            "Label1",            {  8, 136,  45,  13}).transparent().caption("Φάκελος"),
  R(&F::Image2,            "Image2",            {  8,  16,  49,  49}).transparent().picture(tk::BitmapAsset(IDB_INSTALL_PICTURE)),
  R(&F::MsgMemo,           "MsgMemo",           { 48,  16, 233, 113}).centred().wordWrap().color(GetSysColor(COLOR_BTNFACE))
                                                                     .tabOrder(0),
  R(&F::Dir_Edit,          "Dir_Edit",          { 64, 136, 209,  21}).tabOrder(1),
  R(&F::BitBtn1,           "BitBtn1",           {128, 176, 105,  25}).caption("OK").defaultButton()
                                                                     .glyph(tk::BitmapAsset(IDB_OK_GLYPH), 2).tabOrder(2)
                                                                     .onClick(&F::BitBtn1Click),
  R(&F::BitBtn2,           "BitBtn2",           {256, 176, 105,  25}).caption("Άκυρο").cancelButton().modalResult(tk::mrCancel)
                                                                     .glyph(tk::BitmapAsset(IDB_CANCEL_GLYPH), 2).tabOrder(3),
  R(&F::DriveComboBox1,    "DriveComboBox1",    {288, 136, 177,  19}).linkedTo(&F::DirectoryListBox1).tabOrder(4),
  R(&F::DirectoryListBox1, "DirectoryListBox1", {288,  17, 177, 112}).tabOrder(5).onChange(&F::DirectoryListBox1Change),
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

const char kEntriesCaption[] = "Επιλογή φακέλου για επεξεργασμένα λήμματα";

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

TSelectCustomDirForm::TSelectCustomDirForm()
    : tk::Form(FolderDialogSpec()), discFolder_(SourceFolder) {
  createControls();
}

void TSelectCustomDirForm::createControls() {
  tk::BuildLayout(*this, kLayout);
}

// The handlers run as user events, through the toolkit's guard: a failure ends the handler
// silently where it happened (FormShow leaves the dialog as far as it got; BitBtn1Click leaves it
// open unless its result was set).

void TSelectCustomDirForm::FormShow(tk::Control*) {
  if (FMode == "INSTALL") {
    setCaption(kInstallDialogCaption);
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
    Dir_Edit->setText(kFolderOnDriveC);
  else if (FolderExists(kProgramFilesFolder))
    Dir_Edit->setText(kFolderUnderProgramFiles);
  else
    Dir_Edit->setText(kFolderOnDriveC);
  Dir_Edit->setFocus();
}

void TSelectCustomDirForm::DirectoryListBox1Change(tk::Control&) {
  Dir_Edit->setText(DirectoryListBox1->folder());
}

TSelectCustomDirForm::~TSelectCustomDirForm() {
  if (labelFont_) DeleteObject(labelFont_);
}

void TSelectCustomDirForm::setWorking(bool working) {
  for (tk::WindowControl* control : std::initializer_list<tk::WindowControl*>{
           BitBtn1, Dir_Edit, DriveComboBox1, DirectoryListBox1})
    if (control->handle()) EnableWindow(control->handle(), working ? FALSE : TRUE);
  // Escape reaches the form itself and presses Άκυρο; Enter finds OK disabled.
  if (working) SetFocus(handle());
}

void TSelectCustomDirForm::runInstallation(bool untilFolderReady) {
  tk::Application& app = tk::Application::instance();
  // What reads the disc runs on a thread of its own: until the folder is ready, or until the
  // copies are over. The dialog meanwhile looks at its messages at least every 50 ms.
  constexpr DWORD kLook = 50;
  {
    InstallThread steps(*installation_,
                        untilFolderReady ? &Installation::folderReady : &Installation::copiesOver);
    // Until the folder is ready (the rule, the bytes against the free space, the folder made) the
    // dialog paints and answers what is sent to it, and a person's keys and clicks wait: its
    // answer comes first. While it copies it takes them all.
    const DWORD wakeMask = untilFolderReady ? QS_PAINT | QS_SENDMESSAGE : QS_ALLINPUT;
    while (!steps.wait(kLook, wakeMask)) {
      if (copyingLabel_) updateProgress(steps.progress());
      const bool quit = !app.processWaitingMessages(!untilFolderReady);
      // Άκυρο, Escape and Alt+F4 each set the dialog's result to cancel; it closes once the
      // installation has taken back what it made.
      if (quit || modalResult() == tk::mrCancel) {
        setModalResult(tk::mrNone);
        steps.cancel();
      }
    }
  }
  if (untilFolderReady) return;
  // The shortcut and the settings file, here: both are written to the hard disk.
  while (installation_->next()) {
  }
  if (copyingLabel_)
    updateProgress({installation_->bytesDone(), installation_->bytesTotal(), std::string()});
  app.processWaitingMessages();
}

void TSelectCustomDirForm::showCopying() {
  tk::Application& app = tk::Application::instance();
  MsgMemo->hide();
  labelFont_ = tk::MakeFont(font());
  copyingLabel_ =
      CreateWindowExA(0, "STATIC", kCopyingLabel, WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP, 48, 52,
                      233, 16, handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
  if (copyingLabel_)
    SendMessageA(copyingLabel_, WM_SETFONT, reinterpret_cast<WPARAM>(labelFont_), FALSE);
  // The platform's progress bar (Windows 95 has it), moving by bytes over 0 to 1000.
  if (tk::LoadCommonControls())
    progressBar_ =
        CreateWindowExA(0, PROGRESS_CLASSA, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, 48, 72, 233,
                        18, handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
  if (progressBar_) SendMessageA(progressBar_, PBM_SETRANGE, 0, MAKELPARAM(0, 1000));
  app.processWaitingMessages();
}

void TSelectCustomDirForm::updateProgress(const InstallThread::Progress& progress) {
  const int position = progress.total ? static_cast<int>(progress.done * 1000 / progress.total) : 0;
  if (progressBar_ && position != shownPosition_) {
    SendMessageA(progressBar_, PBM_SETPOS, position, 0);
    shownPosition_ = position;
  }
  const std::string& file = progress.file;
  if (copyingLabel_ && !file.empty() && file != shownFile_) {
    shownFile_ = file;
    const std::size_t cut = file.rfind('\\');
    const std::string name = cut == std::string::npos ? file : file.substr(cut + 1);
    SetWindowTextA(copyingLabel_, (std::string(kCopyingLabel) + name).c_str());
  }
}

void TSelectCustomDirForm::BitBtn1Click(tk::Control&) {
  tk::Application& app = tk::Application::instance();
  const std::string folder = Dir_Edit->text();
  if (folder.empty()) {
    // Closes as confirmed; the entry then sees no folder and does nothing more.
    outcome_ = InstallOutcome();
    setModalResult(tk::mrOk);
    return;
  }
  installation_ =
      std::make_unique<Installation>(InstallRequest{discFolder_, folder, FMode == "INSTALL"});
  setWorking(true);
  runInstallation(true);
  outcome_ = installation_->outcome();
  if (!installation_->folderReady()) {
    installation_.reset();
    switch (outcome_.kind) {
      case InstallOutcome::Kind::FolderReady:
        setModalResult(tk::mrOk);
        return;
      case InstallOutcome::Kind::Cancelled:
        app.messageBox(kInstallCancelledMessage);
        setModalResult(tk::mrCancel);
        return;
      case InstallOutcome::Kind::NoSpace:
        // The controls come back once the message has been read: until then the dialog shows
        // either its work or its answer, never a field that waits for nothing.
        app.messageBox(NoSpaceMessage(MegabytesNeeded(outcome_.bytesNeeded),
                                      MegabytesFree(outcome_.bytesFree)));
        setWorking(false);
        Dir_Edit->setFocus();
        return;
      default:
        // Refused by the folder rule, or not made: the dialog stays open, the field as it was.
        app.messageBox(kFolderCreationMessage);
        setWorking(false);
        Dir_Edit->setFocus();
        return;
    }
  }
  setModalResult(Install_Files() ? tk::mrOk : tk::mrCancel);
}

bool TSelectCustomDirForm::Install_Files() {
  tk::Application& app = tk::Application::instance();
  app.setCursor(tk::AppCursor::Busy);
  showCopying();
  runInstallation(false);
  outcome_ = installation_->outcome();
  installation_.reset();
  // The plain arrow from here on, over every control, until the program ends.
  app.setCursor(tk::AppCursor::Arrow);
  switch (outcome_.kind) {
    case InstallOutcome::Kind::Stopped:
      // A step that raised (the manifest cannot be read, the shortcut's link object cannot be
      // made) abandoned the rest: false, which closes the dialog as cancelled. Files may have
      // been copied already: closing in silence would read as success, so the problems message
      // is shown.
      tk::ReportProblem(kInstallProblemMessage);
      return false;
    case InstallOutcome::Kind::Cancelled:
      app.messageBox(kInstallCancelledMessage);
      return false;
    default:
      app.messageBox(outcome_.kind == InstallOutcome::Kind::Done ? kInstallDoneMessage
                                                                 : kInstallProblemMessage);
      return true;
  }
}

}  // namespace velm
