// A bar of header sections (captions with widths) that the user can click. Section texts and
// widths may change at any time; a click on a section runs OnSectionClick with its index.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "gui/control.h"

namespace gui {

struct HeaderSection {
  std::string text;
  int width = 50;
  bool operator==(const HeaderSection&) const = default;
};

using SectionClickEvent = std::function<void(Component& sender, int section)>;

class HeaderControl : public Control {
 public:
  HeaderControl(Control& parent, std::string name);
  ControlKind Kind() const override { return ControlKind::HeaderControl; }

  const std::vector<HeaderSection>& Sections() const { return sections_; }
  int SectionCount() const { return static_cast<int>(sections_.size()); }
  const HeaderSection& Section(int index) const { return sections_.at(static_cast<size_t>(index)); }
  int AddSection(const std::string& text, int width);
  void SetSectionText(int index, const std::string& text);
  void SetSectionWidth(int index, int width);

  SectionClickEvent OnSectionClick;

  // The user clicks section `index`.
  bool UserSectionClick(int index);

 protected:
  void ChangeScale(int from, int to) override;

 private:
  std::vector<HeaderSection> sections_;
  std::vector<DesignLength> designWidths_;
};

}  // namespace gui
