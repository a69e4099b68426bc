// Helpers of the saver tests: where the built savers are, starting one with the test log, waiting
// (with a bound, pumping this thread's messages) for its windows and its end, reading the log.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace saverstest {

// The folder of the built .SCR files, with a trailing backslash.
std::wstring SaversFolder();
// An empty folder of this test program's own (emptied if it exists), with a trailing backslash.
std::wstring ScratchFolder();

// Runs this thread's messages until `done` holds or `ms` have passed; true when it held.
bool PumpUntil(const std::function<bool()>& done, DWORD ms);

// A saver process started like the player starts one: "<path>" <arguments>, in the saver's
// folder, with QV_SAVER_LOG naming `log`. Ends the process if it is still running at the end.
class SaverProcess {
 public:
  SaverProcess(const std::wstring& path, const std::wstring& arguments, const std::wstring& log);
  ~SaverProcess();
  SaverProcess(const SaverProcess&) = delete;
  SaverProcess& operator=(const SaverProcess&) = delete;

  bool started() const { return info_.hProcess != nullptr; }
  DWORD pid() const { return info_.dwProcessId; }
  bool Running() const;
  // Waits for the exit (pumping messages); true when the process has ended within `ms`.
  bool WaitExit(DWORD ms);
  DWORD ExitCode() const;
  // The first visible top-level window of the process with the class, or null after `ms`.
  HWND WaitTopWindow(const wchar_t* cls, DWORD ms);

 private:
  PROCESS_INFORMATION info_{};
};

struct LogEntry {
  std::uint64_t ms = 0;
  std::string name;
  unsigned long pid = 0;
  std::string event;  // "start args=..." or "end reason=..."
};
// The parsed lines of a log file; a line that does not parse becomes an entry whose event is
// "BAD LINE: <text>", so that comparisons show it.
std::vector<LogEntry> ReadLog(const std::wstring& path);
// All lines as "<name> <event>", for compact comparisons.
std::vector<std::string> Events(const std::vector<LogEntry>& entries);

std::string Narrow(const std::wstring& text);

}  // namespace saverstest
