#include "lzh/encoder.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>

namespace lzh {
namespace {

constexpr int kNc = 510;
constexpr int kNt = 19;
constexpr int kNp = 14;
constexpr int kTbit = 5;
constexpr int kCbit = 9;
constexpr int kPbit = 4;
constexpr uint32_t kWindow = 8192;
constexpr size_t kMinMatch = 3;
constexpr size_t kMaxMatch = 256;
constexpr int kHashBits = 15;
constexpr uint32_t kNil = 0xFFFFFFFFu;
constexpr size_t kChunkTokens = 4096;
constexpr size_t kMaxBlockTokens = 65535;
constexpr uint32_t kTooFar = 4096;  // a three-byte match further away rarely pays
constexpr size_t kOutputPiece = 64 * 1024;
constexpr size_t kInputBuffer = 256 * 1024;
constexpr uint32_t kLookahead = 2 * kMaxMatch;  // a match and the positions it covers
constexpr uint32_t kMaxInput = 0xFFF00000u;

// Bits into bytes, handed to the sink in pieces of kOutputPiece bytes. After the sink refused a
// piece everything else is dropped.
class BitWriter {
 public:
  explicit BitWriter(OutputSink& out) : out_(out) { bytes_.reserve(kOutputPiece); }
  void Put(int n, uint32_t v) {
    if (n == 0) return;
    acc_ = (acc_ << n) | (v & ((1u << n) - 1));
    count_ += n;
    while (count_ >= 8) {
      count_ -= 8;
      bytes_.push_back(static_cast<uint8_t>(acc_ >> count_));
      if (bytes_.size() == kOutputPiece) Flush();
    }
  }
  void Finish() {
    if (count_ > 0) bytes_.push_back(static_cast<uint8_t>(acc_ << (8 - count_)));
    count_ = 0;
    Flush();
  }
  bool Failed() const { return failed_; }

 private:
  void Flush() {
    if (!failed_ && !bytes_.empty()) failed_ = !out_.Write(bytes_.data(), bytes_.size());
    bytes_.clear();
  }

  OutputSink& out_;
  std::vector<uint8_t> bytes_;
  uint64_t acc_ = 0;
  int count_ = 0;
  bool failed_ = false;
};

// The input as the match finder sees it, by absolute position: the bytes [base_, end_) are in
// one buffer, which is refilled so that kLookahead bytes after the current position are there
// until the input ends, while the kWindow bytes before it stay.
class InputWindow {
 public:
  explicit InputWindow(InputStream& in) : in_(in), buffer_(kInputBuffer) {}

  void Ensure(uint32_t pos) {
    if (ended_ || end_ - pos >= kLookahead) return;
    const uint32_t keep = std::max(base_, pos > kWindow ? pos - kWindow : 0);
    std::memmove(buffer_.data(), buffer_.data() + (keep - base_), end_ - keep);
    base_ = keep;
    while (!ended_ && end_ - base_ < buffer_.size()) {
      // Positions are 32-bit: input beyond kMaxInput is not read (callers refuse such sizes).
      const size_t room = std::min<size_t>(buffer_.size() - (end_ - base_), kMaxInput - end_);
      const size_t got = room == 0 ? 0 : in_.Read(buffer_.data() + (end_ - base_), room);
      if (got == 0) ended_ = true;
      end_ += static_cast<uint32_t>(got);
    }
  }
  const uint8_t* At(uint32_t pos) const { return buffer_.data() + (pos - base_); }
  // The end of what is there; the end of the input once it has been reached.
  uint32_t End() const { return end_; }

 private:
  InputStream& in_;
  std::vector<uint8_t> buffer_;
  uint32_t base_ = 0, end_ = 0;
  bool ended_ = false;
};

// Canonical codes for the lengths, as the decoder assigns them.
std::vector<uint16_t> CanonicalCodes(const std::vector<uint8_t>& len) {
  uint16_t count[17] = {};
  for (uint8_t l : len) ++count[l];
  count[0] = 0;
  uint16_t next[18] = {};
  uint32_t code = 0;
  for (int l = 1; l <= 16; ++l) {
    next[l] = static_cast<uint16_t>(code);
    code = (code + count[l]) << 1;
  }
  std::vector<uint16_t> codes(len.size());
  for (size_t i = 0; i < len.size(); ++i)
    if (len[i]) codes[i] = next[len[i]]++;
  return codes;
}

int PositionCode(uint32_t dist) {
  int p = 0;
  while (dist) {
    ++p;
    dist >>= 1;
  }
  return p;
}

struct Token {
  uint16_t code;  // literal byte, or 253 + match length
  uint16_t dist;  // match distance minus one
};

struct Stats {
  uint32_t c[kNc] = {};
  uint32_t p[kNp] = {};
  size_t tokens = 0;
  void Add(const Token& t) {
    ++c[t.code];
    if (t.code >= 256) ++p[PositionCode(t.dist)];
    ++tokens;
  }
  void Add(const Stats& o) {
    for (int i = 0; i < kNc; ++i) c[i] += o.c[i];
    for (int i = 0; i < kNp; ++i) p[i] += o.p[i];
    tokens += o.tokens;
  }
};

// Estimated size in bits of a block with these statistics: the entropy of its symbols plus
// a rough price for its code tables. Used only to decide where blocks end.
double EstimateBits(const Stats& s) {
  double bits = 0;
  auto part = [&](const uint32_t* f, int n, double perSymbolTable) {
    uint64_t total = 0;
    int used = 0;
    for (int i = 0; i < n; ++i) {
      total += f[i];
      used += f[i] != 0;
    }
    if (total == 0) return;
    double lt = std::log2(static_cast<double>(total));
    for (int i = 0; i < n; ++i)
      if (f[i]) bits += f[i] * (lt - std::log2(static_cast<double>(f[i])));
    bits += used * perSymbolTable;
  };
  part(s.c, kNc, 4.0);
  part(s.p, kNp, 3.5);
  return bits + 80;
}

class BlockWriter {
 public:
  explicit BlockWriter(BitWriter& bw) : bw_(bw) {}

  void Write(const Token* tokens, size_t n, const Stats& st) {
    bw_.Put(16, static_cast<uint32_t>(n));
    std::vector<uint32_t> cf(st.c, st.c + kNc), pf(st.p, st.p + kNp);
    std::vector<uint8_t> clen = LimitedCodeLengths(cf, 16);
    std::vector<uint8_t> plen = LimitedCodeLengths(pf, 16);
    int cUsed = Single(cf);
    if (cUsed >= 0) {
      bw_.Put(kTbit, 0);
      bw_.Put(kTbit, 0);
      bw_.Put(kCbit, 0);
      bw_.Put(kCbit, static_cast<uint32_t>(cUsed));
    } else {
      std::vector<uint32_t> tf(kNt, 0);
      CountTempFreq(clen, &tf);
      std::vector<uint8_t> tlen = LimitedCodeLengths(tf, 16);
      int tUsed = Single(tf);
      if (tUsed >= 0) {
        bw_.Put(kTbit, 0);
        bw_.Put(kTbit, static_cast<uint32_t>(tUsed));
        tlen.assign(kNt, 0);
      } else {
        WriteTempLengths(tlen, kNt, kTbit, 3);
      }
      WriteCharLengths(clen, tlen, CanonicalCodes(tlen));
    }
    int pUsed = Single(pf);
    if (pUsed >= 0) {
      bw_.Put(kPbit, 0);
      bw_.Put(kPbit, static_cast<uint32_t>(pUsed));
      plen.assign(kNp, 0);
    } else {
      WriteTempLengths(plen, kNp, kPbit, -1);
    }
    if (cUsed >= 0) clen.assign(kNc, 0);
    std::vector<uint16_t> ccode = CanonicalCodes(clen), pcode = CanonicalCodes(plen);
    for (size_t i = 0; i < n; ++i) {
      const Token& t = tokens[i];
      bw_.Put(clen[t.code], ccode[t.code]);
      if (t.code >= 256) {
        int p = PositionCode(t.dist);
        bw_.Put(plen[p], pcode[p]);
        if (p > 1) bw_.Put(p - 1, t.dist);  // the top bit is implied by the code
      }
    }
  }

 private:
  // The only used symbol when fewer than two are used (0 when none), else -1.
  static int Single(const std::vector<uint32_t>& f) {
    int used = 0, last = 0;
    for (size_t i = 0; i < f.size(); ++i)
      if (f[i]) {
        ++used;
        last = static_cast<int>(i);
      }
    return used <= 1 ? last : -1;
  }

  static int Trimmed(const std::vector<uint8_t>& len, int n) {
    while (n > 0 && len[n - 1] == 0) --n;
    return n;
  }

  static void CountTempFreq(const std::vector<uint8_t>& clen, std::vector<uint32_t>* tf) {
    int n = Trimmed(clen, kNc);
    for (int i = 0; i < n;) {
      int k = clen[i++];
      if (k == 0) {
        int count = 1;
        while (i < n && clen[i] == 0) {
          ++i;
          ++count;
        }
        if (count <= 2) (*tf)[0] += count;
        else if (count <= 18) ++(*tf)[1];
        else if (count == 19) {
          ++(*tf)[0];
          ++(*tf)[1];
        } else {
          ++(*tf)[2];
        }
      } else {
        ++(*tf)[k + 2];
      }
    }
  }

  void WriteTempLengths(const std::vector<uint8_t>& len, int nn, int nbit, int special) {
    int n = Trimmed(len, nn);
    bw_.Put(nbit, static_cast<uint32_t>(n));
    for (int i = 0; i < n;) {
      int k = len[i++];
      if (k <= 6) bw_.Put(3, static_cast<uint32_t>(k));
      else bw_.Put(k - 3, (1u << (k - 3)) - 2);  // "111", k-7 ones, a zero
      if (i == special) {
        int z = 0;
        while (i < 6 && i < n && len[i] == 0) {
          ++i;
          ++z;
        }
        bw_.Put(2, static_cast<uint32_t>(z));
      }
    }
  }

  void WriteCharLengths(const std::vector<uint8_t>& clen, const std::vector<uint8_t>& tlen,
                        const std::vector<uint16_t>& tcode) {
    int n = Trimmed(clen, kNc);
    bw_.Put(kCbit, static_cast<uint32_t>(n));
    auto put = [&](int sym) { bw_.Put(tlen[sym], tcode[sym]); };
    for (int i = 0; i < n;) {
      int k = clen[i++];
      if (k == 0) {
        int count = 1;
        while (i < n && clen[i] == 0) {
          ++i;
          ++count;
        }
        if (count <= 2) {
          for (int j = 0; j < count; ++j) put(0);
        } else if (count <= 18) {
          put(1);
          bw_.Put(4, static_cast<uint32_t>(count - 3));
        } else if (count == 19) {
          put(0);
          put(1);
          bw_.Put(4, 15);
        } else {
          put(2);
          bw_.Put(kCbit, static_cast<uint32_t>(count - 20));
        }
      } else {
        put(k + 2);
      }
    }
  }

  BitWriter& bw_;
};

// Gathers tokens into chunks and decides for each chunk whether it joins the open block or
// starts a new one, by comparing estimated sizes.
class BlockSplitter {
 public:
  explicit BlockSplitter(BitWriter& bw) : writer_(bw) { tokens_.reserve(kMaxBlockTokens + kChunkTokens); }

  void Add(Token t) {
    tokens_.push_back(t);
    chunk_.Add(t);
    if (chunk_.tokens == kChunkTokens) CloseChunk();
  }
  void Finish() {
    CloseChunk();
    FlushBlock();
  }

 private:
  void CloseChunk() {
    if (chunk_.tokens == 0) return;
    if (block_.tokens > 0) {
      bool full = block_.tokens + chunk_.tokens > kMaxBlockTokens;
      Stats merged = block_;
      merged.Add(chunk_);
      double separate = blockBits_ + EstimateBits(chunk_);
      if (full || EstimateBits(merged) > separate) {
        FlushBlock(chunk_.tokens);
        block_ = chunk_;
        blockBits_ = EstimateBits(block_);
        chunk_ = Stats{};
        return;
      }
      block_ = merged;
    } else {
      block_ = chunk_;
    }
    blockBits_ = EstimateBits(block_);
    chunk_ = Stats{};
  }

  // Writes the open block: all gathered tokens except the last `keep` ones.
  void FlushBlock(size_t keep = 0) {
    size_t n = tokens_.size() - keep;
    if (n == 0) return;
    writer_.Write(tokens_.data(), n, block_);
    tokens_.erase(tokens_.begin(), tokens_.begin() + static_cast<std::ptrdiff_t>(n));
    block_ = Stats{};
  }

  BlockWriter writer_;
  std::vector<Token> tokens_;
  Stats block_, chunk_;
  double blockBits_ = 0;
};

class MatchFinder {
 public:
  MatchFinder(const InputWindow& input, const EncoderOptions& o)
      : in_(input), opt_(o), head_(size_t{1} << kHashBits, kNil), prev_(kWindow, kNil) {}

  void Insert(uint32_t pos) {
    if (pos + kMinMatch > in_.End()) return;
    uint32_t h = Hash(pos);
    prev_[pos & (kWindow - 1)] = head_[h];
    head_[h] = pos;
  }

  // Longest match at `pos` (already inserted) longer than `atLeast`; returns its length.
  size_t Find(uint32_t pos, size_t atLeast, uint32_t* dist) const {
    size_t avail = in_.End() - pos;
    size_t maxLen = avail < kMaxMatch ? avail : kMaxMatch;
    if (maxLen < kMinMatch || atLeast >= maxLen) return 0;
    size_t best = atLeast;
    const uint8_t* cur = in_.At(pos);
    uint32_t cand = prev_[pos & (kWindow - 1)];
    int chain = best >= static_cast<size_t>(opt_.lazyLength) ? opt_.maxChain / 4 : opt_.maxChain;
    while (cand != kNil && pos - cand <= kWindow - 1 && chain-- > 0) {
      const uint8_t* m = in_.At(cand);
      if (m[best] == cur[best] && m[0] == cur[0] && m[1] == cur[1]) {
        size_t len = MatchLength(m, cur, maxLen);
        if (len > best) {
          best = len;
          *dist = pos - cand - 1;
          if (len >= maxLen || len >= static_cast<size_t>(opt_.niceLength)) break;
        }
      }
      uint32_t next = prev_[cand & (kWindow - 1)];
      if (next != kNil && next >= cand) break;  // the slot was reused by a newer position
      cand = next;
    }
    return best > atLeast ? best : 0;
  }

 private:
  uint32_t Hash(uint32_t pos) const {
    const uint8_t* p = in_.At(pos);
    uint32_t v = static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16);
    return (v * 2654435761u) >> (32 - kHashBits);
  }
  static size_t MatchLength(const uint8_t* a, const uint8_t* b, size_t maxLen) {
    size_t n = 0;
    while (n + 8 <= maxLen) {
      uint64_t x, y;
      std::memcpy(&x, a + n, 8);
      std::memcpy(&y, b + n, 8);
      if (x != y) return n + static_cast<size_t>(__builtin_ctzll(x ^ y) >> 3);
      n += 8;
    }
    while (n < maxLen && a[n] == b[n]) ++n;
    return n;
  }

  const InputWindow& in_;
  EncoderOptions opt_;
  std::vector<uint32_t> head_;
  std::vector<uint32_t> prev_;
};

}  // namespace

std::vector<uint8_t> LimitedCodeLengths(const std::vector<uint32_t>& freq, int maxLength) {
  const size_t n = freq.size();
  std::vector<uint8_t> len(n, 0);
  std::vector<uint32_t> used;
  for (size_t i = 0; i < n; ++i)
    if (freq[i]) used.push_back(static_cast<uint32_t>(i));
  const size_t m = used.size();
  if (m < 2) return len;
  std::stable_sort(used.begin(), used.end(), [&](uint32_t a, uint32_t b) { return freq[a] < freq[b]; });
  // Package-merge: nodes are leaves (left < 0 names the symbol) or pairs of earlier nodes.
  struct Node {
    uint64_t weight;
    int32_t left, right;
  };
  std::vector<Node> nodes;
  nodes.reserve(m * 2 * static_cast<size_t>(maxLength) + m);
  std::vector<int32_t> leaves(m);
  for (size_t i = 0; i < m; ++i) {
    leaves[i] = static_cast<int32_t>(nodes.size());
    nodes.push_back({freq[used[i]], -1 - static_cast<int32_t>(i), 0});
  }
  std::vector<int32_t> list = leaves, packages, merged;
  for (int level = 1; level < maxLength; ++level) {
    packages.clear();
    for (size_t i = 0; i + 1 < list.size(); i += 2) {
      packages.push_back(static_cast<int32_t>(nodes.size()));
      nodes.push_back({nodes[list[i]].weight + nodes[list[i + 1]].weight, list[i], list[i + 1]});
    }
    merged.clear();
    std::merge(leaves.begin(), leaves.end(), packages.begin(), packages.end(), std::back_inserter(merged),
               [&](int32_t a, int32_t b) { return nodes[a].weight < nodes[b].weight; });
    list.swap(merged);
  }
  std::vector<uint32_t> depth(m, 0);
  std::vector<int32_t> stack;
  for (size_t i = 0; i < 2 * m - 2 && i < list.size(); ++i) {
    stack.push_back(list[i]);
    while (!stack.empty()) {
      const Node& nd = nodes[stack.back()];
      stack.pop_back();
      if (nd.left < 0) {
        ++depth[static_cast<size_t>(-1 - nd.left)];
      } else {
        stack.push_back(nd.left);
        stack.push_back(nd.right);
      }
    }
  }
  for (size_t i = 0; i < m; ++i) len[used[i]] = static_cast<uint8_t>(depth[i]);
  return len;
}

bool EncodeLh5(InputStream& in, OutputSink& out, const EncoderOptions& options) {
  BitWriter bw(out);
  BlockSplitter blocks(bw);
  InputWindow input(in);
  MatchFinder mf(input, options);
  uint32_t pos = 0;
  size_t prevLen = 0;
  uint32_t prevDist = 0;
  bool pending = false;  // the byte before pos waits: literal, or the start of prevLen/prevDist
  for (;;) {
    input.Ensure(pos);
    if (pos >= input.End()) break;
    if (bw.Failed()) return false;
    mf.Insert(pos);
    uint32_t dist = 0;
    size_t len = 0;
    if (!pending || prevLen < static_cast<size_t>(options.lazyLength)) {
      len = mf.Find(pos, pending && prevLen >= kMinMatch ? prevLen : kMinMatch - 1, &dist);
      if (len == kMinMatch && dist >= kTooFar) len = 0;
    }
    if (pending && prevLen >= kMinMatch && len <= prevLen) {
      blocks.Add({static_cast<uint16_t>(253 + prevLen), static_cast<uint16_t>(prevDist)});
      uint32_t stop = pos - 1 + static_cast<uint32_t>(prevLen);
      for (++pos; pos < stop; ++pos) mf.Insert(pos);
      pending = false;
      prevLen = 0;
      continue;
    }
    if (pending) blocks.Add({*input.At(pos - 1), 0});
    pending = true;
    prevLen = len;
    prevDist = dist;
    ++pos;
  }
  if (pending) {
    if (prevLen >= kMinMatch) blocks.Add({static_cast<uint16_t>(253 + prevLen), static_cast<uint16_t>(prevDist)});
    else blocks.Add({*input.At(pos - 1), 0});
  }
  blocks.Finish();
  bw.Finish();
  return !bw.Failed();
}

std::vector<uint8_t> EncodeLh5(const uint8_t* data, size_t size, const EncoderOptions& options) {
  MemoryInput in(data, size);
  VectorSink out;
  out.bytes.reserve(size / 2 + 64);
  EncodeLh5(in, out, options);
  return std::move(out.bytes);
}

}  // namespace lzh
