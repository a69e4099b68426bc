#include "browse/file_info.h"

#include <cstdio>

#include "text/text_path.h"

namespace browse {

using namespace text;

const char kNoSize[] = "----------";
const char kNoDate[] = " yy/mm/dd day hh:mm:ss ----";

namespace {

const char* const kDayNames[7] = {"日", "月", "火", "水", "木", "金", "土"};

const char* DayName(int dayOfWeek) { return dayOfWeek >= 0 && dayOfWeek < 7 ? kDayNames[dayOfWeek] : "---"; }

}  // namespace

std::string IntervalText(int seconds) { return seconds == 0 ? "OFF" : std::to_string(seconds); }

std::string FormatFileDate(const platform::LocalTime& t) {
  const char* day = DayName(t.dayOfWeek);
  char text[64];
  std::snprintf(text, sizeof text, " %02d/%02d/%02d %s %02d:%02d:%02d ", t.year % 100, t.month, t.day, day, t.hour,
                t.minute, t.second);
  return text;
}

std::string FormatListDate(const platform::LocalTime& t) {
  const char* day = DayName(t.dayOfWeek);
  char text[64];
  std::snprintf(text, sizeof text, "%02d/%02d/%02d %02d:%02d:%02d %s", t.year % 100, t.month, t.day, t.hour, t.minute,
                t.second, day);
  return text;
}

std::string AttributeLetters(uint32_t attributes, bool upper) {
  std::string letters = "    ";
  const char* names = upper ? "RSHA" : "rsha";
  if (attributes & platform::attr::kReadOnly) letters[0] = names[0];
  if (attributes & platform::attr::kSystem) letters[1] = names[1];
  if (attributes & platform::attr::kHidden) letters[2] = names[2];
  if (attributes & platform::attr::kArchive) letters[3] = names[3];
  return letters;
}

FileInfoLine DescribeFile(platform::FileSystem& fs, const std::string& path) {
  FileInfoLine line;
  std::string folder, name;
  SplitFileName(path, folder, name);
  if (name.empty() || name.find_first_of("*?") != std::string::npos) return line;
  constexpr uint32_t kFiles = platform::attr::kReadOnly | platform::attr::kHidden | platform::attr::kSystem |
                              platform::attr::kArchive;
  for (const platform::FindEntry& e : fs.Find(path, kFiles)) {
    if (!SameText(e.name, name) || (e.attributes & platform::attr::kDirectory)) continue;
    line.found = true;
    line.size = std::to_string(e.size);
    line.date = FormatFileDate(fs.ToLocal(e.lastWrite)) + AttributeLetters(e.attributes);
    break;
  }
  return line;
}

std::string SizeText(uint64_t bytes, size_t width) {
  std::string digits = std::to_string(bytes);
  std::string text;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
    text += digits[i];
  }
  return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

}  // namespace browse
