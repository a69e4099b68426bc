#include "store/listing_cache.h"

#include <utility>

#include "text/text_path.h"
#include "store/cache_bytes.h"

namespace store {

const char kListingCacheFile[] = "QVLIST32.DAT";

namespace {

using namespace cache_bytes;

// Layout: magic, the data folder the file was written for, the listing's folder, pattern, mask,
// normal-file switch, names setting and collation key, its entries (name, 8.3 name, attributes,
// size, date), its rows and its twin rows, then a checksum of everything before it.
// Format 2: its names rows may come from the savers' string resources.
constexpr char kMagic[] = "QVLIST\x1a\x02";
constexpr size_t kMagicSize = 8;

// Which listing a file holds: its folder under its filter and settings.
std::string Key(const browse::FileListing& l) {
  return l.folder + '\n' + l.pattern + '\n' + std::to_string(l.mask) + (l.normalFiles ? "N" : "-") +
         (l.names ? "S" : "-");
}

void PutRows(std::string& out, const std::vector<std::string>& rows) {
  PutNumber(out, rows.size(), 4);
  for (const std::string& row : rows) PutText(out, row);
}

bool ReadRows(Reader& in, std::vector<std::string>& rows) {
  uint64_t count = 0;
  if (!in.Number(count, 4)) return false;
  rows.reserve(in.Room(count, 4));
  for (uint64_t i = 0; i < count; ++i) {
    if (!in.Text(rows.emplace_back())) return false;
  }
  return true;
}

}  // namespace

std::string FormatListingCache(const std::string& folder, const browse::FileListing& listing) {
  std::string out(kMagic, kMagicSize);
  PutText(out, text::UpperAscii(folder));
  PutText(out, listing.folder);
  PutText(out, listing.pattern);
  PutNumber(out, static_cast<uint32_t>(listing.mask), 4);
  PutNumber(out, listing.normalFiles ? 1 : 0, 1);
  PutNumber(out, listing.names ? 1 : 0, 1);
  PutText(out, listing.collation);
  PutNumber(out, listing.found.size(), 4);
  for (const platform::FindEntry& e : listing.found) {
    PutText(out, e.name);
    PutText(out, e.shortName);
    PutNumber(out, e.attributes, 4);
    PutNumber(out, e.size, 8);
    PutNumber(out, e.lastWrite.ticks, 8);
  }
  PutRows(out, listing.files);
  PutRows(out, listing.twin);
  Seal(out);
  return out;
}

std::optional<browse::FileListing> ParseListingCache(const std::string& folder, const std::string& bytes) {
  Reader in(bytes, kMagic, kMagicSize);
  std::string writtenFor;
  if (!in.Text(writtenFor) || writtenFor != text::UpperAscii(folder)) return std::nullopt;
  browse::FileListing l;
  uint64_t mask = 0, normal = 0, names = 0, count = 0;
  if (!in.Text(l.folder) || !in.Text(l.pattern) || !in.Number(mask, 4) || !in.Number(normal, 1) ||
      !in.Number(names, 1) || normal > 1 || names > 1 || !in.Text(l.collation) || !in.Number(count, 4)) {
    return std::nullopt;
  }
  l.mask = static_cast<int>(static_cast<uint32_t>(mask));
  l.normalFiles = normal == 1;
  l.names = names == 1;
  l.found.reserve(in.Room(count, 4 + 4 + 4 + 8 + 8));
  for (uint64_t i = 0; i < count; ++i) {
    platform::FindEntry& e = l.found.emplace_back();
    uint64_t attributes = 0;
    if (!in.Text(e.name) || !in.Text(e.shortName) || !in.Number(attributes, 4) || !in.Number(e.size, 8) ||
        !in.Number(e.lastWrite.ticks, 8)) {
      return std::nullopt;
    }
    e.attributes = static_cast<uint32_t>(attributes);
  }
  if (!ReadRows(in, l.files) || !ReadRows(in, l.twin) || !in.AtEnd()) return std::nullopt;
  return l;
}

ListingCache::ListingCache(platform::FileSystem& fs, std::string folder) : fs_(fs), folder_(std::move(folder)) {}

std::optional<browse::FileListing> ListingCache::Kept(const browse::FileListing& source) {
  const std::string key = Key(source);
  if (held_ && *held_ != key) return std::nullopt;
  std::optional<browse::FileListing> kept;
  if (std::optional<std::string> bytes = fs_.ReadFile(folder_ + kListingCacheFile)) {
    kept = ParseListingCache(folder_, *bytes);
  }
  held_ = kept ? Key(*kept) : std::string();
  if (*held_ != key) return std::nullopt;
  return kept;
}

void ListingCache::Keep(const browse::FileListing& listing) {
  // After a failed write the file may hold anything: it is read again when asked.
  if (fs_.WriteFileReplacing(folder_ + kListingCacheFile, FormatListingCache(folder_, listing))) {
    held_ = Key(listing);
  } else {
    held_.reset();
  }
}

}  // namespace store
