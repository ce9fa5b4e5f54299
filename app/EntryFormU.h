// The main window: the publisher's catalogue, the close button and the removal entry.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "CatalogueReader.h"
#include "Controls.h"
#include "DiscFacts.h"
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
  tk::Button* EntryClose_Button = nullptr;
  tk::Image* PresImage = nullptr;
  tk::Image* EntryImage = nullptr;
  tk::Image* VelmImage1 = nullptr;
  tk::RichView* PresRTF = nullptr;
  tk::Label* VelmTitle = nullptr;
  tk::Image* MenuImage1 = nullptr;
  tk::Image* MenuImage2 = nullptr;
  tk::Image* MenuImage3 = nullptr;
  tk::Image* MenuImage4 = nullptr;
  tk::Image* MenuImage5 = nullptr;
  tk::Image* MenuImage6 = nullptr;
  tk::Image* MenuImage7 = nullptr;
  tk::Label* LexiconLabel = nullptr;
  tk::Image* EntryLineImage = nullptr;
  tk::Image* InstallImage = nullptr;
  tk::Image* MenuImage8 = nullptr;
  tk::Label* InstallLabel = nullptr;
  tk::Label* UninstallLabel = nullptr;
  tk::Image* MenuImage9 = nullptr;

  // The title slots, indexed 1 to kTitleCount (index 0 unused).
  std::array<tk::Picture, kTitleCount + 1> MenuPictures;
  std::array<tk::Picture, kTitleCount + 1> MenuPicturesSelected;
  std::array<std::vector<std::string>, kTitleCount + 1> Descriptions;
  std::array<tk::Picture, kTitleCount + 1> TitlePictures;

  tk::Image* menuButton(int k) const;

 protected:
  void onShow() override { FormShow(nullptr); }
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void createControls();
  void loadCatalogue();
  void loadCatalogueFile(const CatalogueFileRead& file);
  void showSlotPicture(tk::Image& control, tk::Picture& slotPicture);

  // The slot picture each control shows, which it holds meanwhile (see showSlotPicture).
  std::map<const tk::Image*, tk::Picture*> shownFrom_;
  // The catalogue's files being read; null once the loading has ended or stopped.
  std::unique_ptr<CatalogueReader> catalogueReader_;
};

}  // namespace velm
