// LZH member headers: reading levels 0 to 3 with their extended headers, and writing level 2.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "lzh/io.h"
#include "lzh/status.h"

namespace lzh {

struct Entry {
  std::string method;                // the five characters between the dashes, e.g. "-lh5-"
  std::vector<std::string> folders;  // stored folder components, Shift-JIS
  std::string name;                  // file name without folders, Shift-JIS
  bool absolute = false;             // the stored path was absolute (prefix dropped)
  bool parentRefs = false;           // the stored path contained ".."
  bool symlink = false;              // a Unix symbolic link ("name|target")
  uint64_t packedSize = 0;           // member data only, without extended headers
  uint64_t originalSize = 0;
  uint16_t crc = 0;                  // CRC-16 of the original data
  uint8_t attribute = 0x20;          // MS-DOS attribute bits
  int level = 0;
  uint8_t osId = 0;
  uint32_t dosTime = 0;              // DOS date << 16 | DOS time (local time)
  bool hasFileTimes = false;         // Windows FILETIMEs (UTC) from extended header 0x41
  uint64_t creationTime = 0, writeTime = 0, accessTime = 0;
  uint64_t headerOffset = 0;         // where the header starts in the archive
  uint64_t headerSize = 0;           // bytes from headerOffset to the member data
  uint64_t dataOffset = 0;

  bool IsFolder() const { return method == "-lhd-"; }
  // Folders and name joined with "\" (what the listing shows with full paths).
  std::string Path() const;
};

enum class HeaderRead { kEntry, kEnd };

// Reads the header at `offset`. kEnd at an end marker or the end of the data. Never reads
// past the data; any inconsistent field gives kHeaderBroken, a bad checksum kHeaderCrc.
Status ReadHeader(InputFile& in, uint64_t offset, Entry* entry, HeaderRead* what);

// True when the bytes at `p` (at least 22 available) plausibly start a header; used to find
// the archive inside a self-extracting program.
bool LooksLikeHeader(const uint8_t* p, size_t available);

// Builds a level-2 header for `entry` (name, folders, sizes, CRC, attribute, times), with the
// header CRC extended header. Sizes above 4 GiB get the 64-bit size extended header.
std::vector<uint8_t> BuildLevel2Header(const Entry& entry);

// Time conversions. DOS times have no zone; these treat them like the Unix times as UTC.
uint32_t UnixToDos(int64_t unixTime);
int64_t DosToUnix(uint32_t dosTime);
uint64_t UnixToFileTime(int64_t unixTime);
int64_t FileTimeToUnix(uint64_t fileTime);

}  // namespace lzh
