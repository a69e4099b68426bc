// The program's file copy, used wherever a file is copied for the user (the copy and move
// commands, archives, shortcuts, the installer).
#pragma once
#include <functional>
#include <string>

namespace platform {
class FileSystem;
}

namespace fileops {

// What a failed copy reports.
extern const char kCopyFailed[];  // "コピーに失敗しました"

// Copies `from` to `to` with the largest buffer the program may use and gives `to` the source's
// file date. The bytes go into a new temporary file beside `to` under a name no file had, which
// replaces `to` only once it is complete (and, when it replaces a file, on the disk): a failed
// copy leaves an existing `to` as it was and no temporary file behind, and no other file is
// touched. Returns an error text, empty on success. processMessages runs while the buffer is
// reserved (it may be empty).
std::string CopyFile(platform::FileSystem& fs, const std::string& from, const std::string& to,
                     const std::function<void()>& processMessages = {});

// Whether two existing paths name one file under different spellings (another drive letter or
// network path for its folder, a junction, an 8.3 name, a hard link).
bool SameFile(platform::FileSystem& fs, const std::string& a, const std::string& b);

}  // namespace fileops
