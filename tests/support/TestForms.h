// Forms in the tests under Wine: a test form's properties, and, for the tests whose subject is a
// layout, a form's controls as laid out (Places.h) and its frame as the program's dialogs have it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Controls.h"
#include "Form.h"
#include "Places.h"

namespace velmtest {

// A form of this caption and client size, the rest as a form has it.
inline tk::FormSpec FormSpecOf(const std::string& caption, int clientWidth, int clientHeight) {
  tk::FormSpec props;
  props.caption = caption;
  props.clientWidth = clientWidth;
  props.clientHeight = clientHeight;
  return props;
}

// The form's controls in creation order.
inline std::vector<Placed> PlacesOf(const tk::Form& form) {
  std::vector<Placed> places;
  for (const auto& control : form.controls()) {
    Placed p{control->name(),  "", control->left(), control->top(), control->width(),
             control->height()};
    if (const auto* label = dynamic_cast<const tk::Label*>(control.get()))
      p.caption = label->caption();
    if (const auto* button = dynamic_cast<const tk::Button*>(control.get()))
      p.caption = button->caption();
    if (const auto* window = dynamic_cast<const tk::WindowControl*>(control.get()))
      p.tabOrder = window->tabOrder;
    places.push_back(p);
  }
  return places;
}

// The frame of one of the program's dialogs: its window made (not shown), of this client size,
// without system menu, sizing border or minimise and maximise boxes, in the button face colour,
// centred over the main form when shown.
inline void ExpectDialogFrame(tk::Form& form, int clientWidth, int clientHeight) {
  form.create();
  RECT client{};
  GetClientRect(form.handle(), &client);
  EXPECT_EQ(client.right, clientWidth);
  EXPECT_EQ(client.bottom, clientHeight);
  const LONG style = GetWindowLongA(form.handle(), GWL_STYLE);
  EXPECT_FALSE(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_EQ(form.props().color, GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(form.props().position, tk::FormSpec::Position::MainFormCenter);
}

}  // namespace velmtest
