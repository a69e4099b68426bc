// Member data: -lh0- (stored), -lh5-, -lh6- and -lh7- (LZ77 with static Huffman blocks) and
// -lhd- (folders, no data). Decoding streams through a fixed-size buffer, so members of any
// size cost the same memory.
#pragma once
#include "lzh/header.h"
#include "lzh/io.h"
#include "lzh/status.h"

namespace lzh {

// Whether the codec can decode members of this method.
bool CanDecode(const std::string& method);

// Decodes the member described by `entry` from `in` into `out` and checks its CRC-16.
// Malformed data ends with kBrokenData, data cut short with kTruncated, a CRC mismatch with
// kFileCrc, a failed write with kCannotWrite; the loop never runs past originalSize.
Status DecodeMember(InputFile& in, const Entry& entry, OutputSink& out);

}  // namespace lzh
