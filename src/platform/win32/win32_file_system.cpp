#include "platform/win32/win32_file_system.h"

#include <windows.h>
#include <aclapi.h>

#include "platform/win32/system_library.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_system_folder.h"

namespace platform::win32 {

namespace {

constexpr DWORD kChangeableBits = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE;

OsResult LastError() { return OsResult::FromCode(GetLastError()); }

OsResult Check(BOOL ok) { return ok ? OsResult::Ok() : LastError(); }

std::wstring UpperAsciiWide(std::wstring text) {
  for (wchar_t& c : text) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
  return text;
}

FileTime ToFileTime(const FILETIME& ft) {
  return FileTime{(static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime};
}

FILETIME ToFiletime(FileTime t) {
  FILETIME ft;
  ft.dwLowDateTime = static_cast<DWORD>(t.ticks & 0xFFFFFFFFu);
  ft.dwHighDateTime = static_cast<DWORD>(t.ticks >> 32);
  return ft;
}

// Calls a Win32 function that fills a wide buffer and returns the length it needs when the buffer
// is too small, until the buffer is large enough.
template <typename Fill>
std::optional<std::wstring> GrowingBuffer(Fill fill) {
  std::wstring buffer(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD n = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return std::nullopt;
    if (n < buffer.size()) {
      buffer.resize(n);
      return buffer;
    }
    buffer.assign(n + 1, L'\0');
  }
  return std::nullopt;
}

class Win32File : public File {
 public:
  explicit Win32File(HANDLE handle) : handle_(handle) {}
  ~Win32File() override { CloseHandle(handle_); }

  std::optional<size_t> Read(void* buffer, size_t size) override {
    DWORD got = 0;
    if (!::ReadFile(handle_, buffer, static_cast<DWORD>(size), &got, nullptr)) return std::nullopt;
    return got;
  }

  OsResult Write(const void* data, size_t size) override {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
      DWORD written = 0;
      if (!::WriteFile(handle_, p, static_cast<DWORD>(size), &written, nullptr)) return LastError();
      if (written == 0) return OsResult::FromCode(code::kDiskFull);
      p += written;
      size -= written;
    }
    return OsResult::Ok();
  }

  std::optional<uint64_t> Seek(int64_t offset, SeekFrom from) override {
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    LARGE_INTEGER position;
    DWORD method = from == SeekFrom::kBegin ? FILE_BEGIN : from == SeekFrom::kCurrent ? FILE_CURRENT : FILE_END;
    if (!SetFilePointerEx(handle_, distance, &position, method)) return std::nullopt;
    return static_cast<uint64_t>(position.QuadPart);
  }

  OsResult TruncateHere() override { return Check(SetEndOfFile(handle_)); }

  std::optional<uint64_t> Size() override {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(handle_, &size)) return std::nullopt;
    return static_cast<uint64_t>(size.QuadPart);
  }

  std::optional<FileTime> LastWriteTime() override {
    FILETIME ft;
    if (!GetFileTime(handle_, nullptr, nullptr, &ft)) return std::nullopt;
    return ToFileTime(ft);
  }

  OsResult SetLastWriteTime(FileTime time) override {
    FILETIME ft = ToFiletime(time);
    return Check(SetFileTime(handle_, nullptr, nullptr, &ft));
  }

  OsResult Flush() override { return Check(FlushFileBuffers(handle_)); }

 private:
  HANDLE handle_;
};

std::vector<FindEntry> FindIn(const std::string& pattern, uint32_t mask, size_t* unnamed) {
  std::vector<FindEntry> out;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(WidePath(pattern).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return out;
  do {
    if (wcscmp(data.cFileName, L".") == 0 || wcscmp(data.cFileName, L"..") == 0) continue;
    if (!attr::FindSees(data.dwFileAttributes, mask)) continue;
    FindEntry e;
    e.attributes = data.dwFileAttributes;
    e.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    e.lastWrite = ToFileTime(data.ftLastWriteTime);
    std::optional<std::string> name = Narrow(data.cFileName);
    std::optional<std::string> shortName = Narrow(data.cAlternateFileName);
    if (std::optional<FindEntry> listed = NameListedEntry(std::move(e), name, shortName.value_or(std::string()))) {
      out.push_back(std::move(*listed));
    } else if (unnamed != nullptr) {
      ++*unnamed;
    }
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return out;
}

}  // namespace

std::vector<FindEntry> Win32FileSystem::Find(const std::string& pattern, uint32_t mask, size_t* unnamed) {
  // The system folder shows what Explorer shows there and what only the 32-bit view holds.
  if (std::optional<std::string> alias = ProcessSystemView().NativeAlias(pattern)) {
    return MergeViews(FindIn(*alias, mask, unnamed), FindIn(pattern, mask, nullptr));
  }
  return FindIn(pattern, mask, unnamed);
}

std::optional<uint32_t> Win32FileSystem::Attributes(const std::string& path) {
  DWORD a = GetFileAttributesW(SystemPath(path).c_str());
  if (a == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return a;
}

OsResult Win32FileSystem::SetAttributes(const std::string& path, uint32_t attributes) {
  DWORD a = attributes & kChangeableBits;
  return Check(SetFileAttributesW(SystemPath(path).c_str(), a == 0 ? FILE_ATTRIBUTE_NORMAL : a));
}

std::optional<uint64_t> Win32FileSystem::FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(SystemPath(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
  return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::optional<FileTime> Win32FileSystem::LastWriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(SystemPath(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return ToFileTime(data.ftLastWriteTime);
}

OsResult Win32FileSystem::SetLastWriteTime(const std::string& path, FileTime time) {
  // Only the right to change attributes is asked for, so read-only and open files qualify too;
  // folders need the backup-semantics flag to be opened at all.
  HANDLE h = CreateFileW(SystemPath(path).c_str(), FILE_WRITE_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return LastError();
  FILETIME ft = ToFiletime(time);
  OsResult r = Check(SetFileTime(h, nullptr, nullptr, &ft));
  CloseHandle(h);
  return r;
}

FileTime Win32FileSystem::CurrentTime() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return FileTime{(static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime};
}

LocalTime Win32FileSystem::ToLocal(FileTime time) {
  FILETIME utc = ToFiletime(time);
  FILETIME local;
  SYSTEMTIME st{};
  if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &st)) return LocalTime{};
  return LocalTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wDayOfWeek};
}

OpenedFile Win32FileSystem::Open(const std::string& path, OpenMode mode, Share share) {
  OpenedFile out;
  const std::wstring target = SystemPath(path);
  // Windows refuses to write to a read-only file and to re-create a hidden or system file
  // without naming those attributes. Wine does not always (not for a root user, say), so the
  // rules are checked here as well and the program sees the same answers everywhere.
  if (mode == OpenMode::kReadWrite || mode == OpenMode::kCreate) {
    DWORD existing = GetFileAttributesW(target.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
        ((existing & FILE_ATTRIBUTE_READONLY) != 0 ||
         (mode == OpenMode::kCreate && (existing & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0))) {
      out.result = OsResult::FromCode(code::kAccessDenied);
      return out;
    }
  }
  DWORD access = mode == OpenMode::kRead ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
  DWORD shareMode = share == Share::kReadWrite ? FILE_SHARE_READ | FILE_SHARE_WRITE
                    : share == Share::kRead    ? FILE_SHARE_READ
                                               : 0;
  DWORD disposition = mode == OpenMode::kCreate      ? CREATE_ALWAYS
                      : mode == OpenMode::kCreateNew ? CREATE_NEW
                                                     : OPEN_EXISTING;
  HANDLE h = CreateFileW(target.c_str(), access, shareMode, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    out.result = LastError();
    return out;
  }
  out.file = std::make_unique<Win32File>(h);
  return out;
}

OsResult Win32FileSystem::Delete(const std::string& path) { return Check(DeleteFileW(SystemPath(path).c_str())); }

OsResult Win32FileSystem::Rename(const std::string& from, const std::string& to) {
  std::wstring source = SystemPath(from);
  std::wstring target = SystemPath(to);
  std::optional<std::string> fullSource = FullPath(from);
  std::optional<std::string> fullTarget = FullPath(to);
  if (fullSource && fullTarget && *fullSource != *fullTarget &&
      UpperAsciiWide(WidePath(*fullSource)) == UpperAsciiWide(WidePath(*fullTarget))) {
    // Only the letter case changes. Windows renames; Wine keeps the old spelling, so the name
    // goes through a temporary one.
    std::wstring temporary = source + L".qv~case";
    if (!MoveFileExW(source.c_str(), temporary.c_str(), 0)) return LastError();
    if (!MoveFileExW(temporary.c_str(), target.c_str(), 0)) {
      OsResult failed = LastError();
      MoveFileExW(temporary.c_str(), source.c_str(), 0);
      return failed;
    }
    return OsResult::Ok();
  }
  return Check(MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_COPY_ALLOWED));
}

OsResult Win32FileSystem::Replace(const std::string& from, const std::string& to) {
  std::wstring target = SystemPath(to);
  // Windows never replaces a read-only file; Wine does, so the rule is checked here as well.
  DWORD existing = GetFileAttributesW(target.c_str());
  if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY) != 0) {
    return OsResult::FromCode(code::kAccessDenied);
  }
  return Check(MoveFileExW(SystemPath(from).c_str(), target.c_str(), MOVEFILE_COPY_ALLOWED | MOVEFILE_REPLACE_EXISTING));
}

OsResult Win32FileSystem::CreateFolder(const std::string& path) {
  return Check(CreateDirectoryW(SystemPath(path).c_str(), nullptr));
}

OsResult Win32FileSystem::ProtectAccess(const std::string& path) {
  const std::wstring folder = SystemPath(path);
  wchar_t volume[MAX_PATH + 1] = {};
  DWORD flags = 0;
  if (GetVolumePathNameW(folder.c_str(), volume, MAX_PATH + 1) &&
      GetVolumeInformationW(volume, nullptr, 0, nullptr, nullptr, &flags, nullptr, 0) &&
      (flags & FILE_PERSISTENT_ACLS) == 0) {
    return OsResult::Ok();   // FAT and the like: nothing to protect
  }
  // The process's user as its token names it.
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return LastError();
  alignas(TOKEN_USER) BYTE userBuffer[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
  DWORD size = 0;
  const BOOL known = GetTokenInformation(token, TokenUser, userBuffer, sizeof userBuffer, &size);
  const OsResult tokenError = known ? OsResult::Ok() : LastError();
  CloseHandle(token);
  if (!known) return tokenError;

  // Full control for the user, administrators and the system; read and run for the users'
  // group, which every signed-in user belongs to. Each entry reaches subfolders and files.
  BYTE sids[3][SECURITY_MAX_SID_SIZE];
  const WELL_KNOWN_SID_TYPE others[] = {WinBuiltinAdministratorsSid, WinLocalSystemSid, WinBuiltinUsersSid};
  EXPLICIT_ACCESS_W entries[4] = {};
  for (int i = 0; i < 4; ++i) {
    PSID sid = reinterpret_cast<TOKEN_USER*>(userBuffer)->User.Sid;
    if (i > 0) {
      DWORD sidSize = SECURITY_MAX_SID_SIZE;
      if (!CreateWellKnownSid(others[i - 1], nullptr, sids[i - 1], &sidSize)) return LastError();
      sid = sids[i - 1];
    }
    entries[i].grfAccessPermissions = i < 3 ? GENERIC_ALL : GENERIC_READ | GENERIC_EXECUTE;
    entries[i].grfAccessMode = SET_ACCESS;
    entries[i].grfInheritance = SUB_CONTAINERS_AND_OBJECTS_INHERIT;
    entries[i].Trustee.TrusteeForm = TRUSTEE_IS_SID;
    entries[i].Trustee.ptstrName = static_cast<LPWSTR>(sid);
  }
  PACL acl = nullptr;
  DWORD status = SetEntriesInAclW(4, entries, nullptr, &acl);
  if (status != ERROR_SUCCESS) return OsResult::FromCode(status);
  std::wstring name = folder;
  status = SetNamedSecurityInfoW(name.data(), SE_FILE_OBJECT,
                                 DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                 acl, nullptr);
  LocalFree(acl);
  return status == ERROR_SUCCESS ? OsResult::Ok() : OsResult::FromCode(status);
}

OsResult Win32FileSystem::RemoveFolder(const std::string& path) { return Check(RemoveDirectoryW(SystemPath(path).c_str())); }

std::string Win32FileSystem::CurrentFolder() {
  std::optional<std::wstring> folder = GrowingBuffer([](wchar_t* b, DWORD n) { return GetCurrentDirectoryW(n, b); });
  if (!folder) return std::string();
  return NarrowPath(*folder).value_or(std::string());
}

OsResult Win32FileSystem::SetCurrentFolder(const std::string& path) {
  // Already there, spelled the same: setting it again would only open the folder once more.
  std::wstring wide = WidePath(path);
  wchar_t current[MAX_PATH + 1];
  const DWORD n = GetCurrentDirectoryW(MAX_PATH + 1, current);
  if (n > 0 && n <= MAX_PATH) {
    std::wstring target = wide;
    if (target.size() > 3 && target.back() == L'\\') target.pop_back();
    if (target == std::wstring(current, n)) return OsResult::Ok();
  }
  return Check(SetCurrentDirectoryW(wide.c_str()));
}

std::optional<std::string> Win32FileSystem::FullPath(const std::string& path) {
  std::wstring wide = WidePath(path);
  std::optional<std::wstring> full =
      GrowingBuffer([&wide](wchar_t* b, DWORD n) { return GetFullPathNameW(wide.c_str(), n, b, nullptr); });
  if (!full) return std::nullopt;
  return NarrowPath(*full);
}

std::optional<std::string> Win32FileSystem::ShortPath(const std::string& path) {
  std::wstring wide = WidePath(path);
  std::optional<std::wstring> shortPath =
      GrowingBuffer([&wide](wchar_t* b, DWORD n) { return GetShortPathNameW(wide.c_str(), b, n); });
  if (!shortPath) return std::nullopt;
  return Narrow(*shortPath);
}

std::optional<FileId> Win32FileSystem::Identity(const std::string& path) {
  // Opened for no access at all, which any other opener allows; folders need the backup flag.
  HANDLE h = CreateFileW(SystemPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  const BOOL known = GetFileInformationByHandle(h, &info);
  CloseHandle(h);
  // What the structure holds after a failed call is not defined.
  if (!known) return std::nullopt;
  const uint64_t index = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  if (index == 0) return std::nullopt;
  return FileId{info.dwVolumeSerialNumber, index};
}

uint32_t Win32FileSystem::DriveType(const std::string& root) { return GetDriveTypeW(WidePath(root).c_str()); }

std::optional<std::string> Win32FileSystem::VolumeLabel(const std::string& root) {
  wchar_t label[MAX_PATH + 1] = {};
  if (!GetVolumeInformationW(WidePath(root).c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0)) {
    return std::nullopt;
  }
  // A label the program cannot show exactly is not shown.
  return Narrow(label);
}

std::optional<std::string> Win32FileSystem::NetworkName(const std::string& drive) {
  // The network library is loaded when a network drive is first named, never imported.
  using Function = DWORD(WINAPI*)(LPCWSTR, LPWSTR, LPDWORD);
  static const Function getConnection = SystemEntry<Function>(L"mpr.dll", "WNetGetConnectionW");
  if (getConnection == nullptr) return std::nullopt;
  std::wstring local = WidePath(drive);
  std::wstring remote(MAX_PATH + 1, L'\0');
  DWORD length = static_cast<DWORD>(remote.size());
  DWORD status = getConnection(local.c_str(), remote.data(), &length);
  if (status == ERROR_MORE_DATA) {
    remote.assign(length + 1, L'\0');
    length = static_cast<DWORD>(remote.size());
    status = getConnection(local.c_str(), remote.data(), &length);
  }
  if (status != NO_ERROR) return std::nullopt;
  return NarrowPath(remote.c_str());
}

std::optional<DiskSpace> Win32FileSystem::Space(const std::string& root) {
  ULARGE_INTEGER freeToCaller, total, totalFree;
  if (!GetDiskFreeSpaceExW(WidePath(root).c_str(), &freeToCaller, &total, &totalFree)) return std::nullopt;
  return DiskSpace{total.QuadPart, freeToCaller.QuadPart};
}

uint32_t Win32FileSystem::SetErrorMode(uint32_t mode) { return ::SetErrorMode(mode); }

}  // namespace platform::win32
