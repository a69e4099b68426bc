#include "lzh/header.h"

#include <algorithm>
#include <cstring>

#include "lzh/crc16.h"
#include "lzh/names.h"

namespace lzh {
namespace {

constexpr size_t kMaxExtendedBytes = 1 << 20;  // more than any real header carries
constexpr int kMaxExtendedHeaders = 1024;

uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Get32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}
uint64_t Get64(const uint8_t* p) { return Get32(p) | (static_cast<uint64_t>(Get32(p + 4)) << 32); }
void Put16(std::vector<uint8_t>& v, uint16_t x) {
  v.push_back(static_cast<uint8_t>(x));
  v.push_back(static_cast<uint8_t>(x >> 8));
}
void Put32(std::vector<uint8_t>& v, uint32_t x) {
  Put16(v, static_cast<uint16_t>(x));
  Put16(v, static_cast<uint16_t>(x >> 16));
}
void Put64(std::vector<uint8_t>& v, uint64_t x) {
  Put32(v, static_cast<uint32_t>(x));
  Put32(v, static_cast<uint32_t>(x >> 32));
}

bool ReadExact(InputFile& in, uint64_t offset, uint8_t* buf, size_t n) { return in.ReadAt(offset, buf, n) == n; }

// Collected while walking the extended headers.
struct Extras {
  bool hasName = false, hasFolder = false, hasHeaderCrc = false, has64 = false;
  std::string name, folder;
  uint16_t headerCrc = 0;
  size_t headerCrcPos = 0;  // offset of the CRC field within the header bytes
  bool hasAttribute = false;
  uint8_t attribute = 0;
  bool hasUnixTime = false;
  uint32_t unixTime = 0;
  bool hasFileTimes = false;
  uint64_t times[3] = {0, 0, 0};
  uint64_t packed64 = 0, original64 = 0;
};

// One extended header: `body` is type byte plus data (without the trailing next-size field).
void TakeExtended(const uint8_t* body, size_t size, size_t posInHeader, Extras* x) {
  if (size < 1) return;
  uint8_t type = body[0];
  const uint8_t* d = body + 1;
  size_t n = size - 1;
  switch (type) {
    case 0x00:
      if (n >= 2) {
        x->hasHeaderCrc = true;
        x->headerCrc = Get16(d);
        x->headerCrcPos = posInHeader + 1;
      }
      break;
    case 0x01:
      x->hasName = true;
      x->name.assign(reinterpret_cast<const char*>(d), n);
      break;
    case 0x02:
      x->hasFolder = true;
      x->folder.assign(reinterpret_cast<const char*>(d), n);
      break;
    case 0x40:
      if (n >= 1) {
        x->hasAttribute = true;
        x->attribute = d[0];
      }
      break;
    case 0x41:
      if (n >= 24) {
        x->hasFileTimes = true;
        for (int i = 0; i < 3; ++i) x->times[i] = Get64(d + 8 * i);
      }
      break;
    case 0x42:
      if (n >= 16) {
        x->has64 = true;
        x->packed64 = Get64(d);
        x->original64 = Get64(d + 8);
      }
      break;
    case 0x54:
      if (n >= 4) {
        x->hasUnixTime = true;
        x->unixTime = Get32(d);
      }
      break;
    default:
      break;  // comments, Unix owner and mode, OS-specific data: not needed here
  }
}

// Walks a chain of extended headers starting at `offset` whose first size is `first`.
// `sizeBytes` is 2 (levels 1 and 2) or 4 (level 3). Appends the raw bytes to `raw`.
Status WalkExtended(InputFile& in, uint64_t offset, uint32_t first, int sizeBytes, std::vector<uint8_t>* raw,
                    size_t rawBase, Extras* x, uint64_t* totalBytes) {
  uint32_t next = first;
  uint64_t pos = offset;
  int count = 0;
  *totalBytes = 0;
  std::vector<uint8_t> buf;
  while (next != 0) {
    if (++count > kMaxExtendedHeaders) return Status::kHeaderBroken;
    if (next < static_cast<uint32_t>(1 + sizeBytes)) return Status::kHeaderBroken;
    if (*totalBytes + next > kMaxExtendedBytes) return Status::kHeaderBroken;
    buf.resize(next);
    if (!ReadExact(in, pos, buf.data(), next)) return Status::kHeaderBroken;
    size_t posInHeader = rawBase + raw->size();
    raw->insert(raw->end(), buf.begin(), buf.end());
    TakeExtended(buf.data(), next - sizeBytes, posInHeader, x);
    uint32_t following = sizeBytes == 2 ? Get16(&buf[next - 2]) : Get32(&buf[next - 4]);
    pos += next;
    *totalBytes += next;
    next = following;
  }
  return Status::kOk;
}

// Position of a "|" that is a character of its own (not the second byte of a Shift-JIS one).
size_t FindBar(const std::string& s) {
  for (size_t i = 0; i < s.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(s[i]))) ++i;
    else if (s[i] == '|') return i;
  }
  return std::string::npos;
}

void ApplyPath(const std::string& storedName, const Extras& x, Entry* e) {
  std::string name = x.hasName ? x.name : storedName;
  // Unix links are stored as "name|target", by some writers with the "|" in the folder part.
  if (size_t bar = FindBar(name); bar != std::string::npos) {
    e->symlink = true;
    name.resize(bar);
  }
  if (x.hasFolder && FindBar(x.folder) != std::string::npos) e->symlink = true;
  SplitPath folderParts;
  if (x.hasFolder) folderParts = SplitStoredPath(x.folder);
  SplitPath nameParts = SplitStoredPath(name);
  e->absolute = folderParts.absolute || (!x.hasFolder && nameParts.absolute);
  e->parentRefs = folderParts.parentRefs || nameParts.parentRefs;
  e->folders = folderParts.parts;
  if (!nameParts.parts.empty()) {
    e->name = nameParts.parts.back();
    e->folders.insert(e->folders.end(), nameParts.parts.begin(), nameParts.parts.end() - 1);
  } else if (!e->folders.empty() && e->IsFolder()) {
    // A folder entry whose name is empty names itself by its last folder component.
    e->name = e->folders.back();
    e->folders.pop_back();
  }
}

void ApplyCommon(const Extras& x, Entry* e) {
  if (x.hasAttribute) e->attribute = x.attribute;
  if (x.hasFileTimes) {
    e->hasFileTimes = true;
    e->creationTime = x.times[0];
    e->writeTime = x.times[1];
    e->accessTime = x.times[2];
  }
}

}  // namespace

std::string Entry::Path() const {
  std::string p;
  for (const auto& f : folders) {
    p += f;
    p += '\\';
  }
  return p + name;
}

bool LooksLikeHeader(const uint8_t* p, size_t available) {
  if (available < 22) return false;
  if (p[2] != '-' || p[6] != '-' || p[3] != 'l') return false;
  if (!((p[4] == 'h' || p[4] == 'z') && ((p[5] >= '0' && p[5] <= '9') || p[5] == 'd' || p[5] == 's' || p[5] == 'x')))
    return false;
  uint8_t level = p[20];
  if (level > 3) return false;
  if (level == 0 || level == 1) {
    if (p[0] < 20 || static_cast<size_t>(p[0]) + 2 > available) return p[0] >= 20;
    unsigned sum = 0;
    for (size_t i = 2; i < static_cast<size_t>(p[0]) + 2; ++i) sum += p[i];
    return static_cast<uint8_t>(sum) == p[1];
  }
  if (level == 2) return Get16(p) >= 26;
  return Get16(p) == 4;
}

Status ReadHeader(InputFile& in, uint64_t offset, Entry* e, HeaderRead* what) {
  *e = Entry{};
  uint8_t base[32] = {};
  size_t got = in.ReadAt(offset, base, sizeof base);
  if (got == 0 || base[0] == 0) {
    *what = HeaderRead::kEnd;
    return Status::kOk;
  }
  *what = HeaderRead::kEntry;
  if (got < 22) return Status::kHeaderBroken;
  if (base[2] != '-' || base[6] != '-') return Status::kHeaderBroken;
  e->method.assign(reinterpret_cast<const char*>(base + 2), 5);
  e->headerOffset = offset;
  e->level = base[20];
  uint64_t packed = Get32(base + 7);
  e->originalSize = Get32(base + 11);
  Extras x;
  std::string storedName;

  if (e->level == 0 || e->level == 1) {
    size_t total = static_cast<size_t>(base[0]) + 2;
    uint8_t h[257 + 2];
    if (total < 24 || !ReadExact(in, offset, h, total)) return Status::kHeaderBroken;
    unsigned sum = 0;
    for (size_t i = 2; i < total; ++i) sum += h[i];
    if (static_cast<uint8_t>(sum) != h[1]) return Status::kHeaderCrc;
    size_t nameLen = h[21];
    if (22 + nameLen > total) return Status::kHeaderBroken;
    storedName.assign(reinterpret_cast<const char*>(h + 22), nameLen);
    e->dosTime = Get32(h + 15);
    e->attribute = h[19];
    size_t after = 22 + nameLen;
    if (e->level == 0) {
      if (after + 2 <= total) e->crc = Get16(h + after);
      if (after + 3 <= total) e->osId = h[after + 2];
      e->headerSize = total;
    } else {
      if (after + 5 > total) return Status::kHeaderBroken;
      e->crc = Get16(h + after);
      e->osId = h[after + 2];
      uint16_t next = Get16(h + total - 2);
      std::vector<uint8_t> raw;
      uint64_t extBytes = 0;
      Status s = WalkExtended(in, offset + total, next, 2, &raw, total, &x, &extBytes);
      if (!Ok(s)) return s;
      if (extBytes > packed) return Status::kHeaderBroken;
      packed -= extBytes;  // the packed size of level 1 counts the extended headers
      e->headerSize = total + extBytes;
      e->attribute = 0x20;  // level 1 keeps the attribute in an extended header, if at all
      if (x.hasUnixTime) e->dosTime = UnixToDos(x.unixTime);
    }
  } else if (e->level == 2 || e->level == 3) {
    const int sizeBytes = e->level == 2 ? 2 : 4;
    const size_t baseSize = e->level == 2 ? 26 : 32;
    if (got < baseSize) return Status::kHeaderBroken;
    uint64_t declared = e->level == 2 ? Get16(base) : Get32(base + 24);
    if (e->level == 3 && Get16(base) != 4) return Status::kHeaderBroken;
    if (declared < baseSize) return Status::kHeaderBroken;
    e->dosTime = UnixToDos(Get32(base + 15));
    e->crc = Get16(base + 21);
    e->osId = base[23];
    uint32_t first = e->level == 2 ? Get16(base + 24) : Get32(base + 28);
    std::vector<uint8_t> raw(base, base + baseSize);
    uint64_t extBytes = 0;
    Status s = WalkExtended(in, offset + baseSize, first, sizeBytes, &raw, 0, &x, &extBytes);
    if (!Ok(s)) return s;
    uint64_t walked = baseSize + extBytes;
    // Some writers declare a level-2 size that leaves out part of the extended headers; the
    // walked chain tells where the data really starts. A larger declared size is padding.
    e->headerSize = std::max(declared, walked);
    if (e->headerSize > kMaxExtendedBytes + baseSize) return Status::kHeaderBroken;
    if (x.hasHeaderCrc) {
      // The CRC covers the declared header with its own field zeroed; with a short declared
      // size, try the walked length as well.
      std::vector<uint8_t> whole = raw;
      if (whole.size() < e->headerSize) {
        size_t have = whole.size();
        whole.resize(static_cast<size_t>(e->headerSize));
        if (!ReadExact(in, offset + have, whole.data() + have, whole.size() - have)) return Status::kHeaderBroken;
      }
      whole[x.headerCrcPos] = whole[x.headerCrcPos + 1] = 0;
      uint16_t a = Crc16::Of(whole.data(), static_cast<size_t>(std::min<uint64_t>(declared, whole.size())));
      uint16_t b = Crc16::Of(whole.data(), whole.size());
      if (a != x.headerCrc && b != x.headerCrc) return Status::kHeaderCrc;
    }
    if (x.has64) {
      packed = x.packed64;
      e->originalSize = x.original64;
    }
    e->attribute = 0x20;
  } else {
    return Status::kHeaderBroken;
  }
  ApplyCommon(x, e);
  ApplyPath(storedName, x, e);
  e->packedSize = packed;
  e->dataOffset = offset + e->headerSize;
  return Status::kOk;
}

std::vector<uint8_t> BuildLevel2Header(const Entry& entry) {
  std::vector<uint8_t> h;
  h.reserve(128 + entry.name.size());
  Put16(h, 0);  // total size, set below
  h.insert(h.end(), entry.method.begin(), entry.method.end());
  const bool big = entry.packedSize > 0xFFFFFFFFull || entry.originalSize > 0xFFFFFFFFull;
  Put32(h, big ? 0 : static_cast<uint32_t>(entry.packedSize));
  Put32(h, big ? 0 : static_cast<uint32_t>(entry.originalSize));
  Put32(h, static_cast<uint32_t>(entry.hasFileTimes ? FileTimeToUnix(entry.writeTime) : DosToUnix(entry.dosTime)));
  h.push_back(0x20);
  h.push_back(2);
  Put16(h, entry.crc);
  h.push_back('M');
  auto extended = [&](uint8_t type, const std::vector<uint8_t>& data) {
    Put16(h, static_cast<uint16_t>(data.size() + 3));  // the previous header's next-size field
    h.push_back(type);
    h.insert(h.end(), data.begin(), data.end());
  };
  extended(0x00, {0, 0});
  const size_t crcPos = 27;
  extended(0x01, std::vector<uint8_t>(entry.name.begin(), entry.name.end()));
  if (!entry.folders.empty()) {
    std::vector<uint8_t> folder;
    for (const auto& f : entry.folders) {
      folder.insert(folder.end(), f.begin(), f.end());
      folder.push_back(0xFF);
    }
    extended(0x02, folder);
  }
  extended(0x40, {entry.attribute, 0});
  if (entry.hasFileTimes) {
    std::vector<uint8_t> t;
    Put64(t, entry.creationTime);
    Put64(t, entry.writeTime);
    Put64(t, entry.accessTime);
    extended(0x41, t);
  }
  if (big) {
    std::vector<uint8_t> s;
    Put64(s, entry.packedSize);
    Put64(s, entry.originalSize);
    extended(0x42, s);
  }
  Put16(h, 0);  // no further extended header
  // A size whose low byte is 0 would read as an end marker: pad by one byte.
  if ((h.size() & 0xFF) == 0) h.push_back(0);
  h[0] = static_cast<uint8_t>(h.size());
  h[1] = static_cast<uint8_t>(h.size() >> 8);
  uint16_t crc = Crc16::Of(h.data(), h.size());
  h[crcPos] = static_cast<uint8_t>(crc);
  h[crcPos + 1] = static_cast<uint8_t>(crc >> 8);
  return h;
}

namespace {
// Days from 1970-01-01 to the civil date (proleptic Gregorian), and back.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}
void CivilFromDays(int64_t z, int64_t* y, unsigned* m, unsigned* d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  *d = doy - (153 * mp + 2) / 5 + 1;
  *m = mp < 10 ? mp + 3 : mp - 9;
  *y = static_cast<int64_t>(yoe) + era * 400 + (*m <= 2);
}
}  // namespace

uint32_t UnixToDos(int64_t t) {
  if (t < 315532800) t = 315532800;  // 1980-01-01, the first DOS date
  int64_t days = t / 86400, secs = t % 86400;
  int64_t y;
  unsigned m, d;
  CivilFromDays(days, &y, &m, &d);
  if (y > 2107) y = 2107;
  uint32_t date = static_cast<uint32_t>(((y - 1980) << 9) | (m << 5) | d);
  uint32_t time = static_cast<uint32_t>(((secs / 3600) << 11) | (((secs / 60) % 60) << 5) | ((secs % 60) / 2));
  return (date << 16) | time;
}

int64_t DosToUnix(uint32_t dos) {
  uint32_t date = dos >> 16, time = dos & 0xFFFF;
  unsigned m = (date >> 5) & 15, d = date & 31;
  if (m < 1) m = 1;
  if (m > 12) m = 12;
  if (d < 1) d = 1;
  int64_t days = DaysFromCivil(1980 + (date >> 9), m, d);
  return days * 86400 + (time >> 11) * 3600 + ((time >> 5) & 63) * 60 + (time & 31) * 2;
}

uint64_t UnixToFileTime(int64_t t) { return static_cast<uint64_t>((t + 11644473600LL) * 10000000LL); }
int64_t FileTimeToUnix(uint64_t ft) { return static_cast<int64_t>(ft / 10000000ULL) - 11644473600LL; }

}  // namespace lzh
