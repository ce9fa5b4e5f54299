// A form's layout as fixed data: a table of rows in creation (stacking) order, each bound to the
// member of the form that publishes its control. The member's type says which control the row
// makes; the rest of the row is the control's fixed data (place, caption, font, picture or
// glyph, tab order, tag, event). One builder serves every form:
//
//   using R = tk::Row<TMyForm>;
//   const R kLayout[] = {
//       R(&TMyForm::Image1, "Image1", {8, 16, 41, 33}).transparent().picture(tk::BitmapAsset(7)),
//       R(&TMyForm::BitBtn1, "BitBtn1", {128, 176, 105, 25}).caption("OK").defaultButton()
//           .glyph(tk::BitmapAsset(8), 2).tabOrder(2).onClick(&TMyForm::BitBtn1Click),
//   };
//   TMyForm::TMyForm() : tk::Form(MyProps()) { tk::BuildLayout(*this, kLayout); }
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <variant>

#include "Controls.h"
#include "FolderControls.h"
#include "Form.h"

namespace tk {

// A picture stored with the program: a bitmap or JPEG resource, or none.
struct Asset {
  enum class Format : unsigned char { None, Bitmap, Jpeg };
  Format format = Format::None;
  int id = 0;
};
constexpr Asset BitmapAsset(int id) {
  return Asset{Asset::Format::Bitmap, id};
}
constexpr Asset JpegAsset(int id) {
  return Asset{Asset::Format::Jpeg, id};
}
// The stored picture; an empty one when the asset is missing or damaged, so that no picture
// keeps a window away.
Picture LoadAsset(const Asset& asset);

// The colour a row leaves as the control's own.
constexpr COLORREF kOwnColor = CLR_INVALID;

// What a row says beyond the member it is bound to; the builder reads only what applies to the
// row's kind of control.
struct RowData {
  enum Option : unsigned {
    kHidden = 1u << 0,         // every kind: starts hidden
    kTransparent = 1u << 1,    // image, label: the key colour / the background shows through
    kStretch = 1u << 2,        // image: stretched to its box
    kHandCursor = 1u << 3,     // image, label
    kSizeToPicture = 1u << 4,  // image: its box takes the size of its picture
    kAutoSize = 1u << 5,       // label: takes the size of its caption
    kCentred = 1u << 6,        // label, memo: centred text
    kWordWrap = 1u << 7,       // memo
    kDefault = 1u << 8,        // button: the form's default button (Enter)
    kCancel = 1u << 9,         // button: the form's cancel button (Escape)
  };
  const char* name = "";
  int left = 0, top = 0, width = 0, height = 0;
  unsigned options = 0;
  const char* caption = "";        // label, button
  const char* hint = "";           // image, label: tooltip
  const FontSpec* font = nullptr;  // label, window controls; null: the form's
  COLORREF color = kOwnColor;      // label, memo, rich view: background
  Asset picture;                   // image: its picture; button: its glyph
  int frames = 1;                  // button: glyph frames side by side (normal, disabled)
  int glyphSpacing = 4;            // button: pixels between glyph and caption
  int modalResult = mrNone;        // button
  int tabOrder = 0;                // window controls
  int tag = 0;

  constexpr bool has(Option option) const { return (options & option) != 0; }
};

struct Box {
  int left, top, width, height;
};

// The controls a row can make: one per alternative of the member it is bound to.
template <class F>
using ControlSlot =
    std::variant<Image * F::*, Label * F::*, Button * F::*, RichView * F::*, Memo * F::*,
                 Edit * F::*, DriveComboBox * F::*, DirectoryList * F::*>;

template <class F>
using Handler = void (F::*)(Control& sender);

// One row of a form's layout table. Made with the member, the name and the box, then each
// property named by the call that sets it.
template <class F>
class Row {
 public:
  template <class T>
  constexpr Row(T* F::*member, const char* name, Box box) : slot(member) {
    data.name = name;
    data.left = box.left;
    data.top = box.top;
    data.width = box.width;
    data.height = box.height;
  }

  constexpr Row hidden() const { return withOption(RowData::kHidden); }
  constexpr Row transparent() const { return withOption(RowData::kTransparent); }
  constexpr Row stretch() const { return withOption(RowData::kStretch); }
  constexpr Row hand() const { return withOption(RowData::kHandCursor); }
  constexpr Row sizedToPicture() const { return withOption(RowData::kSizeToPicture); }
  constexpr Row autoSize() const { return withOption(RowData::kAutoSize); }
  constexpr Row centred() const { return withOption(RowData::kCentred); }
  constexpr Row wordWrap() const { return withOption(RowData::kWordWrap); }
  constexpr Row defaultButton() const { return withOption(RowData::kDefault); }
  constexpr Row cancelButton() const { return withOption(RowData::kCancel); }

  constexpr Row caption(const char* text) const { return with(&RowData::caption, text); }
  constexpr Row hint(const char* text) const { return with(&RowData::hint, text); }
  constexpr Row font(const FontSpec* value) const { return with(&RowData::font, value); }
  constexpr Row color(COLORREF background) const { return with(&RowData::color, background); }
  constexpr Row picture(Asset asset) const { return with(&RowData::picture, asset); }
  constexpr Row glyph(Asset asset, int frames, int spacing = 4) const {
    return with(&RowData::picture, asset)
        .with(&RowData::frames, frames)
        .with(&RowData::glyphSpacing, spacing);
  }
  constexpr Row modalResult(int result) const { return with(&RowData::modalResult, result); }
  constexpr Row tabOrder(int order) const { return with(&RowData::tabOrder, order); }
  constexpr Row tag(int value) const { return with(&RowData::tag, value); }
  // The control's click.
  constexpr Row onClick(Handler<F> handler) const { return withRow(&Row::click, handler); }
  // A directory list's change of folder.
  constexpr Row onChange(Handler<F> handler) const { return withRow(&Row::change, handler); }
  // A drive picker: the directory list it moves and follows.
  constexpr Row linkedTo(DirectoryList* F::*list) const { return withRow(&Row::link, list); }

  ControlSlot<F> slot;
  RowData data;
  Handler<F> click = nullptr;
  Handler<F> change = nullptr;
  DirectoryList* F::*link = nullptr;

 private:
  template <class V>
  constexpr Row with(V RowData::*field, V value) const {
    Row r = *this;
    r.data.*field = value;
    return r;
  }
  template <class V>
  constexpr Row withRow(V Row::*field, V value) const {
    Row r = *this;
    r.*field = value;
    return r;
  }
  constexpr Row withOption(RowData::Option option) const {
    return with(&RowData::options, data.options | option);
  }
};

// The making of each kind of control from a row, in Layout.cpp.
namespace layout {
Image& Make(Form& form, const RowData& row, Image*);
Label& Make(Form& form, const RowData& row, Label*);
Button& Make(Form& form, const RowData& row, Button*);
RichView& Make(Form& form, const RowData& row, RichView*);
Memo& Make(Form& form, const RowData& row, Memo*);
Edit& Make(Form& form, const RowData& row, Edit*);
DriveComboBox& Make(Form& form, const RowData& row, DriveComboBox*);
DirectoryList& Make(Form& form, const RowData& row, DirectoryList*);

// A click binds to every control; a change only to a directory list.
void OnClick(Control& control, std::function<void(Control&)> handler);
void OnChange(DirectoryList& list, std::function<void(Control&)> handler);
void OnChange(Control& control, std::function<void(Control&)> handler);  // refuses
void Link(DriveComboBox& drives, DirectoryList& list);
[[noreturn]] void RefuseLink(const RowData& row);

template <class M>
struct ControlOf;
template <class T, class F>
struct ControlOf<T * F::*> {
  using type = T;
};
}  // namespace layout

// Makes the controls of `rows` on `form`, in order, and sets the member each row is bound to.
template <class F, std::size_t N>
void BuildLayout(F& form, const Row<F> (&rows)[N]) {
  for (const Row<F>& row : rows) {
    std::visit(
        [&](auto member) {
          using T = typename layout::ControlOf<decltype(member)>::type;
          T& control = layout::Make(form, row.data, static_cast<T*>(nullptr));
          form.*member = &control;
          if (Handler<F> h = row.click)
            layout::OnClick(control, [&form, h](Control& sender) { (form.*h)(sender); });
          if (Handler<F> h = row.change)
            layout::OnChange(control, [&form, h](Control& sender) { (form.*h)(sender); });
        },
        row.slot);
  }
  // Links last: a drive picker may come before its list.
  for (const Row<F>& row : rows) {
    if (!row.link) continue;
    auto* const drives = std::get_if<DriveComboBox * F::*>(&row.slot);
    if (!drives) layout::RefuseLink(row.data);
    layout::Link(*(form.*(*drives)), *(form.*(row.link)));
  }
}

}  // namespace tk
