// The main window: its layout, the catalogue of nine titles read from "content" at start-up,
// the opening animation, title selection and the close button.
#include "EntryFormU.h"

#include <windows.h>

#include <stdexcept>

#include "Application.h"
#include "CatalogueText.h"
#include "CommandLine.h"
#include "PelmoraLib.h"
#include "SysCalls.h"
#include "resource.h"

namespace velm {

int CurrentTitle = 0;

namespace {

// ---- Layout -----------------------------------------------------------------------------------

enum class Kind { Image, Label, GlyphButton, RichText };

constexpr unsigned kTopOnly = tk::akTop;
constexpr unsigned kAll = tk::akLeft | tk::akTop | tk::akRight | tk::akBottom;
constexpr unsigned kLeftTopRight = tk::akLeft | tk::akTop | tk::akRight;
constexpr unsigned kTopRight = tk::akTop | tk::akRight;
constexpr unsigned kDefault = tk::kDefaultAnchors;

struct ControlLayout {
  const char* name;
  Kind kind;
  int left, top, width, height;
  unsigned anchors;
  bool visible;
  bool transparent;
  bool stretch;
  bool handCursor;
  int tag;
};

// Creation order is stacking order: later controls are drawn over earlier ones.
// clang-format off
constexpr ControlLayout kLayout[] = {
//  name                 kind              left  top width height anchors     visible transp stretch hand   tag
  {"EntryImage",        Kind::Image,         0,    0,  749,  468, kAll,         true,  false, true,  false, 0},
  {"PresImage",         Kind::Image,       444,   84,  249,  321, kTopOnly,     true,  false, false, false, 0},
  {"VelmImage1",        Kind::Image,         4,    6,  333,   57, kDefault,     true,  true,  false, false, 0},
  {"VelmTitle",         Kind::Label,         4,   88,  201,   16, kDefault,     false, false, false, false, 0},
  {"MenuImage1",        Kind::Image,         4,  104,  201,   37, kDefault,     false, true,  false, true,  1},
  {"MenuImage2",        Kind::Image,         4,  140,  201,   37, kDefault,     false, true,  false, true,  2},
  {"MenuImage3",        Kind::Image,         4,  176,  201,   37, kDefault,     false, true,  false, true,  3},
  {"MenuImage4",        Kind::Image,         4,  212,  201,   37, kDefault,     false, true,  false, true,  4},
  {"MenuImage5",        Kind::Image,         4,  248,  201,   37, kDefault,     false, true,  false, true,  5},
  {"MenuImage6",        Kind::Image,         4,  284,  201,   37, kDefault,     false, true,  false, true,  6},
  {"MenuImage7",        Kind::Image,         4,  320,  201,   37, kDefault,     false, true,  false, true,  7},
  {"LexiconLabel",      Kind::Label,       356,  404,  157,   25, kDefault,     false, true,  false, true,  0},
  {"EntryLineImage",    Kind::Image,         0,   64,  753,    2, kLeftTopRight, true,  false, true,  false, 0},
  {"InstallImage",      Kind::Image,       224,  418,   18,   18, kDefault,     false, true,  false, true,  0},
  {"MenuImage8",        Kind::Image,         4,  356,  201,   37, kDefault,     false, true,  false, true,  8},
  {"InstallLabel",      Kind::Label,       248,  420,  166,   13, kDefault,     false, true,  false, true,  0},
  {"UninstallLabel",    Kind::Label,       248,  420,  194,   13, kDefault,     false, true,  false, true,  0},
  {"MenuImage9",        Kind::Image,         4,  392,  201,   49, kDefault,     false, true,  false, true,  9},
  {"EntryClose_Button", Kind::GlyphButton,  506,  416,  161,   25, kTopRight,    true,  false, false, false, 0},
  {"PresRTF",           Kind::RichText,    244,  120,  216,  285, kDefault,     false, false, false, false, 0},
};
// clang-format on

tk::FormSpec MainWindowSpec() {
  tk::FormSpec props;
  props.caption = "Εκδόσεις Βελμαρόδη";
  props.clientWidth = 750;
  props.clientHeight = 470;
  props.color = GetSysColor(COLOR_ACTIVEBORDER);
  props.font.face = "MS Sans Serif";
  props.font.height = -11;
  props.position = tk::FormSpec::Position::ScreenCenter;
  return props;
}

// "Τίτλοι" as the window first shows it: padded with 19 blanks before and 20 after.
std::string PaddedTitlesCaption() {
  return std::string(19, ' ') + "Τίτλοι" + std::string(20, ' ');
}

// The text of a description file; an unreadable one stops the loading.
std::string ReadDescription(const std::string& path) {
  std::string bytes;
  if (!Sys().readFile(path, bytes)) throw std::runtime_error("cannot read " + path);
  return bytes;
}

}  // namespace

// ---- The window -------------------------------------------------------------------------------

TEntryForm::TEntryForm() : tk::Form(MainWindowSpec()) {
  createControls();
}

void TEntryForm::createControls() {
  HCURSOR hand = tk::HandCursor(IDC_HAND_CURSOR);
  for (const ControlLayout& c : kLayout) {
    tk::Control* control = nullptr;
    switch (c.kind) {
      case Kind::Image: {
        auto& image = add<tk::Image>(c.name, c.left, c.top, c.width, c.height);
        image.transparent = c.transparent;
        image.stretch = c.stretch;
        if (c.handCursor) image.cursor = hand;
        control = &image;
        break;
      }
      case Kind::Label: {
        auto& label = add<tk::Label>(c.name, c.left, c.top, c.width, c.height);
        label.transparent = c.transparent;
        if (c.handCursor) label.cursor = hand;
        control = &label;
        break;
      }
      case Kind::GlyphButton:
        control = &add<tk::Button>(c.name, c.left, c.top, c.width, c.height, "");
        break;
      case Kind::RichText:
        control = &add<tk::RichView>(c.name, c.left, c.top, c.width, c.height);
        break;
    }
    control->anchors = c.anchors;
    control->tag = c.tag;
    control->setVisible(c.visible);
  }
  auto image = [this](const char* name) { return static_cast<tk::Image*>(find(name)); };
  auto label = [this](const char* name) { return static_cast<tk::Label*>(find(name)); };
  EntryImage = image("EntryImage");
  PresImage = image("PresImage");
  VelmImage1 = image("VelmImage1");
  VelmTitle = label("VelmTitle");
  MenuImage1 = image("MenuImage1");
  MenuImage2 = image("MenuImage2");
  MenuImage3 = image("MenuImage3");
  MenuImage4 = image("MenuImage4");
  MenuImage5 = image("MenuImage5");
  MenuImage6 = image("MenuImage6");
  MenuImage7 = image("MenuImage7");
  LexiconLabel = label("LexiconLabel");
  EntryLineImage = image("EntryLineImage");
  InstallImage = image("InstallImage");
  MenuImage8 = image("MenuImage8");
  InstallLabel = label("InstallLabel");
  UninstallLabel = label("UninstallLabel");
  MenuImage9 = image("MenuImage9");
  EntryClose_Button = static_cast<tk::Button*>(find("EntryClose_Button"));
  PresRTF = static_cast<tk::RichView*>(find("PresRTF"));

  // The pictures stored with the window. A damaged background must not keep the window away.
  try {
    EntryImage->setPicture(tk::Picture::FromJpegResource(IDR_BACKGROUND_JPEG));
  } catch (const tk::PictureError&) {
  }
  VelmImage1->setPicture(tk::Picture::FromBitmapResource(IDB_LOGO));
  VelmImage1->hint = "Παρουσίαση Εκδόσεων Βελμαρόδη";
  EntryLineImage->setPicture(tk::Picture::FromBitmapResource(IDB_RULE));
  InstallImage->setPicture(tk::Picture::FromBitmapResource(IDB_INSTALL_ICON));
  // Sized to its bitmap.
  InstallImage->setBounds(InstallImage->left(), InstallImage->top(),
                          InstallImage->picture().width(), InstallImage->picture().height());

  tk::FontSpec titleFont = font();
  titleFont.height = -13;
  titleFont.bold = true;
  titleFont.color = GetSysColor(COLOR_WINDOW);
  VelmTitle->setFont(titleFont);
  VelmTitle->background = RGB(0, 0, 128);  // navy
  VelmTitle->align = tk::Label::Align::Center;
  VelmTitle->setCaption(PaddedTitlesCaption());

  tk::FontSpec lexiconFont;
  lexiconFont.face = "Tahoma";
  lexiconFont.height = -15;
  lexiconFont.bold = lexiconFont.italic = lexiconFont.underline = true;
  lexiconFont.color = RGB(0, 128, 128);  // teal
  lexiconFont.charset = GREEK_CHARSET;
  LexiconLabel->setFont(lexiconFont);
  LexiconLabel->align = tk::Label::Align::Center;
  LexiconLabel->setCaption("Στοιχεία Λεξικού");

  // The two entry labels take the size of their captions; the other labels keep their boxes.
  InstallLabel->setAutoSize(true);
  UninstallLabel->setAutoSize(true);
  InstallLabel->setCaption("Εγκατάσταση στον σκληρό δίσκο");
  UninstallLabel->setCaption("Απεγκατάσταση από τον σκληρό δίσκο");

  EntryClose_Button->setText("Κλείσιμο");
  EntryClose_Button->setGlyph(tk::Picture::FromBitmapResource(IDB_CLOSE_GLYPH), 1);
  EntryClose_Button->glyphSpacing = 8;
  EntryClose_Button->tabOrder = 0;
  defaultButton = EntryClose_Button;
  cancelButton = EntryClose_Button;

  PresRTF->tabOrder = 1;
  PresRTF->setBackground(RGB(214, 234, 255));

  auto bind = [this](tk::Control* c, void (TEntryForm::*handler)(tk::Control&)) {
    c->onClick = [this, handler](tk::Control& sender) { (this->*handler)(sender); };
  };
  for (int k = 1; k <= 9; ++k) bind(menuButton(k), &TEntryForm::VelmMenu);
  bind(LexiconLabel, &TEntryForm::LexiconLabelClick);
  bind(InstallImage, &TEntryForm::InstallImageClick);
  bind(InstallLabel, &TEntryForm::InstallLabelClick);
  bind(UninstallLabel, &TEntryForm::UninstallLabelClick);
  bind(EntryClose_Button, &TEntryForm::EntryClose_ButtonClick);
}

tk::Image* TEntryForm::menuButton(int k) const {
  tk::Image* const buttons[] = {nullptr,    MenuImage1, MenuImage2, MenuImage3, MenuImage4,
                                MenuImage5, MenuImage6, MenuImage7, MenuImage8, MenuImage9};
  if (k < 1 || k > 9) throw std::out_of_range("no menu button of that number");
  return buttons[k];
}

// ---- Handlers ---------------------------------------------------------------------------------

void TEntryForm::FormShow(tk::Control*) {
  try {
    SourceFolder = CommandLineArgument(GetCommandLineA(), 1);
    if (!SourceFolder.empty()) {
      const DWORD attributes = GetFileAttributesA((SourceFolder + "Tolvan.exe").c_str());
      if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) == 0) {
        InstallImage->show();
        UninstallLabel->show();
      }
    }
    loadCatalogue();
    VelmarodisShow(*this->EntryImage);
  } catch (...) {
    // The window stays as far as it got.
  }
}

void TEntryForm::loadCatalogue() {
  for (int k = 1; k <= 9; ++k) {
    MenuPictures[k] = tk::Picture();
    MenuPicturesSelected[k] = tk::Picture();
    Descriptions[k].clear();
    TitlePictures[k] = tk::Picture();
  }
  for (int k = 1; k <= 9; ++k) {
    const std::string n = std::to_string(k);
    const std::string menu = "content\\menu" + n + ".bmp";
    const std::string selected = "content\\menu" + n + "c.bmp";
    const std::string text = "content\\velm" + n + ".rtf";
    const std::string picture = "content\\velm" + n + ".bmp";
    if (Sys().fileExists(menu)) MenuPictures[k] = tk::Picture::FromFile(menu);
    if (Sys().fileExists(selected)) MenuPicturesSelected[k] = tk::Picture::FromFile(selected);
    if (Sys().fileExists(text)) Descriptions[k] = SplitDescriptionLines(ReadDescription(text));
    if (Sys().fileExists(picture)) TitlePictures[k] = tk::Picture::FromFile(picture);
  }
}

void TEntryForm::VelmarodisShow(tk::Control&) {
  try {
    VelmTitle->show();
    PresImage->show();
    VelmTitle->setCaption("Τίτλοι");
    for (int k = 1; k <= 9; ++k) menuButton(k)->show();
    for (int k = 1; k <= 9; ++k) menuButton(k)->setPicture(MenuPictures[k]);
    PresImage->setLeft(495);
    PresRTF->setTop(84);
    PresRTF->setHeight(321);
    PresRTF->show();
    PresRTF->clear();
    PresRTF->setWidth(0);
    PresRTF->setLeft(349);
    update();
    // The view opens sideways from its centre line; each step is drawn as it happens.
    for (int step = 0; step < 47; ++step) {
      PresRTF->setLeft(PresRTF->left() - 3);
      PresRTF->setWidth(PresRTF->width() + 6);
      UpdateWindow(PresRTF->handle());
      update();
    }
    CurrentTitle = 0;
    VelmMenu(*MenuImage1);
  } catch (...) {
  }
}

void TEntryForm::VelmMenu(tk::Control& sender) {
  try {
    const int k = sender.tag;
    if (k != CurrentTitle) {
      menuButton(k)->setPicture(MenuPicturesSelected[k]);
      if (CurrentTitle >= 1 && CurrentTitle <= 9)
        menuButton(CurrentTitle)->setPicture(MenuPictures[CurrentTitle]);
      PresRTF->clear();
      const std::string buffer = JoinDescriptionLines(Descriptions[k]);
      if (!PresRTF->loadRtf(buffer)) {
        PresRTF->clear();
        if (!PresRTF->loadPlainText(buffer)) return;
      }
      PresImage->setPicture(TitlePictures[k]);
    }
    CurrentTitle = k;
  } catch (...) {
  }
}

void TEntryForm::LexiconLabelClick(tk::Control&) {
  try {
    for (int k = 1; k <= 9; ++k) menuButton(k)->hide();
    PresImage->hide();
    VelmTitle->show();
    VelmTitle->setCaption("Στοιχεία Λεξικού");
    PresRTF->setLeft(208);
    PresRTF->setWidth(530);
    PresRTF->show();
    PresRTF->clear();
    PresRTF->setTop(246);
    PresRTF->setHeight(0);
    update();
    for (int step = 0; step < 54; ++step) {
      PresRTF->setTop(PresRTF->top() - 3);
      PresRTF->setHeight(PresRTF->height() + 6);
      UpdateWindow(PresRTF->handle());
      update();
    }
    CurrentTitle = 0;
  } catch (...) {
  }
}

void TEntryForm::InstallImageClick(tk::Control& sender) {
  try {
    if (InstallLabel->visible())
      InstallLabelClick(sender);
    else
      UninstallLabelClick(sender);
  } catch (...) {
  }
}

void TEntryForm::EntryClose_ButtonClick(tk::Control&) {
  tk::Application::instance().terminate();
}

}  // namespace velm
