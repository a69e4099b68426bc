// The installer and uninstaller window TSCR32SETUPForm: the program folder and the group, the
// start-up and colour choices, the screen-saver waiting time, the working folder, and the cancel
// and set buttons; the timers of the uninstall steps. The installer in setup/ runs it.
#pragma once
#include "gui/button.h"
#include "gui/check_box.h"
#include "gui/combo_box.h"
#include "gui/edit.h"
#include "gui/form.h"
#include "gui/label.h"
#include "gui/spin_button.h"
#include "gui/timer.h"

namespace forms {

class TSCR32SETUPForm : public gui::Form {
 public:
  explicit TSCR32SETUPForm(gui::Application& app);

  gui::Label Label1{*this, "Label1"};
  gui::Edit Edit1{*this, "Edit1"};              // the program folder
  gui::Button Button1{*this, "Button1"};        // 参照
  gui::Button Button4{*this, "Button4"};        // 初期値
  gui::Label Label2{*this, "Label2"};
  gui::ComboBox ComboBox1{*this, "ComboBox1"};  // the group
  gui::CheckBox CheckBoxBkColor{*this, "CheckBoxBkColor"};
  gui::CheckBox CheckBoxST{*this, "CheckBoxST"};
  gui::Label Label3{*this, "Label3"};
  gui::Label Label4{*this, "Label4"};
  gui::Label LabelSS{*this, "LabelSS"};         // the waiting time in minutes
  gui::SpinButton SpinButtonSS{*this, "SpinButtonSS"};
  gui::Label Label5{*this, "Label5"};
  gui::Edit Edit2{*this, "Edit2"};              // the working folder
  gui::Button Button6{*this, "Button6"};        // 参照
  gui::Button Button7{*this, "Button7"};        // 初期値
  gui::Button Button2{*this, "Button2"};        // 中止
  gui::Button Button5{*this, "Button5"};        // 設定中, in place of Button3
  gui::Button Button3{*this, "Button3"};        // 設定
  gui::Timer Timer1{*this, "Timer1", 500, false};        // uninstall
  gui::Timer Timer2{*this, "Timer2", 500, false};        // the uninstaller copy
  gui::Timer Timer3{*this, "Timer3", 1000, false};       // removal, retried every second
  gui::Timer TimerErOut{*this, "TimerErOut", 1000, false};  // refusal
};

}  // namespace forms
