// The last long file list, kept in a small file of its own in the data folder so that the next
// run lists the same unchanged folder without ordering its names and descriptions again. The
// file holds one listing with everything it was made of; the browser takes its rows only when
// the folder gives exactly the same entries again (browse::FileListing::SameSource). A file that
// is damaged or was written for another data folder holds nothing (and is replaced by the next
// long listing).
#pragma once
#include <optional>
#include <string>

#include "browse/browser_rows.h"
#include "platform/file_system.h"

namespace store {

// The file's name in the data folder.
extern const char kListingCacheFile[];  // "QVLIST32.DAT"

// The file's bytes for `folder` (the data folder, with "\"), and back; nullopt for bytes that are
// damaged, of another format or written for another folder.
std::string FormatListingCache(const std::string& folder, const browse::FileListing& listing);
std::optional<browse::FileListing> ParseListingCache(const std::string& folder, const std::string& bytes);

class ListingCache {
 public:
  ListingCache(platform::FileSystem& fs, std::string folder);

  // The kept listing of the folder, filter and settings `source` was made under, if the file
  // holds one. The file is read once, and again only when it may hold that listing.
  std::optional<browse::FileListing> Kept(const browse::FileListing& source);
  // Keeps `listing` in place of the one kept before.
  void Keep(const browse::FileListing& listing);

 private:
  platform::FileSystem& fs_;
  std::string folder_;
  std::optional<std::string> held_;  // what the file holds (see Key), once known
};

}  // namespace store
