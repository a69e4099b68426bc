#include "store/file_timers.h"

#include <algorithm>
#include <cstdlib>

#include "text/text_path.h"

namespace store {

const char kTimerFile[] = "QUOVEL32.Tim";
const char kTimerSection[] = "Timer";

FileTimers::FileTimers(platform::FileSystem& fs, const std::string& folder)
    : profile_(fs), file_(text::AddYen(folder) + kTimerFile) {}

int FileTimers::Read(const std::string& path) {
  std::string text = profile_.ReadString(file_, kTimerSection, path, "0");
  // Only a plain decimal number counts; a value the user mistyped in the editor means no timer.
  if (text.empty() || text.size() > 9) return 0;
  if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) return 0;
  return std::min(std::atoi(text.c_str()), kMaxFileTimer);
}

bool FileTimers::CanHold(const std::string& path) { return path.find('=') == std::string::npos; }

void FileTimers::Write(const std::string& path, int seconds) {
  // "=" is never the second byte of a two-byte character.
  if (!CanHold(path)) return;
  if (seconds <= 0) {
    profile_.DeleteKey(file_, kTimerSection, path);
  } else {
    profile_.WriteString(file_, kTimerSection, path, std::to_string(std::min(seconds, kMaxFileTimer)));
  }
}

}  // namespace store
