// The top-level windows of each role, as far as their layouts exist: the manager (its own
// folder), the backdrop behind playing savers, the screen-saver runner, the preview title and
// the installer (its own file pair). Each registers its window under its form class name, by
// which instances find each other.
#pragma once
#include "forms/manager/manager_form.h"
#include "forms/setup_form.h"
#include "gui/button.h"
#include "gui/form.h"
#include "gui/image.h"
#include "gui/label.h"
#include "gui/list_box.h"
#include "gui/panel.h"
#include "gui/timer.h"

namespace forms {

// The black, always-on-top backdrop covering every monitor.
class TQUOVEL32BACK : public gui::Form {
 public:
  explicit TQUOVEL32BACK(gui::Application& app);
  gui::Image Image1;    // the captured screen, stretched over the client area
  gui::Label CapChan;   // hidden; its click captures the screen
  gui::Label Label2;    // hidden
};

// One monitor's window while each monitor plays a saver of its own: black, borderless, above
// every other window and laid over its monitor in screen pixels; the saver draws inside it as it
// would in a preview. The first one's timer watches the savers and the user.
class TQUOVEL32SCREEN : public gui::Form {
 public:
  explicit TQUOVEL32SCREEN(gui::Application& app);
  gui::Timer LookTimer{*this, "LookTimer", 100, false};
};

// The screen-saver runner: the list it plays and which list that is, and the forced exit. It
// stays minimised while savers play; every timer starts disabled.
class TQUOVEL32SUBFORM : public gui::Form {
 public:
  static constexpr int kClientWidth = 408;
  static constexpr int kClientHeight = 194;

  explicit TQUOVEL32SUBFORM(gui::Application& app);
  gui::Button Button1{*this, "Button1"};        // 強制終了
  gui::Label ComboLabel{*this, "ComboLabel"};   // the list played and its count
  gui::ListBox ListBox4{*this, "ListBox4"};     // the list played; ItemIndex is the current row
  gui::Label Label9{*this, "Label9"};           // hidden: the display time or "OFF"
  gui::Timer Timer12{*this, "Timer12", 300, false};  // initialisation
  gui::Timer Timer2{*this, "Timer2", 300, false};    // select and prepare
  gui::Timer Timer1{*this, "Timer1", 300, false};    // launch
  gui::Timer Timer7{*this, "Timer7", 1000, false};   // one tick per second while a saver shows
  gui::Timer Timer8{*this, "Timer8", 300, false};    // wait for the saver's exit
  gui::Timer Timer4{*this, "Timer4", 300, false};    // advance
  gui::Timer TimerST{*this, "TimerST", 1000, false}; // power-saving wait
};

// The preview: the program's name on blue, filling the client area whatever its size.
class TQUOVEL32TITLE : public gui::Form {
 public:
  explicit TQUOVEL32TITLE(gui::Application& app);
  gui::Panel Panel1;
};

}  // namespace forms
