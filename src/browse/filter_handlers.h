// The filter controls of the manager window: the attribute boxes rd/sys/hid/arc/nor, the thirty
// extension boxes, ALL(*.*), the own-pattern button pair and its edit box. Each handler works
// out the pattern or mask anew and refills the file list of the current folder; when that fails
// the control is reset and the folder error message names the control.
#pragma once
#include <string>

namespace forms {
class TQUOVEL32KAPUL;
}

namespace browse {

class FileBrowser;

class FilterHandlers {
 public:
  FilterHandlers(forms::TQUOVEL32KAPUL& form, FileBrowser& browser);

  // Attaches the handlers to the window. They stay silent until StartUp has run.
  void AttachEvents();
  // Takes the boxes as the start-up sequence has set them: mask, extension pattern in table
  // order, CB32's colours and the mode shown; hands the filter to the browser. Does not refill.
  void StartUp();

  // The pattern of the checked extension boxes ("*.SCR;*.JPG;" ...), in the order they were
  // checked after start-up.
  const std::string& ExtensionPattern() const { return extensionPattern_; }
  // The pattern the file list is filled with in the mode shown.
  std::string EffectivePattern() const;
  int Mask() const;

  void AttributeClick();
  void ExtensionClick(int index);
  void AllClick();
  void Button13Click();
  void Button14Click();
  void Edit1Change();

 private:
  class Silent;
  bool Quiet() const { return suppressed_ || !started_; }
  // Refills the current folder's file list; false (after the message with `code`) on failure.
  bool Refill(const char* code);
  void ShowExtensionMode();
  void SetAllColours(bool inverted);
  void UncheckAllSilently();
  void UncheckExtensionsSilently();

  forms::TQUOVEL32KAPUL& f_;
  FileBrowser& browser_;
  std::string extensionPattern_;
  bool suppressed_ = false;
  bool started_ = false;
};

}  // namespace browse
