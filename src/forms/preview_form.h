// The manager's preview window TQUOVEL32PREVIEW: a small tool window whose one panel is the host
// window a saver's preview lives in and, while none shows there, says what the row holds. The
// preview in play/ runs it.
#pragma once
#include "gui/form.h"
#include "gui/panel.h"
#include "gui/timer.h"

namespace forms {

class TQUOVEL32PREVIEW : public gui::Form {
 public:
  static constexpr int kClientWidth = 200;
  static constexpr int kClientHeight = 150;

  explicit TQUOVEL32PREVIEW(gui::Application& app);
  gui::Panel HostPanel{*this, "HostPanel"};              // the saver's host; its caption, a row's name
  gui::Timer LookTimer{*this, "LookTimer", 100, false};  // the watch over the row and the saver
};

}  // namespace forms
