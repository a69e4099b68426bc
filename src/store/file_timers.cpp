#include "store/file_timers.h"

#include <algorithm>
#include <cstdlib>

#include "platform/profile.h"

namespace store {

const char kTimerFile[] = "QUOVEL32.Tim";
const char kTimerSection[] = "Timer";

int FileTimers::Read(const std::string& path) const {
  std::string text = profile_.ReadString(kTimerFile, kTimerSection, path, "0");
  // Only a plain decimal number counts; a value the user mistyped in the editor means no timer.
  if (text.empty() || text.size() > 9) return 0;
  if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) return 0;
  return std::min(std::atoi(text.c_str()), kMaxFileTimer);
}

void FileTimers::Write(const std::string& path, int seconds) {
  if (seconds <= 0) {
    profile_.DeleteKey(kTimerFile, kTimerSection, path);
  } else {
    profile_.WriteString(kTimerFile, kTimerSection, path, std::to_string(std::min(seconds, kMaxFileTimer)));
  }
}

}  // namespace store
