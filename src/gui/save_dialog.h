// The file-save dialog as a non-visual component of a form: the settings go in as fields,
// Execute() shows the dialog, and the chosen path comes back in FileName. The backend shows it:
// the system's dialog on real windows, a scripted answer in tests.
#pragma once
#include <string>

#include "gui/component.h"

namespace gui {

class SaveDialog : public Component {
 public:
  SaveDialog(Form& owner, std::string name);

  std::string InitialDir;   // folder shown first; empty: the system's choice
  std::string Title;        // empty: the system's title
  std::string FileName;     // in: the name proposed; out: the full path chosen
  std::string DefaultExt;   // added to a name typed without extension; empty: none
  std::string Filter;       // description|pattern pairs, e.g. "ALL files (*.*)|*.*"
  bool HideReadOnly = false;   // no read-only check box
  bool PathMustExist = false;  // the dialog refuses a path into a folder that does not exist

  // Shows the dialog modally over the owner form. True with FileName set to the chosen full
  // path; false, FileName unchanged, when the user cancelled.
  bool Execute();
};

}  // namespace gui
