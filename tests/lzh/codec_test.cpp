// The codec end to end: what the encoder writes decodes to the same bytes, the decoder follows
// the format's corners, and damaged data fails without crashing or hanging.
#include <gtest/gtest.h>

#include <algorithm>

#include "lzh/archive.h"
#include "lzh/crc16.h"
#include "lzh/decoder.h"
#include "lzh/encoder.h"
#include "lzh_test_util.h"

namespace {

using lzhtest::DataKind;
using lzhtest::MakeData;

std::vector<uint8_t> ArchiveOf(const std::vector<uint8_t>& data, const std::string& name = "DATA.BIN") {
  lzh::NewMember m;
  m.meta.name = name;
  m.data = data.data();
  m.size = data.size();
  lzh::VectorSink out;
  EXPECT_EQ(lzh::WriteArchive(nullptr, {m}, nullptr, out), lzh::Status::kOk);
  return out.bytes;
}

// Lists and decodes every member; returns the first error or kOk.
lzh::Status DecodeAll(const std::vector<uint8_t>& archive, std::vector<std::vector<uint8_t>>* members = nullptr) {
  lzh::MemoryInput in(archive);
  std::vector<lzh::Entry> entries;
  lzh::Status s = lzh::ReadEntries(in, &entries);
  for (const auto& e : entries) {
    lzh::VectorSink sink;
    lzh::Status d = lzh::DecodeMember(in, e, sink);
    if (lzh::Ok(s)) s = d;
    if (members) members->push_back(sink.bytes);
  }
  return s;
}

TEST(LzhCrc16, MatchesTheCheckValueOfItsPolynomial) {
  const char* check = "123456789";
  EXPECT_EQ(lzh::Crc16::Of(reinterpret_cast<const uint8_t*>(check), 9), 0xBB3D);
  // Split updates give the same value as one call.
  lzh::Crc16 c;
  c.Update(reinterpret_cast<const uint8_t*>(check), 4);
  c.Update(reinterpret_cast<const uint8_t*>(check) + 4, 5);
  EXPECT_EQ(c.Value(), 0xBB3D);
}

struct RoundTripCase {
  DataKind kind;
  size_t size;
  const char* method;  // expected method of the member
};

class LzhRoundTrip : public testing::TestWithParam<RoundTripCase> {};

TEST_P(LzhRoundTrip, DecodesToTheOriginalBytes) {
  const auto& c = GetParam();
  std::vector<uint8_t> data = MakeData(c.kind, c.size, static_cast<uint32_t>(c.size));
  std::vector<uint8_t> archive = ArchiveOf(data);
  lzh::MemoryInput in(archive);
  std::vector<lzh::Entry> entries;
  ASSERT_EQ(lzh::ReadEntries(in, &entries), lzh::Status::kOk);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].method, c.method);
  EXPECT_EQ(entries[0].originalSize, c.size);
  lzh::VectorSink sink;
  ASSERT_EQ(lzh::DecodeMember(in, entries[0], sink), lzh::Status::kOk);
  EXPECT_TRUE(sink.bytes == data) << "decoded bytes differ";
}

INSTANTIATE_TEST_SUITE_P(LzhKinds, LzhRoundTrip,
    testing::Values(RoundTripCase{DataKind::kText, 0, "-lh0-"}, RoundTripCase{DataKind::kText, 1, "-lh0-"},
                    RoundTripCase{DataKind::kZeros, 3, "-lh0-"}, RoundTripCase{DataKind::kText, 8191, "-lh5-"},
                    RoundTripCase{DataKind::kText, 8192, "-lh5-"}, RoundTripCase{DataKind::kText, 8193, "-lh5-"},
                    RoundTripCase{DataKind::kZeros, 65537, "-lh5-"}, RoundTripCase{DataKind::kRandom, 65537, "-lh0-"},
                    RoundTripCase{DataKind::kRepeatInside, 70000, "-lh5-"},
                    RoundTripCase{DataKind::kRepeatOutside, 70000, "-lh0-"},
                    RoundTripCase{DataKind::kMixed, 600000, "-lh5-"}, RoundTripCase{DataKind::kText, 1000000, "-lh5-"}));

TEST(LzhEncoder, UsesTheWholeWindowButNotBeyond) {
  // A random block repeated 8191 bytes later (the farthest distance) compresses to about half;
  // repeated 8193 bytes later it cannot be found and the member is stored.
  auto inside = ArchiveOf(MakeData(DataKind::kRepeatInside, 8191 * 2));
  auto outside = ArchiveOf(MakeData(DataKind::kRepeatOutside, 8193 * 2));
  EXPECT_LT(inside.size(), 8191 * 2 * 6 / 10);
  EXPECT_GT(outside.size(), 8193 * 2);
}

TEST(LzhEncoder, SplitsBlocksWhereTheDataChanges) {
  // Text, then random letters from a small alphabet: with one code table for both, the
  // letters would pay for the text's larger alphabet. Split, the whole costs no more than the
  // parts packed on their own.
  std::vector<uint8_t> text = MakeData(DataKind::kText, 60000);
  std::vector<uint8_t> letters(60000);
  std::mt19937 rng(3);
  for (auto& b : letters) b = static_cast<uint8_t>('a' + rng() % 8);
  std::vector<uint8_t> both = text;
  both.insert(both.end(), letters.begin(), letters.end());
  size_t apart = lzh::EncodeLh5(text.data(), text.size()).size() + lzh::EncodeLh5(letters.data(), letters.size()).size();
  size_t together = lzh::EncodeLh5(both.data(), both.size()).size();
  EXPECT_LE(together, apart + apart / 100);
  std::vector<std::vector<uint8_t>> members;
  ASSERT_EQ(DecodeAll(ArchiveOf(both), &members), lzh::Status::kOk);
  EXPECT_TRUE(members[0] == both);
}

// Hand-made streams: one block of one match with one-symbol code tables, whose distance
// reaches before the start of the data (where the history holds blanks).
struct FarMatch {
  const char* method;
  int pbit;       // size of the position table's count field
  int position;   // the one position code
  bool decodes;   // whether the method allows that code
};

class LzhFarMatch : public testing::TestWithParam<FarMatch> {};

TEST_P(LzhFarMatch, ReachesIntoBlankHistory) {
  const FarMatch& c = GetParam();
  std::vector<uint8_t> bits;
  uint64_t acc = 0;
  int n = 0;
  auto put = [&](int count, uint32_t v) {
    for (int i = count - 1; i >= 0; --i) {
      acc = (acc << 1) | ((v >> i) & 1);
      if (++n == 8) {
        bits.push_back(static_cast<uint8_t>(acc));
        acc = 0;
        n = 0;
      }
    }
  };
  put(16, 1);                           // one symbol in the block
  put(5, 0), put(5, 0);                 // code-length code: just symbol 0
  put(9, 0), put(9, 256 + 2);           // literal/length code: just "match of 5"
  put(c.pbit, 0), put(c.pbit, static_cast<uint32_t>(c.position));  // position code
  put(c.position - 1, 3);               // extra bits of the distance
  while (n) put(1, 0);
  const uint8_t blanks[] = "     ";
  lzh::Entry e;
  e.method = c.method;
  e.originalSize = 5;
  e.packedSize = bits.size();
  e.crc = lzh::Crc16::Of(blanks, 5);
  lzh::MemoryInput in(bits);
  lzh::VectorSink out;
  lzh::Status s = lzh::DecodeMember(in, e, out);
  if (!c.decodes) {
    EXPECT_EQ(s, lzh::Status::kBrokenData);
    return;
  }
  ASSERT_EQ(s, lzh::Status::kOk);
  EXPECT_EQ(std::string(out.bytes.begin(), out.bytes.end()), "     ");
}

INSTANTIATE_TEST_SUITE_P(LzhMethods, LzhFarMatch,
                         testing::Values(FarMatch{"-lh5-", 4, 5, true},     // distance 19
                                         FarMatch{"-lh5-", 4, 13, true},    // the largest -lh5- code
                                         FarMatch{"-lh5-", 4, 14, false},   // beyond -lh5-'s codes
                                         FarMatch{"-lh7-", 5, 16, true},    // the 64 KiB window
                                         // -lh7- data under the -lh6- label is accepted.
                                         FarMatch{"-lh6-", 5, 16, true},
                                         FarMatch{"-lh7-", 5, 17, false}));

TEST(LzhDecoder, TruncatedDataFailsAtEveryLength) {
  std::vector<uint8_t> archive = ArchiveOf(MakeData(DataKind::kText, 40000));
  for (size_t cut = 1; cut + 1 < archive.size(); cut += 97) {
    std::vector<uint8_t> part(archive.begin(), archive.begin() + static_cast<std::ptrdiff_t>(cut));
    EXPECT_NE(DecodeAll(part), lzh::Status::kOk) << "cut at " << cut;
  }
}

TEST(LzhDecoder, CorruptedDataNeverPassesAsGood) {
  const std::vector<uint8_t> data = MakeData(DataKind::kMixed, 30000);
  const std::vector<uint8_t> archive = ArchiveOf(data);
  lzh::MemoryInput probe(archive);
  std::vector<lzh::Entry> entries;
  ASSERT_EQ(lzh::ReadEntries(probe, &entries), lzh::Status::kOk);
  const size_t dataStart = static_cast<size_t>(entries[0].dataOffset);
  std::mt19937 rng(7);
  for (int i = 0; i < 300; ++i) {
    std::vector<uint8_t> bad = archive;
    size_t at = dataStart + rng() % (archive.size() - 1 - dataStart);
    bad[at] ^= static_cast<uint8_t>(1u << (rng() % 8));
    std::vector<std::vector<uint8_t>> members;
    lzh::Status s = DecodeAll(bad, &members);
    if (lzh::Ok(s)) {
      EXPECT_TRUE(members[0] == data) << "flip at " << at << " decoded to other data";
    }
  }
}

TEST(LzhDecoder, RefusesMethodsItDoesNotKnow) {
  for (const char* m : {"-lh1-", "-lh4-", "-lzs-", "-lhx-", "-pm2-"}) {
    lzh::Entry e;
    e.method = m;
    e.originalSize = 10;
    std::vector<uint8_t> none(10);
    lzh::MemoryInput in(none);
    lzh::NullSink sink;
    EXPECT_EQ(lzh::DecodeMember(in, e, sink), lzh::Status::kUnknownMethod) << m;
  }
}

struct LengthCase {
  const char* what;
  std::vector<uint32_t> freq;
};

class LzhCodeLengths : public testing::TestWithParam<LengthCase> {};

TEST_P(LzhCodeLengths, AreCompleteAndLimited) {
  const auto& freq = GetParam().freq;
  std::vector<uint8_t> len = lzh::LimitedCodeLengths(freq, 16);
  uint64_t kraft = 0;
  int used = 0;
  const bool anyCode = std::count_if(freq.begin(), freq.end(), [](uint32_t f) { return f != 0; }) >= 2;
  for (size_t i = 0; i < freq.size(); ++i) {
    // Fewer than two used symbols need no code at all (the format's one-symbol tables).
    EXPECT_EQ(anyCode && freq[i] != 0, len[i] != 0) << "symbol " << i;
    EXPECT_LE(len[i], 16);
    if (len[i]) kraft += uint64_t{1} << (16 - len[i]);
    used += freq[i] != 0;
  }
  if (used >= 2) {
    EXPECT_EQ(kraft, uint64_t{1} << 16) << "the code must be complete";
  }
}

std::vector<uint32_t> Fibonacci(int n) {
  std::vector<uint32_t> f{1, 1};
  while (static_cast<int>(f.size()) < n) f.push_back(f[f.size() - 1] + f[f.size() - 2]);
  return f;
}

INSTANTIATE_TEST_SUITE_P(LzhFrequencies, LzhCodeLengths,
                         testing::Values(LengthCase{"two", {5, 1}}, LengthCase{"one", {0, 9, 0}},
                                         LengthCase{"none", {0, 0, 0}}, LengthCase{"flat", std::vector<uint32_t>(510, 3)},
                                         LengthCase{"fibonacci", Fibonacci(30)},
                                         LengthCase{"sparse", {1, 0, 0, 1000000, 0, 1, 1, 0, 7}}),
                         [](const testing::TestParamInfo<LengthCase>& i) { return std::string(i.param.what); });

}  // namespace
