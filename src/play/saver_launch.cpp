#include "play/saver_launch.h"

#include <array>
#include <optional>

#include "browse/filters.h"
#include "text/text_path.h"
#include "gui/application.h"
#include "gui/timer.h"
#include "platform/services.h"

namespace play {

namespace {

constexpr int kFirstExitLook = 300;
constexpr int kNextExitLook = 1000;

}  // namespace

void ScheduleFirstExitLook(gui::Timer& timer) {
  if (timer.Interval() != 0) timer.SetInterval(kFirstExitLook);
}

const char kForcedEnd[] = "応答が無く強制終了：";

void ExitGuard::Arm(int stopPresses) {
  armed_ = true;
  stopPresses_ = stopPresses;
  looks_ = 0;
  closeAskedAt_ = -1;
}

bool ExitGuard::Look(platform::Processes& processes, platform::ProcessRef& running, int stopPresses) {
  if (!armed_) return false;
  ++looks_;
  if (closeAskedAt_ < 0) {
    if (looks_ < beforeClose_ && stopPresses == stopPresses_) return false;
    closeAskedAt_ = looks_;
    processes.CloseWindows(running);
    return false;
  }
  if (looks_ - closeAskedAt_ < beforeEnd_) return false;
  processes.EndAll(running);
  armed_ = false;
  return true;
}

ExitLook SaverExited(gui::Application& app, platform::Processes& processes, platform::ProcessRef& running,
                     gui::Timer& timer, ExitGuard& guard, int stopPresses) {
  if (processes.StillRunning(running)) {
    const bool forced = guard.Look(processes, running, stopPresses);
    app.ProcessMessages();
    if (forced) return ExitLook::kForced;
    if (timer.Interval() != 0) timer.SetInterval(kNextExitLook);
    return ExitLook::kRunning;
  }
  if (running.valid()) processes.Close(running);
  guard.Disarm();
  return ExitLook::kEnded;
}

bool IsSaverName(const std::string& path) { return browse::FileExtensionIndex(path) == browse::kScrIndex; }
bool IsArchiveName(const std::string& path) { return browse::FileExtensionIndex(path) == browse::kLzhIndex; }

bool HasProgramHeader(platform::FileSystem& fs, const std::string& path) {
  platform::OpenedFile opened = fs.Open(path, platform::OpenMode::kRead, platform::Share::kReadWrite);
  if (!opened.file) return false;
  std::array<char, 2> head{};
  std::optional<size_t> read = opened.file->Read(head.data(), head.size());
  return read && *read == 2 && head[0] == 'M' && head[1] == 'Z';
}

namespace {

// The saver started in its own folder; playing makes that folder this process's current one too,
// a preview leaves the current folder as it is.
platform::ProcessRef StartInFolder(platform::Services& os, const std::string& path, const std::string& arguments,
                                   int showMode, bool makeCurrent) {
  std::string folder, name;
  text::SplitFileName(path, folder, name);
  folder = text::CutYen(folder);
  if (!(makeCurrent ? os.fs.SetCurrentFolder(folder).ok() : os.fs.DirectoryExists(folder))) return {};
  platform::StartRequest request;
  request.commandLine = "\"" + path + "\"" + arguments;
  request.currentFolder = folder;
  request.showMode = showMode;
  request.priorityClass = platform::priority::kNormal;
  return os.processes.Start(request).process;
}

}  // namespace

platform::ProcessRef StartSaver(platform::Services& os, const std::string& path, bool settings) {
  return StartInFolder(os, path, settings ? " /c" : " /s", platform::show::kShow, true);
}

platform::ProcessRef StartSaverPreview(platform::Services& os, const std::string& path, platform::WindowId host) {
  return StartInFolder(os, path, " /p " + std::to_string(host), platform::show::kNoActivate, false);
}

void PressShiftKeepingCursor(platform::Desktop& desktop) {
  std::optional<platform::Point> cursor = desktop.CursorPos();
  desktop.PressKey(platform::vk::kShift);
  if (cursor) desktop.MoveCursor(*cursor);
}

std::string UpperFileName(const std::string& path) {
  std::string folder, name;
  text::SplitFileName(path, folder, name);
  return text::UpperAscii(name);
}

std::string CutTitle(const std::string& text) { return text::LeftCut(text, kTitleLength); }

}  // namespace play
