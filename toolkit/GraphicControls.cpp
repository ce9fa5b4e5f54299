// The graphic controls: what every control has, and the images and labels the form paints
// (see Control.h).
#include <windows.h>

#include "Form.h"

namespace tk {

Control::Control(Form& form, std::string name, int left, int top, int width, int height)
    : form_(form), name_(std::move(name)), left_(left), top_(top), width_(width), height_(height) {}

void Control::setBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
}

void Control::setVisible(bool visible) {
  visible_ = visible;
}

void Control::click() {
  if (onClick) RunHandler([this] { onClick(*this); });
}

void GraphicControl::invalidate() const {
  form_.invalidate(bounds());
}

void GraphicControl::setBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  if (visible_) invalidate();
  Control::setBounds(left, top, width, height);
  if (visible_) invalidate();
}

void GraphicControl::setVisible(bool visible) {
  if (visible == visible_) return;
  Control::setVisible(visible);
  invalidate();
}

Image::Image(Form& form, std::string name, int left, int top, int width, int height)
    : GraphicControl(form, std::move(name), left, top, width, height) {}

void Image::setPicture(const Picture& picture) {
  picture_ = picture;
  stretched_ = Picture();
  if (visible_) invalidate();
}

void Image::setPicture(Picture&& picture) {
  picture_ = std::move(picture);
  stretched_ = Picture();
  if (visible_) invalidate();
}

Picture Image::takePicture() {
  Picture taken = std::move(picture_);
  stretched_ = Picture();
  if (visible_) invalidate();
  return taken;
}

void Image::paint(HDC dc) const {
  if (picture_.empty()) return;
  const RECT box = bounds();
  const int w = box.right - box.left;
  const int h = box.bottom - box.top;
  // A picture already of the box's size is drawn as it is, stretched or not: no copy of it.
  if (!stretch || (picture_.width() == w && picture_.height() == h)) {
    picture_.draw(dc, box.left, box.top, box, transparent);
    return;
  }
  if (w <= 0 || h <= 0) return;
  if (stretched_.width() != w || stretched_.height() != h) {
    // A transparent picture is stretched pixel for pixel, so its transparent colour stays exact.
    stretched_ = picture_.stretchedTo(w, h, !transparent);
  }
  stretched_.draw(dc, box.left, box.top, box, transparent);
}

Label::Label(Form& form, std::string name, int left, int top, int width, int height)
    : GraphicControl(form, std::move(name), left, top, width, height),
      font_(form.font()),
      hfont_(MakeFont(font_)) {}

void Label::setCaption(std::string caption) {
  caption_ = std::move(caption);
  if (visible_) invalidate();
  fitToCaption();
}

void Label::setFont(const FontSpec& font) {
  font_ = font;
  hfont_ = MakeFont(font_);
  if (visible_) invalidate();
  fitToCaption();
}

void Label::setAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  fitToCaption();
}

void Label::fitToCaption() {
  if (!autoSize_) return;
  // Measured in the font the label draws with, which is not always the one its layout was
  // made with (a substituted face can be wider).
  RECT box{0, 0, 0, 0};
  {
    const WindowDC dc = ClientDC(nullptr);
    const SelectedObject font = Select(dc.get(), hfont_);
    DrawTextA(dc.get(), caption_.c_str(), static_cast<int>(caption_.size()), &box,
              DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
  }
  setBounds(left_, top_, box.right - box.left, box.bottom - box.top);
}

void Label::paint(HDC dc) const {
  RECT box = bounds();
  if (!transparent) FillRect(dc, &box, GdiObject<HBRUSH>(CreateSolidBrush(background)).get());
  const SelectedObject font = Select(dc, hfont_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, font_.color);
  UINT format = DT_NOPREFIX | DT_SINGLELINE | DT_TOP;
  format |= align == Align::Center ? DT_CENTER : DT_LEFT;
  DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &box, format);
}

}  // namespace tk
