#include "play/backdrop.h"

#include <memory>
#include <utility>

#include "forms/role_forms.h"
#include "gui/application.h"
#include "gui/bitmap.h"

namespace play {

Backdrop::Backdrop(gui::Application& app, forms::TQUOVEL32BACK& form)
    : app_(app), form_(form), colorDepth_(app.GetBackend().ColorDepth()) {
  auto hide = [this](gui::Component&) { Close(); };
  form_.OnClick = hide;
  form_.Image1.OnClick = hide;
  form_.CapChan.OnClick = [this](gui::Component&) { CapChanClick(); };
}

void Backdrop::CapChanClick() {
  app_.ProcessMessages();
  std::shared_ptr<gui::Bitmap> picture = app_.GetBackend().CaptureScreen(colorDepth_ <= 8);
  if (picture != nullptr) form_.Image1.SetPicture(std::move(picture));
}

void Backdrop::ShowImage() {
  form_.SetBounds(app_.GetBackend().VirtualScreen());
  form_.Image1.SetVisible(true);
}

void Backdrop::HideImage() { form_.Image1.SetVisible(false); }

void Backdrop::ShowInFront() {
  form_.SetVisible(true);
  form_.BringToFront();
}

void Backdrop::Close() { form_.Close(); }

bool Backdrop::Visible() const { return form_.Visible(); }

bool Backdrop::ImageVisible() const { return form_.Image1.Visible(); }

}  // namespace play
