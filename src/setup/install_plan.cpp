#include "setup/install_plan.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "text/text_path.h"
#include "fileops/archives.h"
#include "platform/file_system.h"
#include "platform/shell.h"

namespace setup {

const char kProgramFile[] = "QUOVEL32.EXE";
const char kScreenSaverFile[] = "QUOVEL32.SCR";
const std::array<const char*, 2> kTextFiles = {"QUOVEL32.TXT", "QvLA解凍.TXT"};
const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QUOVEL32";
const char kInstalledFilesKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QUOVEL32\\InstalledFiles";
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
  auto copy = [&](const std::string& f, const std::string& to) {
    plan.copies.push_back({source + f, to + f, f == fileops::kArchiverName});
  };
  if (!text::SameText(source, target)) {
    for (const std::string& f : files) copy(f, target);
  }
  if (windowsWritable) {
    if (text::SameText(source, windows)) return plan;
    for (const std::string& f : files) {
      if (exists(source + f)) copy(f, windows);
    }
    plan.screenSaver = windows + kScreenSaverFile;
    plan.inWindowsFolder = true;
  } else {
    plan.screenSaver = target + kScreenSaverFile;
  }
  plan.copies.push_back({source + kProgramFile, plan.screenSaver});
  return plan;
}

namespace {
constexpr platform::RegistryRoot kRoots[] = {platform::RegistryRoot::kLocalMachine,
                                             platform::RegistryRoot::kCurrentUser};
constexpr char kFolderMark[] = "folder";
}  // namespace

std::string InstalledFiles::Stamp(const std::string& path) const {
  const std::optional<uint64_t> size = fs_.FileSize(path);
  const std::optional<platform::FileTime> time = fs_.LastWriteTime(path);
  if (!size || !time) return {};
  return std::to_string(*size) + "," + std::to_string(time->ticks);
}

bool InstalledFiles::Recorded() const {
  return std::any_of(std::begin(kRoots), std::end(kRoots),
                     [this](platform::RegistryRoot root) { return registry_.KeyExists(root, kInstalledFilesKey); });
}

bool InstalledFiles::Holds(const std::string& name, const std::string& value) const {
  return std::any_of(std::begin(kRoots), std::end(kRoots), [&](platform::RegistryRoot root) {
    return registry_.ReadString(root, kInstalledFilesKey, name) == value;
  });
}

bool InstalledFiles::Ours(const std::string& path) const {
  const std::string stamp = Stamp(path);
  return !stamp.empty() && Holds(path, stamp);
}

bool InstalledFiles::Made(const std::string& folder) const { return Holds(text::AddYen(folder), kFolderMark); }

void InstalledFiles::Note(const std::string& path) {
  const std::string stamp = Stamp(path);
  if (!stamp.empty()) noted_.emplace_back(path, stamp);
}

void InstalledFiles::NoteFolder(const std::string& folder) { noted_.emplace_back(text::AddYen(folder), kFolderMark); }

bool InstalledFiles::Write(platform::RegistryRoot root, bool replace) const {
  if (!replace && noted_.empty()) return true;
  if (replace) registry_.DeleteTree(root, kInstalledFilesKey);
  // The default value makes the record exist even when nothing was copied.
  if (!registry_.WriteString(root, kInstalledFilesKey, "", "").ok()) return false;
  return std::all_of(noted_.begin(), noted_.end(), [&](const auto& file) {
    return registry_.WriteString(root, kInstalledFilesKey, file.first, file.second).ok();
  });
}

CopyChoice ChooseCopy(platform::FileSystem& fs, const InstalledFiles& record, const FileCopy& copy) {
  if (!copy.shared || !fs.FileExists(copy.to)) return CopyChoice::kCopy;
  if (!record.Ours(copy.to)) return CopyChoice::kKeepForeign;
  const uint64_t there = fs.LastWriteTime(copy.to).value_or(platform::FileTime{}).ticks;
  const uint64_t ours = fs.LastWriteTime(copy.from).value_or(platform::FileTime{}).ticks;
  return ours > there ? CopyChoice::kCopy : CopyChoice::kKeepOurs;
}

std::vector<std::string> FilesToRemove(const InstalledFiles& record, const std::string& program,
                                       const std::string& windows) {
  std::vector<std::string> files;
  const bool recorded = record.Recorded();
  auto add = [&](const std::string& path, bool named) {
    if (recorded ? record.Ours(path) : named) files.push_back(path);
  };
  const bool apart = !text::SameText(program, windows);
  for (const char* text : kTextFiles) {
    files.push_back(program + text);
    if (apart) add(windows + text, true);
  }
  files.push_back(program + kScreenSaverFile);
  if (apart) add(windows + kScreenSaverFile, true);
  add(program + fileops::kArchiverName, false);
  if (apart) {
    add(windows + kProgramFile, false);
    add(windows + fileops::kArchiverName, false);
  }
  return files;
}

std::vector<std::string> FoldersMade(const InstalledFiles& record, const std::string& folder) {
  const std::vector<std::string> chain = text::PathPrefixes(text::CutYen(folder));
  std::vector<std::string> made;
  for (size_t i = chain.size(); i-- > 1 && record.Made(chain[i]);) made.push_back(chain[i]);
  return made;
}

void RemoveEmptyFolders(platform::FileSystem& fs, const std::vector<std::string>& folders) {
  for (const std::string& folder : folders) {
    if (!fs.RemoveFolder(folder).ok() || fs.DirectoryExists(folder)) break;
  }
}

std::string ScreenSaverValue(platform::FileSystem& fs, const std::string& windows, const std::string& screenSaver,
                             bool inWindowsFolder) {
  if (!inWindowsFolder) return UnsplitPath(fs, screenSaver).value_or("");
  std::optional<std::string> shortPath = fs.ShortPath(screenSaver);
  if (!shortPath) return screenSaver;
  std::string folder, name;
  text::SplitFileName(*shortPath, folder, name);
  return name.empty() ? screenSaver : windows + name;
}

std::optional<std::string> UnsplitPath(platform::FileSystem& fs, const std::string& path) {
  if (path.find(' ') == std::string::npos) return path;
  std::string folder, name;
  text::SplitFileName(path, folder, name);
  const std::optional<std::string> shortFolder = fs.ShortPath(text::CutYen(folder));
  if (!shortFolder) return std::nullopt;
  const std::string unsplit = text::AddYen(*shortFolder) + name;
  if (unsplit.find(' ') != std::string::npos) return std::nullopt;
  return unsplit;
}

std::string CommandLine(const std::string& program, const std::string& arguments) {
  const std::string named = program.find(' ') == std::string::npos ? program : "\"" + program + "\"";
  return arguments.empty() ? named : named + " " + arguments;
}

std::string ScreenSaverLine(const std::string& folder) {
  constexpr size_t kRoom = 21;  // bytes of folder the line's width holds at the form's font
  std::string shown = text::CutYen(folder);
  if (shown.size() > kRoom) {
    const std::vector<std::string> levels = text::PathComponents(shown);
    std::string tail;
    for (size_t i = levels.size(); i-- > 1;) {
      const std::string longer = "\\" + levels[i] + tail;
      if (!tail.empty() && levels[0].size() + 2 + longer.size() > kRoom) break;
      tail = longer;
    }
    shown = levels.empty() ? shown : text::AddYen(levels[0]) + "…" + tail;
  }
  return "QUOVEL32.SCR版は、[" + shown + "]ﾌｫﾙﾀﾞｰに置かれます。";
}

std::string UninstallerFolder(platform::FileSystem& fs, platform::Shell& shell, const std::string& windows,
                              bool windowsWritable) {
  if (windowsWritable) return windows;
  std::optional<std::string> base = shell.SpecialFolderPath(platform::SpecialFolder::kLocalAppData);
  if (!base || base->empty()) return {};
  const std::string folder = text::AddYen(*base) + kMakerFolder;
  if (!fs.DirectoryExists(folder)) fs.CreateFolder(folder);
  return fs.DirectoryExists(folder) ? text::AddYen(folder) : std::string();
}

}  // namespace setup
