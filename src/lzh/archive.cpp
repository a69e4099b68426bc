#include "lzh/archive.h"

#include <algorithm>
#include <vector>

#include "lzh/crc16.h"
#include "lzh/decoder.h"
#include "lzh/names.h"

namespace lzh {
namespace {

constexpr uint64_t kScanLimit = 16u << 20;

constexpr uint64_t kMaxMemberSize = 0xFFF00000u;
constexpr size_t kCopyPiece = 1 << 16;

// A member's data read in order from its file, `size` bytes, with the CRC of what was read.
// Failed when the file ended (or could not be read) before.
class MemberReader final : public InputStream {
 public:
  MemberReader(InputFile& in, uint64_t size) : in_(in), size_(size) {}
  size_t Read(uint8_t* buffer, size_t size) override {
    const size_t want = static_cast<size_t>(std::min<uint64_t>(size, size_ - read_));
    const size_t got = want == 0 ? 0 : in_.ReadAt(read_, buffer, want);
    failed_ = failed_ || got < want;
    crc_.Update(buffer, got);
    read_ += got;
    return got;
  }
  bool Failed() const override { return failed_; }
  uint16_t Crc() const { return crc_.Value(); }

 private:
  InputFile& in_;
  uint64_t size_;
  uint64_t read_ = 0;
  bool failed_ = false;
  Crc16 crc_;
};

// Passes compressed data on while it stays smaller than the data itself.
class SmallerSink final : public OutputSink {
 public:
  SmallerSink(OutputSink& out, uint64_t size) : out_(out), size_(size) {}
  bool Write(const uint8_t* data, size_t size) override {
    if (written + size >= size_) {
      reachedSize = true;
      return false;
    }
    written += size;
    return out_.Write(data, size);
  }
  uint64_t written = 0;
  bool reachedSize = false;

 private:
  OutputSink& out_;
  uint64_t size_;
};

bool HeaderParses(InputFile& in, uint64_t offset) {
  Entry e;
  HeaderRead what;
  return Ok(ReadHeader(in, offset, &e, &what)) && what == HeaderRead::kEntry;
}

}  // namespace

Status ArchiveReader::Open() {
  opened_ = true;
  done_ = false;
  uint64_t size = in_.Size();
  uint8_t first[32] = {};
  size_t got = in_.ReadAt(0, first, sizeof first);
  if (got == 0 || (got == 1 && first[0] == 0)) {
    start_ = next_ = 0;
    done_ = true;
    return Status::kOk;
  }
  if (LooksLikeHeader(first, got) && HeaderParses(in_, 0)) {
    start_ = next_ = 0;
    return Status::kOk;
  }
  // Self-extracting program: look for the first well-formed header after the program.
  std::vector<uint8_t> buf(1 << 16);
  const uint64_t limit = std::min(size, kScanLimit);
  for (uint64_t base = 1; base < limit; base += buf.size() - 32) {
    size_t n = in_.ReadAt(base, buf.data(), buf.size());
    if (n < 22) break;
    for (size_t i = 0; i + 22 <= n; ++i) {
      if (buf[i + 2] != '-' || buf[i + 6] != '-') continue;
      if (LooksLikeHeader(&buf[i], n - i) && HeaderParses(in_, base + i)) {
        start_ = next_ = base + i;
        return Status::kOk;
      }
    }
    if (n < buf.size()) break;
  }
  done_ = true;
  return Status::kNotArchive;
}

Status ArchiveReader::Next(Entry* entry, bool* end) {
  *end = false;
  if (!opened_) {
    Status s = Open();
    if (!Ok(s)) return s;
  }
  if (done_) {
    *end = true;
    return Status::kOk;
  }
  HeaderRead what;
  Status s = ReadHeader(in_, next_, entry, &what);
  if (!Ok(s)) {
    done_ = true;
    return s;
  }
  if (what == HeaderRead::kEnd) {
    done_ = true;
    *end = true;
    return Status::kOk;
  }
  next_ = entry->dataOffset + entry->packedSize;
  if (next_ < entry->dataOffset) {  // sizes that wrap around
    done_ = true;
    return Status::kHeaderBroken;
  }
  return Status::kOk;
}

Status ArchiveReader::Extract(const Entry& entry, OutputSink& out) const { return DecodeMember(in_, entry, out); }

Status ReadEntries(InputFile& in, std::vector<Entry>* entries) {
  ArchiveReader reader(in);
  Status s = reader.Open();
  if (!Ok(s)) return s;
  for (;;) {
    Entry e;
    bool end;
    s = reader.Next(&e, &end);
    if (!Ok(s) || end) return s;
    entries->push_back(std::move(e));
  }
}

Status WriteMember(const NewMember& member, SeekableSink& out, const EncoderOptions& options) {
  MemoryInput memory(member.data, member.size);
  InputFile& in = member.input != nullptr ? *member.input : memory;
  const uint64_t size = in.Size();
  // The encoder addresses its input with 32-bit positions.
  if (size >= kMaxMemberSize) return Status::kTooLarge;
  Entry e = member.meta;
  e.originalSize = size;
  e.method = "-lh5-";
  // The header's length does not depend on what is filled in afterwards.
  const uint64_t headerAt = out.Position();
  std::vector<uint8_t> header = BuildLevel2Header(e);
  if (!out.Write(header.data(), header.size())) return Status::kMakeArchive;
  const uint64_t dataAt = out.Position();
  MemberReader packing(in, size);
  SmallerSink packed(out, size);
  const bool compressed = size > 0 && EncodeLh5(packing, packed, options);
  if (packing.Failed()) return Status::kNoSuchFile;
  if (compressed) {
    e.packedSize = packed.written;
    e.crc = packing.Crc();
  } else {
    if (size > 0 && !packed.reachedSize) return Status::kMakeArchive;
    // Not smaller: stored instead.
    if (!out.TruncateAt(dataAt)) return Status::kMakeArchive;
    MemberReader storing(in, size);
    std::vector<uint8_t> buffer(static_cast<size_t>(std::min<uint64_t>(size, kCopyPiece)));
    for (size_t got; (got = storing.Read(buffer.data(), buffer.size())) > 0;) {
      if (!out.Write(buffer.data(), got)) return Status::kMakeArchive;
    }
    if (storing.Failed()) return Status::kNoSuchFile;
    e.method = "-lh0-";
    e.packedSize = size;
    e.crc = storing.Crc();
  }
  header = BuildLevel2Header(e);
  return out.WriteAt(headerAt, header.data(), header.size()) ? Status::kOk : Status::kMakeArchive;
}

bool SameMemberPath(const std::string& a, const std::string& b) {
  auto norm = [](const std::string& s) {
    std::string u = UpperSjis(s);
    for (size_t i = 0; i < u.size(); ++i) {
      if (IsLeadByte(static_cast<unsigned char>(u[i]))) ++i;
      else if (u[i] == '/') u[i] = '\\';
    }
    return u;
  };
  return norm(a) == norm(b);
}

Status WriteArchive(InputFile* existing, const std::vector<NewMember>& members,
                    const std::function<bool(const Entry&)>& replaced, SeekableSink& out,
                    const EncoderOptions& options) {
  if (existing != nullptr && existing->Size() > 0) {
    ArchiveReader reader(*existing);
    Status s = reader.Open();
    if (!Ok(s)) return s;
    std::vector<uint8_t> buf(1 << 16);
    auto copy = [&](uint64_t from, uint64_t size) {
      while (size > 0) {
        size_t want = static_cast<size_t>(std::min<uint64_t>(size, buf.size()));
        if (existing->ReadAt(from, buf.data(), want) != want) return Status::kTruncated;
        if (!out.Write(buf.data(), want)) return Status::kMakeArchive;
        from += want;
        size -= want;
      }
      return Status::kOk;
    };
    s = copy(0, reader.FirstHeaderOffset());
    if (!Ok(s)) return s;
    for (;;) {
      Entry e;
      bool end;
      s = reader.Next(&e, &end);
      if (!Ok(s)) return s;
      if (end) break;
      if (replaced && replaced(e)) continue;
      s = copy(e.headerOffset, e.headerSize + e.packedSize);
      if (!Ok(s)) return s;
    }
  }
  for (const NewMember& m : members) {
    Status s = WriteMember(m, out, options);
    if (!Ok(s)) return s;
  }
  const uint8_t endMarker = 0;
  return out.Write(&endMarker, 1) ? Status::kOk : Status::kMakeArchive;
}

}  // namespace lzh
