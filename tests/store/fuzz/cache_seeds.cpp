// Writes the first inputs of the cache fuzz target into <dir>: a description cache and a listing
// cache as the program writes them, without the frame the target adds.
#include <fstream>
#include <string>

#include "store/description_cache.h"
#include "store/listing_cache.h"

namespace {

const std::string kFolder = "C:\\DATA\\";

// The kind byte, then the file without its magic, folder and checksum.
void Write(const std::string& path, char kind, const std::string& file) {
  const size_t head = 8 + 4 + kFolder.size();
  std::ofstream(path, std::ios::binary) << kind << file.substr(head, file.size() - head - 4);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string dir = argv[1];
  store::DescriptionTable table;
  table["C:\\SS\\STARS.SCR"] = {12345, {0x01D0000000000000}, "Stars"};
  table["C:\\SS\\SEA.SCR"] = {777, {42}, "Sea"};
  Write(dir + "/descriptions", 0, store::FormatDescriptionCache(kFolder, table));
  browse::FileListing listing;
  listing.folder = "C:\\SS";
  listing.pattern = "*.SCR";
  listing.mask = 0x27;
  listing.names = true;
  listing.collation = "ab";
  listing.found = {{"STARS.SCR", 0x20, 12345, {0x01D0000000000000}, ""},
                   {"Long name.scr", 0x21, 9, {7}, "LONGNA~1.SCR"}};
  listing.files = {"STARS.SCR", "Long name.scr"};
  listing.twin = {"Stars", "Long name"};
  Write(dir + "/listing", 1, store::FormatListingCache(kFolder, listing));
  return 0;
}
