// Forms and their graphic and window controls (see Form.h).
#include "Form.h"

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <tuple>

#include "Application.h"
#include "Controls.h"
#include "Scoped.h"

namespace tk {
namespace {

constexpr char kFormClass[] = "TkForm";

// The common controls' library, loaded when the first tooltip is made rather than with the
// program: nothing else needs it, and loading it takes a good part of the time before the main
// window is up. False where it cannot be loaded; there are no tooltips then.
bool CommonControlsLoaded() {
  static const bool loaded = [] {
    const HMODULE library = LoadLibraryA("comctl32.dll");
    if (!library) return false;
    // Registers the classes, the tooltip's among them, on every release: InitCommonControlsEx
    // came with a later library than Windows 95 and NT 4 have.
    using Init = void(WINAPI*)();
    const auto init = reinterpret_cast<Init>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, "InitCommonControls")));
    if (init) init();
    return true;
  }();
  return loaded;
}

using FontKey = std::tuple<std::string, int, bool, bool, bool, BYTE>;

}  // namespace

HFONT MakeFont(const FontSpec& props) {
  // Fonts are few and live as long as the program: one per distinct description.
  static std::map<FontKey, HFONT> fonts;
  const FontKey key{props.face,   props.height,    props.bold,
                    props.italic, props.underline, props.charset};
  auto found = fonts.find(key);
  if (found != fonts.end()) return found->second;
  HFONT font =
      CreateFontA(props.height, 0, 0, 0, props.bold ? FW_BOLD : FW_NORMAL, props.italic,
                  props.underline, FALSE, props.charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, props.face.c_str());
  fonts.emplace(key, font);
  return font;
}

void RunHandler(const std::function<void()>& handler) noexcept {
  try {
    handler();
  } catch (...) {
  }
}

// ---- Control ----------------------------------------------------------------------------------

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
    const WindowDC dc(nullptr);
    const SelectedObject font(dc, hfont_);
    DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &box,
              DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
  }
  setBounds(left_, top_, box.right - box.left, box.bottom - box.top);
}

void Label::paint(HDC dc) const {
  RECT box = bounds();
  if (!transparent) FillRect(dc, &box, GdiObject<HBRUSH>(CreateSolidBrush(background)));
  const SelectedObject font(dc, hfont_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, font_.color);
  UINT format = DT_NOPREFIX | DT_SINGLELINE | DT_TOP;
  format |= align == Align::Center ? DT_CENTER : DT_LEFT;
  DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &box, format);
}

// ---- WindowControl ----------------------------------------------------------------------------

WindowControl::WindowControl(Form& form, std::string name, int left, int top, int width, int height)
    : Control(form, std::move(name), left, top, width, height) {}

WindowControl::~WindowControl() {
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

HWND WindowControl::handle() const {
  if (!hwnd_) form_.create();
  return hwnd_;
}

void WindowControl::createWindow(const char* className, DWORD style, DWORD exStyle) {
  if (visible_) style |= WS_VISIBLE;
  hwnd_ = CreateWindowExA(exStyle, className, text_.c_str(), style | WS_CHILD | WS_CLIPSIBLINGS,
                          left_, top_, std::max(width_, 0), std::max(height_, 0), form_.handle(),
                          nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!hwnd_) throw std::runtime_error(std::string("cannot create a ") + className + " control");
  text_.clear();
  SetPropA(hwnd_, "TkControl", this);
  if (!hfont_) hfont_ = MakeFont(form_.font());
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(hfont_), FALSE);
}

void WindowControl::setBounds(int left, int top, int width, int height) {
  Control::setBounds(left, top, width, height);
  if (hwnd_) MoveWindow(hwnd_, left, top, std::max(width, 0), std::max(height, 0), TRUE);
}

void WindowControl::setVisible(bool visible) {
  Control::setVisible(visible);
  if (hwnd_) ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

void WindowControl::setFocus() {
  SetFocus(handle());
}

bool WindowControl::focused() const {
  return hwnd_ && GetFocus() == hwnd_;
}

std::string WindowControl::text() const {
  if (!hwnd_) return text_;
  const int length = GetWindowTextLengthA(hwnd_);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(hwnd_, &text[0], length + 1);
  text.resize(static_cast<size_t>(std::max(got, 0)));
  return text;
}

void WindowControl::setText(const std::string& text) {
  if (hwnd_)
    SetWindowTextA(hwnd_, text.c_str());
  else
    text_ = text;
}

void WindowControl::setFont(const FontSpec& font) {
  hfont_ = MakeFont(font);
  if (hwnd_) SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(hfont_), TRUE);
}

bool WindowControl::wantsKey(WPARAM) const {
  return false;
}

bool WindowControl::reflect(UINT, WPARAM, LPARAM, LRESULT&) {
  return false;
}

// ---- Form -------------------------------------------------------------------------------------

Form::Form(FormSpec props)
    : props_(std::move(props)), background_(CreateSolidBrush(props_.color)) {}

Form::~Form() {
  controls_.clear();
  if (tooltip_) DestroyWindow(tooltip_);
  if (hwnd_ && IsWindow(hwnd_)) {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

// The forms' window class, registered the first time a form is made. Its icon is the
// application's (the task-bar button's), so the application sets it before that.
void Form::registerWindowClass() {
  static const ATOM registered = [] {
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &Form::WindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIcon = Application::instance().icon();
    wc.hCursor = nullptr;  // chosen in WM_SETCURSOR
    wc.lpszClassName = kFormClass;
    const ATOM atom = RegisterClassA(&wc);
    if (!atom) throw std::runtime_error("cannot register the form window class");
    return atom;
  }();
  (void)registered;
}

void Form::create() {
  if (hwnd_) return;
  registerWindowClass();
  // A caption without system menu, minimise, maximise or close box, and a border that does not
  // resize.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;
  RECT frame{0, 0, props_.clientWidth, props_.clientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  // A dialog belongs to the main window, whose window is made first where it was not yet.
  HWND owner = nullptr;
  Form* main = Application::instance().mainForm();
  if (main && main != this) {
    main->create();
    owner = main->handle();
  }
  // WM_NCCREATE attaches the window to this form: from then on, the messages of its creation
  // included, the window procedure hands them to the most derived handleMessage.
  const HWND made =
      CreateWindowExA(0, kFormClass, props_.caption.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                      frame.right - frame.left, frame.bottom - frame.top, owner, nullptr,
                      GetModuleHandleA(nullptr), this);
  if (!made) {
    hwnd_ = nullptr;
    throw std::runtime_error("cannot create a form");
  }
  // The controls' windows in creation order, which is their stacking order.
  for (const auto& c : controls_)
    if (auto* w = dynamic_cast<WindowControl*>(c.get())) w->createHandle();
}

Form* Form::FromHandle(HWND hwnd) {
  while (hwnd) {
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (lstrcmpA(cls, kFormClass) == 0)
      return reinterpret_cast<Form*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    hwnd = GetParent(hwnd);
  }
  return nullptr;
}

LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    auto* form = static_cast<Form*>(create->lpCreateParams);
    form->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<Form*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!form) return DefWindowProcA(hwnd, message, wParam, lParam);
  // No C++ exception may cross back into Windows.
  try {
    return form->handleMessage(message, wParam, lParam);
  } catch (...) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

void Form::registerControl(Control& control) {
  if (auto* graphic = dynamic_cast<GraphicControl*>(&control)) {
    if (graphic->visible()) graphic->invalidate();
  } else if (auto* window = dynamic_cast<WindowControl*>(&control)) {
    if (hwnd_) window->createHandle();  // added to a form whose window is made
  }
}

void Form::setCaption(const std::string& caption) {
  props_.caption = caption;
  if (hwnd_) SetWindowTextA(hwnd_, caption.c_str());
}

void Form::placeOnScreen() {
  RECT frame;
  GetWindowRect(hwnd_, &frame);
  const int w = frame.right - frame.left;
  const int h = frame.bottom - frame.top;
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  Form* main = Application::instance().mainForm();
  if (props_.position == FormSpec::Position::MainFormCenter && main && main != this &&
      IsWindowVisible(main->handle()))
    GetWindowRect(main->handle(), &area);
  const int x = area.left + (area.right - area.left - w) / 2;
  const int y = area.top + (area.bottom - area.top - h) / 2;
  SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::prepareToShow() {
  for (const auto& c : controls_)
    if (auto* w = dynamic_cast<WindowControl*>(c.get())) w->beforeShown();
  // The hints are only seen under the pointer: the tooltip window is made when the pointer
  // first moves over the form.
  if (tooltip_)
    updateTooltips();
  else
    tooltipsPending_ = true;
}

void Form::makeTooltips(const MSG& move) {
  tooltipsPending_ = false;
  updateTooltips();
  // The move that made the tooltip is handed on; it sees those after it by itself.
  if (tooltip_) SendMessageA(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
}

void Form::updateTooltips() {
  for (const auto& c : controls_) {
    auto* g = dynamic_cast<GraphicControl*>(c.get());
    if (!g || g->hint.empty()) continue;
    // The tooltip window is made once a control has a hint: most forms have none, and each
    // window made costs time.
    if (!tooltip_ && CommonControlsLoaded())
      tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!tooltip_) return;
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.uFlags = TTF_SUBCLASS;
    info.hwnd = hwnd_;
    info.uId = reinterpret_cast<UINT_PTR>(g);
    info.rect = g->bounds();
    info.lpszText = const_cast<char*>(g->hint.c_str());
    SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    if (g->visible()) SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  }
}

void Form::show() {
  create();
  if (!shownOnce_) placeOnScreen();
  prepareToShow();
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  // The first showing starts at the first control in tab order, as a modal showing does; later
  // ones find the focus where the activation gives it back.
  if (!shownOnce_) focusFirstControl();
  UpdateWindow(hwnd_);
  if (!shownOnce_) {
    shownOnce_ = true;
    RunHandler([this] { onShow(); });
  }
}

void Form::hide() {
  if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

bool Form::visible() const {
  return hwnd_ && IsWindowVisible(hwnd_) != FALSE;
}

void Form::focusFirstControl() {
  // From the form itself, moving on reaches that control whichever control the activation left
  // focused.
  SetFocus(hwnd_);
  moveFocus(true);
}

void Form::moveFocus(bool forward) {
  std::vector<WindowControl*> stops;
  for (const auto& c : controls_) {
    auto* w = dynamic_cast<WindowControl*>(c.get());
    if (w && w->tabStop && w->visible() && IsWindowEnabled(w->handle())) stops.push_back(w);
  }
  if (stops.empty()) return;
  std::stable_sort(stops.begin(), stops.end(),
                   [](WindowControl* a, WindowControl* b) { return a->tabOrder < b->tabOrder; });
  HWND focus = GetFocus();
  auto at = std::find_if(stops.begin(), stops.end(),
                         [focus](WindowControl* w) { return w->handle() == focus; });
  size_t index = 0;
  if (at != stops.end()) {
    const size_t i = static_cast<size_t>(at - stops.begin());
    index = forward ? (i + 1) % stops.size() : (i + stops.size() - 1) % stops.size();
  } else if (!forward) {
    index = stops.size() - 1;
  }
  stops[index]->setFocus();
}

int Form::showModal() {
  create();
  Application& app = Application::instance();
  Form* main = app.mainForm();
  HWND mainWindow = main && main != this ? main->handle() : nullptr;
  const bool mainWasEnabled = mainWindow && IsWindowEnabled(mainWindow);
  modalResult_ = mrNone;
  modal_ = true;
  placeOnScreen();
  if (mainWindow) EnableWindow(mainWindow, FALSE);
  prepareToShow();
  focusWhenDeactivated_ = nullptr;  // not the control focused when the form was last closed
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  SetActiveWindow(hwnd_);
  // Each showing starts at the first control in tab order.
  focusFirstControl();
  UpdateWindow(hwnd_);
  shownOnce_ = true;
  RunHandler([this] { onShow(); });
  while (modalResult_ == mrNone) {
    if (!app.processMessage()) {
      PostQuitMessage(0);  // the outer loop must see it too
      if (modalResult_ == mrNone) modalResult_ = mrCancel;
      break;
    }
  }
  if (mainWindow && mainWasEnabled) EnableWindow(mainWindow, TRUE);
  ShowWindow(hwnd_, SW_HIDE);
  if (mainWindow) SetActiveWindow(mainWindow);
  modal_ = false;
  return modalResult_;
}

void Form::closeCommand() {
  if (modal_)
    modalResult_ = mrCancel;
  else if (Application::instance().mainForm() == this)
    Application::instance().terminate();
  else
    hide();
}

bool Form::handleDialogKey(const MSG& msg) {
  if (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd)) return false;
  if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_F4) {
    closeCommand();
    return true;
  }
  if (msg.message != WM_KEYDOWN) return false;
  WindowControl* focused = windowControlOf(GetFocus());
  if (focused && focused->wantsKey(msg.wParam)) return false;
  switch (msg.wParam) {
    case VK_RETURN: {
      // A focused button is pressed by Enter; otherwise the default button is.
      Button* button = dynamic_cast<Button*>(focused);
      if (!button) button = defaultButton;
      if (button && button->visible() && IsWindowEnabled(button->handle())) {
        button->click();
        return true;
      }
      return false;
    }
    case VK_ESCAPE:
      if (cancelButton && cancelButton->visible() && IsWindowEnabled(cancelButton->handle())) {
        cancelButton->click();
        return true;
      }
      return false;
    case VK_TAB:
      moveFocus(GetKeyState(VK_SHIFT) >= 0);
      return true;
    default:
      return false;
  }
}

void Form::invalidate(const RECT& area) const {
  if (hwnd_) InvalidateRect(hwnd_, &area, FALSE);
}

void Form::update() const {
  if (hwnd_) UpdateWindow(hwnd_);
}

void Form::paintGraphics(HDC dc, const RECT& area) const {
  FillRect(dc, &area, background_);
  for (const auto& c : controls_) {
    auto* g = dynamic_cast<GraphicControl*>(c.get());
    if (!g || !g->visible()) continue;
    RECT overlap;
    const RECT box = g->bounds();
    if (!IntersectRect(&overlap, &box, &area)) continue;
    g->paint(dc);
  }
}

GraphicControl* Form::graphicAt(POINT point) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    auto* g = dynamic_cast<GraphicControl*>(it->get());
    if (!g || !g->visible()) continue;
    const RECT box = g->bounds();
    if (PtInRect(&box, point)) return g;
  }
  return nullptr;
}

WindowControl* Form::windowControlOf(HWND child) const {
  if (!child) return nullptr;
  for (const auto& c : controls_) {
    auto* w = dynamic_cast<WindowControl*>(c.get());
    if (w && (w->handle() == child || IsChild(w->handle(), child))) return w;
  }
  return nullptr;
}

void Form::paint() {
  const PaintDC dc(hwnd_);
  const RECT& area = dc.area();
  if (area.right <= area.left || area.bottom <= area.top) return;
  // The graphic controls are composed off screen and copied at once, so that nothing flickers,
  // in a buffer made for this paint alone that reaches from the client area's corner to the far
  // corner of the part to paint (the controls draw in client coordinates), composed only within
  // that part. A buffer of the whole client area kept between paints held as much memory as the
  // background picture itself, to spare composing parts uncovered again: a few copies.
  const MemoryDC buffer(dc);
  const GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(dc, area.right, area.bottom));
  if (!buffer || !bitmap) return;
  const SelectedObject selected(buffer, bitmap);
  IntersectClipRect(buffer, area.left, area.top, area.right, area.bottom);
  paintGraphics(buffer, area);
  BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, buffer, area.left,
         area.top, SRCCOPY);
}

bool Form::setCursorOver(WPARAM wParam, LPARAM lParam) const {
  if (HCURSOR app = Application::instance().cursorHandle()) {
    SetCursor(app);
    return true;
  }
  if (reinterpret_cast<HWND>(wParam) != hwnd_ || LOWORD(lParam) != HTCLIENT) return false;
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(hwnd_, &p);
  GraphicControl* g = graphicAt(p);
  SetCursor(g && g->cursor ? g->cursor : LoadCursor(nullptr, IDC_ARROW));
  return true;
}

void Form::mouseButton(UINT message, LPARAM lParam) {
  const POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  if (message != WM_LBUTTONUP) {
    // The class asks for double clicks, but no graphic control takes them: the second press
    // of a quick pair is a press like the first, or a label clicked twice in a row (or again
    // soon after its dialog closed) would ignore the second click.
    pressed_ = graphicAt(p);
    if (pressed_) SetCapture(hwnd_);
    return;
  }
  if (GetCapture() == hwnd_) ReleaseCapture();
  GraphicControl* pressed = pressed_;
  pressed_ = nullptr;
  if (pressed && pressed == graphicAt(p)) pressed->click();
}

bool Form::activate(WPARAM wParam) {
  // As a dialog box does, the form gives the focus back to the control that had it when
  // another window was activated; the default handling would give it to the form itself,
  // where Enter and Tab no longer start from that control.
  const HWND focus = GetFocus();
  if (LOWORD(wParam) == WA_INACTIVE) {
    if (focus && IsChild(hwnd_, focus)) focusWhenDeactivated_ = focus;
    return false;
  }
  if (HIWORD(wParam)) return false;  // minimised
  if (focus && IsChild(hwnd_, focus)) return true;
  const HWND restore = focusWhenDeactivated_;
  if (restore && IsWindow(restore) && IsChild(hwnd_, restore) && IsWindowVisible(restore) &&
      IsWindowEnabled(restore)) {
    SetFocus(restore);
    return true;
  }
  return false;
}

bool Form::reflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  HWND child = nullptr;
  switch (message) {
    case WM_DRAWITEM:
      child = reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem;
      break;
    case WM_NOTIFY:
      child = reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
      break;
    default:  // WM_COMMAND and WM_CTLCOLOR...: the child's handle
      child = reinterpret_cast<HWND>(lParam);
      break;
  }
  auto* control = child ? static_cast<WindowControl*>(GetPropA(child, "TkControl")) : nullptr;
  result = 0;
  return control && control->reflect(message, wParam, lParam, result);
}

LRESULT Form::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // everything is painted in WM_PAINT
    case WM_PAINT:
      paint();
      return 0;
    case WM_SETCURSOR:
      if (setCursorOver(wParam, lParam)) return TRUE;
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
      mouseButton(message, lParam);
      return 0;
    case WM_MOUSEMOVE:
      if (tooltipsPending_) {
        MSG move{hwnd_, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
        GetCursorPos(&move.pt);
        makeTooltips(move);
      }
      break;
    case WM_ACTIVATE:
      if (activate(wParam)) return 0;
      break;
    case WM_CLOSE:
      closeCommand();
      return 0;
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (reflectToChild(message, wParam, lParam, result)) return result;
      break;
    }
    default:
      break;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

}  // namespace tk
