#include "play/backdrop.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "forms/role_forms.h"
#include "gui/application.h"
#include "gui/bitmap.h"

namespace play {

namespace {

// What of `area` lies outside every hole, as rectangles that do not overlap: each hole cuts the
// parts it meets into the bands above and below it and the pieces beside it.
std::vector<gui::Rect> Outside(const gui::Rect& area, const std::vector<gui::Rect>& holes) {
  std::vector<gui::Rect> parts{area};
  for (const gui::Rect& hole : holes) {
    std::vector<gui::Rect> next;
    for (const gui::Rect& p : parts) {
      const int l = std::max(p.left, hole.left), t = std::max(p.top, hole.top);
      const int r = std::min(p.Right(), hole.Right()), b = std::min(p.Bottom(), hole.Bottom());
      if (l >= r || t >= b) {
        next.push_back(p);
        continue;
      }
      if (p.top < t) next.push_back(gui::Rect{p.left, p.top, p.width, t - p.top});
      if (b < p.Bottom()) next.push_back(gui::Rect{p.left, b, p.width, p.Bottom() - b});
      if (p.left < l) next.push_back(gui::Rect{p.left, t, l - p.left, b - t});
      if (r < p.Right()) next.push_back(gui::Rect{r, t, p.Right() - r, b - t});
    }
    parts = std::move(next);
  }
  return parts;
}

// Copies the parts (picture coordinates) of `from` into `to`; pictures of different sizes are
// left alone.
void CopyParts(const gui::Bitmap& from, gui::Bitmap& to, const std::vector<gui::Rect>& parts) {
  if (from.Width() != to.Width() || from.Height() != to.Height()) return;
  const gui::Rect all{0, 0, to.Width(), to.Height()};
  for (const gui::Rect& part : parts) {
    const int l = std::max(part.left, 0), r = std::min(part.Right(), all.width);
    const int t = std::max(part.top, 0), b = std::min(part.Bottom(), all.height);
    for (int y = t; y < b && l < r; ++y) {
      const size_t row = static_cast<size_t>(y) * static_cast<size_t>(all.width);
      std::copy(from.Data() + row + l, from.Data() + row + r, to.Data() + row + l);
    }
  }
}

}  // namespace

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
  if (picture != nullptr) {
    // The picture is stretched over the client area: its pixels are client pixels when the
    // sizes agree, and a picture of another size has no cover worth keeping.
    const gui::Rect client = form_.Image1.ClientRect();
    std::shared_ptr<const gui::Bitmap> before = form_.Image1.Picture();
    if (before != nullptr && picture->Width() == client.width && picture->Height() == client.height) {
      CopyParts(*before, *picture, form_.Image1.BlankParts());
    }
    form_.Image1.SetPicture(std::move(picture));
  }
  Uncover();
}

void Backdrop::CoverBesideSaver(platform::Processes& processes, const platform::ProcessRef& saver) {
  CoverBeside(processes.ShownWindows(saver));
}

void Backdrop::CoverBeside(const std::vector<platform::Rect>& saverWindows) {
  if (saverWindows.empty()) return;
  // The form has no border: its client area starts at its top-left corner on the screen.
  const gui::Rect bounds = form_.Bounds();
  std::vector<gui::Rect> holes;
  for (const platform::Rect& w : saverWindows) {
    holes.push_back(gui::Rect{w.left - bounds.left, w.top - bounds.top, w.width(), w.height()});
  }
  form_.Image1.SetBlankParts(Outside(gui::Rect{0, 0, bounds.width, bounds.height}, holes));
}

void Backdrop::Uncover() { form_.Image1.SetBlankParts({}); }

void Backdrop::ShowImage() {
  form_.SetBounds(app_.GetBackend().VirtualScreen());
  form_.Image1.SetVisible(true);
  Uncover();
}

void Backdrop::HideImage() {
  form_.Image1.SetVisible(false);
  Uncover();
}

void Backdrop::ShowInFront() {
  Uncover();
  form_.SetVisible(true);
  form_.BringToFront();
}

void Backdrop::Close() { form_.Close(); }

bool Backdrop::Visible() const { return form_.Visible(); }

bool Backdrop::ImageVisible() const { return form_.Image1.Visible(); }

}  // namespace play
