// Per-file display times: the timer file "QUOVEL32.Tim" in the data folder that stands for the
// Windows folder, a private-profile file with one section "Timer" and one key per file, the key
// being the file's full path as the list holds it and the value its display time in seconds. The
// file is Shift-JIS whatever code page Windows runs with.
#pragma once
#include <string>

#include "platform/profile_files.h"

namespace platform {
class FileSystem;
}

namespace store {

extern const char kTimerFile[];     // "QUOVEL32.Tim"
extern const char kTimerSection[];  // "Timer"
constexpr int kMaxFileTimer = 32700;

class FileTimers {
 public:
  // `folder` (with or without "\") holds the timer file.
  FileTimers(platform::FileSystem& fs, const std::string& folder);

  // The file's display time in seconds; 0 when it has none, when the file or the key is missing
  // and when the value is not a number. The file is read afresh on every call (the user may
  // edit it at any time). A value above 32700 reads as 32700.
  int Read(const std::string& path);
  // Stores the display time; 0 (or less) removes the key (every line of it), so 0 is never
  // stored. A path the file cannot hold is not written. Failures of the write are not reported.
  void Write(const std::string& path, int seconds);
  // Whether the file can hold a timer for the path: "=" would end its key.
  static bool CanHold(const std::string& path);

 private:
  platform::ProfileFiles profile_;
  std::string file_;
};

}  // namespace store
