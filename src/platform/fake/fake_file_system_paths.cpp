// FakeFileSystem's model of names: drives and their aliases, how a written path resolves to a
// node (current folders, 8.3 names, names the program cannot hold), the WOW64 redirection of the
// system folder, listings, and what names one file.
#include "platform/fake/fake_file_system.h"

#include "platform/fake/fake_file_system_model.h"

namespace platform::fake {

using namespace file_system_detail;

namespace {

std::string Join(const std::vector<std::string>& parts, size_t count) {
  std::string out;
  for (size_t i = 0; i < count && i < parts.size(); ++i) {
    if (i > 0) out += '\\';
    out += parts[i];
  }
  return out;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool HasDriveRoot(const std::string& full) {
  return full.size() >= 3 && full[1] == ':' && full[2] == '\\';
}

// Marks a long name the program's text cannot hold; no path the program forms has this byte.
constexpr char kUnheld = '\x01';

}  // namespace

void FakeFileSystem::AddDrive(char letter, uint32_t type, const std::string& label, DiskSpace space,
                              const std::string& networkName) {
  letter = DriveLetterOf(std::string(1, letter) + ":");
  auto d = std::make_unique<Drive>();
  d->type = type;
  d->label = label;
  d->space = space;
  d->networkName = networkName;
  d->serial = 0x51560000u + static_cast<uint8_t>(letter);
  d->root = NewNode();
  d->root->name = std::string(1, letter) + ":\\";
  d->root->attributes = attr::kDirectory;
  d->root->lastWrite = now_;
  drives_[letter] = std::move(d);
}

std::shared_ptr<FakeFileSystem::Node> FakeFileSystem::NewNode() {
  auto node = std::make_shared<Node>();
  node->id = nextNodeId_++;
  return node;
}

void FakeFileSystem::AddAlias(char letter, const std::string& folder, uint32_t type) {
  Lookup target = Resolve(folder);
  if (!target.node || !target.node->IsFolder()) return;
  AddDrive(letter, type, target.drive->label, target.drive->space);
  Drive* alias = DriveOf(letter);
  alias->serial = target.drive->serial;
  alias->root = target.node;
}

void FakeFileSystem::SetDriveReady(char letter, bool ready) {
  if (Drive* d = DriveOf(letter)) d->ready = ready;
}

void FakeFileSystem::SetNoShortNames(char letter) {
  if (Drive* d = DriveOf(letter)) d->shortNames = false;
}

FakeFileSystem::Drive* FakeFileSystem::DriveOf(char letter) {
  letter = DriveLetterOf(std::string(1, letter) + ":");
  auto it = drives_.find(letter);
  return it == drives_.end() ? nullptr : it->second.get();
}

FakeFileSystem::Lookup FakeFileSystem::Resolve(const std::string& path) {
  Lookup l;
  std::optional<std::string> full = FullPath(path);
  if (!full || !HasDriveRoot(*full)) {
    l.error = code::kInvalidName;
    return l;
  }
  l.full = *full;
  l.drive = DriveOf(l.full[0]);
  if (l.drive == nullptr) {
    l.error = code::kPathNotFound;
    return l;
  }
  if (!l.drive->ready) {
    l.error = code::kNotReady;
    return l;
  }
  std::vector<std::string> parts = SplitPath(l.full.substr(3));
  if (parts.empty()) {
    l.node = l.drive->root;
    l.name = l.full.substr(0, 3);
    return l;
  }
  std::shared_ptr<Node> folder = l.drive->root;
  for (size_t i = 0; i + 1 < parts.size(); ++i) {
    std::shared_ptr<Node> next = folder->Child(parts[i]);
    if (!next || !next->IsFolder()) {
      l.error = code::kPathNotFound;
      return l;
    }
    folder = next;
  }
  l.parent = folder;
  l.name = parts.back();
  if (std::shared_ptr<Node> found = folder->Child(l.name)) {
    l.node = found;
    // Found by its 8.3 name: the entry keeps its own.
    if (UpperAscii(found->name) != UpperAscii(l.name)) l.name = found->name;
    // "X\" names a folder; a file written that way is not found.
    if (EndsWithSeparator(l.full) && !l.node->IsFolder()) l.node = nullptr;
  }
  return l;
}

void FakeFileSystem::SetWow64(const std::string& windowsFolder) {
  view_ = SystemFolderView(windowsFolder);
  AddFolder(windowsFolder + "\\System32");
  AddFolder(windowsFolder + "\\SysWOW64");
}

std::string FakeFileSystem::OnDisk(const std::string& handed) const {
  if (!view_.Redirected()) return handed;
  const std::string& windows = view_.WindowsFolder();
  if (std::optional<std::string> rest = RestBelow(handed, windows + "\\Sysnative")) return windows + "\\System32" + *rest;
  if (std::optional<std::string> rest = RestBelow(handed, windows + "\\System32")) return windows + "\\SysWOW64" + *rest;
  return handed;
}

FakeFileSystem::Lookup FakeFileSystem::Reach(const std::string& path, bool mapped) {
  if (!view_.Redirected()) return Resolve(path);
  std::string handed = FullPath(path).value_or(path);
  if (mapped) {
    handed = view_.ForSystem(handed, [this](const std::string& p) { return Resolve(OnDisk(p)).node != nullptr; });
  }
  Lookup l = Resolve(OnDisk(handed));
  l.full = handed;
  return l;
}

void FakeFileSystem::AddFolder(const std::string& path, uint32_t attributes) {
  std::optional<std::string> full = FullPath(path);
  if (!full || !HasDriveRoot(*full)) return;
  Drive* d = DriveOf((*full)[0]);
  if (d == nullptr) {
    AddDrive((*full)[0], drive::kFixed);
    d = DriveOf((*full)[0]);
  }
  std::shared_ptr<Node> folder = d->root;
  std::vector<std::string> parts = SplitPath(full->substr(3));
  for (size_t i = 0; i < parts.size(); ++i) {
    std::shared_ptr<Node>& child = folder->children[UpperAscii(parts[i])];
    if (!child) {
      child = NewNode();
      child->name = parts[i];
      child->attributes = attr::kDirectory;
      child->lastWrite = now_;
    }
    if (i + 1 == parts.size()) child->attributes = attr::kDirectory | (attributes & kChangeableBits);
    folder = child;
  }
}

void FakeFileSystem::AddFile(const std::string& path, const std::string& data, uint32_t attributes) {
  std::optional<std::string> full = FullPath(path);
  if (!full || !HasDriveRoot(*full)) return;
  std::vector<std::string> parts = SplitPath(full->substr(3));
  if (parts.empty()) return;
  AddFolder(full->substr(0, 3) + Join(parts, parts.size() - 1));
  Lookup l = Resolve(*full);
  if (!l.parent) return;
  auto node = NewNode();
  node->name = l.name;
  node->attributes = attributes & kChangeableBits;
  node->data = data;
  node->lastWrite = now_;
  l.parent->children[UpperAscii(l.name)] = node;
}

void FakeFileSystem::SetShortName(const std::string& path, const std::string& shortName) {
  Lookup l = Resolve(path);
  if (l.node) l.node->shortName = shortName;
}

void FakeFileSystem::MakeNameUnheld(const std::string& path) {
  Lookup l = Resolve(path);
  if (!l.node || !l.parent) return;
  l.parent->children.erase(UpperAscii(l.node->name));
  l.node->name = kUnheld + l.node->name;
  l.parent->children[UpperAscii(l.node->name)] = l.node;
}

void FakeFileSystem::ProtectFolder(const std::string& path) {
  AddFolder(path);
  Lookup l = Resolve(path);
  if (l.node) l.node->protectedFolder = true;
}

std::vector<FindEntry> FakeFileSystem::Find(const std::string& pattern, uint32_t mask, size_t* unnamed) {
  std::optional<std::string> full = FullPath(pattern);
  if (std::optional<std::string> alias = view_.NativeAlias(full.value_or(""))) {
    return MergeViews(FindOnDisk(*alias, mask, unnamed), FindOnDisk(*full, mask, nullptr));
  }
  return FindOnDisk(pattern, mask, unnamed);
}

std::vector<FindEntry> FakeFileSystem::FindOnDisk(const std::string& pattern, uint32_t mask, size_t* unnamed) {
  std::vector<FindEntry> out;
  std::optional<std::string> full = FullPath(pattern);
  if (!full || !HasDriveRoot(*full)) return out;
  std::vector<std::string> parts = SplitPath(full->substr(3));
  if (parts.empty()) return out;
  Lookup folder = Resolve(OnDisk(full->substr(0, 3) + Join(parts, parts.size() - 1)));
  if (folder.error != 0 || !folder.node || !folder.node->IsFolder()) return out;
  for (const auto& [key, child] : folder.node->children) {
    if (!attr::FindSees(child->attributes, mask)) continue;
    // As on a volume with 8.3 names: a pattern also finds a file through its short name.
    const std::string& shortName = child->shortName;
    if (!NameMatches(parts.back(), child->name) && (shortName.empty() || !NameMatches(parts.back(), shortName))) continue;
    const bool held = child->name.empty() || child->name[0] != kUnheld;
    FindEntry e{"", child->Reported(), child->IsFolder() ? 0 : child->data.size(), child->lastWrite, ""};
    if (std::optional<FindEntry> listed =
            NameListedEntry(std::move(e), held ? std::optional<std::string>(child->name) : std::nullopt, shortName)) {
      out.push_back(std::move(*listed));
    } else if (unnamed != nullptr) {
      ++*unnamed;
    }
  }
  return out;
}

std::optional<std::string> FakeFileSystem::FullPath(const std::string& path) {
  if (path.empty()) return std::nullopt;
  std::string base;
  std::string rest;
  bool driveRelative = false;
  if (DriveLetterOf(path) != 0) {
    if (path.size() >= 3 && IsSeparator(path[2])) {
      base = path.substr(0, 2) + "\\";
      rest = path.substr(3);
    } else {
      // "X:name" continues from drive X's own current folder.
      char letter = DriveLetterOf(path);
      if (DriveLetterOf(current_) == letter) {
        base = current_;
      } else {
        auto it = driveCurrent_.find(letter);
        base = it != driveCurrent_.end() ? it->second : std::string(1, letter) + ":\\";
      }
      rest = path.substr(2);
      driveRelative = true;
    }
  } else if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    return std::nullopt;  // network paths are not modelled
  } else if (IsSeparator(path[0])) {
    base = current_.substr(0, 3);
    rest = path.substr(1);
  } else {
    base = current_;
    rest = path;
  }
  std::vector<std::string> parts = SplitPath(base.substr(3));
  for (const std::string& piece : SplitPath(rest)) {
    if (piece == ".") continue;
    if (piece == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(piece);
  }
  std::string full = base.substr(0, 2) + "\\" + Join(parts, parts.size());
  // "X:" alone gives the drive's current folder with a backslash, as Windows does.
  if (!parts.empty() && (EndsWithSeparator(rest) || (driveRelative && rest.empty()))) full += '\\';
  return full;
}

std::optional<std::string> FakeFileSystem::ShortPath(const std::string& path) {
  Lookup l = Resolve(path);
  if (!l.node) return std::nullopt;
  std::vector<std::string> parts = SplitPath(l.full.substr(3));
  std::string out = l.full.substr(0, 3);
  std::shared_ptr<Node> folder = l.drive->root;
  for (size_t i = 0; i < parts.size(); ++i) {
    std::shared_ptr<Node> node = folder->Child(parts[i]);
    if (i > 0) out += '\\';
    out += IsShortName(parts[i]) || node->shortName.empty() ? parts[i] : node->shortName;
    folder = node;
  }
  return out;
}

std::optional<FileId> FakeFileSystem::Identity(const std::string& path) {
  Lookup l = Reach(path);
  if (!l.node) return std::nullopt;
  return FileId{l.drive->serial, l.node->id};
}

uint32_t FakeFileSystem::DriveType(const std::string& root) {
  Drive* d = DriveOf(DriveLetterOf(root));
  return d == nullptr ? drive::kNoRootDir : d->type;
}

std::optional<std::string> FakeFileSystem::VolumeLabel(const std::string& root) {
  Drive* d = DriveOf(DriveLetterOf(root));
  if (d == nullptr || !d->ready) return std::nullopt;
  return d->label;
}

std::optional<std::string> FakeFileSystem::NetworkName(const std::string& driveName) {
  Drive* d = DriveOf(DriveLetterOf(driveName));
  if (d == nullptr || d->type != drive::kRemote || d->networkName.empty()) return std::nullopt;
  return d->networkName;
}

std::optional<DiskSpace> FakeFileSystem::Space(const std::string& root) {
  Drive* d = DriveOf(DriveLetterOf(root));
  if (d != nullptr && !d->ready && (errorMode_ & 0x0001) == 0) ++criticalErrorPrompts_;
  if (d == nullptr || !d->ready) return std::nullopt;
  return d->space;
}

}  // namespace platform::fake
