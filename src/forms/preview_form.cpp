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
  HostPanel.SetFont(font);
  HostPanel.SetColor(gui::colors::kBlack);
  HostPanel.SetBevelOuter(gui::Bevel::None);
  HostPanel.SetCaption("");
  HostPanel.SetAlign(gui::Align::Client);
}

}  // namespace forms
