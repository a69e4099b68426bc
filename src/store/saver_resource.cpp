#include "store/saver_resource.h"

#include <algorithm>
#include <array>
#include <vector>

#include "platform/file_system.h"

namespace store {

namespace {

constexpr uint32_t kStringTable = 6;  // RT_STRING
constexpr uint32_t kSubdirectory = 0x80000000u;
constexpr uint32_t kNamedEntry = 0x80000000u;
constexpr size_t kBlockSize = 4096;
// A block of string resources is 16 counted strings; one of them is never longer than this.
constexpr uint32_t kMaxStringBlock = 16 * (2 + 2 * 65535);

// Reads the file at any offset through one cached block, so that the headers and the resource
// directory, which lie close together, cost a read or two. The block starts as the file's head,
// read by the caller already.
class Reader {
 public:
  Reader(platform::File& file, std::string_view head) : file_(file), block_(head.begin(), head.end()) {}

  bool Read(uint64_t at, void* out, size_t n) {
    auto* bytes = static_cast<uint8_t*>(out);
    while (n > 0) {
      if (at < start_ || at >= start_ + block_.size()) {
        if (!Load(at)) return false;
      }
      const size_t from = static_cast<size_t>(at - start_);
      const size_t take = std::min(n, block_.size() - from);
      std::copy_n(block_.begin() + static_cast<std::ptrdiff_t>(from), take, bytes);
      bytes += take;
      at += take;
      n -= take;
    }
    return true;
  }
  template <size_t N>
  std::optional<uint64_t> Number(uint64_t at) {
    std::array<uint8_t, N> b{};
    if (!Read(at, b.data(), N)) return std::nullopt;
    uint64_t v = 0;
    for (size_t i = N; i-- > 0;) v = (v << 8) | b[i];
    return v;
  }

 private:
  bool Load(uint64_t at) {
    block_.resize(kBlockSize);
    if (!file_.Seek(static_cast<int64_t>(at), platform::SeekFrom::kBegin)) return false;
    std::optional<size_t> got = file_.Read(block_.data(), block_.size());
    if (!got || *got == 0) return false;
    block_.resize(*got);
    start_ = at;
    return true;
  }

  platform::File& file_;
  std::vector<uint8_t> block_;
  uint64_t start_ = 0;
};

struct Section {
  uint32_t address = 0, virtualSize = 0, rawSize = 0, rawAt = 0;
};

// One directory of the resource tree: its entries' identifiers and where they lead.
struct Entry {
  uint32_t id = 0;
  uint32_t target = 0;
};

class Image {
 public:
  Image(platform::File& file, std::string_view head) : in_(file, head) {}

  // Reads the headers; false for a file that is no 32- or 64-bit executable.
  bool Open() {
    const auto lfanew = in_.Number<4>(0x3C);
    if (!lfanew || in_.Number<4>(*lfanew) != 0x00004550u) return false;  // "PE\0\0"
    const uint64_t coff = *lfanew + 4;
    const auto sections = in_.Number<2>(coff + 2);
    const auto optionalSize = in_.Number<2>(coff + 16);
    const auto magic = in_.Number<2>(coff + 20);
    if (!sections || !optionalSize || !magic || (*magic != 0x10B && *magic != 0x20B)) return false;
    const uint64_t directories = coff + 20 + (*magic == 0x10B ? 96 : 112);
    const auto count = in_.Number<4>(directories - 4);
    if (!count || *count < 3) return false;
    const auto rva = in_.Number<4>(directories + 2 * 8);
    if (!rva || *rva == 0) return false;
    const uint64_t table = coff + 20 + *optionalSize;
    for (uint64_t i = 0; i < *sections && i < 96; ++i) {
      const uint64_t at = table + i * 40;
      Section s;
      const auto size = in_.Number<4>(at + 8), address = in_.Number<4>(at + 12), raw = in_.Number<4>(at + 16),
                 rawAt = in_.Number<4>(at + 20);
      if (!size || !address || !raw || !rawAt) return false;
      s = {static_cast<uint32_t>(*address), static_cast<uint32_t>(*size), static_cast<uint32_t>(*raw),
           static_cast<uint32_t>(*rawAt)};
      sections_.push_back(s);
    }
    const std::optional<uint64_t> root = Offset(static_cast<uint32_t>(*rva));
    if (!root) return false;
    root_ = *root;
    return true;
  }

  // The entries of the resource directory at `at` (relative to the tree's root).
  std::optional<std::vector<Entry>> Directory(uint32_t at) {
    const auto named = in_.Number<2>(root_ + at + 12);
    const auto ids = in_.Number<2>(root_ + at + 14);
    if (!named || !ids) return std::nullopt;
    std::vector<Entry> entries;
    for (uint64_t i = *named; i < *named + *ids; ++i) {
      const auto id = in_.Number<4>(root_ + at + 16 + i * 8);
      const auto target = in_.Number<4>(root_ + at + 16 + i * 8 + 4);
      if (!id || !target) return std::nullopt;
      if ((*id & kNamedEntry) == 0) entries.push_back({static_cast<uint32_t>(*id), static_cast<uint32_t>(*target)});
    }
    return entries;
  }

  // The bytes of the data entry at `at` (relative to the tree's root).
  std::optional<std::vector<uint8_t>> Data(uint32_t at) {
    const auto rva = in_.Number<4>(root_ + at);
    const auto size = in_.Number<4>(root_ + at + 4);
    if (!rva || !size || *size > kMaxStringBlock) return std::nullopt;
    const std::optional<uint64_t> offset = Offset(static_cast<uint32_t>(*rva));
    std::vector<uint8_t> bytes(static_cast<size_t>(*size));
    if (!offset || !in_.Read(*offset, bytes.data(), bytes.size())) return std::nullopt;
    return bytes;
  }

 private:
  // The file offset of a relative virtual address, inside a section's data.
  std::optional<uint64_t> Offset(uint32_t rva) const {
    for (const Section& s : sections_) {
      const uint64_t span = std::max(s.virtualSize, s.rawSize);
      if (rva >= s.address && rva < s.address + span && rva - s.address < s.rawSize) {
        return static_cast<uint64_t>(s.rawAt) + (rva - s.address);
      }
    }
    return std::nullopt;
  }

  Reader in_;
  std::vector<Section> sections_;
  uint64_t root_ = 0;
};

// How close a resource's language is to the user's `language`: the same language, the same
// primary language, a neutral one, English, any other (lower is closer).
int Distance(uint32_t id, uint16_t language) {
  const uint32_t primary = id & 0x3FF;
  if (id == language) return 0;
  if (primary == (language & 0x3FFu)) return 1;
  if (primary == 0) return 2;
  if (primary == 0x09) return 3;
  return 4;
}

const Entry* ClosestLanguage(const std::vector<Entry>& entries, uint16_t language) {
  const Entry* best = nullptr;
  for (const Entry& e : entries) {
    if (best == nullptr || Distance(e.id, language) < Distance(best->id, language)) best = &e;
  }
  return best;
}

const Entry* WithId(const std::vector<Entry>& entries, uint32_t id, bool directory) {
  for (const Entry& e : entries) {
    if (e.id == id && ((e.target & kSubdirectory) != 0) == directory) return &e;
  }
  return nullptr;
}

}  // namespace

std::optional<std::u16string> SaverResourceName(platform::File& file, uint16_t language, std::string_view head) {
  Image image(file, head);
  if (!image.Open()) return std::nullopt;
  // Type 6 (strings), then block 1 (strings 0 to 15), then a language.
  const auto types = image.Directory(0);
  const Entry* strings = types ? WithId(*types, kStringTable, true) : nullptr;
  const auto blocks = strings ? image.Directory(strings->target & ~kSubdirectory) : std::nullopt;
  const Entry* block = blocks ? WithId(*blocks, 1, true) : nullptr;
  const auto languages = block ? image.Directory(block->target & ~kSubdirectory) : std::nullopt;
  const Entry* chosen = languages ? ClosestLanguage(*languages, language) : nullptr;
  if (chosen == nullptr || (chosen->target & kSubdirectory) != 0) return std::nullopt;
  const auto bytes = image.Data(chosen->target);
  if (!bytes) return std::nullopt;
  // String 0, then string 1: each a count of UTF-16 units and the units.
  size_t at = 0;
  for (int index = 0; index <= 1; ++index) {
    if (at + 2 > bytes->size()) return std::nullopt;
    const size_t units = (*bytes)[at] | ((*bytes)[at + 1] << 8);
    at += 2;
    if (at + 2 * units > bytes->size()) return std::nullopt;
    if (index == 1) {
      std::u16string text(units, u'\0');
      for (size_t i = 0; i < units; ++i) text[i] = static_cast<char16_t>((*bytes)[at + 2 * i] | ((*bytes)[at + 2 * i + 1] << 8));
      return text;
    }
    at += 2 * units;
  }
  return std::nullopt;
}

}  // namespace store
