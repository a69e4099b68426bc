#include "lzh/decoder.h"

#include <cstring>
#include <memory>
#include <vector>

#include "lzh/crc16.h"
#include "lzh/huffman_decode.h"

namespace lzh {
namespace {

constexpr size_t kHistory = 1 << 16;   // the largest window (-lh7-) plus one
constexpr size_t kChunk = 1 << 18;     // output gathered before it is written
constexpr size_t kSlack = 512;         // room for a match and word-sized copies past the end
constexpr int kNc = 510;               // literals and match lengths 3..256
constexpr int kNt = 19;                // code-length codes
constexpr int kTbit = 5;
constexpr int kCbit = 9;

struct MethodParams {
  int np;    // position codes the table may have
  int pbit;  // bits of the position table's size field
};

bool ParamsFor(const std::string& m, MethodParams* p) {
  if (m == "-lh5-") *p = {14, 4};
  // Some writers put -lh7- data (17 position codes) under the -lh6- label; the history
  // buffer covers both windows, so -lh6- accepts the larger table.
  else if (m == "-lh6-") *p = {17, 5};
  else if (m == "-lh7-") *p = {17, 5};
  else return false;
  return true;
}

// Output side: history plus pending bytes, flushed through the CRC to the sink.
class Window {
 public:
  explicit Window(OutputSink& out) : out_(out), buf_(new uint8_t[kHistory + kChunk + kSlack]) {
    // Writers that refer to bytes before the start of the data expect blanks there.
    std::memset(buf_.get(), ' ', kHistory);
  }
  uint8_t* Data() { return buf_.get(); }
  bool NeedsFlush(size_t pos) const { return pos >= kHistory + kChunk; }
  bool Flush(size_t* pos) {
    size_t n = *pos - kHistory;
    if (n == 0) return true;
    crc_.Update(buf_.get() + kHistory, n);
    if (!out_.Write(buf_.get() + kHistory, n)) return false;
    std::memmove(buf_.get(), buf_.get() + *pos - kHistory, kHistory);
    *pos = kHistory;
    return true;
  }
  uint16_t Crc() const { return crc_.Value(); }

 private:
  OutputSink& out_;
  std::unique_ptr<uint8_t[]> buf_;
  Crc16 crc_;
};

Status ReadTempLengths(BitReader& br, int nn, int nbit, int special, HuffmanDecoder* table) {
  int n = static_cast<int>(br.Get(nbit));
  if (n == 0) {
    int c = static_cast<int>(br.Get(nbit));
    if (c >= nn) return Status::kBrokenData;
    table->BuildSingle(c);
    return Status::kOk;
  }
  if (n > nn) return Status::kBrokenData;
  uint8_t len[32] = {};
  int i = 0;
  while (i < n) {
    br.Ensure(24);
    int c = static_cast<int>(br.Get(3));
    if (c == 7) {
      while (br.Get(1)) {
        if (++c > 16) return Status::kBrokenData;
      }
    }
    len[i++] = static_cast<uint8_t>(c);
    if (i == special) {
      int zeros = static_cast<int>(br.Get(2));
      while (zeros-- > 0 && i < nn) len[i++] = 0;
    }
  }
  return table->Build(len, nn, 8) ? Status::kOk : Status::kBrokenData;
}

Status ReadCharLengths(BitReader& br, const HuffmanDecoder& temp, HuffmanDecoder* table) {
  int n = static_cast<int>(br.Get(kCbit));
  if (n == 0) {
    int c = static_cast<int>(br.Get(kCbit));
    if (c >= kNc) return Status::kBrokenData;
    table->BuildSingle(c);
    return Status::kOk;
  }
  if (n > kNc) return Status::kBrokenData;
  uint8_t len[kNc] = {};
  int i = 0;
  while (i < n) {
    br.Ensure(32);
    int c = temp.Decode(br);
    if (c < 0) return Status::kBrokenData;
    if (c <= 2) {
      int count = c == 0 ? 1 : c == 1 ? static_cast<int>(br.Get(4)) + 3 : static_cast<int>(br.Get(kCbit)) + 20;
      if (i + count > kNc) return Status::kBrokenData;
      i += count;  // the lengths are already zero
    } else {
      len[i++] = static_cast<uint8_t>(c - 2);
    }
  }
  return table->Build(len, kNc, 12) ? Status::kOk : Status::kBrokenData;
}

Status DecodeLh(BitReader& br, const MethodParams& mp, uint64_t size, Window& win) {
  HuffmanDecoder temp, chars, positions;
  uint8_t* buf = win.Data();
  size_t pos = kHistory;
  uint64_t remaining = size;
  uint32_t blockLeft = 0;
  while (remaining > 0) {
    if (blockLeft == 0) {
      br.Ensure(16);
      blockLeft = br.Get(16);
      Status s = ReadTempLengths(br, kNt, kTbit, 3, &temp);
      if (Ok(s)) s = ReadCharLengths(br, temp, &chars);
      if (Ok(s)) s = ReadTempLengths(br, mp.np, mp.pbit, -1, &positions);
      if (!Ok(s)) return s;
      if (br.Overrun()) return Status::kBrokenData;
      continue;
    }
    --blockLeft;
    br.Ensure(48);
    int c = chars.Decode(br);
    if (c < 0) return Status::kBrokenData;
    if (c < 256) {
      buf[pos++] = static_cast<uint8_t>(c);
      --remaining;
    } else {
      size_t len = static_cast<size_t>(c - 253);
      int p = positions.Decode(br);
      if (p < 0) return Status::kBrokenData;
      size_t dist = p == 0 ? 0 : (size_t{1} << (p - 1)) + br.Get(p - 1);
      if (len > remaining) len = static_cast<size_t>(remaining);
      const uint8_t* src = buf + pos - dist - 1;
      uint8_t* dst = buf + pos;
      if (dist + 1 >= 8) {
        // Word copies: each reads bytes written at least eight bytes earlier.
        for (size_t k = 0; k < len; k += 8) std::memcpy(dst + k, src + k, 8);
      } else if (dist == 0) {
        std::memset(dst, *src, len);
      } else {
        // A short period: lay down one word of the pattern, then copy whole periods.
        for (size_t k = 0; k < 8; ++k) dst[k] = src[k];
        const size_t step = 8 - 8 % (dist + 1);
        for (size_t k = 8; k < len; k += step) std::memcpy(dst + k, dst + k - step, step);
      }
      pos += len;
      remaining -= len;
    }
    if (br.Overrun()) return Status::kBrokenData;
    if (win.NeedsFlush(pos) && !win.Flush(&pos)) return Status::kCannotWrite;
  }
  return win.Flush(&pos) ? Status::kOk : Status::kCannotWrite;
}

Status CopyStored(InputFile& in, uint64_t offset, uint64_t size, OutputSink& out, uint16_t* crc) {
  std::vector<uint8_t> buf(1 << 16);
  Crc16 c;
  while (size > 0) {
    size_t want = size < buf.size() ? static_cast<size_t>(size) : buf.size();
    size_t got = in.ReadAt(offset, buf.data(), want);
    if (got != want) return Status::kTruncated;
    c.Update(buf.data(), got);
    if (!out.Write(buf.data(), got)) return Status::kCannotWrite;
    offset += got;
    size -= got;
  }
  *crc = c.Value();
  return Status::kOk;
}

}  // namespace

bool CanDecode(const std::string& method) {
  MethodParams p;
  return method == "-lh0-" || method == "-lhd-" || ParamsFor(method, &p);
}

Status DecodeMember(InputFile& in, const Entry& entry, OutputSink& out) {
  if (entry.IsFolder()) return Status::kOk;
  uint16_t crc = 0;
  if (entry.method == "-lh0-") {
    if (entry.packedSize != entry.originalSize) return Status::kHeaderBroken;
    Status s = CopyStored(in, entry.dataOffset, entry.originalSize, out, &crc);
    if (!Ok(s)) return s;
  } else {
    MethodParams mp;
    if (!ParamsFor(entry.method, &mp)) return Status::kUnknownMethod;
    BitReader br(in, entry.dataOffset, entry.packedSize);
    Window win(out);
    Status s = DecodeLh(br, mp, entry.originalSize, win);
    if (!Ok(s)) {
      if (s == Status::kBrokenData && br.PastFileEnd()) return Status::kTruncated;
      return s;
    }
    crc = win.Crc();
  }
  return crc == entry.crc ? Status::kOk : Status::kFileCrc;
}

}  // namespace lzh
