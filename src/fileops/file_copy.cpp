#include "fileops/file_copy.h"

#include "browse/shell_paths.h"
#include "platform/file_system.h"

namespace fileops {

const char kCopyFailed[] = "コピーに失敗しました";

std::string CopyFile(platform::FileSystem& fs, const std::string& from, const std::string& to,
                     const std::function<void()>& processMessages) {
  const browse::BufferProbe buffer = browse::ProbeBufferSize(processMessages);
  if (buffer.size == 0) return buffer.error;
  const std::string temp = to + ".~qv";
  // Copy deletes its own partial output; Replace keeps the old file unless it succeeds. A file
  // that is replaced goes only once its successor is on the disk.
  const bool replacing = fs.Attributes(to).has_value();
  if (!fs.Copy(from, temp, buffer.size, replacing).ok()) return kCopyFailed;
  if (!fs.Replace(temp, to).ok()) {
    fs.Delete(temp);
    return kCopyFailed;
  }
  return {};
}

}  // namespace fileops
