#include "play/saver_launch.h"

#include <array>
#include <optional>

#include "browse/filters.h"
#include "browse/text_path.h"
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

bool SaverExited(gui::Application& app, platform::Processes& processes, platform::ProcessRef& running,
                 gui::Timer& timer) {
  if (processes.StillRunning(running)) {
    app.ProcessMessages();
    if (timer.Interval() != 0) timer.SetInterval(kNextExitLook);
    return false;
  }
  if (running.valid()) processes.Close(running);
  return true;
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

platform::ProcessRef StartSaver(platform::Services& os, const std::string& path, bool settings) {
  std::string folder, name;
  browse::SplitFileName(path, folder, name);
  folder = browse::CutYen(folder);
  if (!os.fs.SetCurrentFolder(folder).ok()) return {};
  platform::StartRequest request;
  request.commandLine = "\"" + path + "\"" + (settings ? " /c" : " /s");
  request.currentFolder = folder;
  request.showMode = platform::show::kShow;
  request.priorityClass = platform::priority::kNormal;
  return os.processes.Start(request).process;
}

void PressShiftKeepingCursor(platform::Desktop& desktop) {
  std::optional<platform::Point> cursor = desktop.CursorPos();
  desktop.PressKey(platform::vk::kShift);
  if (cursor) desktop.MoveCursor(*cursor);
}

std::string UpperFileName(const std::string& path) {
  std::string folder, name;
  browse::SplitFileName(path, folder, name);
  return browse::UpperAscii(name);
}

std::string CutTitle(const std::string& text) { return browse::LeftCut(text, kTitleLength); }

}  // namespace play
