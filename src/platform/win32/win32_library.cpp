#include "platform/win32/win32_library.h"

#include <windows.h>

#include <vector>

#include "platform/win32/wide_text.h"

namespace platform::win32 {

namespace {

using RunFn = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);
using RunningFn = BOOL(WINAPI*)();
using OpenFn = HGLOBAL(WINAPI*)(HWND, LPCSTR, DWORD);
using FindFirstFn = int(WINAPI*)(HGLOBAL, LPCSTR, void*);
using FindNextFn = int(WINAPI*)(HGLOBAL, void*);
using CloseFn = int(WINAPI*)(HGLOBAL);

// The entry record: only the name is read, a NUL-terminated text of at most 513 bytes that
// starts 26 bytes in. The buffer is larger than any record the library writes.
constexpr size_t kRecordSize = 1024;
constexpr size_t kNameAt = 26;
constexpr size_t kNameMax = 513;

class Win32Archiver : public Archiver {
 public:
  explicit Win32Archiver(HMODULE module) : module_(module) {}
  ~Win32Archiver() override { FreeLibrary(module_); }

  bool Has(const std::string& entry) override { return Entry(entry.c_str()) != nullptr; }

  int Run(WindowId owner, const std::string& commandLine, std::string& output, size_t outputSize) override {
    auto run = reinterpret_cast<RunFn>(Entry(archiver::kRun));
    if (run == nullptr) return -1;
    std::vector<char> buffer(outputSize + 2, '\0');
    const int result = run(reinterpret_cast<HWND>(owner), commandLine.c_str(), buffer.data(), static_cast<DWORD>(outputSize));
    output.assign(buffer.data());
    return result;
  }

  bool Running() override {
    auto running = reinterpret_cast<RunningFn>(Entry(archiver::kGetRunning));
    return running != nullptr && running() != FALSE;
  }

  uintptr_t OpenArchive(WindowId owner, const std::string& path, uint32_t mode) override {
    auto open = reinterpret_cast<OpenFn>(Entry(archiver::kOpenArchive));
    return open == nullptr ? 0 : reinterpret_cast<uintptr_t>(open(reinterpret_cast<HWND>(owner), path.c_str(), mode));
  }

  std::optional<std::string> FindFirst(uintptr_t archive, const std::string& pattern) override {
    auto first = reinterpret_cast<FindFirstFn>(Entry(archiver::kFindFirst));
    if (first == nullptr) return std::nullopt;
    std::vector<char> record(kRecordSize, '\0');
    if (first(reinterpret_cast<HGLOBAL>(archive), pattern.c_str(), record.data()) != 0) return std::nullopt;
    return NameOf(record);
  }

  std::optional<std::string> FindNext(uintptr_t archive) override {
    auto next = reinterpret_cast<FindNextFn>(Entry(archiver::kFindNext));
    if (next == nullptr) return std::nullopt;
    std::vector<char> record(kRecordSize, '\0');
    if (next(reinterpret_cast<HGLOBAL>(archive), record.data()) != 0) return std::nullopt;
    return NameOf(record);
  }

  void CloseArchive(uintptr_t archive) override {
    if (auto close = reinterpret_cast<CloseFn>(Entry(archiver::kCloseArchive))) close(reinterpret_cast<HGLOBAL>(archive));
  }

 private:
  FARPROC Entry(const char* name) const { return GetProcAddress(module_, name); }
  static std::string NameOf(const std::vector<char>& record) {
    size_t n = 0;
    while (n < kNameMax && record[kNameAt + n] != '\0') ++n;
    return std::string(record.data() + kNameAt, n);
  }

  HMODULE module_;
};

}  // namespace

void KeepCurrentFolderOutOfLibrarySearch() {
  // Windows 7 has SetDefaultDllDirectories only with update KB2533623: looked up, not linked.
  using SetDefaultDirectories = BOOL(WINAPI*)(DWORD);
  auto setDefault = reinterpret_cast<SetDefaultDirectories>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  if (setDefault == nullptr || !setDefault(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS)) SetDllDirectoryW(L"");
}

std::unique_ptr<Archiver> Win32Library::LoadArchiver(const std::string& path) {
  // Only a full path: the system would search for anything else.
  if (!FullPath(path)) return nullptr;
  const std::wstring wide = WidePath(path);
  HMODULE module = LoadLibraryW(wide.c_str());
  if (module == nullptr) return nullptr;
  return std::make_unique<Win32Archiver>(module);
}

}  // namespace platform::win32
