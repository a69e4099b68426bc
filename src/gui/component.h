// The base of everything a form owns by name: controls, timers, menus and menu items. A
// component knows its designer name and its owner form, which finds it again by that name.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "gui/gui_types.h"

namespace gui {

class Application;
class Canvas;
class Component;
class Form;

// Event signatures; `sender` is the component whose event it is.
using NotifyEvent = std::function<void(Component& sender)>;
using MouseEvent = std::function<void(Component& sender, MouseButton button, ShiftState shift, int x, int y)>;
using MouseMoveEvent = std::function<void(Component& sender, ShiftState shift, int x, int y)>;
// Setting `key` to 0 consumes it: nothing after the handler sees it.
using KeyEvent = std::function<void(Component& sender, int& key, ShiftState shift)>;
using DragOverEvent = std::function<void(Component& sender, Component& source, int x, int y, bool& accept)>;
using DragDropEvent = std::function<void(Component& sender, Component& source, int x, int y)>;
using PaintEvent = std::function<void(Component& sender, Canvas& canvas)>;

class Component {
 public:
  // Registers with `owner` (may be null for a form, which owns itself).
  Component(Form* owner, std::string name);
  virtual ~Component();
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  const std::string& Name() const { return name_; }
  // The form that owns this component (a form is its own owner).
  Form& OwnerForm() const { return *owner_; }
  Application& App() const;

  std::intptr_t Tag() const { return tag_; }
  void SetTag(std::intptr_t tag) { tag_ = tag; }

 protected:
  // Only for a form's own base: the owner is fixed once the form is constructed.
  void SetOwnerForm(Form* owner) { owner_ = owner; }

 private:
  Form* owner_;
  std::string name_;
  std::intptr_t tag_ = 0;
};

}  // namespace gui
