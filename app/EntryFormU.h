// The main window: the publisher's catalogue, the close button and the removal entry.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "Controls.h"
#include "Form.h"

namespace velm {

// The selected title, 0 (none) to 9.
extern int CurrentTitle;

class TEntryForm : public tk::Form {
 public:
  TEntryForm();

  // Handlers, in declaration order.
  void VelmarodisShow(tk::Control& sender);
  void FormShow(tk::Control* sender);
  void VelmMenu(tk::Control& sender);
  void LexiconLabelClick(tk::Control& sender);
  void InstallImageClick(tk::Control& sender);
  void UninstallLabelClick(tk::Control& sender);
  void EntryClose_ButtonClick(tk::Control& sender);
  void InstallLabelClick(tk::Control& sender);

  // Published controls, in declaration order.
  tk::Button* EntryClose_Button;
  tk::Image* PresImage;
  tk::Image* EntryImage;
  tk::Image* VelmImage1;
  tk::RichView* PresRTF;
  tk::Label* VelmTitle;
  tk::Image* MenuImage1;
  tk::Image* MenuImage2;
  tk::Image* MenuImage3;
  tk::Image* MenuImage4;
  tk::Image* MenuImage5;
  tk::Image* MenuImage6;
  tk::Image* MenuImage7;
  tk::Label* LexiconLabel;
  tk::Image* EntryLineImage;
  tk::Image* InstallImage;
  tk::Image* MenuImage8;
  tk::Label* InstallLabel;
  tk::Label* UninstallLabel;
  tk::Image* MenuImage9;

  // The title slots, indexed 1 to 9 (index 0 unused).
  std::array<tk::Picture, 10> MenuPictures;
  std::array<tk::Picture, 10> MenuPicturesSelected;
  std::array<std::vector<std::string>, 10> Descriptions;
  std::array<tk::Picture, 10> TitlePictures;

  tk::Image* menuButton(int k) const;

 protected:
  void onShow() override { FormShow(nullptr); }

 private:
  void createControls();
  void loadCatalogue();
};

}  // namespace velm
