#include "fileops/file_copy.h"

#include "browse/shell_paths.h"
#include "text/text_path.h"
#include "platform/file_system.h"

namespace fileops {

const char kCopyFailed[] = "コピーに失敗しました";

std::string CopyFile(platform::FileSystem& fs, const std::string& from, const std::string& to,
                     const std::function<void()>& processMessages) {
  const browse::BufferProbe buffer = browse::ProbeBufferSize(processMessages);
  if (buffer.size == 0) return buffer.error;
  return fs.CopyReplacing(from, to, buffer.size).ok() ? std::string() : kCopyFailed;
}

bool SameFile(platform::FileSystem& fs, const std::string& a, const std::string& b) {
  const std::optional<platform::FileId> idA = fs.Identity(a);
  const std::optional<platform::FileId> idB = fs.Identity(b);
  if (idA && idB) return *idA == *idB;
  // Where the system cannot tell, the 8.3 forms of the paths are compared.
  const std::optional<std::string> shortA = fs.ShortPath(a);
  const std::optional<std::string> shortB = fs.ShortPath(b);
  return shortA && shortB && text::SameText(*shortA, *shortB);
}

}  // namespace fileops
