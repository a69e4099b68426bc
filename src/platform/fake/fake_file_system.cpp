#include "platform/fake/fake_file_system.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/fake/fold.h"

namespace platform::fake {

namespace {

constexpr unsigned kAccessRead = 1;
constexpr unsigned kAccessWrite = 2;
constexpr int kLockId = -1;
constexpr uint32_t kChangeableBits = attr::kReadOnly | attr::kHidden | attr::kSystem | attr::kArchive;
constexpr uint32_t kErrorDirectory = 267;     // ERROR_DIRECTORY: a file where a folder was expected
constexpr uint32_t kErrorNotSameDevice = 17;  // folders cannot move to another drive
constexpr uint64_t kTicksPerSecond = 10000000;
// 2024-01-01 00:00:00 UTC.
constexpr uint64_t kDefaultNow = 133485408000000000ull;
constexpr char kProtectAccessEntry[] = "ProtectAccess ";

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

char DriveLetterOf(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':') {
    char c = path[0];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return c;
  }
  return 0;
}

}  // namespace

struct FakeFileSystem::Node {
  struct OpenRecord {
    int id;
    unsigned access;
    unsigned share;
  };
  uint64_t id = 0;  // the file index: kept through renames, new for a new file
  std::string name;
  uint32_t attributes = 0;  // stored bits; the directory bit marks a folder
  std::string data;
  FileTime lastWrite;
  std::string shortName;
  std::map<std::string, std::shared_ptr<Node>> children;  // by upper-cased name
  std::vector<OpenRecord> opens;
  bool protectedFolder = false;  // a normal user may not change what is inside

  bool IsFolder() const { return (attributes & attr::kDirectory) != 0; }
  // The entry named `name` here, by its name or, as Windows finds it too, by its 8.3 name.
  std::shared_ptr<Node> Child(const std::string& name) const {
    const std::string key = UpperAscii(name);
    auto it = children.find(key);
    if (it != children.end()) return it->second;
    for (const auto& [ignored, child] : children) {
      if (!child->shortName.empty() && UpperAscii(child->shortName) == key) return child;
    }
    return nullptr;
  }
  uint32_t Reported() const {
    uint32_t a = attributes & (kChangeableBits | attr::kDirectory);
    return a == 0 ? attr::kNormal : a;
  }
  bool Contains(const Node* other) const {
    if (this == other) return true;
    for (const auto& [key, child] : children) {
      if (child->Contains(other)) return true;
    }
    return false;
  }
  bool AnyOpen() const {
    if (!opens.empty()) return true;
    for (const auto& [key, child] : children) {
      if (child->AnyOpen()) return true;
    }
    return false;
  }
};

struct FakeFileSystem::Drive {
  uint32_t type = drive::kFixed;
  uint32_t serial = 0;
  std::string label;
  DiskSpace space;
  std::string networkName;
  bool ready = true;
  bool shortNames = true;
  std::shared_ptr<Node> root;
};

struct FakeFileSystem::Lookup {
  std::string full;
  uint32_t error = 0;  // set when the path cannot be reached at all
  Drive* drive = nullptr;
  std::shared_ptr<Node> parent;
  std::shared_ptr<Node> node;  // null when the last component is missing
  std::string name;            // last component as written
};

// An open handle on a node. It keeps the node alive, and removes its share record when closed.
class FakeFile : public File {
 public:
  FakeFile(FakeFileSystem& fs, std::shared_ptr<FakeFileSystem::Node> node, std::string path, int id, unsigned access)
      : fs_(fs), node_(std::move(node)), path_(std::move(path)), id_(id), access_(access) {}
  ~FakeFile() override {
    auto& opens = node_->opens;
    opens.erase(std::remove_if(opens.begin(), opens.end(), [this](const auto& r) { return r.id == id_; }),
                opens.end());
  }

  std::optional<size_t> Read(void* buffer, size_t size) override {
    uint32_t code = 0;
    if (fs_.TakeFailure(FsOp::kRead, path_, code)) return std::nullopt;
    if (fs_.TakeFailure(FsOp::kReadEnd, path_, code)) return size_t{0};
    const std::string& data = node_->data;
    if (position_ >= data.size()) return size_t{0};
    size_t n = std::min<uint64_t>(size, data.size() - position_);
    std::memcpy(buffer, data.data() + position_, n);
    position_ += n;
    return n;
  }

  OsResult Write(const void* data, size_t size) override {
    if ((access_ & kAccessWrite) == 0) return OsResult::FromCode(code::kAccessDenied);
    uint32_t code = 0;
    if (fs_.TakeFailure(FsOp::kWrite, path_, code)) return OsResult::FromCode(code);
    std::string& content = node_->data;
    if (content.size() < position_ + size) content.resize(position_ + size, '\0');
    std::memcpy(content.data() + position_, data, size);
    position_ += size;
    if (!timeSet_) node_->lastWrite = fs_.Now();
    if (!logged_) {
      fs_.Log("Write " + path_);
      logged_ = true;
    }
    return OsResult::Ok();
  }

  std::optional<uint64_t> Seek(int64_t offset, SeekFrom from) override {
    int64_t base = from == SeekFrom::kBegin ? 0
                   : from == SeekFrom::kCurrent ? static_cast<int64_t>(position_)
                                                : static_cast<int64_t>(node_->data.size());
    if (base + offset < 0) return std::nullopt;
    position_ = static_cast<uint64_t>(base + offset);
    return position_;
  }

  OsResult TruncateHere() override {
    if ((access_ & kAccessWrite) == 0) return OsResult::FromCode(code::kAccessDenied);
    node_->data.resize(position_, '\0');
    if (!timeSet_) node_->lastWrite = fs_.Now();
    return OsResult::Ok();
  }

  std::optional<uint64_t> Size() override { return node_->data.size(); }
  std::optional<FileTime> LastWriteTime() override { return node_->lastWrite; }

  OsResult SetLastWriteTime(FileTime time) override {
    if ((access_ & kAccessWrite) == 0) return OsResult::FromCode(code::kAccessDenied);
    uint32_t code = 0;
    if (fs_.TakeFailure(FsOp::kSetTime, path_, code)) return OsResult::FromCode(code);
    node_->lastWrite = time;
    timeSet_ = true;
    return OsResult::Ok();
  }

  // Nothing is held back in memory here.
  OsResult Flush() override { return OsResult::Ok(); }

 private:
  FakeFileSystem& fs_;
  std::shared_ptr<FakeFileSystem::Node> node_;
  std::string path_;
  int id_;
  unsigned access_;
  uint64_t position_ = 0;
  bool timeSet_ = false;
  bool logged_ = false;
};

FakeFileSystem::FakeFileSystem() {
  now_.ticks = kDefaultNow;
  AddDrive('C', drive::kFixed);
}

FakeFileSystem::~FakeFileSystem() = default;

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

bool FakeFileSystem::TakeFailure(FsOp op, const std::string& fullPath, uint32_t& code) {
  std::string key = UpperAscii(fullPath);
  for (auto it = failures_.begin(); it != failures_.end(); ++it) {
    if (it->op == op && (it->path.empty() || it->path == key)) {
      code = it->code;
      const std::exception_ptr thrown = it->thrown;
      failures_.erase(it);
      if (thrown) std::rethrow_exception(thrown);
      return true;
    }
  }
  return false;
}

void FakeFileSystem::FailNext(FsOp op, const std::string& path, uint32_t code) {
  std::string key;
  if (!path.empty()) key = UpperAscii(FullPath(path).value_or(path));
  failures_.push_back({op, key, code});
}

void FakeFileSystem::RunOutOfMemoryNext(FsOp op, const std::string& path) {
  ThrowNext(op, path, std::make_exception_ptr(std::bad_alloc()));
}

void FakeFileSystem::ThrowNext(FsOp op, const std::string& path, std::exception_ptr thrown) {
  FailNext(op, path, 0);
  failures_.back().thrown = std::move(thrown);
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

namespace {
// Marks a long name the program's text cannot hold; no path the program forms has this byte.
constexpr char kUnheld = '\x01';
}  // namespace

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

void FakeFileSystem::Lock(const std::string& path) {
  Lookup l = Resolve(path);
  if (l.node) l.node->opens.push_back({kLockId, kAccessRead | kAccessWrite, 0});
}

void FakeFileSystem::Unlock(const std::string& path) {
  Lookup l = Resolve(path);
  if (!l.node) return;
  auto& opens = l.node->opens;
  opens.erase(std::remove_if(opens.begin(), opens.end(), [](const auto& r) { return r.id == kLockId; }), opens.end());
}

int FakeFileSystem::OpenHandles(const std::string& path) {
  Lookup l = Resolve(path);
  return l.node ? static_cast<int>(l.node->opens.size()) : 0;
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

std::optional<uint32_t> FakeFileSystem::Attributes(const std::string& path) {
  Lookup l = Reach(path);
  if (!l.node) return std::nullopt;
  return l.node->Reported();
}

OsResult FakeFileSystem::SetAttributes(const std::string& path, uint32_t attributes) {
  Lookup l = Reach(path);
  uint32_t code = 0;
  if (TakeFailure(FsOp::kSetAttributes, l.full, code)) return OsResult::FromCode(code);
  if (l.error != 0) return OsResult::FromCode(l.error);
  if (!l.node) return OsResult::FromCode(code::kFileNotFound);
  l.node->attributes = (l.node->attributes & attr::kDirectory) | (attributes & kChangeableBits);
  Log("SetAttributes " + l.full);
  return OsResult::Ok();
}

std::optional<uint64_t> FakeFileSystem::FileSize(const std::string& path) {
  Lookup l = Reach(path);
  if (!l.node || l.node->IsFolder()) return std::nullopt;
  return l.node->data.size();
}

std::optional<FileTime> FakeFileSystem::LastWriteTime(const std::string& path) {
  Lookup l = Reach(path);
  if (!l.node) return std::nullopt;
  return l.node->lastWrite;
}

OsResult FakeFileSystem::SetLastWriteTime(const std::string& path, FileTime time) {
  Lookup l = Reach(path);
  uint32_t code = 0;
  if (TakeFailure(FsOp::kSetTime, l.full, code)) return OsResult::FromCode(code);
  if (l.error != 0) return OsResult::FromCode(l.error);
  if (!l.node) return OsResult::FromCode(code::kFileNotFound);
  // Changing the date needs no data access, so share modes and the read-only bit do not matter.
  l.node->lastWrite = time;
  Log("SetTime " + l.full);
  return OsResult::Ok();
}

LocalTime FakeFileSystem::ToLocal(FileTime time) {
  int64_t seconds = static_cast<int64_t>(time.ticks / kTicksPerSecond) + int64_t{utcOffsetMinutes_} * 60;
  int64_t days = seconds / 86400;
  int64_t rest = seconds % 86400;
  LocalTime t;
  t.hour = static_cast<int>(rest / 3600);
  t.minute = static_cast<int>(rest % 3600 / 60);
  t.second = static_cast<int>(rest % 60);
  t.dayOfWeek = static_cast<int>((days + 1) % 7);  // 1601-01-01 was a Monday
  // Civil date from a day count (proleptic Gregorian), via days since 1970-01-01.
  int64_t z = days - 134774 + 719468;
  int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  int64_t doe = z - era * 146097;
  int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  int64_t mp = (5 * doy + 2) / 153;
  t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2 ? 1 : 0));
  return t;
}

OpenedFile FakeFileSystem::Open(const std::string& path, OpenMode mode, Share share) {
  OpenedFile out;
  Lookup l = Reach(path);
  uint32_t code = 0;
  if (TakeFailure(FsOp::kOpen, l.full, code)) {
    out.result = OsResult::FromCode(code);
    return out;
  }
  if (l.error != 0) {
    out.result = OsResult::FromCode(l.error);
    return out;
  }
  const unsigned access = mode == OpenMode::kRead ? kAccessRead : kAccessRead | kAccessWrite;
  if (access & kAccessWrite && l.parent && l.parent->protectedFolder) {
    out.result = OsResult::FromCode(code::kAccessDenied);
    return out;
  }
  const unsigned shareBits = share == Share::kReadWrite ? kAccessRead | kAccessWrite
                             : share == Share::kRead    ? kAccessRead
                                                        : 0u;
  std::shared_ptr<Node> node = l.node;
  if (!node) {
    if ((mode != OpenMode::kCreate && mode != OpenMode::kCreateNew) || !l.parent) {
      out.result = OsResult::FromCode(l.parent ? code::kFileNotFound : code::kPathNotFound);
      return out;
    }
    node = NewNode();
    node->name = l.name;
    node->attributes = attr::kArchive;
    node->lastWrite = now_;
    l.parent->children[UpperAscii(l.name)] = node;
    Log("Create " + l.full);
  } else if (mode == OpenMode::kCreateNew) {
    out.result = OsResult::FromCode(code::kFileExists);
    return out;
  } else {
    if (node->IsFolder() || (access & kAccessWrite && node->attributes & attr::kReadOnly)) {
      out.result = OsResult::FromCode(code::kAccessDenied);
      return out;
    }
    // Windows refuses to re-create a hidden or system file without naming those attributes.
    if (mode == OpenMode::kCreate && node->attributes & (attr::kHidden | attr::kSystem)) {
      out.result = OsResult::FromCode(code::kAccessDenied);
      return out;
    }
    for (const auto& other : node->opens) {
      if ((access & ~other.share) != 0 || (other.access & ~shareBits) != 0) {
        out.result = OsResult::FromCode(code::kSharingViolation);
        return out;
      }
    }
    if (mode == OpenMode::kCreate) {
      node->data.clear();
      node->attributes = attr::kArchive;
      node->lastWrite = now_;
      Log("Create " + l.full);
    }
  }
  const int id = nextHandle_++;
  node->opens.push_back({id, access, shareBits});
  out.file = std::make_unique<FakeFile>(*this, node, l.full, id, access);
  return out;
}

OsResult FakeFileSystem::Delete(const std::string& path) {
  Lookup l = Reach(path);
  uint32_t code = 0;
  if (TakeFailure(FsOp::kDelete, l.full, code)) return OsResult::FromCode(code);
  if (l.error != 0) return OsResult::FromCode(l.error);
  if (!l.node) return OsResult::FromCode(code::kFileNotFound);
  if (l.node->IsFolder() || l.node->attributes & attr::kReadOnly || l.parent->protectedFolder) {
    return OsResult::FromCode(code::kAccessDenied);
  }
  if (!l.node->opens.empty()) return OsResult::FromCode(code::kSharingViolation);
  l.parent->children.erase(UpperAscii(l.name));
  Log("Delete " + l.full);
  return OsResult::Ok();
}

OsResult FakeFileSystem::Move(const std::string& from, const std::string& to, bool replace) {
  Lookup source = Reach(from);
  uint32_t code = 0;
  if (TakeFailure(replace ? FsOp::kReplace : FsOp::kRename, source.full, code)) return OsResult::FromCode(code);
  if (source.error != 0) return OsResult::FromCode(source.error);
  if (!source.node || !source.parent) return OsResult::FromCode(code::kFileNotFound);
  Lookup target = Reach(to);
  if (target.error != 0) return OsResult::FromCode(target.error);
  if (!target.parent || source.parent->protectedFolder || target.parent->protectedFolder) {
    return OsResult::FromCode(code::kAccessDenied);
  }
  // A folder cannot move into itself or below itself.
  if (source.node->IsFolder() && source.node->Contains(target.parent.get())) {
    return OsResult::FromCode(code::kSharingViolation);
  }
  if (source.node->AnyOpen()) {
    return OsResult::FromCode(source.node->IsFolder() ? code::kAccessDenied : code::kSharingViolation);
  }
  if (target.node && target.node != source.node) {
    if (!replace) return OsResult::FromCode(code::kAlreadyExists);
    if (target.node->IsFolder() || source.node->IsFolder() || target.node->attributes & attr::kReadOnly ||
        !target.node->opens.empty()) {
      return OsResult::FromCode(code::kAccessDenied);
    }
  }
  if (source.node->IsFolder() && UpperAscii(source.full.substr(0, 1)) != UpperAscii(target.full.substr(0, 1))) {
    return OsResult::FromCode(kErrorNotSameDevice);
  }
  std::shared_ptr<Node> node = source.node;
  source.parent->children.erase(UpperAscii(source.name));
  node->name = target.name;
  target.parent->children[UpperAscii(target.name)] = node;
  Log(std::string(replace ? "Replace " : "Rename ") + source.full + " -> " + target.full);
  return OsResult::Ok();
}

OsResult FakeFileSystem::Rename(const std::string& from, const std::string& to) { return Move(from, to, false); }
OsResult FakeFileSystem::Replace(const std::string& from, const std::string& to) { return Move(from, to, true); }

OsResult FakeFileSystem::CreateFolder(const std::string& path) {
  Lookup l = Reach(path);
  uint32_t code = 0;
  if (TakeFailure(FsOp::kCreateFolder, l.full, code)) return OsResult::FromCode(code);
  if (l.error != 0) return OsResult::FromCode(l.error);
  if (l.node) return OsResult::FromCode(code::kAlreadyExists);
  if (!l.parent || l.parent->protectedFolder) return OsResult::FromCode(code::kAccessDenied);
  auto node = NewNode();
  node->name = l.name;
  node->attributes = attr::kDirectory;
  node->lastWrite = now_;
  if (l.drive->shortNames && l.name.find(' ') != std::string::npos) {
    // Windows' made-up name: the first six characters without blanks, "~" and a number free there.
    std::string stem;
    for (char c : UpperAscii(l.name)) {
      if (c != ' ' && c != '.' && stem.size() < 6) stem += c;
    }
    for (int n = 1; node->shortName.empty() || l.parent->Child(node->shortName); ++n) {
      node->shortName = stem + "~" + std::to_string(n);
    }
  }
  l.parent->children[UpperAscii(l.name)] = node;
  Log("CreateFolder " + l.full);
  return OsResult::Ok();
}

OsResult FakeFileSystem::ProtectAccess(const std::string& path) {
  Lookup l = Reach(path);
  uint32_t code = 0;
  if (TakeFailure(FsOp::kProtectAccess, l.full, code)) return OsResult::FromCode(code);
  if (!l.node || !l.node->IsFolder()) return OsResult::FromCode(code::kFileNotFound);
  Log(kProtectAccessEntry + l.full);
  return OsResult::Ok();
}

std::vector<std::string> FakeFileSystem::AccessProtected() const {
  std::vector<std::string> folders;
  for (const std::string& change : changes_) {
    if (change.starts_with(kProtectAccessEntry)) folders.push_back(change.substr(sizeof kProtectAccessEntry - 1));
  }
  return folders;
}

OsResult FakeFileSystem::RemoveFolder(const std::string& path) {
  Lookup l = Reach(path);
  uint32_t code = 0;
  if (TakeFailure(FsOp::kRemoveFolder, l.full, code)) return OsResult::FromCode(code);
  if (l.error != 0) return OsResult::FromCode(l.error);
  if (!l.node) return OsResult::FromCode(code::kFileNotFound);
  if (!l.node->IsFolder()) return OsResult::FromCode(kErrorDirectory);
  if (!l.parent || l.node->attributes & attr::kReadOnly || l.parent->protectedFolder) {
    return OsResult::FromCode(code::kAccessDenied);
  }
  if (!l.node->children.empty()) return OsResult::FromCode(code::kDirNotEmpty);
  // Windows keeps the current folder open, so it cannot be removed.
  Lookup current = Reach(current_, false);
  if (current.node == l.node) return OsResult::FromCode(code::kSharingViolation);
  l.parent->children.erase(UpperAscii(l.name));
  Log("RemoveFolder " + l.full);
  return OsResult::Ok();
}

std::string FakeFileSystem::CurrentFolder() { return current_; }

OsResult FakeFileSystem::SetCurrentFolder(const std::string& path) {
  Lookup l = Reach(path, false);
  uint32_t code = 0;
  if (TakeFailure(FsOp::kSetCurrentFolder, l.full, code)) return OsResult::FromCode(code);
  if (l.error != 0) return OsResult::FromCode(l.error);
  if (!l.node) return OsResult::FromCode(code::kFileNotFound);
  if (!l.node->IsFolder()) return OsResult::FromCode(kErrorDirectory);
  std::string folder = l.full;
  if (folder.size() > 3 && EndsWithSeparator(folder)) folder.pop_back();
  current_ = folder;
  driveCurrent_[DriveLetterOf(folder)] = folder;
  return OsResult::Ok();
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

uint32_t FakeFileSystem::SetErrorMode(uint32_t mode) {
  uint32_t previous = errorMode_;
  errorMode_ = mode;
  return previous;
}

}  // namespace platform::fake
