#include "support/pe_image.h"

namespace testsupport {

namespace {

void Put(std::string& b, size_t at, uint64_t v, size_t n) {
  if (b.size() < at + n) b.resize(at + n, '\0');
  for (size_t i = 0; i < n; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

}  // namespace

std::string PeImage(const PeStrings& strings, const std::string& head) {
  constexpr size_t kPe = 0x80;
  constexpr uint32_t kRva = 0x1000;
  const size_t kRaw = strings.resourcesAt;
  std::string b(kRaw, '\0');
  b[0] = 'M';
  b[1] = 'Z';
  b.replace(0x40, head.size(), head);
  Put(b, 0x3C, kPe, 4);
  Put(b, kPe, 0x00004550, 4);
  const size_t coff = kPe + 4, optional = coff + 20;
  const size_t optionalSize = strings.wide ? 240 : 224;
  Put(b, coff, strings.wide ? 0x8664 : 0x14C, 2);
  Put(b, coff + 2, 1, 2);
  Put(b, coff + 16, optionalSize, 2);
  Put(b, optional, strings.wide ? 0x20B : 0x10B, 2);
  const size_t directories = optional + (strings.wide ? 112 : 96);
  Put(b, directories - 4, 16, 4);

  // The resource tree: type 6, block 1, one entry per language; then the data entries and the
  // string blocks (string 0 empty, string 1 the name).
  const size_t n = strings.names.size();
  std::string r;
  Put(r, 14, 1, 2);
  Put(r, 16, 6, 4);
  Put(r, 20, 0x80000000u | 24, 4);
  Put(r, 24 + 14, 1, 2);
  Put(r, 24 + 16, 1, 4);
  Put(r, 24 + 20, 0x80000000u | 48, 4);
  Put(r, 48 + 14, n, 2);
  const size_t entries = 48 + 16, data = entries + 8 * n, blocks = data + 16 * n;
  size_t at = blocks;
  for (size_t i = 0; i < n; ++i) {
    const std::u16string& text = strings.names[i].second;
    Put(r, entries + 8 * i, strings.names[i].first, 4);
    Put(r, entries + 8 * i + 4, data + 16 * i, 4);
    Put(r, data + 16 * i, kRva + at, 4);
    Put(r, data + 16 * i + 4, 4 + 2 * text.size(), 4);
    Put(r, at + 2, text.size(), 2);
    for (size_t k = 0; k < text.size(); ++k) Put(r, at + 4 + 2 * k, text[k], 2);
    at += 4 + 2 * text.size();
  }
  Put(b, directories + 16, kRva, 4);
  Put(b, directories + 20, r.size(), 4);
  const size_t section = optional + optionalSize;
  b.replace(section, 5, ".rsrc");
  Put(b, section + 8, r.size(), 4);
  Put(b, section + 12, kRva, 4);
  Put(b, section + 16, r.size(), 4);
  Put(b, section + 20, kRaw, 4);
  return b + r;
}

}  // namespace testsupport
