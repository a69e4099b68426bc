// Private-profile (INI) files through the Windows profile API: sections and keys compare
// case-insensitively, blanks around keys and values are dropped, and a file named without a
// folder lives in the Windows folder. Files are Shift-JIS text with CR LF line ends.
#pragma once
#include <string>

#include "platform/os_result.h"

namespace platform {

class Profile {
 public:
  virtual ~Profile() = default;

  // The value of `key` in `section`, or `fallback` when the file, the section or the key is
  // missing. A value written between matching quotes is returned without them.
  virtual std::string ReadString(const std::string& file, const std::string& section,
                                 const std::string& key, const std::string& fallback) = 0;
  // Sets `key` = `value`, adding the section, the key or the file as needed.
  virtual OsResult WriteString(const std::string& file, const std::string& section,
                               const std::string& key, const std::string& value) = 0;
  // Removes the key; a missing key, section or file is not an error.
  virtual OsResult DeleteKey(const std::string& file, const std::string& section,
                             const std::string& key) = 0;
};

}  // namespace platform
