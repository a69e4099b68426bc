#include "gui/header_control.h"

#include <algorithm>

namespace gui {

HeaderControl::HeaderControl(Control& parent, std::string name) : Control(parent, std::move(name)) {
  SetBoundsState(Rect{0, 0, 200, 17});
  Realize();
}

int HeaderControl::AddSection(const std::string& text, int width) {
  sections_.push_back(HeaderSection{text, std::max(width, 0)});
  Push(Property::ItemAdded, SectionCount() - 1);
  return SectionCount() - 1;
}

void HeaderControl::SetSectionText(int index, const std::string& text) {
  if (index < 0 || index >= SectionCount() || sections_[static_cast<size_t>(index)].text == text) return;
  sections_[static_cast<size_t>(index)].text = text;
  Push(Property::Caption, index);
}

void HeaderControl::ChangeScale(int from, int to) {
  designWidths_.resize(sections_.size());
  for (size_t i = 0; i < sections_.size(); ++i) {
    SetSectionWidth(static_cast<int>(i), designWidths_[i].Rescale(sections_[i].width, from, to));
  }
}

void HeaderControl::SetSectionWidth(int index, int width) {
  width = std::max(width, 0);
  if (index < 0 || index >= SectionCount() || sections_[static_cast<size_t>(index)].width == width) return;
  sections_[static_cast<size_t>(index)].width = width;
  Push(Property::Style, index);
}

bool HeaderControl::UserSectionClick(int index) {
  if (!AcceptsInput() || index < 0 || index >= SectionCount()) return false;
  if (OnSectionClick) OnSectionClick(*this, index);
  return true;
}

}  // namespace gui
