// QUOVEL32.EXE: the composition root. Decides the role from the command line, wires the real
// platform services and the window backend to it, and runs the message loop.
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "app/launch.h"
#include "app/program.h"
#include "gui/application.h"
#include "gui/win32/win32_backend.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"

namespace {

// The arguments after the program name. GetCommandLineW keeps every character; WinMain's
// narrow command line can lose leading bytes of Japanese arguments.
// A path or argument the program's text cannot hold exactly, and that has no 8.3 form either,
// is named to the user and not used: a look-alike would be another file.
std::vector<std::wstring> unusable;

std::string Usable(const std::wstring& wide) {
  std::optional<std::string> held = platform::win32::NarrowPath(wide);
  if (!held) unusable.push_back(wide);
  return held.value_or(std::string());
}

std::vector<std::string> Arguments() {
  std::vector<std::string> args;
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv == nullptr) return args;
  for (int i = 1; i < argc; ++i) args.push_back(Usable(argv[i]));
  LocalFree(argv);
  return args;
}

std::string ExecutablePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n < buffer.size()) {
      buffer.resize(n);
      break;
    }
    buffer.resize(buffer.size() * 2);
  }
  return Usable(buffer);
}

// The two plain system message boxes of start-up, before any window of ours exists.
void SystemMessage(const std::string& text) {
  MessageBoxW(nullptr, platform::win32::Wide(text).c_str(), L"QUOVEL32", MB_OK | MB_ICONINFORMATION);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  platform::win32::KeepCurrentFolderOutOfLibrarySearch();
  platform::win32::Win32Platform os;
  gui::win32::Backend backend;
  gui::Application application(backend);
  const std::string self = ExecutablePath();
  std::vector<std::string> args = Arguments();
  if (!unusable.empty()) {
    std::wstring text = platform::win32::Wide("次の名前には、シフトJISで表せない文字が含まれているため使えません・・・\n");
    for (const std::wstring& name : unusable) text += L"\n" + name;
    MessageBoxW(nullptr, text.c_str(), L"QUOVEL32", MB_OK | MB_ICONINFORMATION);
    return 0;
  }
  app::Program program(application, os.Services(), app::DecideLaunch(self, std::move(args), os.desktop, os.registry));
  if (program.Start(SystemMessage)) application.Run();
  return 0;
}
