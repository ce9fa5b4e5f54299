// A form's controls as laid out, for the tests whose subject is a layout: each writes the rows
// it expects, with the values the design gives, and compares them with the rows it reads back,
// in process (TestForms.h) or from outside (the end-to-end driver). Portable.
#pragma once

#include <ostream>
#include <string>
#include <tuple>

namespace velmtest {

struct Placed {
  std::string name;     // the control's name; from outside, its window class
  std::string caption;  // a label's or a button's caption, an edit's text; "" for none
  int left = 0, top = 0, width = 0, height = 0;  // in the form's client area
  int tabOrder = -1;                             // -1: not in the tab order (or not known)
};

inline bool operator==(const Placed& a, const Placed& b) {
  return std::tie(a.name, a.caption, a.left, a.top, a.width, a.height, a.tabOrder) ==
         std::tie(b.name, b.caption, b.left, b.top, b.width, b.height, b.tabOrder);
}

inline void PrintTo(const Placed& p, std::ostream* os) {
  *os << p.name << " \"" << p.caption << "\" at " << p.left << "," << p.top << " " << p.width << "x"
      << p.height << ", tab " << p.tabOrder;
}

}  // namespace velmtest
