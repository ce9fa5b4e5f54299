// The description of a font, and the fonts made from descriptions: few, shared by the controls
// that use them, and kept as long as the program runs.
#pragma once

#include <windows.h>

#include <string>

namespace tk {

struct FontSpec {
  std::string face = "MS Sans Serif";
  int height = -11;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  COLORREF color = RGB(0, 0, 0);
  BYTE charset = DEFAULT_CHARSET;
};

// A font made from a FontSpec; shared by the controls that use it.
HFONT MakeFont(const FontSpec& props);

}  // namespace tk
