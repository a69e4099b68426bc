// Sort keys of the user's locale (LCMapString), which order texts as CompareString does.
#pragma once
#include "platform/collation.h"

namespace platform::win32 {

class Win32Collation : public Collation {
 public:
  std::string SortKey(const std::string& text) override;
};

}  // namespace platform::win32
