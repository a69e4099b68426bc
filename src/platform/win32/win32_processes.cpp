#include "platform/win32/win32_processes.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_system_folder.h"

namespace platform::win32 {

namespace {

HANDLE HandleOf(const ProcessRef& process) { return reinterpret_cast<HANDLE>(process.handle); }

// Upper-cases the ASCII letters only, like the program's own text routines.
std::wstring UpperAsciiWide(std::wstring text) {
  for (wchar_t& c : text) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
  return text;
}

}  // namespace

StartedProcess Win32Processes::Start(const StartRequest& request) {
  StartedProcess out;
  STARTUPINFOW startup;
  // The start-up flags go on as this program got them: the show mode counts only where this
  // program was itself given one, and a started program otherwise shows its window its own way.
  GetStartupInfoW(&startup);
  startup.wShowWindow = static_cast<WORD>(request.showMode);
  PROCESS_INFORMATION info{};
  std::wstring commandLine = SystemCommand(request.commandLine);  // CreateProcessW may write into it
  // The current folder goes as the user sees it, never as the alias: the started program keeps
  // it as text and resolves it in its own view, where a 64-bit saver finds its native folder
  // under the System32 name and cannot use the alias at all.
  std::wstring folder = WidePath(request.currentFolder);
  // The program starts held, joins a job of its own (which every process it starts joins too),
  // and only then runs; without a job it runs all the same and can only be ended alone.
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, request.priorityClass | CREATE_SUSPENDED,
                      nullptr, folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
    out.result = OsResult::FromCode(GetLastError());
    return out;
  }
  HANDLE job = CreateJobObjectW(nullptr, nullptr);
  if (job != nullptr && !AssignProcessToJobObject(job, info.hProcess)) {
    CloseHandle(job);
    job = nullptr;
  }
  ResumeThread(info.hThread);
  CloseHandle(info.hThread);
  out.process.handle = reinterpret_cast<uintptr_t>(info.hProcess);
  out.process.id = info.dwProcessId;
  out.process.job = reinterpret_cast<uintptr_t>(job);
  return out;
}

bool Win32Processes::StillRunning(const ProcessRef& process) {
  return process.valid() && WaitForSingleObject(HandleOf(process), 0) == WAIT_TIMEOUT;
}

std::optional<uint32_t> Win32Processes::ExitCode(const ProcessRef& process) {
  if (!process.valid() || WaitForSingleObject(HandleOf(process), 0) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  if (!GetExitCodeProcess(HandleOf(process), &code)) return std::nullopt;
  return code;
}

void Win32Processes::Close(ProcessRef& process) {
  if (process.valid()) CloseHandle(HandleOf(process));
  if (process.job != 0) CloseHandle(reinterpret_cast<HANDLE>(process.job));
  process = ProcessRef{};
}

namespace {

// The ids of the process and of every process of its job.
std::vector<DWORD> ProcessIds(const ProcessRef& process) {
  std::vector<DWORD> ids = {process.id};
  if (process.job == 0) return ids;
  struct {
    JOBOBJECT_BASIC_PROCESS_ID_LIST list;
    ULONG_PTR more[255];
  } info{};
  info.list.NumberOfAssignedProcesses = 256;
  if (QueryInformationJobObject(reinterpret_cast<HANDLE>(process.job), JobObjectBasicProcessIdList, &info,
                                sizeof info, nullptr)) {
    for (DWORD i = 0; i < info.list.NumberOfProcessIdsInList && i < 256; ++i) {
      ids.push_back(static_cast<DWORD>(info.list.ProcessIdList[i]));
    }
  }
  return ids;
}

bool OwnedBy(HWND window, const std::vector<DWORD>& ids) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  for (DWORD id : ids) {
    if (id == owner) return true;
  }
  return false;
}

// The outermost windows of the processes inside a window of this program: a preview window
// of a saver is a child of ours, and its own children go with it.
BOOL CALLBACK CloseIfOwnedChild(HWND window, LPARAM param) {
  const auto& ids = *reinterpret_cast<const std::vector<DWORD>*>(param);
  if (OwnedBy(window, ids) && !OwnedBy(GetParent(window), ids)) PostMessageW(window, WM_CLOSE, 0, 0);
  return TRUE;
}

BOOL CALLBACK CloseIfOwned(HWND window, LPARAM param) {
  if (OwnedBy(window, *reinterpret_cast<const std::vector<DWORD>*>(param))) {
    PostMessageW(window, WM_CLOSE, 0, 0);
  } else if (OwnedBy(window, {GetCurrentProcessId()})) {
    EnumChildWindows(window, CloseIfOwnedChild, param);
  }
  return TRUE;
}

struct InsideSearch {
  std::vector<DWORD> ids;
  bool found = false;
};

BOOL CALLBACK FindOwnedChild(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<InsideSearch*>(param);
  search.found = OwnedBy(window, search.ids);
  return search.found ? FALSE : TRUE;
}

struct ShownSearch {
  std::vector<DWORD> ids;
  std::vector<Rect> found;
};

BOOL CALLBACK AddIfShown(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<ShownSearch*>(param);
  RECT rc;
  if (IsWindowVisible(window) && !IsIconic(window) && OwnedBy(window, search.ids) && GetWindowRect(window, &rc) &&
      rc.right > rc.left && rc.bottom > rc.top) {
    search.found.push_back(Rect{rc.left, rc.top, rc.right, rc.bottom});
  }
  return TRUE;
}

}  // namespace

void Win32Processes::CloseWindows(const ProcessRef& process) {
  if (!process.valid()) return;
  const std::vector<DWORD> ids = ProcessIds(process);
  EnumWindows(CloseIfOwned, reinterpret_cast<LPARAM>(&ids));
}

std::vector<Rect> Win32Processes::ShownWindows(const ProcessRef& process) {
  if (!process.valid()) return {};
  ShownSearch search{ProcessIds(process), {}};
  EnumWindows(AddIfShown, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool Win32Processes::ShowsInside(const ProcessRef& process, WindowId window) {
  if (!process.valid() || window == 0) return false;
  InsideSearch search{ProcessIds(process)};
  EnumChildWindows(reinterpret_cast<HWND>(window), FindOwnedChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void Win32Processes::EndAll(ProcessRef& process) {
  if (process.valid()) {
    if (process.job == 0 || !TerminateJobObject(reinterpret_cast<HANDLE>(process.job), 1)) {
      TerminateProcess(HandleOf(process), 1);
    }
    WaitForSingleObject(HandleOf(process), 2000);
  }
  Close(process);
}

std::vector<std::string> Win32Processes::RunningExecutables() {
  std::vector<std::string> names;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return names;
  PROCESSENTRY32W entry;
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    // Older systems reported the full path here; only the file name counts.
    std::wstring file = entry.szExeFile;
    size_t slash = file.find_last_of(L"\\/");
    if (slash != std::wstring::npos) file.erase(0, slash + 1);
    names.push_back(NarrowShown(UpperAsciiWide(file).c_str()));
  }
  CloseHandle(snapshot);
  return names;
}

std::string Win32Processes::ExecutablePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return NarrowPath(std::wstring(buffer.data(), n)).value_or(std::string());
    buffer.assign(buffer.size() * 2, L'\0');
  }
}

OsResult Win32Processes::ShellOpen(const std::string& target) {
  INT_PTR value = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", WidePath(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (value > 32) return OsResult::Ok();
  // The classic ShellExecute values below 32 as Win32 error codes.
  switch (value) {
    case SE_ERR_FNF: return OsResult::FromCode(code::kFileNotFound);
    case SE_ERR_PNF: return OsResult::FromCode(code::kPathNotFound);
    case SE_ERR_ACCESSDENIED: return OsResult::FromCode(code::kAccessDenied);
    case ERROR_BAD_FORMAT: return OsResult::FromCode(code::kBadExeFormat);
    case SE_ERR_NOASSOC: return OsResult::FromCode(ERROR_NO_ASSOCIATION);
    default: return OsResult::FromCode(value == 0 ? ERROR_NOT_ENOUGH_MEMORY : static_cast<uint32_t>(value));
  }
}

OsResult Win32Processes::ShellVerb(const std::string& file, const std::string& verb, const std::string& folder) {
  // Handlers of the shell are COM objects; the call's own apartment is left as it was found.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  const std::wstring wideFile = WidePath(file);
  const std::wstring wideVerb = WidePath(verb);
  const std::wstring wideFolder = SystemPath(folder);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  // No error boxes of the shell (a missing verb fails quietly), and the start finished before
  // the call returns, since the apartment may end with it.
  info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  info.lpVerb = wideVerb.c_str();
  info.lpFile = wideFile.c_str();
  info.lpDirectory = folder.empty() ? nullptr : wideFolder.c_str();
  info.nShow = SW_SHOWNORMAL;
  const bool ok = ShellExecuteExW(&info) != FALSE;
  const DWORD error = ok ? 0 : GetLastError();
  if (SUCCEEDED(com)) CoUninitialize();
  return ok ? OsResult::Ok() : OsResult::FromCode(error == 0 ? code::kNoAssociation : error);
}

uint32_t Win32Processes::StartViewer(const std::string& commandLine, const std::string& folder) {
  // What the classic start call does, with the command line kept in Unicode so Japanese paths
  // survive on a Windows of any language.
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION info{};
  std::wstring line = SystemCommand(commandLine);
  const std::wstring wideFolder = SystemPath(folder);
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : wideFolder.c_str(), &startup, &info)) {
    switch (GetLastError()) {
      case ERROR_FILE_NOT_FOUND: return 2;
      case ERROR_PATH_NOT_FOUND: return 3;
      case ERROR_BAD_EXE_FORMAT:
      case ERROR_BAD_FORMAT: return 11;
      default: return 0;
    }
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return 33;
}

void Win32Processes::QuitHelp(const std::string& helpFile) {
  // HELP_QUIT only talks to a help viewer that is already open; the window handle merely names
  // the asker.
  WinHelpW(GetDesktopWindow(), WidePath(helpFile).c_str(), HELP_QUIT, 0);
}

}  // namespace platform::win32
