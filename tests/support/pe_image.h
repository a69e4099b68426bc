// A small executable image built in memory for tests: a DOS header, a 32- or 64-bit PE header
// and one resource section holding string resource 1 in the given languages.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

struct PeStrings {
  bool wide = false;                                         // a 64-bit image
  std::vector<std::pair<uint16_t, std::u16string>> names;    // language, string 1
  size_t resourcesAt = 0x400;                                // where the resource section lies in the file
};

// The bytes of the image; `head` goes into the DOS stub (e.g. a "SCRNSAVE :" text).
std::string PeImage(const PeStrings& strings, const std::string& head = {});

}  // namespace testsupport
