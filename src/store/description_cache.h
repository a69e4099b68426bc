// The descriptions of screen savers ("SCRNSAVE : ..." in the file's head), remembered by full
// path with the size and date the file had when it was read, so that a folder of savers is named
// again without opening every file. An entry counts only while the file still has that size and
// date; anything else is read again. The entries live in a small file of their own in the data
// folder, which the manager and the screen-saver role share: it is written whole through a
// temporary file, merged with what another process wrote meanwhile, and a file that is damaged or
// was written for another folder is ignored (and replaced by the next save).
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

#include "platform/file_system.h"
#include "platform/text_codec.h"

namespace store {

// The cache file's name in the data folder.
extern const char kDescriptionCacheFile[];  // "QVNAME32.DAT"
// Beside it, the file a save holds open alone while it merges and writes.
extern const char kDescriptionCacheLock[];  // "QVNAME32.LCK"

struct CachedDescription {
  uint64_t size = 0;
  platform::FileTime lastWrite;
  std::string description;
  friend bool operator==(const CachedDescription&, const CachedDescription&) = default;
};

// Keys are full paths upper-cased (ASCII).
using DescriptionTable = std::unordered_map<std::string, CachedDescription>;

// The cache file's bytes for `folder` (the folder the file lives in, with "\"), and back; nullopt
// for bytes that are damaged, of another format or written for another folder.
std::string FormatDescriptionCache(const std::string& folder, const DescriptionTable& table);
std::optional<DescriptionTable> ParseDescriptionCache(const std::string& folder, const std::string& bytes);

class DescriptionCache {
 public:
  // `folder`: the data folder that holds the cache file, with "\".
  DescriptionCache(platform::FileSystem& fs, platform::TextCodec& text, std::string folder);

  // The description of the saver at `path`, whose directory entry shows `size` and `lastWrite`.
  std::string Description(const std::string& path, uint64_t size, platform::FileTime lastWrite);
  // The same when only the path is known: the size and date are looked up first. Empty for a
  // missing file.
  std::string Description(const std::string& path);
  // What a twin list shows for a path (see store::DisplayName), through the cache.
  std::string DisplayName(const std::string& path);
  // The same for a file whose directory entry is known.
  std::string DisplayName(const std::string& path, uint64_t size, platform::FileTime lastWrite);

  // Writes the file when something was learnt since the last save. Another process's entries
  // written meanwhile are kept unless this one knows the same path.
  void Save();

  size_t Count();

 private:
  void Load();

  platform::FileSystem& fs_;
  platform::TextCodec& text_;
  std::string folder_;
  DescriptionTable table_;
  bool loaded_ = false;
  bool dirty_ = false;
};

}  // namespace store
