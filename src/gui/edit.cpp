#include "gui/edit.h"

#include "text/text_path.h"

namespace gui {

using text::IsLeadByte;

std::string CutToBytes(const std::string& text, int bytes) {
  if (bytes <= 0 || static_cast<int>(text.size()) <= bytes) return text;
  size_t i = 0;
  const size_t limit = static_cast<size_t>(bytes);
  while (i < limit) {
    const size_t step = IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
    if (i + step > limit) break;
    i += step;
  }
  return text.substr(0, i);
}

Edit::Edit(Control& parent, std::string name) : Edit(parent, std::move(name), false) {
  SetBoundsState(Rect{0, 0, 121, 21});
  Realize();
}

Edit::Edit(Control& parent, std::string name, bool) : Control(parent, std::move(name)) {
  SetColor(colors::kWindow);
  SetTabStop(true);
}

void Edit::StoreText(const std::string& text, bool push) {
  if (text == Caption()) return;
  if (push) {
    Control::SetCaption(text);
  } else {
    // The window already shows it; only the state follows.
    std::string copy = text;
    SetCaptionState(copy);
  }
  if (OnChange) OnChange(*this);
}

void Edit::SetText(const std::string& text) { StoreText(text, true); }

void Edit::SetMaxLength(int bytes) {
  maxLength_ = bytes < 0 ? 0 : bytes;
  Push(Property::MaxLength);
}

void Edit::SetReadOnly(bool v) {
  readOnly_ = v;
  Push(Property::ReadOnly);
}

bool Edit::UserType(const std::string& text) {
  if (!AcceptsInput() || readOnly_) return false;
  SetFocus();
  StoreText(CutToBytes(text, maxLength_), true);
  return true;
}

void Edit::PeerTextEdited(const std::string& text) { StoreText(text, false); }

Memo::Memo(Control& parent, std::string name) : Edit(parent, std::move(name), true) {
  SetBoundsState(Rect{0, 0, 185, 89});
  Realize();
}

std::vector<std::string> Memo::Lines() const {
  std::vector<std::string> lines;
  const std::string& t = Text();
  size_t start = 0;
  while (start < t.size()) {
    size_t lf = t.find('\n', start);
    size_t end = lf == std::string::npos ? t.size() : lf;
    size_t contentEnd = end > start && t[end - 1] == '\r' ? end - 1 : end;
    lines.push_back(t.substr(start, contentEnd - start));
    if (lf == std::string::npos) break;
    start = lf + 1;
  }
  return lines;
}

void Memo::SetLines(const std::vector<std::string>& lines) {
  std::string t;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) t += "\r\n";
    t += lines[i];
  }
  SetText(t);
}

void Memo::AddLine(const std::string& line) {
  std::string t = Text();
  if (!t.empty()) t += "\r\n";
  SetText(t + line);
}

void Memo::SetWordWrap(bool v) {
  wordWrap_ = v;
  Push(Property::Style);
}

void Memo::SetScrollBars(gui::ScrollBars s) {
  scrollBars_ = s;
  Push(Property::Style);
}

}  // namespace gui
