// The confirmation window of the removal: a picture, the question in five lines, and the
// buttons "Ναι" (Enter, modal result 1) and "Όχι" (Escape and Alt+F4, modal result 2).
#pragma once

#include <string>
#include <vector>

#include "Controls.h"
#include "Form.h"

namespace velm {

class TConfirmUninstallForm : public tk::Form {
 public:
  TConfirmUninstallForm();

  // Published controls, in creation order.
  tk::Image* Image1 = nullptr;
  tk::Button* BitBtn1 = nullptr;
  tk::Button* BitBtn2 = nullptr;
  tk::Memo* Memo1 = nullptr;

  // The question, line by line: the first three end in a blank and the fourth is empty.
  static const std::vector<std::string>& QuestionLines();

 private:
  void createControls();
};

}  // namespace velm
