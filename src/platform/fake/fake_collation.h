// A deterministic stand-in for Windows' word sort: ASCII letters without case; hyphen and
// apostrophe weighed only when everything else is equal (so "co-op" stays beside "coop");
// punctuation before digits before letters before all other characters (half-width katakana and
// two-byte characters, in byte order).
#pragma once
#include "platform/collation.h"

namespace platform::fake {

class FakeCollation : public Collation {
 public:
  std::string SortKey(const std::string& text) override;
};

}  // namespace platform::fake
