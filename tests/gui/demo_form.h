// A demonstration form with one control of every kind, used by the tests of both backends and
// shown by gui_demo.exe. Its handlers only record what ran, so tests can check which events
// fired and in which order.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gui/button.h"
#include "gui/check_box.h"
#include "gui/combo_box.h"
#include "gui/edit.h"
#include "gui/form.h"
#include "gui/image.h"
#include "gui/label.h"
#include "gui/list_box.h"
#include "gui/menu.h"
#include "gui/panel.h"
#include "gui/radio_group.h"
#include "gui/timer.h"

namespace guitest {

class DemoForm : public gui::Form {
 public:
  static constexpr const char* kClassName = "TQVGUIDEMO";
  static constexpr unsigned kHandOffMessage = 1025;

  explicit DemoForm(gui::Application& app);

  gui::MainMenu MainMenu1{*this, "MainMenu1"};
  gui::MenuItem MF0{MainMenu1, "MF0", "ファイル(&F)"};
  gui::MenuItem F1{MF0, "F1", "開く(&O)..."};
  gui::MenuItem N1{MF0, "N1", "-"};
  gui::MenuItem FX{MF0, "FX", "終了(&X)"};
  gui::MenuItem MOption0{MainMenu1, "MOption0", "オプション(&O)"};
  gui::MenuItem K6{MOption0, "K6", "隠しフォルダーも表示する(&K)"};
  gui::MenuItem SSN{MOption0, "SSN", "ｽｸﾘｰﾝ･ｾｰﾊﾞｰ名表示ＯＮ(&N)"};
  gui::PopupMenu PopupMenu1{*this, "PopupMenu1"};
  gui::MenuItem P1{PopupMenu1, "P1", "再生(&P)"};
  gui::MenuItem P2{PopupMenu1, "P2", "削除(&D)"};

  gui::Panel PanelTop{*this, "PanelTop"};
  gui::Panel PanelBottom{*this, "PanelBottom"};
  gui::Label LabelStatus{PanelBottom, "LabelStatus"};
  gui::Button Button1{PanelBottom, "Button1"};
  gui::Button Button2{PanelBottom, "Button2"};
  gui::Button Button3{PanelBottom, "Button3"};
  gui::Panel PanelList{*this, "PanelList"};
  gui::Label Label3{PanelList, "Label3"};
  gui::ListBox ListBox1{PanelList, "ListBox1"};

  gui::Label Label1{*this, "Label1"};
  gui::Edit Edit1{*this, "Edit1"};
  gui::Label Label2{*this, "Label2"};
  gui::ComboBox ComboBox1{*this, "ComboBox1"};
  gui::CheckBox CheckBox1{*this, "CheckBox1"};
  gui::RadioButton RadioButton1{*this, "RadioButton1"};
  gui::RadioButton RadioButton2{*this, "RadioButton2"};
  gui::RadioGroup RadioGroup1{*this, "RadioGroup1"};
  gui::Memo Memo1{*this, "Memo1"};
  gui::Image Image1{*this, "Image1"};
  gui::PaintBox PaintBox1{*this, "PaintBox1"};
  gui::Label Label4{*this, "Label4"};
  gui::Timer Timer1{*this, "Timer1", 1000, false};

  // Names of the handlers that ran, in order ("Button3Click", "Edit1Change", ...).
  std::vector<std::string> log;
  int ticks = 0;
  // The last custom message: wParam and lParam.
  std::uintptr_t lastWParam = 0;
  std::intptr_t lastLParam = 0;

 private:
  void Layout(gui::Application& app);
  void Connect();
  void ListBox1DrawItem(gui::Canvas& canvas, int index, const gui::Rect& rect, gui::OwnerDrawState state);
  void PaintBox1Paint(gui::Canvas& canvas);
};

// A 32 x 32 information icon built pixel by pixel: a white "i" on a blue disc, black corners.
std::shared_ptr<gui::Bitmap> MakeInfoIcon();

}  // namespace guitest
