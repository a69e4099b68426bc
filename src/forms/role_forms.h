// The top-level windows of each role, as far as their layouts exist: the manager (its own
// folder), the backdrop behind playing savers, the screen-saver runner, the preview title and
// the installer. Each registers its window under its form class name, by which instances find
// each other.
#pragma once
#include "forms/manager/manager_form.h"
#include "gui/form.h"
#include "gui/image.h"
#include "gui/label.h"
#include "gui/panel.h"

namespace forms {

// The black, always-on-top backdrop covering the primary screen.
class TQUOVEL32BACK : public gui::Form {
 public:
  explicit TQUOVEL32BACK(gui::Application& app);
  gui::Image Image1;    // the captured screen, stretched over the client area
  gui::Label CapChan;   // hidden; its click captures the screen
  gui::Label Label2;    // hidden
};

// The screen-saver runner (starts minimised).
class TQUOVEL32SUBFORM : public gui::Form {
 public:
  explicit TQUOVEL32SUBFORM(gui::Application& app);
};

// The preview: the program's name on blue, filling the preview area.
class TQUOVEL32TITLE : public gui::Form {
 public:
  explicit TQUOVEL32TITLE(gui::Application& app);
  gui::Panel Panel1;
};

// The installer and uninstaller.
class TSCR32SETUPForm : public gui::Form {
 public:
  explicit TSCR32SETUPForm(gui::Application& app);
};

}  // namespace forms
