// The font cache (see Font.h).
#include "Font.h"

#include <map>
#include <tuple>

namespace tk {

HFONT MakeFont(const FontSpec& props) {
  // Fonts are few and live as long as the program: one per distinct description. The colour is
  // not part of a font.
  using FontKey = std::tuple<std::string, int, bool, bool, bool, BYTE>;
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

}  // namespace tk
