#include "lzh/win32/win32_file_store.h"

#include <windows.h>

#include "text/sjis_codec.h"

#include <vector>

namespace lzh::win32 {
namespace {

class HandleInput final : public InputFile {
 public:
  HandleInput(HANDLE h, uint64_t size) : h_(h), size_(size) {}
  ~HandleInput() override { CloseHandle(h_); }
  uint64_t Size() const override { return size_; }
  size_t ReadAt(uint64_t offset, void* buffer, size_t size) override {
    if (offset >= size_) return 0;
    OVERLAPPED ov = {};
    ov.Offset = static_cast<DWORD>(offset);
    ov.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD got = 0;
    if (!::ReadFile(h_, buffer, static_cast<DWORD>(size), &got, &ov)) return 0;
    return got;
  }

 private:
  HANDLE h_;
  uint64_t size_;
};

class HandleOutput final : public OutputFile {
 public:
  explicit HandleOutput(HANDLE h) : h_(h) {}
  ~HandleOutput() override {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  bool Write(const uint8_t* data, size_t size) override {
    while (ok_ && size > 0) {
      DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
      DWORD done = 0;
      ok_ = ::WriteFile(h_, data, chunk, &done, nullptr) && done == chunk;
      data += chunk;
      size -= chunk;
      end_ += chunk;
    }
    return ok_;
  }
  uint64_t Position() const override { return end_; }
  bool WriteAt(uint64_t offset, const uint8_t* data, size_t size) override {
    const uint64_t end = end_;
    ok_ = ok_ && MoveTo(offset) && Write(data, size) && MoveTo(end);
    end_ = end;
    return ok_;
  }
  bool TruncateAt(uint64_t offset) override {
    ok_ = ok_ && MoveTo(offset) && SetEndOfFile(h_);
    end_ = offset;
    return ok_;
  }
  bool Close() override {
    bool closed = CloseHandle(h_) != 0;
    h_ = INVALID_HANDLE_VALUE;
    return ok_ && closed;
  }

 private:
  bool MoveTo(uint64_t offset) {
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(h_, to, nullptr, FILE_BEGIN) != 0;
  }

  HANDLE h_;
  bool ok_ = true;
  uint64_t end_ = 0;
};

std::unique_ptr<OutputFile> Open(const std::string& path, DWORD disposition) {
  HANDLE h = CreateFileW(WideFromSjis(path).c_str(), GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<HandleOutput>(h);
}

uint64_t Join(FILETIME t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }
FILETIME Split(uint64_t v) { return FILETIME{static_cast<DWORD>(v), static_cast<DWORD>(v >> 32)}; }

}  // namespace

std::wstring WideFromSjis(const std::string& sjis) {
  // Exact, or refused by the system: a damaged or second spelling never reaches another file.
  const std::u16string wide = text::PathToUtf16(sjis);
  return std::wstring(wide.begin(), wide.end());
}

std::unique_ptr<InputFile> Win32FileStore::OpenRead(const std::string& path) {
  HANDLE h = CreateFileW(WideFromSjis(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(h, &size)) {
    CloseHandle(h);
    return nullptr;
  }
  return std::make_unique<HandleInput>(h, static_cast<uint64_t>(size.QuadPart));
}

std::unique_ptr<OutputFile> Win32FileStore::Create(const std::string& path) { return Open(path, CREATE_ALWAYS); }

std::unique_ptr<OutputFile> Win32FileStore::CreateNew(const std::string& path) { return Open(path, CREATE_NEW); }

bool Win32FileStore::ReadInfo(const std::string& path, FileInfo* info) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(WideFromSjis(path).c_str(), GetFileExInfoStandard, &data)) return false;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  info->attribute = static_cast<uint8_t>(data.dwFileAttributes & 0x27);
  info->hasTimes = true;
  info->creationTime = Join(data.ftCreationTime);
  info->writeTime = Join(data.ftLastWriteTime);
  info->accessTime = Join(data.ftLastAccessTime);
  return true;
}

bool Win32FileStore::OwnNameHeld(const std::string& path) {
  const std::wstring given = WideFromSjis(path);
  std::wstring full(given.size() + MAX_PATH, L'\0');
  const DWORD n = GetLongPathNameW(given.c_str(), full.data(), static_cast<DWORD>(full.size()));
  if (n == 0 || n >= full.size()) return true;  // nothing to compare: the open that follows decides
  full.resize(n);
  const size_t cut = full.find_last_of(L"\\/");
  const std::wstring name = cut == std::wstring::npos ? full : full.substr(cut + 1);
  return text::ToShiftJis(std::u16string(name.begin(), name.end())).has_value();
}

bool Win32FileStore::Exists(const std::string& path) {
  return GetFileAttributesW(WideFromSjis(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileStore::IsFolder(const std::string& path) {
  DWORD a = GetFileAttributesW(WideFromSjis(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileStore::MakeFolders(const std::string& path) {
  std::wstring w = WideFromSjis(path);
  for (auto& c : w)
    if (c == L'/') c = L'\\';
  while (w.size() > 3 && w.back() == L'\\') w.pop_back();
  // Create each missing folder from the top; "C:\" and "\\server\share\" already exist.
  size_t start = 0;
  if (w.size() >= 2 && w[1] == L':') start = 3;
  else if (w.rfind(L"\\\\", 0) == 0) start = w.find(L'\\', w.find(L'\\', 2) + 1) + 1;
  for (size_t i = start; i <= w.size(); ++i) {
    if (i == w.size() || w[i] == L'\\') {
      std::wstring prefix = w.substr(0, i);
      if (!prefix.empty() && GetFileAttributesW(prefix.c_str()) == INVALID_FILE_ATTRIBUTES)
        CreateDirectoryW(prefix.c_str(), nullptr);
    }
  }
  DWORD a = GetFileAttributesW(w.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileStore::Remove(const std::string& path) { return DeleteFileW(WideFromSjis(path).c_str()) != 0; }

bool Win32FileStore::Replace(const std::string& from, const std::string& to) {
  return MoveFileExW(WideFromSjis(from).c_str(), WideFromSjis(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void Win32FileStore::ApplyMetadata(const std::string& path, const Entry& entry) {
  std::wstring w = WideFromSjis(path);
  HANDLE h = CreateFileW(w.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h != INVALID_HANDLE_VALUE) {
    FILETIME write;
    if (entry.hasFileTimes) {
      write = Split(entry.writeTime);
    } else if (entry.level >= 2) {
      write = Split(UnixToFileTime(DosToUnix(entry.dosTime)));  // kept in UTC by the header
    } else {
      FILETIME local;  // levels 0 and 1 keep local DOS times
      DosDateTimeToFileTime(static_cast<WORD>(entry.dosTime >> 16), static_cast<WORD>(entry.dosTime), &local);
      LocalFileTimeToFileTime(&local, &write);
    }
    if (entry.hasFileTimes) {
      FILETIME created = Split(entry.creationTime), accessed = Split(entry.accessTime);
      SetFileTime(h, &created, &accessed, &write);
    } else {
      SetFileTime(h, nullptr, nullptr, &write);
    }
    CloseHandle(h);
  }
  DWORD keep = entry.attribute & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE);
  if (keep != 0) SetFileAttributesW(w.c_str(), keep);
}

uint32_t Win32FileStore::DisplayTime(const Entry& entry) { return LocalDosTime(entry); }

uint32_t LocalDosTime(const Entry& entry) {
  if (!entry.hasFileTimes && entry.level < 2) return entry.dosTime;
  FILETIME utc = Split(entry.hasFileTimes ? entry.writeTime : UnixToFileTime(DosToUnix(entry.dosTime))), local;
  WORD date = 0, time = 0;
  if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToDosDateTime(&local, &date, &time)) return entry.dosTime;
  return (static_cast<uint32_t>(date) << 16) | time;
}

}  // namespace lzh::win32
