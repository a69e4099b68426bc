#include "platform/file_system.h"

#include <algorithm>
#include <vector>

namespace platform {

std::optional<FindEntry> NameListedEntry(FindEntry entry, const std::optional<std::string>& longName,
                                         const std::string& shortName) {
  if (longName) {
    entry.name = *longName;
    entry.shortName = shortName;
    return entry;
  }
  if (shortName.empty()) return std::nullopt;
  entry.name = shortName;
  entry.shortName.clear();
  return entry;
}

namespace {
constexpr size_t kCopyBuffer = 64 * 1024;
constexpr int kTemporaryNames = 100;
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
  return WriteReplacing(path, [&](File& out) { return out.Write(data.data(), data.size()); });
}

OsResult ReadBlocks(File& source, size_t blockSize, const std::function<OsResult(std::string_view block)>& use) {
  std::vector<char> buffer(std::max<size_t>(blockSize, 1));
  for (;;) {
    const std::optional<size_t> got = source.Read(buffer.data(), buffer.size());
    if (!got) return OsResult::FromCode(code::kAccessDenied);
    if (*got == 0) return OsResult::Ok();
    const OsResult used = use(std::string_view(buffer.data(), *got));
    if (!used) return used;
  }
}

namespace {

// The bytes of `source` from where it stands into `target`, then the source's date (and, with
// `flush`, everything written through to the disk).
OsResult CopyBytes(File& source, File& target, size_t bufferSize, bool flush) {
  const std::optional<FileTime> date = source.LastWriteTime();
  OsResult result =
      ReadBlocks(source, bufferSize, [&](std::string_view block) { return target.Write(block.data(), block.size()); });
  if (!result) return result;
  if (date) result = target.SetLastWriteTime(*date);
  if (result && flush) result = target.Flush();
  return result;
}

}  // namespace

TemporaryFile FileSystem::CreateTemporary(const std::string& path) {
  TemporaryFile temp;
  for (int n = 0; n < kTemporaryNames; ++n) {
    temp.path = path + ".~qv" + (n == 0 ? std::string() : std::to_string(n));
    OpenedFile opened = Open(temp.path, OpenMode::kCreateNew, Share::kNone);
    temp.result = opened.result;
    if (opened.file) {
      temp.file = std::move(opened.file);
      return temp;
    }
    // Windows may answer "access denied" for a name that a folder has.
    if (temp.result.error != OsError::kAlreadyExists && !Attributes(temp.path)) break;
  }
  temp.path.clear();
  return temp;
}

OsResult FileSystem::Copy(const std::string& from, const std::string& to, size_t bufferSize, bool flush) {
  OpenedFile source = Open(from, OpenMode::kRead, Share::kRead);
  if (!source.file) return source.result;
  OpenedFile target = Open(to, OpenMode::kCreate, Share::kNone);
  if (!target.file) return target.result;
  OsResult result = CopyBytes(*source.file, *target.file, bufferSize, flush);
  target.file.reset();
  if (!result) Delete(to);
  return result;
}

OsResult FileSystem::WriteReplacing(const std::string& path, const std::function<OsResult(File& out)>& write) {
  TemporaryFile temp = CreateTemporary(path);
  if (!temp.file) return temp.result;
  OsResult result;
  try {
    result = write(*temp.file);
  } catch (...) {
    temp.file.reset();
    Delete(temp.path);
    throw;
  }
  temp.file.reset();
  if (result) result = Replace(temp.path, path);
  if (!result) Delete(temp.path);
  return result;
}

OsResult FileSystem::CopyReplacing(const std::string& from, const std::string& to, size_t bufferSize) {
  OpenedFile source = Open(from, OpenMode::kRead, Share::kRead);
  if (!source.file) return source.result;
  const bool replacing = Attributes(to).has_value();
  return WriteReplacing(to, [&](File& out) { return CopyBytes(*source.file, out, bufferSize, replacing); });
}

}  // namespace platform
