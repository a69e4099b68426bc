// Profile on the Windows private-profile API (W functions). Where Windows maps a file to the
// registry (SYSTEM.INI on current systems), the API follows that mapping.
#pragma once
#include "platform/profile.h"

namespace platform::win32 {

class Win32Profile : public Profile {
 public:
  std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                         const std::string& fallback) override;
  OsResult WriteString(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& value) override;
  OsResult DeleteKey(const std::string& file, const std::string& section, const std::string& key) override;
};

}  // namespace platform::win32
