// Single-line and multi-line text fields. Assigning Text runs OnChange when it changes, as user
// typing does. MaxLength limits what the user types (in bytes, never splitting a double-byte
// character), not what code assigns. A Memo's text holds its lines joined by CR LF.
#pragma once
#include <string>
#include <vector>

#include "gui/control.h"

namespace gui {

class Edit : public Control {
 public:
  Edit(Control& parent, std::string name);
  ControlKind Kind() const override { return ControlKind::Edit; }

  const std::string& Text() const { return Caption(); }
  void SetText(const std::string& text);
  void SetCaption(const std::string& caption) override { SetText(caption); }
  // 0: no limit.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int bytes);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);

  // Selects the whole text in the window (nothing to select headless).
  void SelectAll() { Push(Property::Selection); }

  NotifyEvent OnChange;

  // The user replaces the whole text by typing `text` (cut to MaxLength); false when the
  // field is read-only or does not accept input.
  bool UserType(const std::string& text);
  // From the win32 peer: the window's text was edited by the user.
  void PeerTextEdited(const std::string& text);

 protected:
  // Memo's constructor.
  Edit(Control& parent, std::string name, bool multiLine);

 private:
  void StoreText(const std::string& text, bool push);
  int maxLength_ = 0;
  bool readOnly_ = false;
};

class Memo : public Edit {
 public:
  Memo(Control& parent, std::string name);
  ControlKind Kind() const override { return ControlKind::Memo; }

  // The lines of the text (CR LF or LF separate them; a final line break adds no empty line).
  std::vector<std::string> Lines() const;
  void SetLines(const std::vector<std::string>& lines);
  void AddLine(const std::string& line);
  void Clear() { SetText(""); }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  gui::ScrollBars ScrollBars() const { return scrollBars_; }
  void SetScrollBars(gui::ScrollBars s);

  bool WantsKey(int key) const override { return key != kKeyTab && key != kKeyEscape; }

 private:
  bool wordWrap_ = true;
  gui::ScrollBars scrollBars_ = gui::ScrollBars::None;
};

// `text` cut to at most `bytes` bytes without splitting a Shift-JIS double-byte character.
std::string CutToBytes(const std::string& text, int bytes);

}  // namespace gui
