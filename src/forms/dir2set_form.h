// The folder-setting window TDIR2SETForm: the folder field with its default and browse buttons,
// the warning lines, and the register and cancel buttons. The component in browse/ runs it.
#pragma once
#include "gui/color_button.h"
#include "gui/edit.h"
#include "gui/form.h"
#include "gui/label.h"

namespace forms {

class TDIR2SETForm : public gui::Form {
 public:
  explicit TDIR2SETForm(gui::Application& app);

  gui::Label Label1;        // fixed size; the folder's purpose goes in front of its caption
  gui::Edit Edit1;          // the folder
  gui::TColorBtn Button1;   // 初期値
  gui::TColorBtn Button2;   // 参照
  gui::Label Label2;        // the folder's purpose goes in front of its caption
  gui::Label Label3;
  gui::Label Label4;
  gui::TColorBtn Button4;   // 設定, the default button
  gui::TColorBtn Button3;   // 中止, the cancel button
};

}  // namespace forms
