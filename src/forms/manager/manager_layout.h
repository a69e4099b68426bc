// Small helpers the region files of the manager window share to set a control's design state.
#pragma once
#include <string>

#include "gui/control.h"
#include "gui/label.h"

namespace forms::manager_layout {

inline void Place(gui::Control& c, int left, int top, int width, int height) { c.SetBounds(left, top, width, height); }

// A control with a caption and a tool tip at its design place.
inline void Captioned(gui::Control& c, const std::string& caption, const std::string& hint, int left, int top, int width,
                      int height) {
  c.SetCaption(caption);
  c.SetHint(hint);
  c.SetBounds(left, top, width, height);
}

// A label of fixed size: texts that change at run time stay inside their place.
inline void FixedLabel(gui::Label& l, const std::string& caption, const std::string& hint, int left, int top, int width,
                       gui::TextAlignment alignment = gui::TextAlignment::Left) {
  l.SetAutoSize(false);
  l.SetCaption(caption);
  l.SetHint(hint);
  l.SetAlignment(alignment);
  l.SetBounds(left, top, width, 13);
}

// A label sized to its caption.
inline void TextLabel(gui::Label& l, const std::string& caption, int left, int top) {
  l.SetCaption(caption);
  l.SetLeft(left);
  l.SetTop(top);
}

}  // namespace forms::manager_layout
