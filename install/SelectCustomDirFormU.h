// The folder dialog: a picture, a message, the folder field "Dir_Edit", a drive picker linked to
// a directory list, and the buttons "OK" and "Άκυρο". Its mode says what the folder is for:
// "INSTALL" (where the dictionary is installed), "NULL" and "INVALID" (where the dictionary keeps
// the user's edited entries, when none is set or the one set is not valid). The dialog asks: its
// OK handler reads the folder field once and hands it to the installation (Installation.h), which
// does the work; the dialog shows what came of it.
#pragma once

#include <memory>
#include <string>

#include "Controls.h"
#include "DiscFacts.h"
#include "FolderControls.h"
#include "Form.h"
#include "InstallThread.h"
#include "Installation.h"

namespace velm {

class TSelectCustomDirForm : public tk::Form {
 public:
  TSelectCustomDirForm();

  // Handlers.
  void FormShow(tk::Control* sender);
  void DirectoryListBox1Change(tk::Control& sender);
  // Reads the folder field once; an empty one closes the dialog as confirmed. Otherwise the
  // installation makes sure of the folder (the removal's folder rule in mode "INSTALL", the
  // folder made when it is new): a folder refused or not made keeps the dialog open with the
  // creation message; in mode "INSTALL" Install_Files then copies.
  void BitBtn1Click(tk::Control& sender);
  // The copying of the installation that BitBtn1Click started, from the disc's folder, under the
  // busy arrow, with a progress bar and the name of the file being copied, and the one message
  // of its outcome. True when it ran to its end, whatever the outcome of the copies; false when a
  // failure cut it short or the user cancelled (what it had made is then taken back).
  bool Install_Files();

  // Published controls, in declaration order.
  tk::Image* Image1;
  tk::Memo* MsgMemo;
  tk::Edit* Dir_Edit;
  tk::Label* Label1;
  tk::Button* BitBtn1;
  tk::Button* BitBtn2;
  tk::DriveComboBox* DriveComboBox1;
  tk::DirectoryList* DirectoryListBox1;
  tk::Image* Image2;

  // What the dialog asks for, compared byte for byte: "INSTALL", "NULL" or "INVALID". Set by the
  // creator before showing; empty in a new dialog, which matches none of them.
  std::string FMode;

  // The disc's folder the installation copies from: `SourceFolder` unless the creator says
  // otherwise.
  void setDiscFolder(const std::string& folder) { discFolder_ = folder; }
  // What the last OK came to, and the folder it used; a default outcome (no folder) before.
  const InstallOutcome& outcome() const { return outcome_; }

  // The caption stored with the window, seen when the mode matches none of the three.
  static const char kStoredCaption[];
  // The message of each mode, exactly as shown.
  static const std::string& InstallText();
  static const std::string& NoFolderText();
  static const std::string& InvalidFolderText();

 protected:
  void onShow() override { FormShow(nullptr); }

 private:
  void createControls();
  // Runs the installation's steps, the dialog handling its messages meanwhile (it keeps
  // answering; while it copies, Άκυρο, Escape or Alt+F4 cancel it), until the chosen folder is
  // ready, or to the end.
  void runInstallation(bool untilFolderReady);
  // While it works, nothing that would change the answer can be used: OK, the folder field, the
  // drive picker and the directory list (which moves the working directory).
  void setWorking(bool working);
  void showCopying();
  void updateProgress(const InstallThread::Progress& progress);

  std::string discFolder_;
  std::unique_ptr<Installation> installation_;
  InstallOutcome outcome_;
  // The progress bar and its label, made when the copying starts.
  HWND progressBar_ = nullptr;
  HWND copyingLabel_ = nullptr;
  HFONT labelFont_ = nullptr;
  int shownPosition_ = -1;
  std::string shownFile_;

 public:
  ~TSelectCustomDirForm() override;
};

}  // namespace velm
