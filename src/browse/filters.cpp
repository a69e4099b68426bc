#include "browse/filters.h"

#include <algorithm>
#include <iterator>
#include <numeric>

#include "text/text_path.h"
#include "platform/collation.h"
#include "platform/file_system.h"

namespace browse {

using namespace text;

namespace {
std::string Piece(int index) { return std::string("*.") + ExtensionNames()[static_cast<size_t>(index)] + ";"; }

// "*", "*.*" or "*.EXT" with a plain ASCII extension: then `tail` is what a matching name ends
// with, letter case aside ("" for every name).
bool PlainPiece(const std::string& piece, std::string& tail) {
  tail.clear();
  if (piece == "*" || piece == "*.*") return true;
  if (piece.size() < 3 || piece.compare(0, 2, "*.") != 0) return false;
  for (size_t i = 2; i < piece.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(piece[i]);
    if (c <= ' ' || c >= 0x80 || c == '*' || c == '?' || c == '.') return false;
  }
  tail = UpperAscii(piece.substr(1));
  return true;
}

// A "." cannot be the second byte of a double-byte character, so a byte-wise look at the end
// of the name is safe.
bool EndsWith(const std::string& name, const std::string& tail) {
  return name.size() >= tail.size() && UpperAscii(name.substr(name.size() - tail.size())) == tail;
}

// The entries of the whole reading that `piece` finds with `mask`; false when the piece needs
// the disk.
bool FindIn(const std::vector<platform::FindEntry>& whole, const std::string& piece, uint32_t mask,
            std::vector<platform::FindEntry>& found) {
  std::string tail;
  if (!PlainPiece(piece, tail)) return false;
  for (const platform::FindEntry& e : whole) {
    if (!platform::attr::FindSees(e.attributes, mask)) continue;
    if (EndsWith(e.name, tail) || (!e.shortName.empty() && EndsWith(e.shortName, tail))) found.push_back(e);
  }
  return true;
}
}  // namespace

const std::array<const char*, kExtensionCount>& ExtensionNames() {
  static const std::array<const char*, kExtensionCount> names{
      "AVI", "MOV", "MMM", "MPG", "DAT", "MPA", "MPV", "WAV", "MID", "RMI", "MKI", "MAG", "MAX", "PIC", "JPG",
      "BMP", "ICO", "RLE", "WMF", "PCT", "SCR", "SR?", "GE?", "GR?", "LZH", "HLP", "TXT", "DOC", "INI", "WRI"};
  return names;
}

int ExtensionIndex(const std::string& name) {
  const auto& names = ExtensionNames();
  for (int i = 0; i < kExtensionCount; ++i) {
    if (SameText(name, names[static_cast<size_t>(i)])) return i;
  }
  return -1;
}

int FileExtensionIndex(const std::string& path) {
  std::string folder, name;
  SplitFileName(path, folder, name);
  size_t dot = name.rfind('.');
  if (dot == std::string::npos) return -1;
  return ExtensionIndex(LeftCut(UpperAscii(name.substr(dot + 1)), 3));
}

int AttributeMask(bool readOnly, bool system, bool hidden, bool archive) {
  return (readOnly ? 1 : 0) + (system ? 4 : 0) + (hidden ? 2 : 0) + (archive ? 32 : 0);
}

std::string BuildExtensionPattern(const std::array<bool, kExtensionCount>& checked) {
  std::string pattern;
  for (int i = 0; i < kExtensionCount; ++i) {
    if (checked[static_cast<size_t>(i)]) pattern += Piece(i);
  }
  return pattern;
}

std::string AddExtension(const std::string& pattern, int index) {
  std::string piece = Piece(index);
  return pattern.find(piece) == std::string::npos ? pattern + piece : pattern;
}

std::string RemoveExtension(const std::string& pattern, int index) {
  std::string piece = Piece(index);
  std::string out = pattern;
  size_t at = out.find(piece);
  if (at != std::string::npos) out.erase(at, piece.size());
  return out;
}

std::vector<platform::FindEntry> FindFileEntries(platform::FileSystem& fs, const std::string& folder,
                                                 const std::string& pattern, int mask, bool normal,
                                                 const std::vector<platform::FindEntry>* whole, size_t* unnamed) {
  std::vector<platform::FindEntry> found;
  size_t start = 0;
  while (start <= pattern.size()) {
    size_t end = pattern.find(';', start);
    if (end == std::string::npos) end = pattern.size();
    std::string piece = pattern.substr(start, end - start);
    start = end + 1;
    if (piece.empty()) continue;
    std::vector<platform::FindEntry> got;
    if (whole == nullptr || !FindIn(*whole, piece, static_cast<uint32_t>(mask), got)) {
      got = fs.Find(AddYen(folder) + piece, static_cast<uint32_t>(mask), unnamed);
    }
    std::erase_if(got, [&](const platform::FindEntry& e) {
      return (e.attributes & (platform::attr::kDirectory | platform::attr::kVolumeId)) != 0 ||
             (!normal && (e.attributes & static_cast<uint32_t>(mask)) == 0);
    });
    if (found.empty()) {
      found = std::move(got);
    } else {
      found.insert(found.end(), std::make_move_iterator(got.begin()), std::make_move_iterator(got.end()));
    }
  }
  return found;
}

std::vector<platform::FindEntry> OrderFileEntries(platform::Collation& collation, std::vector<platform::FindEntry> found) {
  // The entries stay where they are; their positions are sorted. First by folded name, which
  // finds the names two pieces select, then by sort key, so that the sort compares plain bytes.
  std::vector<std::string> keys;
  keys.reserve(found.size());
  for (const platform::FindEntry& e : found) keys.push_back(UpperAscii(e.name));
  std::vector<size_t> order(found.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    return keys[a] != keys[b] ? keys[a] < keys[b] : found[a].name < found[b].name;
  });
  order.erase(std::unique(order.begin(), order.end(), [&](size_t a, size_t b) { return keys[a] == keys[b]; }),
              order.end());
  for (size_t i : order) keys[i] = collation.SortKey(found[i].name);
  // Names with equal keys keep their folded order.
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return keys[a] < keys[b]; });
  std::vector<platform::FindEntry> entries;
  entries.reserve(order.size());
  for (size_t i : order) entries.push_back(std::move(found[i]));
  return entries;
}

std::vector<platform::FindEntry> SelectFileEntries(platform::FileSystem& fs, platform::Collation& collation,
                                                   const std::string& folder, const std::string& pattern, int mask,
                                                   bool normal) {
  return OrderFileEntries(collation, FindFileEntries(fs, folder, pattern, mask, normal));
}

std::vector<std::string> NamesOf(std::vector<platform::FindEntry> entries) {
  std::vector<std::string> names;
  names.reserve(entries.size());
  for (platform::FindEntry& e : entries) names.push_back(std::move(e.name));
  return names;
}

}  // namespace browse
