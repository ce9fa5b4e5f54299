// The main window: its layout, the catalogue of nine titles read from "content" at start-up,
// the opening animation, title selection and the close button.
#include "EntryFormU.h"

#include <windows.h>

#include <stdexcept>
#include <utility>

#include "Application.h"
#include "CatalogueText.h"
#include "CommandLine.h"
#include "DiscFacts.h"
#include "Handler.h"
#include "Layout.h"
#include "PelmoraLib.h"
#include "SysCalls.h"
#include "resource.h"

namespace velm {

int CurrentTitle = 0;

namespace {

// ---- Layout -----------------------------------------------------------------------------------

// "Τίτλοι" as the window first shows it: padded with 19 blanks before and 20 after.
constexpr char kPaddedTitlesCaption[] = "                   Τίτλοι                    ";

const tk::FontSpec kTitleFont = [] {
  tk::FontSpec font;
  font.height = -13;
  font.bold = true;
  font.color = GetSysColor(COLOR_WINDOW);
  return font;
}();

const tk::FontSpec kLexiconFont = [] {
  tk::FontSpec font;
  font.face = "Tahoma";
  font.height = -15;
  font.bold = font.italic = font.underline = true;
  font.color = RGB(0, 128, 128);  // teal
  font.charset = GREEK_CHARSET;
  return font;
}();

constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr COLORREF kViewBackground = RGB(214, 234, 255);

using F = TEntryForm;
using R = tk::Row<TEntryForm>;

// The boxes the catalogue's pictures are drawn in: the menu buttons and the title picture.
constexpr int kBtnW = kMenuButtonWidth, kBtnH = kMenuButtonHeight, kBtn9H = kLastMenuButtonHeight;
constexpr int kPicW = kTitlePictureWidth, kPicH = kTitlePictureHeight;

// The two openings of the rich view. Each step moves an edge by kOpeningStep pixels on both
// sides of the view's centre line and is drawn as it happens.
constexpr int kOpeningStep = 3;
// The catalogue: the title picture moves right, and the view, as tall as the picture and level
// with it, opens sideways from its centre line to 47 steps each side (282 pixels wide, from 208).
constexpr int kTitlePictureLeft = 495;
constexpr int kTitlesViewTop = 84;
constexpr int kTitlesViewHeight = kTitlePictureHeight;
constexpr int kTitlesViewCentre = 349;
constexpr int kTitlesViewSteps = 47;
// The dictionary's details: the view, as wide as the window's body, opens up and down from its
// centre line to 54 steps each side (324 pixels high, from 84).
constexpr int kDetailsViewLeft = 208;
constexpr int kDetailsViewWidth = 530;
constexpr int kDetailsViewCentre = 246;
constexpr int kDetailsViewSteps = 54;

// Creation order is stacking order: later controls are drawn over earlier ones. The two entry
// labels take the size of their captions; the other labels keep their boxes.
// clang-format off
const R kLayout[] = {
  R(&F::EntryImage,        "EntryImage",        {  0,   0, 749, 468}).stretch().picture(tk::JpegAsset(IDR_BACKGROUND_JPEG)),
  R(&F::PresImage,         "PresImage",         {444,  84, kPicW, kPicH}),
  R(&F::VelmImage1,        "VelmImage1",        {  4,   6, 333,  57}).transparent().picture(tk::BitmapAsset(IDB_LOGO))
                                                                     .hint("Παρουσίαση Εκδόσεων Βελμαρόδη"),
  R(&F::VelmTitle,         "VelmTitle",         {  4,  88, 201,  16}).hidden().centred().font(&kTitleFont).color(kNavy)
                                                                     .caption(kPaddedTitlesCaption),
  R(&F::MenuImage1,        "MenuImage1",        {  4, 104, kBtnW, kBtnH}).hidden().transparent().hand().tag(1).onClick(&F::VelmMenu),
  R(&F::MenuImage2,        "MenuImage2",        {  4, 140, kBtnW, kBtnH}).hidden().transparent().hand().tag(2).onClick(&F::VelmMenu),
  R(&F::MenuImage3,        "MenuImage3",        {  4, 176, kBtnW, kBtnH}).hidden().transparent().hand().tag(3).onClick(&F::VelmMenu),
  R(&F::MenuImage4,        "MenuImage4",        {  4, 212, kBtnW, kBtnH}).hidden().transparent().hand().tag(4).onClick(&F::VelmMenu),
  R(&F::MenuImage5,        "MenuImage5",        {  4, 248, kBtnW, kBtnH}).hidden().transparent().hand().tag(5).onClick(&F::VelmMenu),
  R(&F::MenuImage6,        "MenuImage6",        {  4, 284, kBtnW, kBtnH}).hidden().transparent().hand().tag(6).onClick(&F::VelmMenu),
  R(&F::MenuImage7,        "MenuImage7",        {  4, 320, kBtnW, kBtnH}).hidden().transparent().hand().tag(7).onClick(&F::VelmMenu),
  R(&F::LexiconLabel,      "LexiconLabel",      {356, 404, 157,  25}).hidden().transparent().hand().centred().font(&kLexiconFont)
                                                                     .caption("Στοιχεία Λεξικού").onClick(&F::LexiconLabelClick),
  R(&F::EntryLineImage,    "EntryLineImage",    {  0,  64, 753,   2}).stretch().picture(tk::BitmapAsset(IDB_RULE)),
  R(&F::InstallImage,      "InstallImage",      {224, 418,  18,  18}).hidden().transparent().hand().sizedToPicture()
                                                                     .picture(tk::BitmapAsset(IDB_INSTALL_ICON)).onClick(&F::InstallImageClick),
  R(&F::MenuImage8,        "MenuImage8",        {  4, 356, kBtnW, kBtnH}).hidden().transparent().hand().tag(8).onClick(&F::VelmMenu),
  R(&F::InstallLabel,      "InstallLabel",      {248, 420, 166,  13}).hidden().transparent().hand().autoSize()
                                                                     .caption(kInstallEntryCaption).onClick(&F::InstallLabelClick),
  R(&F::UninstallLabel,    "UninstallLabel",    {248, 420, 194,  13}).hidden().transparent().hand().autoSize()
                                                                     .caption(kUninstallEntryCaption).onClick(&F::UninstallLabelClick),
  R(&F::MenuImage9,        "MenuImage9",        {  4, 392, kBtnW, kBtn9H}).hidden().transparent().hand().tag(9).onClick(&F::VelmMenu),
  R(&F::EntryClose_Button, "EntryClose_Button", {506, 416, 161,  25}).caption("Κλείσιμο").defaultButton().cancelButton()
                                                                     .glyph(tk::BitmapAsset(IDB_CLOSE_GLYPH), 1, 8).tabOrder(0)
                                                                     .onClick(&F::EntryClose_ButtonClick),
  R(&F::PresRTF,           "PresRTF",           {244, 120, 216, 285}).hidden().color(kViewBackground).tabOrder(1),
};
// clang-format on

tk::FormSpec MainWindowSpec() {
  tk::FormSpec props;
  props.caption = kAppTitle;
  props.clientWidth = 750;
  props.clientHeight = 470;
  props.color = GetSysColor(COLOR_ACTIVEBORDER);
  props.font.face = "MS Sans Serif";
  props.font.height = -11;
  props.position = tk::FormSpec::Position::ScreenCenter;
  return props;
}

// The message by which the catalogue reader hands the window each file it has read.
constexpr UINT kCatalogueFileMessage = WM_APP + 1;

}  // namespace

// ---- The window -------------------------------------------------------------------------------

TEntryForm::TEntryForm() : tk::Form(MainWindowSpec()) {
  createControls();
}

void TEntryForm::createControls() {
  tk::BuildLayout(*this, kLayout);
  // The background is kept only at the size it is shown, stretched as the image would stretch it
  // when first drawn, and not also at the stored picture's own size.
  try {
    EntryImage->setPicture(
        EntryImage->picture().stretchedTo(EntryImage->width(), EntryImage->height(), true));
  } catch (const tk::PictureError&) {
    // No memory for it now: the image makes its stretched copy when it first draws.
  }
}

tk::Image* TEntryForm::menuButton(int k) const {
  tk::Image* const buttons[] = {nullptr,    MenuImage1, MenuImage2, MenuImage3, MenuImage4,
                                MenuImage5, MenuImage6, MenuImage7, MenuImage8, MenuImage9};
  if (k < 1 || k > kTitleCount) throw std::out_of_range("no menu button of that number");
  return buttons[k];
}

// ---- Handlers ---------------------------------------------------------------------------------
// Each runs as a user event, through the toolkit's guard: a failure ends the handler silently
// where it happened (FormShow leaves the window as far as it got, VelmMenu leaves CurrentTitle
// as it was), and the steps after it do not run.

void TEntryForm::FormShow(tk::Control*) {
  SourceFolder = CommandLineArgument(GetCommandLineA(), 1);
  if (!SourceFolder.empty()) {
    const DWORD attributes = Sys().getFileAttributes(SourceFolder + kProgramFile);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) == 0) {
      InstallImage->show();
      UninstallLabel->show();
    }
  }
  loadCatalogue();  // reveals the catalogue once the nine slots are loaded
}

// Gives `control` a slot's picture to show. Each picture of the catalogue is held once: by its
// slot, or while a control shows it by that control, which gives it back to its slot when it is
// given another. The window holds no second copy of the ten pictures it shows, and the slots
// still have each of them whenever it is asked for.
void TEntryForm::showSlotPicture(tk::Image& control, tk::Picture& slotPicture) {
  tk::Picture*& from = shownFrom_[&control];
  if (from == &slotPicture) return;  // it shows that one already
  if (from) *from = control.takePicture();
  control.setPicture(std::move(slotPicture));
  from = &slotPicture;
}

// Loads the nine slots and reveals the catalogue. From a slow drive the files are read on the
// reader's thread (CatalogueReader.h), which hands them to the window one by one, in load order,
// while the window keeps answering; the last one reveals the catalogue. From a hard disk they are
// read here.
void TEntryForm::loadCatalogue() {
  catalogueReader_.reset();
  shownFrom_.clear();  // what the controls show now is none of the new slots' pictures
  for (int k = 1; k <= kTitleCount; ++k) {
    MenuPictures[k] = tk::Picture();
    MenuPicturesSelected[k] = tk::Picture();
    Descriptions[k].clear();
    TitlePictures[k] = tk::Picture();
  }
  if (OnSlowDrive()) {
    catalogueReader_ =
        std::make_unique<CatalogueReader>(kCatalogueFolder, handle(), kCatalogueFileMessage);
    return;
  }
  ReadCatalogueHere(kCatalogueFolder, [this](const CatalogueFileRead& f) { loadCatalogueFile(f); });
  VelmarodisShow(*EntryImage);
}

// One file of the catalogue, read: loaded into its slot. A file that could not be read, or a
// picture that is damaged, throws: the loading stops there, and the catalogue is not revealed.
void TEntryForm::loadCatalogueFile(const CatalogueFileRead& file) {
  if (!file.present) return;
  if (!file.read) throw std::runtime_error("cannot read " + file.path);
  const int k = file.k;
  switch (file.role) {
    case CatalogueRole::Normal:
      MenuPictures[k] = tk::Picture::FromBitmapBytes(file.bytes.data(), file.bytes.size());
      break;
    case CatalogueRole::Highlighted:
      MenuPicturesSelected[k] = tk::Picture::FromBitmapBytes(file.bytes.data(), file.bytes.size());
      break;
    case CatalogueRole::Description:
      Descriptions[k] = SplitDescriptionLines(file.bytes);
      break;
    case CatalogueRole::Picture:
      TitlePictures[k] = tk::Picture::FromBitmapBytes(file.bytes.data(), file.bytes.size());
      break;
  }
}

// A file from the reader's thread. Like FormShow, whose loading this goes on with, a failure ends
// the loading silently; the reader goes once the catalogue is revealed or the loading has stopped.
LRESULT TEntryForm::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kCatalogueFileMessage) return tk::Form::handleMessage(message, wParam, lParam);
  std::unique_ptr<CatalogueFileRead> file(reinterpret_cast<CatalogueFileRead*>(lParam));
  if (!catalogueReader_) return 0;  // the loading has stopped
  tk::RunHandler([&] {
    try {
      loadCatalogueFile(*file);
    } catch (...) {
      catalogueReader_.reset();
      throw;
    }
    if (file->k == kTitleCount && file->role == CatalogueRole::Picture) {
      const std::unique_ptr<CatalogueReader> done = std::move(catalogueReader_);
      VelmarodisShow(*EntryImage);
    }
  });
  if (catalogueReader_) catalogueReader_->giveBack(std::move(file));
  return 0;
}

void TEntryForm::VelmarodisShow(tk::Control&) {
  VelmTitle->show();
  PresImage->show();
  VelmTitle->setCaption("Τίτλοι");
  for (int k = 1; k <= kTitleCount; ++k) menuButton(k)->show();
  for (int k = 1; k <= kTitleCount; ++k) showSlotPicture(*menuButton(k), MenuPictures[k]);
  PresImage->setLeft(kTitlePictureLeft);
  PresRTF->setTop(kTitlesViewTop);
  PresRTF->setHeight(kTitlesViewHeight);
  PresRTF->show();
  PresRTF->clear();
  PresRTF->setWidth(0);
  PresRTF->setLeft(kTitlesViewCentre);
  update();
  // The view opens sideways from its centre line; each step is drawn as it happens.
  for (int step = 0; step < kTitlesViewSteps; ++step) {
    PresRTF->setLeft(PresRTF->left() - kOpeningStep);
    PresRTF->setWidth(PresRTF->width() + 2 * kOpeningStep);
    UpdateWindow(PresRTF->handle());
    update();
  }
  CurrentTitle = 0;
  VelmMenu(*MenuImage1);
}

void TEntryForm::VelmMenu(tk::Control& sender) {
  const int k = sender.tag;
  if (k != CurrentTitle) {
    showSlotPicture(*menuButton(k), MenuPicturesSelected[k]);
    if (CurrentTitle >= 1 && CurrentTitle <= kTitleCount)
      showSlotPicture(*menuButton(CurrentTitle), MenuPictures[CurrentTitle]);
    PresRTF->clear();
    const std::string buffer = JoinDescriptionLines(Descriptions[k]);
    if (!PresRTF->loadRtf(buffer)) {
      PresRTF->clear();
      if (!PresRTF->loadPlainText(buffer)) return;
    }
    showSlotPicture(*PresImage, TitlePictures[k]);
  }
  CurrentTitle = k;
}

void TEntryForm::LexiconLabelClick(tk::Control&) {
  for (int k = 1; k <= kTitleCount; ++k) menuButton(k)->hide();
  PresImage->hide();
  VelmTitle->show();
  VelmTitle->setCaption("Στοιχεία Λεξικού");
  PresRTF->setLeft(kDetailsViewLeft);
  PresRTF->setWidth(kDetailsViewWidth);
  PresRTF->show();
  PresRTF->clear();
  PresRTF->setTop(kDetailsViewCentre);
  PresRTF->setHeight(0);
  update();
  // The view opens up and down from its centre line.
  for (int step = 0; step < kDetailsViewSteps; ++step) {
    PresRTF->setTop(PresRTF->top() - kOpeningStep);
    PresRTF->setHeight(PresRTF->height() + 2 * kOpeningStep);
    UpdateWindow(PresRTF->handle());
    update();
  }
  CurrentTitle = 0;
}

void TEntryForm::InstallImageClick(tk::Control& sender) {
  if (InstallLabel->visible())
    InstallLabelClick(sender);
  else
    UninstallLabelClick(sender);
}

void TEntryForm::EntryClose_ButtonClick(tk::Control&) {
  tk::Application::instance().terminate();
}

}  // namespace velm
