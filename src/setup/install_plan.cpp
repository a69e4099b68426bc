#include "setup/install_plan.h"

#include <optional>

#include "browse/text_path.h"
#include "fileops/archives.h"
#include "platform/file_system.h"
#include "platform/shell.h"

namespace setup {

const char kProgramFile[] = "QUOVEL32.EXE";
const char kScreenSaverFile[] = "QUOVEL32.SCR";
const std::array<const char*, 2> kTextFiles = {"QUOVEL32.TXT", "QvLA解凍.TXT"};
const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QUOVEL32";
const char kHandOverKey[] = ".Default\\Software\\Unin_KAPUL SOFT32";
const char kUserHandOverKey[] = "Software\\Unin_KAPUL SOFT32";
const char kDesktopKey[] = "Control Panel\\Desktop";

namespace {
constexpr char kMakerFolder[] = "KAPUL SOFT32";
}  // namespace

std::string UninstallTitle(int version) {
  return "KAPULSOFT QUOVEL32 V" + std::to_string(version / 10) + "." + std::to_string(version % 10);
}

std::string SetupCaption(const std::string& title, int version, bool uninstall) {
  return title + " V" + std::to_string(version / 10) + "．" + std::to_string(version % 10) +
         (uninstall ? " アンインストール" : " インストール");
}

CopyPlan PlanCopies(const std::string& source, const std::string& target, const std::string& windows,
                    bool windowsWritable, const std::function<bool(const std::string& path)>& exists) {
  CopyPlan plan;
  // The archiver library goes wherever the program goes: the program loads it from its own folder.
  const std::vector<std::string> files = {kProgramFile, fileops::kArchiverName, kTextFiles[0], kTextFiles[1]};
  if (!browse::SameText(source, target)) {
    for (const std::string& f : files) plan.copies.push_back({source + f, target + f});
  }
  if (windowsWritable) {
    if (browse::SameText(source, windows)) return plan;
    for (const std::string& f : files) {
      if (exists(source + f)) plan.copies.push_back({source + f, windows + f});
    }
    plan.screenSaver = windows + kScreenSaverFile;
    plan.inWindowsFolder = true;
  } else {
    plan.screenSaver = target + kScreenSaverFile;
  }
  plan.copies.push_back({source + kProgramFile, plan.screenSaver});
  return plan;
}

std::string ScreenSaverValue(platform::FileSystem& fs, const std::string& windows, const std::string& screenSaver,
                             bool inWindowsFolder) {
  if (!inWindowsFolder) return screenSaver;
  std::optional<std::string> shortPath = fs.ShortPath(screenSaver);
  if (!shortPath) return screenSaver;
  std::string folder, name;
  browse::SplitFileName(*shortPath, folder, name);
  return name.empty() ? screenSaver : windows + name;
}

std::string UninstallerFolder(platform::FileSystem& fs, platform::Shell& shell, const std::string& windows,
                              bool windowsWritable) {
  if (windowsWritable) return windows;
  std::optional<std::string> base = shell.SpecialFolderPath(platform::SpecialFolder::kLocalAppData);
  if (!base || base->empty()) return {};
  const std::string folder = browse::AddYen(*base) + kMakerFolder;
  if (!fs.DirectoryExists(folder)) fs.CreateFolder(folder);
  return fs.DirectoryExists(folder) ? browse::AddYen(folder) : std::string();
}

}  // namespace setup
