// The making of each kind of control from a layout row (see Layout.h).
#include "Layout.h"

#include <stdexcept>
#include <string>

#include "Application.h"

namespace tk {

Picture LoadAsset(const Asset& asset) {
  try {
    switch (asset.format) {
      case Asset::Format::Bitmap:
        return Picture::FromBitmapResource(asset.id);
      case Asset::Format::Jpeg:
        return Picture::FromJpegResource(asset.id);
      case Asset::Format::None:
        break;
    }
  } catch (const PictureError&) {
  }
  return Picture();
}

namespace layout {
namespace {

template <class T, class... Extra>
T& Add(Form& form, const RowData& row, Extra&&... extra) {
  T& control = form.add<T>(row.name, row.left, row.top, row.width, row.height,
                           std::forward<Extra>(extra)...);
  control.tag = row.tag;
  return control;
}

void SetUpGraphic(GraphicControl& control, const RowData& row) {
  if (row.has(RowData::kHandCursor)) control.cursor = HandCursor();
  control.hint = row.hint;
  if (row.has(RowData::kHidden)) control.hide();
}

template <class T>
T& SetUpWindow(T& control, const RowData& row) {
  control.tabOrder = row.tabOrder;
  if (row.font) control.setFont(*row.font);
  if (row.has(RowData::kHidden)) control.hide();
  return control;
}

}  // namespace

Image& Make(Form& form, const RowData& row, Image*) {
  Image& image = Add<Image>(form, row);
  image.transparent = row.has(RowData::kTransparent);
  image.stretch = row.has(RowData::kStretch);
  image.setPicture(LoadAsset(row.picture));
  if (row.has(RowData::kSizeToPicture))
    image.setBounds(image.left(), image.top(), image.picture().width(), image.picture().height());
  SetUpGraphic(image, row);
  return image;
}

Label& Make(Form& form, const RowData& row, Label*) {
  Label& label = Add<Label>(form, row);
  label.transparent = row.has(RowData::kTransparent);
  if (row.font) label.setFont(*row.font);
  if (row.color != kOwnColor) label.background = row.color;
  if (row.has(RowData::kCentred)) label.align = Label::Align::Center;
  label.setAutoSize(row.has(RowData::kAutoSize));
  label.setCaption(row.caption);
  SetUpGraphic(label, row);
  return label;
}

Button& Make(Form& form, const RowData& row, Button*) {
  Button& button = Add<Button>(form, row, std::string(row.caption));
  button.modalResult = row.modalResult;
  button.glyphSpacing = row.glyphSpacing;
  if (row.picture.format != Asset::Format::None)
    button.setGlyph(LoadAsset(row.picture), row.frames);
  if (row.has(RowData::kDefault)) form.defaultButton = &button;
  if (row.has(RowData::kCancel)) form.cancelButton = &button;
  return SetUpWindow(button, row);
}

RichView& Make(Form& form, const RowData& row, RichView*) {
  RichView& view = Add<RichView>(form, row);
  if (row.color != kOwnColor) view.setBackground(row.color);
  return SetUpWindow(view, row);
}

Memo& Make(Form& form, const RowData& row, Memo*) {
  Memo& memo = Add<Memo>(form, row, row.has(RowData::kCentred), row.has(RowData::kWordWrap));
  if (row.color != kOwnColor) memo.setBackground(row.color);
  return SetUpWindow(memo, row);
}

Edit& Make(Form& form, const RowData& row, Edit*) {
  return SetUpWindow(Add<Edit>(form, row), row);
}

DriveComboBox& Make(Form& form, const RowData& row, DriveComboBox*) {
  return SetUpWindow(Add<DriveComboBox>(form, row), row);
}

DirectoryList& Make(Form& form, const RowData& row, DirectoryList*) {
  return SetUpWindow(Add<DirectoryList>(form, row), row);
}

void OnClick(Control& control, std::function<void(Control&)> handler) {
  control.onClick = std::move(handler);
}

void OnChange(DirectoryList& list, std::function<void(Control&)> handler) {
  list.onChange = [handler = std::move(handler)](DirectoryList& sender) { handler(sender); };
}

void OnChange(Control& control, std::function<void(Control&)>) {
  throw std::logic_error("layout: only a directory list has a change event: " + control.name());
}

void Link(DriveComboBox& drives, DirectoryList& list) {
  drives.setDirList(&list);
}

void RefuseLink(const RowData& row) {
  throw std::logic_error(std::string("layout: only a drive picker is linked to a list: ") +
                         row.name);
}

}  // namespace layout
}  // namespace tk
