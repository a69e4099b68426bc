// The number-setting window TTMSETBox: three text lines, the value with its unit, three spin
// buttons (steps 1, 10 and 60) and the 設 定 / 中 止 buttons. The component in common/ runs it.
#pragma once
#include <string>

#include "gui/color_button.h"
#include "gui/form.h"
#include "gui/label.h"
#include "gui/spin_button.h"

namespace forms {

class TTMSETBox : public gui::Form {
 public:
  explicit TTMSETBox(gui::Application& app);

  gui::Label LMsg0;
  gui::Label LMsg1;
  gui::Label LMsg2;
  gui::Label Label2;            // the value and its unit, right-justified
  gui::SpinButton SpinButton1;  // step 1
  gui::SpinButton SpinButton2;  // step 10
  gui::SpinButton SpinButton3;  // step 60
  gui::TColorBtn Button1;       // 設 定, the default button
  gui::TColorBtn Button4;       // 中 止, the cancel button

  // Sets Label2's text; being right-justified, the label grows to the left and keeps the right
  // edge it has with its design text.
  void SetValueText(const std::string& text);

 private:
  int label2Right_ = 0;  // design pixels
};

}  // namespace forms
