#include "platform/fake/fake_platform.h"

namespace platform::fake {

FakePlatform::FakePlatform() : profile(fs, desktop), processes(fs, desktop), shell(fs) {
  const std::string windows = desktop.WindowsFolder();
  fs.AddFolder(windows + "\\SYSTEM32");
  fs.AddFile(windows + "\\NOTEPAD.EXE", "MZ");
  fs.AddFile(windows + "\\WINHLP32.EXE", "MZ");
  fs.AddFile(windows + "\\SYSTEM32\\CMD.EXE", "MZ");
  fs.AddFile(processes.ExecutablePath(), "MZ");
  desktop.OnUserInput = [this] { processes.UserInput(); };
}

platform::Services FakePlatform::Services() {
  return platform::Services{fs, registry, profile, processes, desktop, shell, collation, library, dde, text};
}

}  // namespace platform::fake
