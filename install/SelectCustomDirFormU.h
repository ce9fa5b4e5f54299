// The folder dialog: a picture, a message, the folder field "Dir_Edit", a drive picker linked to
// a directory list, and the buttons "OK" and "Άκυρο". Its mode says what the folder is for:
// "INSTALL" (where the dictionary is installed), "NULL" and "INVALID" (where the dictionary keeps
// the user's edited entries, when none is set or the one set is not valid). The OK handler and
// the copying of the installation are in InstallFiles.cpp.
#pragma once

#include <string>

#include "Controls.h"
#include "DiscFacts.h"
#include "FolderControls.h"
#include "Form.h"

namespace velm {

class TSelectCustomDirForm : public tk::Form {
 public:
  TSelectCustomDirForm();

  // Handlers.
  void FormShow(tk::Control* sender);
  void DirectoryListBox1Change(tk::Control& sender);
  void BitBtn1Click(tk::Control& sender);
  // Copies the dictionary into the folder of `Dir_Edit` with `SourceFolder` as the working
  // directory, makes its shortcut and records the folder, and shows the outcome. True when it
  // ran to its end, whatever the outcome of the copies; false when a failure cut it short.
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
};

}  // namespace velm
