// The confirmation window's layout and pictures (see ConfirmUninstallFormU.h). It has no
// handlers: its buttons close it through their modal results.
#include "ConfirmUninstallFormU.h"

#include <windows.h>

#include "DiscFacts.h"
#include "Layout.h"
#include "resource.h"

namespace velm {
namespace {

// The question's own font: the window's, in bold.
const tk::FontSpec kQuestionFont = [] {
  tk::FontSpec font;
  font.bold = true;
  return font;
}();

using F = TConfirmUninstallForm;
using R = tk::Row<TConfirmUninstallForm>;

// Creation order is stacking order. The picture is drawn at its own size from the top-left
// corner; the question's background is the button face, as a memo's is.
// clang-format off
const R kLayout[] = {
  R(&F::Image1,  "Image1",  { 16,  12,  45,  45}).transparent().picture(tk::BitmapAsset(IDB_INSTALL_PICTURE)),
  R(&F::BitBtn1, "BitBtn1", { 28, 104, 101,  25}).caption("Ναι").defaultButton().modalResult(tk::mrOk)
                                                 .glyph(tk::BitmapAsset(IDB_OK_GLYPH), 2).tabOrder(0),
  R(&F::BitBtn2, "BitBtn2", {156, 104, 101,  25}).caption("Όχι").cancelButton().modalResult(tk::mrCancel)
                                                 .glyph(tk::BitmapAsset(IDB_NO_GLYPH), 2).tabOrder(1),
  R(&F::Memo1,   "Memo1",   { 72,  16, 209,  81}).wordWrap().font(&kQuestionFont).tabOrder(2),
};
// clang-format on

tk::FormSpec ConfirmWindowSpec() {
  tk::FormSpec props;
  props.caption = kConfirmUninstallCaption;
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
  tk::BuildLayout(*this, kLayout);
  Memo1->setLines(QuestionLines());
}

}  // namespace velm
