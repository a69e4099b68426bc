// Simulated processes: a start succeeds when the program file exists in the file system and
// starts with "MZ", as Windows requires; tests decide when each program ends (by itself after a
// number of polls, on user input like a screen saver, or by an explicit Exit) and see every start.
#pragma once
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/file_system.h"
#include "platform/processes.h"

namespace platform::fake {

struct ProgramBehaviour {
  bool endsOnInput = false;  // like a screen saver: an injected key or cursor move ends it
  int pollsUntilExit = -1;   // StillRunning answers true this many times, then the program ends; -1: never
  uint32_t exitCode = 0;
  bool endsOnClose = true;   // its windows asked to close end it
  std::vector<Rect> windows; // shown from its start until it ends
  // Started with "/p <window>", it keeps a window inside that one while it runs, as a saver's
  // preview does.
  bool previewInside = true;
};

class FakeProcesses : public Processes {
 public:
  struct Record {
    StartRequest request;
    std::string program;  // the resolved program file
    ProcessRef process;   // none for viewers
    bool viewer = false;  // started by StartViewer
    bool running = true;
    bool handleOpen = false;
    std::optional<uint32_t> exitCode;
    int pollsLeft = -1;
    bool endsOnInput = false;
    bool endsOnClose = true;
    int closeRequests = 0;  // times its windows were asked to close
    bool endedByForce = false;
    std::vector<Rect> windows;
    WindowId inside = 0;  // the window it keeps a window inside
  };

  // The Windows folder (for programs named without a folder) comes from `desktop`.
  FakeProcesses(FileSystem& fs, Desktop& desktop) : fs_(fs), desktop_(desktop) {}

  // How programs of this file name (any case, no folder) behave; others get the default.
  void SetBehaviour(const std::string& fileName, ProgramBehaviour behaviour);
  void SetDefaultBehaviour(ProgramBehaviour behaviour) { defaultBehaviour_ = behaviour; }
  // A process of another program that was already running (for RunningExecutables).
  void AddRunning(const std::string& fileName) { others_.push_back(fileName); }
  void SetExecutablePath(const std::string& path) { executable_ = path; }
  // Ends a started process.
  void Exit(uint32_t processId, uint32_t exitCode);
  // The user pressed a key or moved the mouse: every running program that ends on input ends.
  void UserInput();
  void FailNextShellOpen(uint32_t code) { shellOpenFailure_ = code; }
  // The shell carries out `verb` on files of this extension (".JPG", any case); it knows no
  // other verb of any type.
  void AddShellVerb(const std::string& extension, const std::string& verb);
  // The next Start or StartViewer fails with the Win32 error code, whatever it starts.
  void FailNextStart(uint32_t code) { startFailure_ = code; }

  const std::vector<Record>& Started() const { return started_; }
  const std::vector<std::string>& ShellOpened() const { return shellOpened_; }
  // Every shell action asked for, carried out or not: verb + " " + file.
  const std::vector<std::string>& ShellVerbs() const { return shellVerbs_; }
  // The help files the help viewer was told to close, in order.
  const std::vector<std::string>& HelpQuits() const { return helpQuits_; }
  // Process handles the program has not closed yet.
  int OpenHandles() const;

  StartedProcess Start(const StartRequest& request) override;
  bool StillRunning(const ProcessRef& process) override;
  std::optional<uint32_t> ExitCode(const ProcessRef& process) override;
  void Close(ProcessRef& process) override;
  void CloseWindows(const ProcessRef& process) override;
  void EndAll(ProcessRef& process) override;
  std::vector<Rect> ShownWindows(const ProcessRef& process) override;
  bool ShowsInside(const ProcessRef& process, WindowId window) override;
  std::vector<std::string> RunningExecutables() override;
  std::string ExecutablePath() override { return executable_; }
  OsResult ShellOpen(const std::string& target) override;
  OsResult ShellVerb(const std::string& file, const std::string& verb, const std::string& folder) override;
  uint32_t StartViewer(const std::string& commandLine, const std::string& folder) override;
  void QuitHelp(const std::string& helpFile) override { helpQuits_.push_back(helpFile); }

 private:
  // The program file a command line names, or the Win32 error of the search.
  struct Resolved {
    std::string program;
    uint32_t error = 0;
  };
  Resolved ResolveProgram(const std::string& commandLine);
  std::optional<std::string> Locate(const std::string& name);
  Record* Find(const ProcessRef& process);
  ProgramBehaviour BehaviourOf(const std::string& program) const;

  FileSystem& fs_;
  Desktop& desktop_;
  std::map<std::string, ProgramBehaviour> behaviours_;  // by upper-cased file name
  ProgramBehaviour defaultBehaviour_;
  std::vector<std::string> others_;
  std::string executable_ = "C:\\QUOVEL32\\QUOVEL32.EXE";
  std::vector<Record> started_;
  std::vector<std::string> shellOpened_;
  std::vector<std::string> shellVerbs_;
  std::set<std::string> knownVerbs_;  // upper-cased extension + " " + upper-cased verb
  std::vector<std::string> helpQuits_;
  uint32_t shellOpenFailure_ = 0;
  uint32_t startFailure_ = 0;
  uint32_t nextId_ = 1000;
};

}  // namespace platform::fake
