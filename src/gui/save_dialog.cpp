#include "gui/save_dialog.h"

#include "gui/application.h"

namespace gui {

SaveDialog::SaveDialog(Form& owner, std::string name) : Component(&owner, std::move(name)) {}

bool SaveDialog::Execute() {
  std::optional<std::string> chosen = App().GetBackend().RunSaveDialog(*this);
  if (!chosen) return false;
  FileName = *chosen;
  return true;
}

}  // namespace gui
