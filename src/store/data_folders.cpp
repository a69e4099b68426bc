#include "store/data_folders.h"

#include <optional>
#include <vector>

#include "text/text_path.h"
#include "platform/file_system.h"
#include "platform/shell.h"

namespace store {

const char kUserDataFolder[] = "KAPUL SOFT32\\QUOVEL32";

namespace {

constexpr char kProbeFile[] = "QVWRITE$.TMP";
constexpr uint32_t kAnyFile =
    platform::attr::kReadOnly | platform::attr::kHidden | platform::attr::kSystem | platform::attr::kArchive;

// The data files each folder holds, as find patterns.
const std::vector<std::string> kWindowsFiles = {"QVLA32M*.LIS", "QUOVEL32CD.LIS", "QUOVEL32.Tim"};
const std::vector<std::string> kProgramFiles = {"QVLE32M*.LIS", "QUOVEL32CD.LIS"};

std::string ExtensionOf(const std::string& name) {
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

// The names of the files in `folder` that match the patterns. Windows also matches a pattern
// through a file's 8.3 name, so a found name must carry the pattern's extension itself.
std::vector<std::string> DataFilesIn(platform::FileSystem& fs, const std::string& folder,
                                     const std::vector<std::string>& patterns) {
  std::vector<std::string> names;
  for (const std::string& pattern : patterns) {
    for (const platform::FindEntry& e : fs.Find(folder + pattern, kAnyFile)) {
      if (text::SameText(ExtensionOf(e.name), ExtensionOf(pattern))) names.push_back(e.name);
    }
  }
  return names;
}

// The user's folder, created when missing; nullopt when there is none to be had.
std::optional<std::string> UserFolder(platform::FileSystem& fs, platform::Shell& shell) {
  std::optional<std::string> base = shell.SpecialFolderPath(platform::SpecialFolder::kLocalAppData);
  if (!base || base->empty()) return std::nullopt;
  std::string folder = text::AddYen(*base);
  for (const std::string& part : text::SplitPath(kUserDataFolder)) {
    folder += part;
    if (!fs.DirectoryExists(folder)) fs.CreateFolder(text::CutYen(folder));
  }
  if (!fs.DirectoryExists(folder) || !FolderWritable(fs, folder)) return std::nullopt;
  return folder;
}

void CopyMissing(platform::FileSystem& fs, const std::string& from, const std::string& to,
                 const std::vector<std::string>& patterns) {
  for (const std::string& name : DataFilesIn(fs, from, patterns)) {
    if (!fs.Attributes(to + name)) fs.Copy(from + name, to + name);
  }
}

}  // namespace

// The file virtualisation that would let such a write seem to succeed is off for this program
// (its manifest asks for asInvoker).
bool FolderWritable(platform::FileSystem& fs, const std::string& folder) {
  const std::string probe = folder + kProbeFile;
  if (!fs.Open(probe, platform::OpenMode::kCreate, platform::Share::kNone).file) return false;
  return fs.Delete(probe).ok();
}

DataFolders DecideDataFolders(platform::FileSystem& fs, platform::Shell& shell, const std::string& windowsFolder,
                              const std::string& programFolder) {
  DataFolders d{text::AddYen(windowsFolder), text::AddYen(programFolder)};
  const bool windowsWritable = FolderWritable(fs, d.windows);
  const bool programWritable = text::SameText(d.program, d.windows) ? windowsWritable : FolderWritable(fs, d.program);
  if (windowsWritable && programWritable) return d;
  std::optional<std::string> user = UserFolder(fs, shell);
  if (!user) return d;
  std::vector<std::string> every = kWindowsFiles;
  every.insert(every.end(), kProgramFiles.begin(), kProgramFiles.end());
  const bool firstUse = DataFilesIn(fs, *user, every).empty();
  if (!programWritable) {
    if (firstUse) CopyMissing(fs, d.program, *user, kProgramFiles);
    d.program = *user;
  }
  if (!windowsWritable) {
    if (firstUse) CopyMissing(fs, d.windows, *user, kWindowsFiles);
    d.windows = *user;
  }
  return d;
}

}  // namespace store
