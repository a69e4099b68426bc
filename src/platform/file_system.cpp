#include "platform/file_system.h"

#include <algorithm>
#include <vector>

namespace platform {

namespace {
constexpr size_t kCopyBuffer = 64 * 1024;
}

bool FileSystem::DirectoryExists(const std::string& path) {
  std::optional<uint32_t> a = Attributes(path);
  return a && (*a & attr::kDirectory) != 0;
}

bool FileSystem::FileExists(const std::string& path) {
  std::optional<uint32_t> a = Attributes(path);
  return a && (*a & attr::kDirectory) == 0;
}

std::optional<std::string> FileSystem::ReadFile(const std::string& path, size_t maxBytes) {
  OpenedFile opened = Open(path, OpenMode::kRead, Share::kReadWrite);
  if (!opened.file) return std::nullopt;
  std::string data;
  std::vector<char> buffer(std::min(maxBytes, kCopyBuffer));
  while (data.size() < maxBytes) {
    size_t want = std::min(buffer.size(), maxBytes - data.size());
    std::optional<size_t> got = opened.file->Read(buffer.data(), want);
    if (!got) return std::nullopt;
    if (*got == 0) break;
    data.append(buffer.data(), *got);
  }
  return data;
}

OsResult FileSystem::WriteFile(const std::string& path, const std::string& data) {
  OpenedFile opened = Open(path, OpenMode::kCreate, Share::kNone);
  if (!opened.file) return opened.result;
  return opened.file->Write(data.data(), data.size());
}

OsResult FileSystem::WriteFileReplacing(const std::string& path, const std::string& data) {
  const std::string temp = path + "~new";
  OsResult written = WriteFile(temp, data);
  if (written) written = Replace(temp, path);
  if (!written) Delete(temp);
  return written;
}

OsResult FileSystem::Copy(const std::string& from, const std::string& to, size_t bufferSize, bool flush) {
  OpenedFile source = Open(from, OpenMode::kRead, Share::kRead);
  if (!source.file) return source.result;
  std::optional<FileTime> date = source.file->LastWriteTime();
  OpenedFile target = Open(to, OpenMode::kCreate, Share::kNone);
  if (!target.file) return target.result;

  OsResult result;
  std::vector<char> buffer(std::max<size_t>(bufferSize, 1));
  for (;;) {
    std::optional<size_t> got = source.file->Read(buffer.data(), buffer.size());
    if (!got) {
      result = OsResult::FromCode(code::kAccessDenied);
      break;
    }
    if (*got == 0) break;
    result = target.file->Write(buffer.data(), *got);
    if (!result) break;
  }
  if (result && date) result = target.file->SetLastWriteTime(*date);
  if (result && flush) result = target.file->Flush();
  target.file.reset();
  if (!result) Delete(to);
  return result;
}

}  // namespace platform
