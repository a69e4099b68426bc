// A static text. With AutoSize (the default) the label takes the extent of its caption in its
// font, measured by the backend, which is how dialogs size themselves to their text.
#pragma once
#include "gui/control.h"

namespace gui {

class Label : public Control {
 public:
  Label(Control& parent, std::string name);
  ControlKind Kind() const override { return ControlKind::Label; }

  void SetCaption(const std::string& caption) override;
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  // With WordWrap the width stays and AutoSize adjusts the height only.
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  TextAlignment Alignment() const { return alignment_; }
  void SetAlignment(TextAlignment a);
  // Transparent labels do not fill their background.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  // Whether "&" marks an accelerator (shown underlined) instead of showing itself.
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool v);

  // The control that its accelerator focuses ("名前(&N):" before an edit).
  Control* FocusControl() const { return focusControl_; }
  void SetFocusControl(Control* c) { focusControl_ = c; }
  bool AcceleratorPressed() override { return showAccelChar_ && focusControl_ != nullptr && focusControl_->SetFocus(); }

  // The caption's extent in the label's font.
  Size TextSize() const;
  void PaintTo(Canvas& canvas) override;

 protected:
  bool ClicksOnMouseUp() const override { return true; }
  void InheritedStateChanged(Property what) override;

 private:
  void AdjustSize();
  bool autoSize_ = true;
  bool wordWrap_ = false;
  TextAlignment alignment_ = TextAlignment::Left;
  bool transparent_ = false;
  bool showAccelChar_ = true;
  Control* focusControl_ = nullptr;
};

}  // namespace gui
