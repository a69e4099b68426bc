#include "browse/shell_paths.h"

#include <algorithm>
#include <new>
#include <string_view>

#include "text/text_path.h"
#include "platform/collation.h"
#include "platform/file_system.h"
#include "platform/shell.h"

namespace browse {

using namespace text;

namespace {

// The row of name among `count` rows named by nameOf(row), first exactly, then with ASCII
// letters upper-cased on both sides; -1 when none.
template <typename NameOf>
int FindName(size_t count, const std::string& name, NameOf nameOf) {
  for (size_t i = 0; i < count; ++i) {
    if (nameOf(i) == name) return static_cast<int>(i);
  }
  std::string upper = UpperAscii(name);
  for (size_t i = 0; i < count; ++i) {
    if (UpperAscii(std::string(nameOf(i))) == upper) return static_cast<int>(i);
  }
  return -1;
}

// A listing's items in the order of their names. Items whose names sort alike keep the shell's
// order, so that two children with the same shell name both stay and the parsing names keep
// their rows.
void SortItems(platform::ShellListing& listing, platform::Collation& collation) {
  std::vector<std::pair<std::string, size_t>> keyed;
  keyed.reserve(listing.items.size());
  for (size_t i = 0; i < listing.items.size(); ++i) keyed.emplace_back(collation.SortKey(listing.items[i].name), i);
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<platform::ShellItem> sorted;
  sorted.reserve(keyed.size());
  for (const auto& k : keyed) sorted.push_back(std::move(listing.items[k.second]));
  listing.items = std::move(sorted);
}

}  // namespace

ShellError::ShellError(const std::string& folder, uint32_t error)
    : std::runtime_error("shell folder " + folder + " could not be read"), error_(error) {}

ShellPaths::ShellPaths(platform::FileSystem& fs, platform::Shell& shell, platform::Collation& collation,
                       const std::string& windowsFolder)
    : fs_(fs), shell_(shell), collation_(collation), windowsFolder_(AddYen(windowsFolder)) {}

std::string ShellPaths::WindowsDriveRoot() const { return LeftCut(windowsFolder_, 3); }

ShellPaths::Walk::Walk(const ShellPaths& paths) : paths_(paths) { ++paths_.walks_; }

ShellPaths::Walk::~Walk() {
  if (--paths_.walks_ > 0) return;
  paths_.listings_.clear();
  paths_.reading_.reset();
}

// Whether a folder of the file system holds no folder at all (then the shell lists none of it
// either). False when it holds one, or is no folder of the file system. What it read is kept for
// the file list of the same visit (TakeWalkReading).
bool ShellPaths::HasNoSubfolders(const std::string& folder) const {
  const std::string path = CutYen(folder);
  if (path.size() < 2 || path[1] != ':' || !fs_.DirectoryExists(path)) return false;
  readingOf_ = UpperAscii(path);
  readingUnnamed_ = 0;
  reading_ = std::make_unique<std::vector<platform::FindEntry>>(
      fs_.Find(AddYen(path) + "*", platform::attr::kAskedFor, &readingUnnamed_));
  return std::none_of(reading_->begin(), reading_->end(),
                      [](const platform::FindEntry& e) { return (e.attributes & platform::attr::kDirectory) != 0; });
}

std::unique_ptr<std::vector<platform::FindEntry>> ShellPaths::TakeWalkReading(const std::string& folder,
                                                                              size_t* unnamed) const {
  if (reading_ == nullptr || readingOf_ != UpperAscii(CutYen(folder))) return nullptr;
  if (unnamed != nullptr) *unnamed += readingUnnamed_;
  return std::move(reading_);
}

const platform::ShellListing& ShellPaths::Listing(const std::string& folder, bool includeHidden, bool parsingNames) const {
  auto key = std::make_tuple(UpperAscii(CutYen(folder)), includeHidden, parsingNames);
  if (walks_ > 0) {
    auto found = listings_.find(key);
    if (found != listings_.end()) return found->second;
    // Most folders of a walk are leaves: a look at the disk is much cheaper than the shell's
    // listing, which examines every file of the folder.
    if (HasNoSubfolders(folder)) return listings_.emplace(std::move(key), platform::ShellListing{}).first->second;
  }
  platform::ShellListing listing = shell_.Folders(folder, includeHidden, parsingNames);
  // A failure is not kept: the next look may find the folder readable.
  if (!listing.ok()) throw ShellError(folder, listing.error);
  SortItems(listing, collation_);
  if (walks_ == 0) {
    last_ = std::move(listing);
    return last_;
  }
  return listings_.emplace(std::move(key), std::move(listing)).first->second;
}

std::vector<std::string> ShellPaths::SubFolders(const std::string& folder, bool includeHidden) const {
  const platform::ShellListing& listing = Listing(folder, includeHidden, false);
  std::vector<std::string> names;
  names.reserve(listing.items.size());
  for (const platform::ShellItem& item : listing.items) names.push_back(item.name);
  return names;
}

NamePairs ShellPaths::Pairs(const std::string& folder) const {
  const platform::ShellListing& listing = Listing(folder, true, true);
  NamePairs pairs;
  pairs.names.reserve(listing.items.size());
  pairs.parsingNames.reserve(listing.items.size());
  for (const platform::ShellItem& item : listing.items) {
    pairs.names.push_back(item.name);
    pairs.parsingNames.push_back(item.parsingName);
  }
  return pairs;
}

bool ShellPaths::RepairPath(std::string& path) const {
  std::vector<std::string> parts = PathComponents(path);
  if (parts.empty()) return false;
  if (parts.size() == 1) {
    path = parts[0];
    return true;
  }
  std::string sofar = parts[0];
  for (size_t i = 1; i < parts.size(); ++i) {
    std::string candidate = AddYen(sofar) + parts[i];
    if (fs_.DirectoryExists(candidate)) {
      sofar = candidate;
      continue;
    }
    const platform::ShellListing& listing = Listing(sofar, true, true);
    int at = FindName(listing.items.size(), parts[i], [&listing](size_t row) -> const std::string& { return listing.items[row].name; });
    if (at < 0) return false;
    sofar = listing.items[static_cast<size_t>(at)].parsingName;
  }
  if (sofar.size() < 2 || sofar[1] != ':') return false;
  path = sofar;
  return true;
}

void ShellPaths::RepairFilePath(std::string& path) const {
  std::string folder;
  std::string name;
  SplitFileName(path, folder, name);
  if (folder.empty()) return;
  std::string repaired = CutYen(folder);
  if (!fs_.DirectoryExists(repaired)) RepairPath(repaired);
  path = AddYen(repaired) + name;
}

std::string ShellPaths::DisplayPath(const std::string& path) const {
  std::string real = CutYen(path);
  if (!fs_.DirectoryExists(real) && !RepairPath(real)) return path;
  std::vector<std::string> parts = PathComponents(real);
  std::vector<std::string> prefixes = PathPrefixes(real);
  if (parts.empty()) return path;
  std::string result = parts[0];
  for (size_t i = 1; i < parts.size(); ++i) {
    const std::string& parent = prefixes[i - 1];
    // A parsing name is the parent's path, a "\" unless the parent is a root, and the child.
    size_t strip = parent.size() <= 3 ? parent.size() : parent.size() + 1;
    const platform::ShellListing& listing = Listing(parent, true, true);
    int at = FindName(listing.items.size(), parts[i], [&listing, strip](size_t row) {
      const std::string& parsing = listing.items[row].parsingName;
      return parsing.size() > strip ? std::string_view(parsing).substr(strip) : std::string_view();
    });
    if (at < 0) return path;
    if (i > 1) result += '\\';
    result += listing.items[static_cast<size_t>(at)].name;
  }
  return result;
}

std::string ShellPaths::NearestExistingFolder(const std::string& path) const {
  std::string parent = ParentFolder(path);
  if (!parent.empty() && !fs_.DirectoryExists(parent)) {
    try {
      RepairPath(parent);
    } catch (const ShellError&) {
      // A folder the shell cannot read repairs to nothing; its prefixes are tried as they are.
    }
  }
  std::vector<std::string> prefixes = PathPrefixes(parent);
  for (auto it = prefixes.rbegin(); it != prefixes.rend(); ++it) {
    if (fs_.DirectoryExists(*it)) return *it;
  }
  return WindowsDriveRoot();
}

BufferProbe ProbeBufferSize(const std::function<void()>& processMessages, const std::function<bool(size_t)>& tryReserve) {
  auto reserve = [&](size_t size) {
    bool ok;
    if (tryReserve) {
      ok = tryReserve(size);
    } else {
      char* block = new (std::nothrow) char[size];
      ok = block != nullptr;
      delete[] block;
    }
    if (processMessages) processMessages();
    return ok;
  };
  BufferProbe probe;
  for (size_t size : {size_t{655300}, size_t{32700}}) {
    if (reserve(size)) {
      probe.size = size;
      return probe;
    }
  }
  probe.error = "バッファの取得に失敗しました・・・32700";
  return probe;
}

}  // namespace browse
