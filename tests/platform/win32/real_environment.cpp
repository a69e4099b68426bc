#include "platform/win32/real_environment.h"

#include <windows.h>
#include <shlwapi.h>

#include "platform/win32/wide_text.h"

namespace platformtest {

namespace {

int counter = 0;

// Removes a folder with everything in it, read-only files included.
void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring path = folder + L"\\" + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryW(folder.c_str());
}

}  // namespace

RealEnvironment::RealEnvironment() {
  const std::string unique = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  std::wstring folder = std::wstring(temp) + L"qvtest-" + platform::win32::Wide(unique);
  CreateDirectoryW(folder.c_str(), nullptr);
  root = *platform::win32::Narrow(folder);
  registryKey = "Software\\QvPlatformTest\\" + unique;
  previousFolder_ = real.fs.CurrentFolder();
  DWORD drives = GetLogicalDrives();
  for (char letter = 'Y'; letter > 'D'; --letter) {
    if ((drives & (1u << (letter - 'A'))) == 0) {
      unmappedDrive = letter;
      break;
    }
  }
}

void RealEnvironment::Pause() { Sleep(50); }

bool RealEnvironment::EnterWow64() {
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

RealEnvironment::~RealEnvironment() {
  real.fs.SetCurrentFolder(previousFolder_);
  RemoveTree(platform::win32::Wide(root));
  SHDeleteKeyW(HKEY_CURRENT_USER, platform::win32::Wide(registryKey).c_str());
  // The shared parent goes when no other test run uses it any more.
  RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\QvPlatformTest");
}

}  // namespace platformtest
