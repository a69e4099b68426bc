// How a saver was asked to run, read from its own command line (GetCommandLineW(), never
// WinMain's lpCmdLine, which the mingw-w64 start-up code damages for bytes of 0x80 and above).
#pragma once
#include <cstdint>
#include <string>

namespace savers {

enum class Mode {
  kScreen,    // /s: full screen until the user comes back
  kPreview,   // /p <hwnd>: small picture inside the host window
  kConfig,    // /c[:<hwnd>] or no argument: the settings dialog
  kPassword,  // /a: change password; nothing to do on current systems
};

struct Invocation {
  Mode mode = Mode::kConfig;
  // The host window of /p or the owner of /c as given on the command line; 0 when none.
  std::uint32_t window = 0;
  // Everything after the program name, blanks at both ends removed.
  std::wstring arguments;
};

// The part of a whole command line after the program name (quoted or not), trimmed.
std::wstring ArgumentsOf(const std::wstring& commandLine);

// Reads a whole command line, program name first. Accepts "/s", "-s", "/S", "/s:..." and the
// window handle of /p and /c either after a colon or as the next word, in decimal or 0x-hex.
// An unknown switch opens the settings, as the classic screen-saver start-up does.
Invocation ParseCommandLine(const std::wstring& commandLine);

}  // namespace savers
