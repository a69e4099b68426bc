#include "lzh/std_files.h"

#include <sys/stat.h>
#include <utime.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <filesystem>
#include <system_error>

#include "lzh/names.h"

namespace lzh {
namespace {

namespace fs = std::filesystem;

// Both separators work on every platform the codec runs on.
fs::path ToPath(const std::string& p) {
  std::string s = p;
#ifndef _WIN32
  for (size_t i = 0; i < s.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(s[i]))) ++i;  // its second byte may be 0x5C
    else if (s[i] == '\\') s[i] = '/';
  }
#endif
  return fs::path(s);
}

class StdOutputFile final : public OutputFile {
 public:
  explicit StdOutputFile(std::FILE* f) : f_(f) {}
  ~StdOutputFile() override {
    if (f_) std::fclose(f_);
  }
  bool Write(const uint8_t* data, size_t size) override {
    ok_ = ok_ && std::fwrite(data, 1, size, f_) == size;
    end_ += size;
    return ok_;
  }
  uint64_t Position() const override { return end_; }
  bool WriteAt(uint64_t offset, const uint8_t* data, size_t size) override {
    ok_ = ok_ && Seek(offset) && std::fwrite(data, 1, size, f_) == size && Seek(end_);
    return ok_;
  }
  bool TruncateAt(uint64_t offset) override {
    ok_ = ok_ && std::fflush(f_) == 0 && Truncate(offset) && Seek(offset);
    end_ = offset;
    return ok_;
  }
  bool Close() override {
    bool closed = std::fclose(f_) == 0;
    f_ = nullptr;
    return ok_ && closed;
  }

 private:
  bool Seek(uint64_t offset) {
#ifdef _WIN32
    return _fseeki64(f_, static_cast<long long>(offset), SEEK_SET) == 0;
#else
    return fseeko(f_, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
  }
  bool Truncate(uint64_t offset) {
#ifdef _WIN32
    return _chsize_s(_fileno(f_), static_cast<long long>(offset)) == 0;
#else
    return ftruncate(fileno(f_), static_cast<off_t>(offset)) == 0;
#endif
  }

  std::FILE* f_;
  bool ok_ = true;
  uint64_t end_ = 0;
};

}  // namespace

std::unique_ptr<StdFileInput> StdFileInput::Open(const std::string& path) {
  std::error_code ec;
  fs::path p = ToPath(path);
  if (!fs::is_regular_file(p, ec)) return nullptr;
  uint64_t size = fs::file_size(p, ec);
  if (ec) return nullptr;
  std::FILE* f = std::fopen(p.string().c_str(), "rb");
  if (!f) return nullptr;
  return std::unique_ptr<StdFileInput>(new StdFileInput(f, size));
}

StdFileInput::~StdFileInput() { std::fclose(f_); }

size_t StdFileInput::ReadAt(uint64_t offset, void* buffer, size_t size) {
  if (offset >= size_) return 0;
#ifdef _WIN32
  if (_fseeki64(f_, static_cast<long long>(offset), SEEK_SET) != 0) return 0;
#else
  if (fseeko(f_, static_cast<off_t>(offset), SEEK_SET) != 0) return 0;
#endif
  return std::fread(buffer, 1, size, f_);
}

std::unique_ptr<InputFile> StdFileStore::OpenRead(const std::string& path) { return StdFileInput::Open(path); }

std::unique_ptr<OutputFile> StdFileStore::Create(const std::string& path) {
  std::FILE* f = std::fopen(ToPath(path).string().c_str(), "wb");
  if (!f) return nullptr;
  return std::make_unique<StdOutputFile>(f);
}

std::unique_ptr<OutputFile> StdFileStore::CreateNew(const std::string& path) {
  std::FILE* f = std::fopen(ToPath(path).string().c_str(), "wbx");  // exclusive (C11)
  if (!f) return nullptr;
  return std::make_unique<StdOutputFile>(f);
}

bool StdFileStore::ReadInfo(const std::string& path, FileInfo* info) {
  struct stat st;
  if (stat(ToPath(path).string().c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  info->hasTimes = true;
  info->writeTime = info->creationTime = info->accessTime = UnixToFileTime(st.st_mtime);
  info->attribute = 0x20;
  return true;
}

bool StdFileStore::Exists(const std::string& path) {
  std::error_code ec;
  return fs::exists(ToPath(path), ec);
}

bool StdFileStore::IsFolder(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(ToPath(path), ec);
}

bool StdFileStore::MakeFolders(const std::string& path) {
  std::error_code ec;
  fs::create_directories(ToPath(path), ec);
  return fs::is_directory(ToPath(path), ec);
}

bool StdFileStore::Remove(const std::string& path) {
  std::error_code ec;
  return fs::remove(ToPath(path), ec);
}

bool StdFileStore::Replace(const std::string& from, const std::string& to) {
  std::error_code ec;
  fs::rename(ToPath(from), ToPath(to), ec);
  return !ec;
}

void StdFileStore::ApplyMetadata(const std::string& path, const Entry& entry) {
  int64_t unix = entry.hasFileTimes ? FileTimeToUnix(entry.writeTime) : DosToUnix(entry.dosTime);
  struct utimbuf times;
  times.actime = times.modtime = static_cast<time_t>(unix);
  utime(ToPath(path).string().c_str(), &times);
}

}  // namespace lzh
