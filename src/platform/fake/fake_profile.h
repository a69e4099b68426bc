// Private-profile files kept as real INI text in a FileSystem (normally the fake one), read and
// written the way the Windows profile API does it, so tests can look at the file bytes.
#pragma once
#include <string>

#include "platform/desktop.h"
#include "platform/file_system.h"
#include "platform/profile.h"

namespace platform::fake {

class FakeProfile : public Profile {
 public:
  // A file named without a folder lives in desktop.WindowsFolder().
  FakeProfile(FileSystem& fs, Desktop& desktop) : fs_(fs), desktop_(desktop) {}

  std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                         const std::string& fallback) override;
  OsResult WriteString(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& value) override;
  OsResult DeleteKey(const std::string& file, const std::string& section, const std::string& key) override;

  // The file a profile name stands for.
  std::string PathOf(const std::string& file);

 private:
  OsResult Change(const std::string& file, const std::string& section, const std::string& key,
                  const std::string* value);

  FileSystem& fs_;
  Desktop& desktop_;
};

}  // namespace platform::fake
