#include "lzh/archive.h"

#include <algorithm>
#include <vector>

#include "lzh/crc16.h"
#include "lzh/decoder.h"
#include "lzh/names.h"

namespace lzh {
namespace {

constexpr uint64_t kScanLimit = 16u << 20;

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

Status WriteMember(const NewMember& member, OutputSink& out, const EncoderOptions& options) {
  // The encoder addresses its input with 32-bit positions.
  if (member.size >= 0xFFF00000u) return Status::kTooLarge;
  Entry e = member.meta;
  e.originalSize = member.size;
  e.crc = Crc16::Of(member.data, member.size);
  std::vector<uint8_t> packed;
  if (member.size > 0) packed = EncodeLh5(member.data, member.size, options);
  const uint8_t* body = packed.data();
  if (member.size == 0 || packed.size() >= member.size) {
    e.method = "-lh0-";
    e.packedSize = member.size;
    body = member.data;
  } else {
    e.method = "-lh5-";
    e.packedSize = packed.size();
  }
  std::vector<uint8_t> header = BuildLevel2Header(e);
  if (!out.Write(header.data(), header.size())) return Status::kMakeArchive;
  if (e.packedSize > 0 && !out.Write(body, static_cast<size_t>(e.packedSize))) return Status::kMakeArchive;
  return Status::kOk;
}

bool SameMemberPath(const std::string& a, const std::string& b) {
  auto norm = [](const std::string& s) {
    std::string u = UpperSjis(s);
    for (size_t i = 0; i < u.size(); ++i) {
      if (IsSjisLead(static_cast<unsigned char>(u[i]))) ++i;
      else if (u[i] == '/') u[i] = '\\';
    }
    return u;
  };
  return norm(a) == norm(b);
}

Status WriteArchive(InputFile* existing, const std::vector<NewMember>& members,
                    const std::function<bool(const Entry&)>& replaced, OutputSink& out,
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
