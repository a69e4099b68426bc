// Processes on CreateProcess, zero-time-out waits, the tool-help snapshot and ShellExecute.
#pragma once
#include "platform/processes.h"

namespace platform::win32 {

class Win32Processes : public Processes {
 public:
  StartedProcess Start(const StartRequest& request) override;
  bool StillRunning(const ProcessRef& process) override;
  std::optional<uint32_t> ExitCode(const ProcessRef& process) override;
  void Close(ProcessRef& process) override;
  void CloseWindows(const ProcessRef& process) override;
  void EndAll(ProcessRef& process) override;
  std::vector<Rect> ShownWindows(const ProcessRef& process) override;
  bool ShowsInside(const ProcessRef& process, WindowId window) override;
  std::vector<std::string> RunningExecutables() override;
  std::string ExecutablePath() override;
  OsResult ShellOpen(const std::string& target) override;
  OsResult ShellVerb(const std::string& file, const std::string& verb, const std::string& folder) override;
  uint32_t StartViewer(const std::string& commandLine, const std::string& folder) override;
  void QuitHelp(const std::string& helpFile) override;
};

}  // namespace platform::win32
