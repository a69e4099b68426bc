// The texts behind the viewer commands of the file menu: the command a file type registers, the
// hexadecimal dump of a file's first 4 KB, the reformatted view of a web page's text, a web page
// without CR bytes, and the rows of the drive free-space report.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace platform {
class Registry;
}

namespace fileops {

// A registered command (upper-cased) made into a command line for `path`: a leading
// %SYSTEMROOT% becomes `windowsFolder` (without "\"), the first %x the path, a second %x goes.
// Empty when a third placeholder remains. Without a placeholder the path follows after a blank.
std::string FillAssociation(const std::string& registered, const std::string& path, const std::string& windowsFolder);

// What 開く or 再生 does with a file: the shell's verbs to try in order (none: go straight to the
// command), then the command line to start.
struct Opening {
  std::vector<std::string> verbs;
  std::string command;
};

// What 開く (or 再生 with `play`) does with `path`: a screen saver ("MZ" at its start) starts
// itself, with /s for `execute` else /c; any other file through its type's command under the
// classes root (the "play" verb first when `play`, else and as fallback "open"), its environment
// variables expanded. When no command line can be built (no type, a verb carried out by a
// handler, too many placeholders) the shell is asked for the same verbs, and the file is shown in
// the text editor when it knows none of them. Batch and registry files are only ever shown.
Opening OpenCommand(platform::Registry& registry, platform::FileSystem& fs, const std::string& path, bool play,
                    bool execute, const std::string& windowsFolder);

// The rows of a hexadecimal dump: "ofs" in three hex digits, 16 bytes in hex, then the bytes as
// text, Shift-JIS characters whole even across rows; control bytes as "^" + letter.
std::vector<std::string> DumpRows(const std::string& bytes);

// The text of a web page as report rows, made block by block: CR dropped, LF ends a row (control
// bytes after it still belong to that row), consecutive LFs give empty rows, a last row is kept
// when it has text. Each block's text, rows ended by CR LF, goes to `out` as it is decided, so
// nothing but the block is held however large the page is.
class Reformatter {
 public:
  explicit Reformatter(std::function<void(const std::string& text)> out) : out_(std::move(out)) {}
  void Add(std::string_view bytes);
  void Finish();

 private:
  std::function<void(const std::string& text)> out_;
  std::string text_;
  bool ended_ = false;    // the row was ended by LF and waits for what comes next
  bool hasText_ = false;  // the row has bytes
};

// `head`, then the reformatted text of the file `page` (read block by block), written to `out`.
platform::OsResult WriteReformatted(platform::FileSystem& fs, const std::string& page, const std::string& head,
                                    platform::File& out);
// The file `page` without its CR bytes, read block by block while no one else may open it, and
// written to `out`.
platform::OsResult WriteWithoutCarriageReturns(platform::FileSystem& fs, const std::string& page, platform::File& out);

// One row of the free-space report for drive `letter`; nullopt space is a drive not ready.
// Minutes are those of 44.1 kHz 16-bit stereo sound (10,584,000 bytes a minute).
std::string DriveRow(char letter, const std::optional<platform::DiskSpace>& space);

}  // namespace fileops
