// The message box window TMKBox: its controls with their design bounds, captions and fonts. The
// box component in common/ sizes and runs it.
#pragma once
#include "gui/color_button.h"
#include "gui/edit.h"
#include "gui/form.h"
#include "gui/image.h"
#include "gui/label.h"
#include "gui/timer.h"

namespace forms {

class TMKBox : public gui::Form {
 public:
  explicit TMKBox(gui::Application& app);

  gui::Label Msg;              // hidden; its auto-size measures the message
  gui::PaintBox Image_Box;     // the icon in use is drawn here
  gui::Memo MemoMsg;           // the message, selectable and copyable
  gui::TColorBtn Btn_OK;
  gui::TColorBtn Btn_Yes;
  gui::TColorBtn Btn_No;
  gui::TColorBtn Btn_Abort;
  gui::TColorBtn Btn_TM_STOP;
  gui::TColorBtn Btn_TM_OPEN;  // always exactly under Btn_TM_STOP
  gui::Label Label_TM;         // remaining seconds
  gui::Label TMCountS;         // carries the initial count into the window
  gui::Label Label_Select;     // the bar over the button the time-out chooses
  gui::Timer Timer1;           // countdown tick
  gui::Timer Timer_Paint;      // draws the icon shortly after a paint
};

}  // namespace forms
