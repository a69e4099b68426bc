#include "forms/preview_form.h"

namespace forms {

TQUOVEL32PREVIEW::TQUOVEL32PREVIEW(gui::Application& app) : gui::Form(app, "TQUOVEL32PREVIEW", "QUOVEL32PREVIEW") {
  SetBorderStyle(gui::BorderStyle::ToolWindow);
  SetCaption("プレビュー");
  SetClientSize(kClientWidth, kClientHeight);
  // Shown beside the manager, it leaves the user's window active.
  SetActivateOnShow(false);
  // Savers of other makers, which may know nothing of scales, draw in Panel1.
  SetHostsOtherPrograms(true);
  gui::Font font = gui::DefaultFont();
  font.color = gui::colors::kWhite;
  Panel1.SetFont(font);
  Panel1.SetColor(gui::colors::kBlack);
  Panel1.SetBevelOuter(gui::Bevel::None);
  Panel1.SetCaption("");
  Panel1.SetAlign(gui::Align::Client);
}

}  // namespace forms
