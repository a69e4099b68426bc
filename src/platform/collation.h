// The order in which the platform's own sorted lists show names: case-insensitive and by words,
// as CompareString orders them, through one sort key per name so that long lists sort fast.
#pragma once
#include <string>

namespace platform {

class Collation {
 public:
  virtual ~Collation() = default;

  // The sort key of a text: keys compared as plain bytes (std::string's <) order their texts as
  // CompareString(LOCALE_USER_DEFAULT, NORM_IGNORECASE) does. Texts that differ only in the case
  // of their letters get equal keys.
  virtual std::string SortKey(const std::string& text) = 0;
};

}  // namespace platform
