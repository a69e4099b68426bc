// Reading and writing whole archives: finding the first header (also inside self-extracting
// programs), walking the members, and building a new archive from an old one plus new members.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "lzh/encoder.h"
#include "lzh/header.h"
#include "lzh/io.h"
#include "lzh/status.h"

namespace lzh {

class ArchiveReader {
 public:
  explicit ArchiveReader(InputFile& in) : in_(in) {}

  // Finds the first header: at the start, or (self-extracting programs) the first offset
  // within the first 16 MiB where a well-formed header starts. kNotArchive when there is none.
  // An empty file or a lone end marker is an archive without members.
  Status Open();
  // The next member; *end is set after the last one. Errors are final.
  Status Next(Entry* entry, bool* end);
  // Decodes a member returned by Next.
  Status Extract(const Entry& entry, OutputSink& out) const;
  uint64_t FirstHeaderOffset() const { return start_; }

 private:
  InputFile& in_;
  uint64_t start_ = 0;
  uint64_t next_ = 0;
  bool opened_ = false;
  bool done_ = false;
};

// Reads all member headers. Stops at the first error, which it returns (with the members
// read so far).
Status ReadEntries(InputFile& in, std::vector<Entry>* entries);

// A member to add: its stored name and folders, attribute and times, and its data: the file
// `input` (read as it is compressed), or without one the bytes at `data`.
struct NewMember {
  Entry meta;  // name, folders, attribute, dosTime and/or file times; the rest is computed
  InputFile* input = nullptr;
  const uint8_t* data = nullptr;
  size_t size = 0;
};

// Compresses a member (-lh5-, or -lh0- when that is not smaller) and writes header and data.
// The data is read and compressed piece by piece straight into `out`, and the header completed
// afterwards; compression stops as soon as it is no smaller than the data, which is then stored.
// kNoSuchFile when the input cannot be read to its end, kTooLarge from 0xFFF00000 bytes.
Status WriteMember(const NewMember& member, SeekableSink& out, const EncoderOptions& options = {});

// Writes a complete archive: the members of `existing` (copied byte for byte, any
// self-extracting prefix kept) except those that `replaced` says are replaced, then the new
// members, then the end marker. `existing` may be null for a new archive.
Status WriteArchive(InputFile* existing, const std::vector<NewMember>& members,
                    const std::function<bool(const Entry&)>& replaced, SeekableSink& out,
                    const EncoderOptions& options = {});

// Whether two stored paths name the same member (ASCII case ignored, "\" and "/" alike).
bool SameMemberPath(const std::string& a, const std::string& b);

}  // namespace lzh
