// The file information line under the browser: size, date and attributes of one file, as the
// labels Label3 and Label4 show them.
#pragma once
#include <string>

#include "platform/file_system.h"

namespace browse {

// What the labels show before a file is found, and for a missing one.
extern const char kNoSize[];  // "----------"
extern const char kNoDate[];  // " yy/mm/dd day hh:mm:ss ----"

struct FileInfoLine {
  bool found = false;
  std::string size = kNoSize;  // bytes in decimal
  std::string date = kNoDate;  // " yy/mm/dd ddd hh:mm:ss " + "rsha" letters
};

// The play interval or a display time as the information line shows it: the seconds, "OFF" for 0.
std::string IntervalText(int seconds);
// " 24/01/01 月 09:05:00 ": two-digit year, Japanese day name, 24-hour time.
std::string FormatFileDate(const platform::LocalTime& t);
// "24/01/01 09:05:00 月": the date as the browse dialog's file list shows it.
std::string FormatListDate(const platform::LocalTime& t);
// "r", "s", "h", "a" for read-only, system, hidden and archive, a blank for each bit not set
// ("R", "S", "H", "A" with `upper`).
std::string AttributeLetters(uint32_t attributes, bool upper = false);
// A count with thousands separators, right-aligned in `width` characters ("   1,234").
std::string SizeText(uint64_t bytes, size_t width = 8);
// Looks the file up (read-only, hidden, system and archive files included; folders are not
// files) and describes it; the placeholders when it is not there.
FileInfoLine DescribeFile(platform::FileSystem& fs, const std::string& path);

}  // namespace browse
