#include "forms/role_forms.h"

#include "gui/application.h"

namespace forms {

TQUOVEL32BACK::TQUOVEL32BACK(gui::Application& app)
    : gui::Form(app, "TQUOVEL32BACK", "QUOVEL32BACK"),
      Image1(*this, "Image1"),
      CapChan(*this, "CapChan"),
      Label2(*this, "Label2") {
  SetBorderStyle(gui::BorderStyle::None);
  SetBorderIcons(false, false, false);
  SetColor(gui::colors::kBlack);
  SetFormStyle(gui::FormStyle::StayOnTop);
  // Screen pixels, not a design: every monitor, as they are laid out now.
  SetScaled(false);
  SetBounds(app.GetBackend().VirtualScreen());
  Image1.SetAlign(gui::Align::Client);
  Image1.SetStretch(true);
  CapChan.SetVisible(false);
  Label2.SetVisible(false);
  SetVisible(false);
}

TQUOVEL32SCREEN::TQUOVEL32SCREEN(gui::Application& app) : gui::Form(app, "TQUOVEL32SCREEN", "QUOVEL32SCREEN") {
  SetBorderStyle(gui::BorderStyle::None);
  SetBorderIcons(false, false, false);
  SetColor(gui::colors::kBlack);
  SetFormStyle(gui::FormStyle::StayOnTop);
  SetScaled(false);
  // Savers of other makers, which may know nothing of scales, draw in it.
  SetHostsOtherPrograms(true);
  SetVisible(false);
}

TQUOVEL32SUBFORM::TQUOVEL32SUBFORM(gui::Application& app) : gui::Form(app, "TQUOVEL32SUBFORM", "QUOVEL32SUBFORM") {
  gui::Font font = gui::DefaultFont();
  font.height = -16;
  SetFont(font);
  SetColor(gui::colors::kBtnFace);
  SetCaption(app.Title());
  SetClientSize(kClientWidth, kClientHeight);
  Button1.SetCaption("強制終了");
  Button1.SetBounds(328, 0, 75, 33);
  ComboLabel.SetCaption("");
  ComboLabel.SetBounds(16, 8, 0, 16);  // as wide as the list name it is given
  ListBox4.SetBounds(8, 32, 393, 153);
  Label9.SetVisible(false);
}

TQUOVEL32TITLE::TQUOVEL32TITLE(gui::Application& app)
    : gui::Form(app, "TQUOVEL32TITLE", "QUOVEL32TITLE"), Panel1(*this, "Panel1") {
  SetBorderStyle(gui::BorderStyle::None);
  SetBorderIcons(false, false, false);
  SetColor(gui::colors::kBtnFace);
  SetClientSize(200, 71);
  gui::Font font = gui::DefaultFont();
  font.height = -13;
  font.color = gui::colors::kWhite;
  font.bold = font.italic = font.underline = true;
  Panel1.SetFont(font);
  Panel1.SetColor(gui::colors::kBlue);
  Panel1.SetBevelOuter(gui::Bevel::None);
  Panel1.SetCaption("ＱＵＯＶＥＬ３２");
  Panel1.SetAlign(gui::Align::Client);
}

}  // namespace forms
