// The version window TAboutBox: the product name, its title, the version and two comment lines,
// the OK button and the buttons for the home page and for mail. The component in common/ runs it.
#pragma once

#include "gui/color_button.h"
#include "gui/form.h"
#include "gui/label.h"

namespace forms {

class TAboutBox : public gui::Form {
 public:
  explicit TAboutBox(gui::Application& app);

  gui::Label ProductName;
  gui::Label ProgramTitle;
  gui::Label Version;
  gui::Label Comments;
  gui::Label Comments2;
  gui::TColorBtn ColorBtn1;  // Ｏ Ｋ, the default and cancel button
  gui::TColorBtn HomePage;   // the home page
  gui::TColorBtn Mail;       // mail to the author
};

}  // namespace forms
