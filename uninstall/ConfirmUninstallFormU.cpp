// The confirmation window's layout and pictures (see ConfirmUninstallFormU.h). It has no
// handlers: its buttons close it through their modal results.
#include "ConfirmUninstallFormU.h"

#include <windows.h>

#include "resource.h"

namespace velm {
namespace {

enum class Kind { Image, GlyphButton, Memo };

struct ControlLayout {
  const char* name;
  Kind kind;
  int left, top, width, height;
  const char* caption;
  int modalResult;
  int tabOrder;
  int picture;  // bitmap resource, 0 for none
  int frames;   // glyph frames side by side (normal, disabled)
};

// Creation order is stacking order.
// clang-format off
constexpr ControlLayout kLayout[] = {
//  name       kind              left  top width height caption modal result  tab picture              frames
  {"Image1",  Kind::Image,         16,  12,   45,   45, "",     tk::mrNone,     0, IDB_INSTALL_PICTURE, 1},
  {"BitBtn1", Kind::GlyphButton,   28, 104,  101,   25, "Ναι",  tk::mrOk,       0, IDB_OK_GLYPH,        2},
  {"BitBtn2", Kind::GlyphButton,  156, 104,  101,   25, "Όχι",  tk::mrCancel,   1, IDB_NO_GLYPH,        2},
  {"Memo1",   Kind::Memo,          72,  16,  209,   81, "",     tk::mrNone,     2, 0,                   0},
};
// clang-format on

tk::FormSpec ConfirmWindowSpec() {
  tk::FormSpec props;
  props.caption = "Απεγκατάσταση Ιατρικού Λεξικού";
  props.clientWidth = 292;
  props.clientHeight = 141;
  props.color = GetSysColor(COLOR_BTNFACE);
  props.font.face = "MS Sans Serif";
  props.font.height = -11;
  props.font.color = RGB(0, 0, 0);
  props.font.charset = DEFAULT_CHARSET;
  props.position = tk::FormSpec::Position::MainFormCenter;
  return props;
}

}  // namespace

const std::vector<std::string>& TConfirmUninstallForm::QuestionLines() {
  static const std::vector<std::string> lines = {
      "Πρόκειται να απεγκατασταθεί ", "το Duzivod Uzedov από το ", "σκληρό σας δίσκο. ", "",
      "Να συνεχιστεί η διαδικασία;",
  };
  return lines;
}

TConfirmUninstallForm::TConfirmUninstallForm() : tk::Form(ConfirmWindowSpec()) {
  createControls();
}

void TConfirmUninstallForm::createControls() {
  for (const ControlLayout& c : kLayout) {
    switch (c.kind) {
      case Kind::Image: {
        auto& image = add<tk::Image>(c.name, c.left, c.top, c.width, c.height);
        image.transparent = true;
        image.stretch = false;  // drawn at its own size from the top-left corner
        image.setPicture(tk::Picture::FromBitmapResource(c.picture));
        break;
      }
      case Kind::GlyphButton: {
        auto& button = add<tk::Button>(c.name, c.left, c.top, c.width, c.height, c.caption);
        button.modalResult = c.modalResult;
        button.tabOrder = c.tabOrder;
        button.setGlyph(tk::Picture::FromBitmapResource(c.picture), c.frames);
        break;
      }
      case Kind::Memo: {
        auto& memo = add<tk::Memo>(c.name, c.left, c.top, c.width, c.height, false, true);
        memo.tabOrder = c.tabOrder;
        break;
      }
    }
  }
  Image1 = static_cast<tk::Image*>(find("Image1"));
  BitBtn1 = static_cast<tk::Button*>(find("BitBtn1"));
  BitBtn2 = static_cast<tk::Button*>(find("BitBtn2"));
  Memo1 = static_cast<tk::Memo*>(find("Memo1"));

  defaultButton = BitBtn1;
  cancelButton = BitBtn2;

  // The memo's own font, not the window's: bold.
  tk::FontSpec memoFont = font();
  memoFont.bold = true;
  memoFont.color = RGB(0, 0, 0);
  Memo1->setFont(memoFont);
  Memo1->setBackground(GetSysColor(COLOR_BTNFACE));
  Memo1->setLines(QuestionLines());
}

}  // namespace velm
