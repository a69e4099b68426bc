// Where the archiver library is looked for. The current folder follows the user's browsing, so a
// library found there could be anyone's: the folders are named here, in order, and each copy is
// loaded by its full path.
#include "text/text_path.h"
#include "fileops/archives.h"
#include "platform/services.h"

namespace fileops {

std::unique_ptr<platform::Archiver> LoadArchiverLibrary(platform::Services& os) {
  std::string program, name;
  text::SplitFileName(os.processes.ExecutablePath(), program, name);
  for (const std::string& folder : {program, os.desktop.SystemFolder(), os.desktop.WindowsFolder()}) {
    if (folder.empty()) continue;
    std::unique_ptr<platform::Archiver> lib = os.library.LoadArchiver(text::AddYen(folder) + kArchiverName);
    if (lib) return lib;
  }
  return nullptr;
}

}  // namespace fileops
