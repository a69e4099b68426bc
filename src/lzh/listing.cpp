#include "lzh/listing.h"

#include <cstdio>

#include "lzh/names.h"

namespace lzh {

unsigned RatioPerMille(const Entry& e) {
  if (e.originalSize == 0) return 0;
  return static_cast<unsigned>((e.packedSize * 1000 + e.originalSize / 2) / e.originalSize);
}

std::string AttributeText(uint8_t a) {
  std::string s = "-----";
  if (a & 0x01) s[0] = 'r';
  if (a & 0x20) s[1] = 'a';
  if (a & 0x04) s[2] = 's';
  if (a & 0x02) s[3] = 'h';
  if (a & 0x10) s[4] = 'd';
  return s;
}

std::string DisplayPath(const Entry& e, bool fullPath, char separator) {
  std::string raw;
  if (fullPath) {
    for (const auto& f : e.folders) {
      raw += f;
      raw += separator;
    }
  }
  raw += e.name;
  for (size_t i = 0; i < raw.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(raw[i]);
    if (IsLeadByte(c) && i + 1 < raw.size()) {
      ++i;
    } else if (c < 0x20 || c == 0x7F) {
      raw[i] = '?';
    }
  }
  return raw;
}

std::string FormatListing(const std::vector<Entry>& entries, bool fullPaths,
                          const std::function<uint32_t(const Entry&)>& times) {
  std::string out;
  char line[160];
  const char* rule = "------------ ------------ ------ ---------- -------- ----- ------- ----  ------------\r\n";
  out += "    Original       Packed  Ratio       Date     Time  Attr  Method  CRC   Name\r\n";
  out += rule;
  uint64_t original = 0, packed = 0;
  for (const Entry& e : entries) {
    const uint32_t dos = times ? times(e) : e.dosTime;
    uint32_t date = dos >> 16, time = dos & 0xFFFF;
    unsigned ratio = RatioPerMille(e);
    std::snprintf(line, sizeof line, "%12llu %12llu %3u.%u%% %04u-%02u-%02u %02u:%02u:%02u %s %-7s %04X  ",
                  static_cast<unsigned long long>(e.originalSize), static_cast<unsigned long long>(e.packedSize),
                  ratio / 10, ratio % 10, 1980 + (date >> 9), (date >> 5) & 15, date & 31, time >> 11,
                  (time >> 5) & 63, (time & 31) * 2, AttributeText(e.attribute).c_str(), e.method.c_str(), e.crc);
    out += line;
    out += DisplayPath(e, fullPaths, '\\');
    if (e.IsFolder()) out += '\\';
    out += "\r\n";
    original += e.originalSize;
    packed += e.packedSize;
  }
  out += rule;
  Entry total;
  total.originalSize = original;
  total.packedSize = packed;
  unsigned ratio = RatioPerMille(total);
  std::snprintf(line, sizeof line, "%12llu %12llu %3u.%u%% %zu file(s)\r\n", static_cast<unsigned long long>(original),
                static_cast<unsigned long long>(packed), ratio / 10, ratio % 10, entries.size());
  out += line;
  return out;
}

}  // namespace lzh
