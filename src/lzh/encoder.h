// The -lh5- compressor: LZ77 over an 8 KiB window with hash chains and lazy matching, static
// Huffman blocks split where the statistics of the data change.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace lzh {

struct EncoderOptions {
  int maxChain = 128;     // hash-chain candidates examined per position
  int niceLength = 256;  // a match this long is taken without looking further
  int lazyLength = 64;   // no lazy search after a match at least this long
};

// Compresses `size` bytes into -lh5- data (the member data only, no header).
std::vector<uint8_t> EncodeLh5(const uint8_t* data, size_t size, const EncoderOptions& options = {});

// Code lengths of an optimal prefix code limited to `maxLength` bits (package-merge). Symbols
// with frequency 0 get length 0; with fewer than two used symbols every length is 0.
std::vector<uint8_t> LimitedCodeLengths(const std::vector<uint32_t>& freq, int maxLength);

}  // namespace lzh
