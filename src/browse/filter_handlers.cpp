#include "browse/filter_handlers.h"

#include <array>
#include <exception>

#include "browse/file_browser.h"
#include "browse/filters.h"
#include "forms/manager/manager_form.h"

namespace browse {

// While the program itself sets boxes or the edit box, their handlers do nothing.
class FilterHandlers::Silent {
 public:
  explicit Silent(FilterHandlers& h) : h_(h), was_(h.suppressed_) { h_.suppressed_ = true; }
  ~Silent() { h_.suppressed_ = was_; }
  Silent(const Silent&) = delete;
  Silent& operator=(const Silent&) = delete;

 private:
  FilterHandlers& h_;
  bool was_;
};

namespace {

// Red marks a failed control, black on a red window.
gui::Color FailureColour(const forms::TQUOVEL32KAPUL& f) {
  return f.Color() == gui::colors::kRed ? gui::colors::kBlack : gui::colors::kRed;
}

}  // namespace

FilterHandlers::FilterHandlers(forms::TQUOVEL32KAPUL& form, FileBrowser& browser) : f_(form), browser_(browser) {}

void FilterHandlers::AttachEvents() {
  for (gui::CheckBox* box : {&f_.CB1, &f_.CB2, &f_.CB3, &f_.CB4, &f_.CB5}) {
    box->OnClick = [this](gui::Component&) { AttributeClick(); };
  }
  for (int i = 0; i < kExtensionCount; ++i) {
    f_.ExtensionBox(i).OnClick = [this](gui::Component& sender) { ExtensionClick(static_cast<int>(sender.Tag())); };
  }
  f_.CB32.OnClick = [this](gui::Component&) { AllClick(); };
  f_.Button13.OnClick = [this](gui::Component&) { Button13Click(); };
  f_.Button14.OnClick = [this](gui::Component&) { Button14Click(); };
  f_.Edit1.OnChange = [this](gui::Component&) { Edit1Change(); };
}

void FilterHandlers::StartUp() {
  std::array<bool, kExtensionCount> checked{};
  for (int i = 0; i < kExtensionCount; ++i) checked[static_cast<size_t>(i)] = f_.ExtensionBox(i).Checked();
  extensionPattern_ = BuildExtensionPattern(checked);
  if (f_.Button13.Visible()) {
    f_.Button14.Hide();
    f_.Edit1.Hide();
    SetAllColours(f_.CB32.Checked());
  } else {
    f_.Edit1.Show();
    f_.Button14.Show();
  }
  browser_.SetFilter(EffectivePattern(), Mask());
  started_ = true;
}

std::string FilterHandlers::EffectivePattern() const {
  if (!f_.Button13.Visible()) return f_.Edit1.Text();
  return f_.CB32.Checked() ? "*.*" : extensionPattern_;
}

int FilterHandlers::Mask() const {
  return AttributeMask(f_.CB1.Checked(), f_.CB2.Checked(), f_.CB3.Checked(), f_.CB4.Checked());
}

bool FilterHandlers::Refill(const char* code) {
  browser_.SetFilter(EffectivePattern(), Mask());
  try {
    browser_.FillFileList(browser_.CurrentFolder());
    return true;
  } catch (const std::exception&) {
    browser_.ShowFolderError(code);
    return false;
  }
}

void FilterHandlers::ShowExtensionMode() {
  f_.Button14.Hide();
  f_.Edit1.Hide();
  f_.Button13.Show();
}

void FilterHandlers::SetAllColours(bool inverted) {
  const gui::Color back = f_.Color();
  const gui::Color text = f_.Font().color;
  gui::Font font = f_.CB32.Font();
  font.color = inverted ? back : text;
  f_.CB32.SetColor(inverted ? text : back);
  f_.CB32.SetFont(font);
}

void FilterHandlers::UncheckAllSilently() {
  Silent silent(*this);
  for (gui::CheckBox* box : {&f_.CB1, &f_.CB2, &f_.CB3, &f_.CB4, &f_.CB5}) box->SetChecked(false);
}

void FilterHandlers::UncheckExtensionsSilently() {
  Silent silent(*this);
  for (int i = 0; i < kExtensionCount; ++i) f_.ExtensionBox(i).SetChecked(false);
  // The pattern follows the boxes, so that the next box checked starts a fresh one.
  extensionPattern_.clear();
}

void FilterHandlers::AttributeClick() {
  if (Quiet()) return;
  f_.Label1.SetCaption(" ---ｺ");
  if (!Refill("zk")) {
    UncheckAllSilently();
    browser_.SetFilter(EffectivePattern(), Mask());
  }
}

void FilterHandlers::ExtensionClick(int index) {
  if (Quiet() || index < 0 || index >= kExtensionCount) return;
  f_.Label1.SetCaption(" ---ｺ");
  if (!f_.Button13.Visible()) ShowExtensionMode();
  if (f_.CB32.Checked()) {
    Silent silent(*this);
    f_.CB32.SetChecked(false);
    SetAllColours(false);
  }
  extensionPattern_ = f_.ExtensionBox(index).Checked() ? AddExtension(extensionPattern_, index)
                                                      : RemoveExtension(extensionPattern_, index);
  if (!Refill("cb")) {
    UncheckExtensionsSilently();
    browser_.SetFilter(EffectivePattern(), Mask());
  }
}

void FilterHandlers::AllClick() {
  if (Quiet()) return;
  f_.Label1.SetCaption(" ---ｺ");
  ShowExtensionMode();
  SetAllColours(f_.CB32.Checked());
  if (!Refill("al")) f_.CB32.SetColor(FailureColour(f_));
}

void FilterHandlers::Button13Click() {
  if (!started_) return;
  f_.Label1.SetCaption(" ---ｺ");
  if (f_.CB32.Checked()) {
    Silent silent(*this);
    f_.CB32.SetChecked(false);
    SetAllColours(false);
  }
  f_.Button13.Hide();
  f_.Edit1.Show();
  f_.Button14.Show();
  f_.Edit1.SetFocus();
  f_.Edit1.SetColor(f_.ListBox1.Color());
  if (!Refill("eb")) f_.Edit1.SetColor(FailureColour(f_));
}

void FilterHandlers::Button14Click() {
  if (!started_) return;
  f_.Label1.SetCaption(" ---ｺ");
  ShowExtensionMode();
  if (!Refill("st")) {
    UncheckExtensionsSilently();
    browser_.SetFilter(EffectivePattern(), Mask());
  }
}

void FilterHandlers::Edit1Change() {
  if (Quiet()) return;
  f_.Label1.SetCaption(" ---ｺ");
  f_.Edit1.SetColor(f_.ListBox1.Color());
  if (!Refill("ec")) f_.Edit1.SetColor(FailureColour(f_));
}

}  // namespace browse
