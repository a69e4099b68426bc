// The -lh5- compressor: LZ77 over an 8 KiB window with hash chains and lazy matching, static
// Huffman blocks split where the statistics of the data change.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "lzh/io.h"

namespace lzh {

struct EncoderOptions {
  int maxChain = 128;     // hash-chain candidates examined per position
  int niceLength = 256;  // a match this long is taken without looking further
  int lazyLength = 64;   // no lazy search after a match at least this long
};

// Compresses what `in` gives up to its end into -lh5- data (the member data only, no header),
// written to `out` piece by piece as it is made: however large the input, only an 8 KiB window
// of it and one block of codes are held. False as soon as `out` refuses a piece (nothing more is
// compressed). Positions are 32-bit: input beyond 0xFFF00000 bytes is not read.
bool EncodeLh5(InputStream& in, OutputSink& out, const EncoderOptions& options = {});
// The same over bytes in memory.
std::vector<uint8_t> EncodeLh5(const uint8_t* data, size_t size, const EncoderOptions& options = {});

// Code lengths of an optimal prefix code limited to `maxLength` bits (package-merge). Symbols
// with frequency 0 get length 0; with fewer than two used symbols every length is 0.
std::vector<uint8_t> LimitedCodeLengths(const std::vector<uint32_t>& freq, int maxLength);

}  // namespace lzh
