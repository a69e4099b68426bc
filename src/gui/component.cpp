#include "gui/component.h"

#include "gui/form.h"

namespace gui {

Component::Component(Form* owner, std::string name) : owner_(owner), name_(std::move(name)) {
  if (owner_ != nullptr) owner_->AddComponent(this);
}

Component::~Component() {
  if (owner_ != nullptr && owner_ != this) owner_->RemoveComponent(this);
}

Application& Component::App() const { return owner_->FormApp(); }

}  // namespace gui
