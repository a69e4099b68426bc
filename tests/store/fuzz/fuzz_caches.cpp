// libFuzzer target for the readers of the two cache files, QVNAME32.DAT and QVLIST32.DAT. The
// fuzzer's bytes are framed as a file of the data folder (magic, the folder, a valid checksum at
// the end), so they reach the parser instead of the integrity check. What parses must write back
// to the same content, and the caches must load, merge and save it over the fake file system.
// Input: one byte choosing the file (bit 0: the listing cache) and whether the bytes also go
// unframed (bit 1), then the bytes between the folder and the checksum.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/fake/fake_file_system.h"
#include "platform/fake/fake_text_codec.h"
#include "store/cache_bytes.h"
#include "store/description_cache.h"
#include "store/listing_cache.h"

namespace {

const std::string kFolder = "C:\\DATA\\";

// The bytes as a file written for kFolder: the head of an empty file of that kind, the body, then
// the checksum.
std::string Framed(const std::string& emptyFile, const std::string& body) {
  std::string bytes = emptyFile.substr(0, 8 + 4 + kFolder.size()) + body;
  store::cache_bytes::Seal(bytes);
  return bytes;
}

void Descriptions(const std::string& bytes) {
  using namespace store;
  const std::optional<DescriptionTable> table = ParseDescriptionCache(kFolder, bytes);
  if (table && ParseDescriptionCache(kFolder, FormatDescriptionCache(kFolder, *table)) != table) std::abort();
  // The cache reads the file, learns one saver more and merges the file again into what it saves.
  platform::fake::FakeFileSystem fs;
  fs.AddFile(kFolder + store::kDescriptionCacheFile, bytes);
  fs.AddFile("C:\\SS\\NEW.SCR", "MZ SCRNSAVE : new");
  platform::fake::FakeTextCodec text;
  DescriptionCache cache(fs, text, kFolder);
  const size_t before = cache.Count();
  cache.Description("C:\\SS\\NEW.SCR");
  cache.Save();
  const std::optional<DescriptionTable> saved = ParseDescriptionCache(kFolder, *fs.ReadFile(kFolder + kDescriptionCacheFile));
  if (!saved || saved->size() < before) std::abort();
}

void Listing(const std::string& bytes) {
  using namespace store;
  const std::optional<browse::FileListing> listing = ParseListingCache(kFolder, bytes);
  if (!listing) return;
  const std::optional<browse::FileListing> again = ParseListingCache(kFolder, FormatListingCache(kFolder, *listing));
  if (!again || !again->SameSource(*listing) || again->files != listing->files || again->twin != listing->twin)
    std::abort();
  platform::fake::FakeFileSystem fs;
  fs.AddFile(kFolder + kListingCacheFile, bytes);
  ListingCache cache(fs, kFolder);
  if (!cache.Kept(*listing)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const std::string body(reinterpret_cast<const char*>(data + 1), size - 1);
  if (data[0] & 1) {
    Listing(Framed(store::FormatListingCache(kFolder, {}), body));
    if (data[0] & 2) Listing(body);
  } else {
    Descriptions(Framed(store::FormatDescriptionCache(kFolder, {}), body));
    if (data[0] & 2) Descriptions(body);
  }
  return 0;
}
