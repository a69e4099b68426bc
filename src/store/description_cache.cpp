#include "store/description_cache.h"

#include <utility>

#include "text/text_path.h"
#include "store/cache_bytes.h"
#include "store/list_file.h"

namespace store {

const char kDescriptionCacheFile[] = "QVNAME32.DAT";
const char kDescriptionCacheLock[] = "QVNAME32.LCK";

namespace {

using namespace cache_bytes;

// Layout: magic, the folder the file was written for, the entry count, the entries (path, size,
// date, description), then a checksum of everything before it. Numbers little-endian.
// Format 2: a saver without the "SCRNSAVE :" text is named by its string resource 1.
constexpr char kMagic[] = "QVNAME\x1a\x02";
constexpr size_t kMagicSize = 8;
// Past this many entries a save drops the other process's entries that this one does not know.
constexpr size_t kMaxEntries = 100000;

std::string Key(const std::string& path) { return text::UpperAscii(path); }

}  // namespace

std::string FormatDescriptionCache(const std::string& folder, const DescriptionTable& table) {
  std::string out(kMagic, kMagicSize);
  PutText(out, Key(folder));
  PutNumber(out, table.size(), 4);
  for (const auto& [path, entry] : table) {
    PutText(out, path);
    PutNumber(out, entry.size, 8);
    PutNumber(out, entry.lastWrite.ticks, 8);
    PutText(out, entry.description);
  }
  Seal(out);
  return out;
}

std::optional<DescriptionTable> ParseDescriptionCache(const std::string& folder, const std::string& bytes) {
  Reader in(bytes, kMagic, kMagicSize);
  std::string writtenFor;
  uint64_t count = 0;
  if (!in.Text(writtenFor) || writtenFor != Key(folder) || !in.Number(count, 4)) return std::nullopt;
  DescriptionTable table;
  for (uint64_t i = 0; i < count; ++i) {
    std::string path;
    CachedDescription entry;
    if (!in.Text(path) || !in.Number(entry.size, 8) || !in.Number(entry.lastWrite.ticks, 8) ||
        !in.Text(entry.description)) {
      return std::nullopt;
    }
    table[std::move(path)] = std::move(entry);
  }
  if (!in.AtEnd()) return std::nullopt;
  return table;
}

DescriptionCache::DescriptionCache(platform::FileSystem& fs, platform::TextCodec& text, std::string folder)
    : fs_(fs), text_(text), folder_(std::move(folder)) {}

void DescriptionCache::Load() {
  if (loaded_) return;
  loaded_ = true;
  if (std::optional<std::string> bytes = fs_.ReadFile(folder_ + kDescriptionCacheFile)) {
    if (std::optional<DescriptionTable> table = ParseDescriptionCache(folder_, *bytes)) table_ = std::move(*table);
  }
}

std::string DescriptionCache::Description(const std::string& path, uint64_t size, platform::FileTime lastWrite) {
  Load();
  std::string key = Key(path);
  auto it = table_.find(key);
  if (it != table_.end() && it->second.size == size && it->second.lastWrite == lastWrite) return it->second.description;
  std::optional<std::string> read = ReadSaverDescription(fs_, text_, path);
  if (!read) return {};  // not remembered: a locked file may be readable later
  dirty_ = true;
  CachedDescription& entry = table_[std::move(key)];
  entry = {size, lastWrite, std::move(*read)};
  return entry.description;
}

std::string DescriptionCache::Description(const std::string& path) {
  const std::vector<platform::FindEntry> found = fs_.Find(path, platform::attr::kAnyFile & ~platform::attr::kDirectory);
  if (found.size() != 1) return found.empty() ? std::string() : SaverDescription(fs_, text_, path);
  return Description(path, found.front().size, found.front().lastWrite);
}

std::string DescriptionCache::DisplayName(const std::string& path) {
  return store::DisplayName(path, [this](const std::string& p) { return Description(p); });
}

std::string DescriptionCache::DisplayName(const std::string& path, uint64_t size, platform::FileTime lastWrite) {
  return store::DisplayName(path, [&](const std::string& p) { return Description(p, size, lastWrite); });
}

void DescriptionCache::Save() {
  if (!dirty_) return;
  // Held from the read of the other process's entries to the rename of the merged file. The
  // lock file stays beside the cache; it is never written, so an existing one is only opened.
  platform::OpenedFile lock = fs_.Open(folder_ + kDescriptionCacheLock, platform::OpenMode::kCreateNew, platform::Share::kNone);
  if (lock.result.error == platform::OsError::kAlreadyExists) {
    lock = fs_.Open(folder_ + kDescriptionCacheLock, platform::OpenMode::kReadWrite, platform::Share::kNone);
  }
  // Another process is saving this moment: the entries are saved at the next save.
  if (!lock.file) return;
  const std::string file = folder_ + kDescriptionCacheFile;
  if (std::optional<std::string> bytes = fs_.ReadFile(file)) {
    if (std::optional<DescriptionTable> theirs = ParseDescriptionCache(folder_, *bytes)) {
      for (auto& [path, entry] : *theirs) {
        if (table_.size() >= kMaxEntries) break;
        table_.try_emplace(path, std::move(entry));
      }
    }
  }
  // A failed write is tried again at the next save.
  if (fs_.WriteFileReplacing(file, FormatDescriptionCache(folder_, table_))) dirty_ = false;
}

size_t DescriptionCache::Count() {
  Load();
  return table_.size();
}

}  // namespace store
