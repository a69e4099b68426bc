// Per-file display times: the timer file, a private-profile file named without a folder (so it
// lives in the Windows folder) with one section "Timer" and one key per file, the key being the
// file's full path as the list holds it and the value its display time in seconds.
#pragma once
#include <string>

namespace platform {
class Profile;
}

namespace store {

extern const char kTimerFile[];     // "QUOVEL32.Tim"
extern const char kTimerSection[];  // "Timer"
constexpr int kMaxFileTimer = 32700;

class FileTimers {
 public:
  explicit FileTimers(platform::Profile& profile) : profile_(profile) {}

  // The file's display time in seconds; 0 when it has none, when the file or the key is missing
  // and when the value is not a number. The file is read afresh on every call (the user may
  // edit it at any time). A value above 32700 reads as 32700.
  int Read(const std::string& path) const;
  // Stores the display time; 0 (or less) removes the key, so 0 is never stored. Failures of the
  // profile call are not reported.
  void Write(const std::string& path, int seconds);

 private:
  platform::Profile& profile_;
};

}  // namespace store
