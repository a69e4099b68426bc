#include "play/backdrop.h"

#include "forms/role_forms.h"
#include "gui/application.h"

namespace play {

Backdrop::Backdrop(gui::Application& app, forms::TQUOVEL32BACK& form) : app_(app), form_(form) {
  auto hide = [this](gui::Component&) { Close(); };
  form_.OnClick = hide;
  form_.Image1.OnClick = hide;
  form_.CapChan.OnClick = [this](gui::Component&) { CapChanClick(); };
}

void Backdrop::CapChanClick() { app_.ProcessMessages(); }

void Backdrop::ShowImage() { form_.Image1.SetVisible(true); }

void Backdrop::HideImage() { form_.Image1.SetVisible(false); }

void Backdrop::ShowInFront() {
  form_.SetVisible(true);
  form_.BringToFront();
}

void Backdrop::Close() { form_.Close(); }

bool Backdrop::Visible() const { return form_.Visible(); }

bool Backdrop::ImageVisible() const { return form_.Image1.Visible(); }

}  // namespace play
