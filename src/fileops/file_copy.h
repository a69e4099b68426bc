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
// file date. The bytes go into a temporary file beside `to`, which replaces `to` only once it is
// complete (and, when it replaces a file, on the disk): a failed copy leaves an existing `to` as
// it was and no temporary file behind. Returns an error text, empty on success. processMessages runs while the buffer is
// reserved (it may be empty).
std::string CopyFile(platform::FileSystem& fs, const std::string& from, const std::string& to,
                     const std::function<void()>& processMessages = {});

}  // namespace fileops
