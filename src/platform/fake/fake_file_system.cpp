#include "platform/fake/fake_file_system.h"

#include <algorithm>
#include <cstring>

#include "platform/fake/fake_file_system_model.h"

namespace platform::fake {

using namespace file_system_detail;

namespace {

constexpr uint32_t kErrorDirectory = 267;     // ERROR_DIRECTORY: a file where a folder was expected
constexpr uint32_t kErrorNotSameDevice = 17;  // folders cannot move to another drive
constexpr uint64_t kTicksPerSecond = 10000000;
// 2024-01-01 00:00:00 UTC.
constexpr uint64_t kDefaultNow = 133485408000000000ull;
constexpr char kProtectAccessEntry[] = "ProtectAccess ";

}  // namespace

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

uint32_t FakeFileSystem::SetErrorMode(uint32_t mode) {
  uint32_t previous = errorMode_;
  errorMode_ = mode;
  return previous;
}

}  // namespace platform::fake
