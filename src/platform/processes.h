// Other programs: start a command line and poll it without blocking, the names of the running
// executables, the shell's "open" action, and viewers started the classic way (a result below 32
// is a failure).
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/os_result.h"

namespace platform {

// Window show modes (SW_*) and priority classes the program uses.
namespace show {
constexpr int kHide = 0;
constexpr int kNormal = 1;
constexpr int kMinimized = 2;
constexpr int kNoActivate = 4;  // shown, the active window stays active
constexpr int kShow = 5;
}  // namespace show
namespace priority {
constexpr uint32_t kNormal = 0x20;
constexpr uint32_t kIdle = 0x40;
}  // namespace priority

// A started process as long as the program holds it: the handle Windows gave (as a number) and
// the process id. A default-constructed value is "none".
struct ProcessRef {
  uintptr_t handle = 0;
  uint32_t id = 0;
  uintptr_t job = 0;  // the group of the process and every process it starts; 0 when there is none
  bool valid() const { return handle != 0; }
};

struct StartRequest {
  // The whole command line; the program is its first token, quoted or up to a blank (Windows'
  // rules apply to an unquoted path with blanks: the shortest prefix naming a file wins).
  std::string commandLine;
  // Empty: the caller's current folder. Under WOW64 the program's path in the system folder
  // leads to the native file where there is one (platform/system_folder.h); the current folder
  // goes as it is, and the started program reads it in its own view.
  std::string currentFolder;
  // Handed on in the start-up record, whose flags are this program's own: it applies when this
  // program was started with a show mode itself.
  int showMode = show::kShow;
  uint32_t priorityClass = priority::kNormal;
};

struct StartedProcess {
  ProcessRef process;  // none on failure
  OsResult result;
};

class Processes {
 public:
  virtual ~Processes() = default;

  // Starts the program without waiting for it. The caller owns the returned handle and closes it.
  virtual StartedProcess Start(const StartRequest& request) = 0;
  // A wait with zero time-out: true while the process runs; false once it has ended and for none.
  virtual bool StillRunning(const ProcessRef& process) = 0;
  // The exit code once the process has ended; nullopt while it runs or for none.
  virtual std::optional<uint32_t> ExitCode(const ProcessRef& process) = 0;
  // Releases the handle (the process goes on) and sets `process` to none.
  virtual void Close(ProcessRef& process) = 0;
  // Asks every top-level window of the process and of the processes it started to close, and
  // every window of theirs that lives inside a window of this program (a saver's preview).
  virtual void CloseWindows(const ProcessRef& process) = 0;
  // Ends the process and every process it started, releases the handle and sets `process` to
  // none.
  virtual void EndAll(ProcessRef& process) = 0;
  // The screen rectangles of the visible, not minimised top-level windows of the process and of
  // the processes it started; empty for none, and while it shows no window.
  virtual std::vector<Rect> ShownWindows(const ProcessRef& process) = 0;
  // Whether a window of the process or of the processes it started lives inside `window` (a
  // window of this program), at any depth; false for none.
  virtual bool ShowsInside(const ProcessRef& process, WindowId window) = 0;

  // The file names (without folder) of the executables of all running processes, upper-cased
  // in the ASCII letters; duplicates kept.
  virtual std::vector<std::string> RunningExecutables() = 0;
  // The full path of this program's own executable.
  virtual std::string ExecutablePath() = 0;

  // The shell's "open" action on a file, folder or address, shown normally. Succeeds when the
  // shell reports a value above 32.
  virtual OsResult ShellOpen(const std::string& target) = 0;
  // The shell's action `verb` ("open", "play") on a file, carried out as Explorer carries it out
  // (also by a handler that registers no command line, and with the program the user chose),
  // in `folder` (this process's current folder stays), shown normally, without waiting and
  // without the shell's own error boxes. Fails (ERROR_NO_ASSOCIATION) when the file's type offers
  // no such action.
  virtual OsResult ShellVerb(const std::string& file, const std::string& verb, const std::string& folder) = 0;
  // Starts a command line in `folder` (this process's current folder stays) with the window
  // shown normally and without waiting, returning the classic start value: 33 or more on
  // success, else an error number below 32 (2 program not found, 3 path not found, 11 not a
  // program, 0 other).
  virtual uint32_t StartViewer(const std::string& commandLine, const std::string& folder) = 0;
  // Tells the help viewer to close the help file; nothing is started when no viewer shows it,
  // and nothing comes back.
  virtual void QuitHelp(const std::string& helpFile) = 0;
};

}  // namespace platform
