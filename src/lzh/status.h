// Result codes of the LZH codec and archiver. The values are the archiver library's error codes
// (the 0x8000 range), so the DLL can hand them to its callers unchanged.
#pragma once
#include <cstdint>

namespace lzh {

enum class Status : int {
  kOk = 0,
  kUnknownMethod = 0x8005,   // member packed with a method this codec does not decode
  kFileOpen = 0x8009,        // an output file could not be created
  kFileCrc = 0x800C,         // member data does not match its CRC
  kCannotWrite = 0x8011,     // writing an output file failed
  kBrokenData = 0x8012,      // compressed data is malformed (bad table, bad code, overrun)
  kHeaderCrc = 0x8016,       // header CRC mismatch
  kHeaderBroken = 0x8017,    // header fields inconsistent or truncated
  kArchiveOpen = 0x8018,     // the archive file could not be opened or read
  kNotArchive = 0x8019,      // no LZH header found
  kCommand = 0x801A,         // unknown command or malformed command line
  kAlreadyRunning = 0x801D,  // the library is busy with another call
  kBadHandle = 0x8020,       // unknown archive handle
  kUnsafeName = 0x8022,      // entry name would leave the destination folder or is unusable
  kNoSuchFile = 0x8023,      // a file to add does not exist or cannot be read
  kMakeArchive = 0x8024,     // the archive could not be written
  kMakeDirectory = 0x8025,   // the destination folder could not be created
  kTruncated = 0x8026,       // the archive ends inside a member
  kTooLarge = 0x8027,        // a member is too large for the operation
  kNoMemory = 0x8028,        // memory ran out
  kUnexpected = 0x8029,      // a failure nobody foresaw, caught at the library's edge
};

inline bool Ok(Status s) { return s == Status::kOk; }
const char* StatusText(Status s);

}  // namespace lzh
