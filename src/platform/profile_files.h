// Private-profile (INI) files read and written by the program's own code, byte for byte, so a
// file keeps its Shift-JIS keys whatever code page Windows runs with. Same rules as the Windows
// profile API: sections and keys compare with ASCII letters folded, blanks around keys and values
// are dropped, one pair of matching quotes around a value is dropped on reading, lines end with
// CR LF. A changed file is written whole through a temporary file, so it is never left cut short.
#pragma once
#include <string>

#include "platform/profile.h"

namespace platform {

class FileSystem;

class ProfileFiles : public Profile {
 public:
  explicit ProfileFiles(FileSystem& fs) : fs_(fs) {}

  // A missing or unreadable file reads as empty. A file that exists but cannot be read is never
  // written over: the change fails with the reason.
  std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                         const std::string& fallback) override;
  OsResult WriteString(const std::string& file, const std::string& section, const std::string& key,
                                 const std::string& value) override;
  OsResult DeleteKey(const std::string& file, const std::string& section, const std::string& key) override;

  // The file a profile name stands for: the name as given.
  virtual std::string PathOf(const std::string& file) { return file; }

 private:
  OsResult Change(const std::string& file, const std::string& section, const std::string& key,
                            const std::string* value);

  FileSystem& fs_;
};

}  // namespace platform
