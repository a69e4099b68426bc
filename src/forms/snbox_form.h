// The text input window TSNBox: the prompt, the edit field with the button that opens the
// history, and the history bar that lies over the edit field while it is open. The component
// in common/ runs it.
#pragma once
#include "gui/color_button.h"
#include "gui/combo_box.h"
#include "gui/edit.h"
#include "gui/form.h"
#include "gui/label.h"
#include "gui/panel.h"

namespace forms {

class TSNBox : public gui::Form {
 public:
  explicit TSNBox(gui::Application& app);

  gui::Label Msg;               // the prompt, followed by "："
  // The history bar comes first so that it lies over Edit1 and Button3; the rest is in tab order.
  gui::Panel Panel1;            // the history bar, hidden
  gui::ComboBox ComboBox1;      // in Panel1: the history
  gui::TColorBtn Button4;       // in Panel1: off, closes the bar
  gui::TColorBtn Button1;       // 登録, the default button
  gui::TColorBtn Button2;       // 中止, the cancel button
  gui::TColorBtn Button3;       // H: opens the history bar
  gui::Edit Edit1;              // the text
};

}  // namespace forms
