// A form's tooltips: the hints of its graphic controls, shown by one tooltip window that is made
// when the pointer first moves over the form.
#include <windows.h>

#include <commctrl.h>

#include "Application.h"
#include "Form.h"

namespace tk {

// The common controls' library, loaded when the first tooltip or progress bar is made rather
// than with the program: loading it takes a good part of the time before the main window is up.
// False where it cannot be loaded; there are no tooltips then.
bool LoadCommonControls() {
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

void Form::makeTooltips(const MSG& move) {
  tooltipsPending_ = false;
  updateTooltips();
  // The move that made the tooltip is handed on; it sees those after it by itself.
  if (tooltip_) SendMessageA(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
}

void Form::updateTooltips() {
  for (const GraphicControl* g : graphics_) {
    if (g->hint.empty()) continue;
    // The tooltip window is made once a control has a hint: most forms have none, and each
    // window made costs time.
    if (!tooltip_ && LoadCommonControls())
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

}  // namespace tk
