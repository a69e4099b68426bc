// libFuzzer target for the archive reader: any input is read as an archive, every member is
// listed and decoded (output capped), and the archiver's list and test commands run over it.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "lzh/archive.h"
#include "lzh/decoder.h"
#include "lzh/listing.h"

namespace {

// Stops a member after 4 MiB: a few bytes can legitimately describe gigabytes.
class CappedSink final : public lzh::OutputSink {
 public:
  bool Write(const uint8_t*, size_t size) override {
    total_ += size;
    return total_ <= (4u << 20);
  }

 private:
  size_t total_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  lzh::MemoryInput in(data, size);
  std::vector<lzh::Entry> entries;
  lzh::ReadEntries(in, &entries);
  lzh::FormatListing(entries, true);
  for (const lzh::Entry& e : entries) {
    CappedSink sink;
    lzh::DecodeMember(in, e, sink);
  }
  return 0;
}
