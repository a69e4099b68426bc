// The list files of the memory lists: one full path per line, Shift-JIS, CR LF after every line
// (the last one too), an empty list is an empty file. Reading accepts CR LF, a lone CR or a lone
// LF as line end and keeps a last line without one. Also the counts' captions and the display
// name of a screen saver read from its file.
#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "browse/list_capacity.h"
#include "platform/os_result.h"

namespace platform {
class FileSystem;
class TextCodec;
}  // namespace platform

namespace store {

using browse::AtCapacity;
using browse::kListCapacity;

// List numbers: 0-9 are M0-M9, 10 the file history, 11 the exclusion list.
constexpr int kHistoryList = 10;
constexpr int kExclusionList = 11;

std::vector<std::string> ParseList(const std::string& bytes);
std::string FormatList(const std::vector<std::string>& entries);

// nullopt when the file cannot be read.
std::optional<std::vector<std::string>> LoadList(platform::FileSystem& fs, const std::string& path);
// Writes through a temporary file renamed over the old one.
platform::OsResult SaveList(platform::FileSystem& fs, const std::string& path, const std::vector<std::string>& entries);

// "M3 : 15ｺ", "HIS: 0ｺ", "EXT: 2ｺ".
std::string ListCaption(int listNumber, size_t count);

// The description a screen saver carries after "SCRNSAVE :" within its first 4096 bytes, or
// else its string resource 1 in the user's language (the name Windows shows for it); empty when
// the file cannot be read, is no program ("MZ") or carries neither.
std::string SaverDescription(platform::FileSystem& fs, platform::TextCodec& text, const std::string& path);
// The same, but nullopt when the file cannot be opened or read (a locked file may be read later).
std::optional<std::string> ReadSaverDescription(platform::FileSystem& fs, platform::TextCodec& text,
                                                const std::string& path);
// What a twin list shows for a path: the description of a .SCR file, else its file name; a
// .SCR file without a description shows its name without extension, first letter upper-cased.
std::string DisplayName(platform::FileSystem& fs, platform::TextCodec& text, const std::string& path);
// The same with the description of a .SCR path taken from `describe`.
std::string DisplayName(const std::string& path, const std::function<std::string(const std::string&)>& describe);

}  // namespace store
