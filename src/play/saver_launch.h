// What the manager's play engine and the screen-saver runner do alike with one saver: whether a
// path is a saver that can be started, its start as a separate process in its own folder, the
// Shift key that ends it, and the titles shown while it plays.
#pragma once
#include <cstddef>
#include <string>

#include "platform/processes.h"

namespace gui {
class Application;
class Timer;
}  // namespace gui

namespace platform {
class Desktop;
class FileSystem;
struct Services;
}  // namespace platform

namespace play {

// Titles are cut to this many bytes (never inside a two-byte character).
constexpr int kTitleLength = 63;
// The history never holds more entries than this, whatever the user's limit.
constexpr int kMaxHistory = 16000;

// Admission by name: the extension, upper-cased and cut to three characters, is "SCR".
bool IsSaverName(const std::string& path);
// An LZH archive by the same rule: the manager opens it instead of starting it.
bool IsArchiveName(const std::string& path);
// Windows starts only files that begin with "MZ"; anything else would fail or open elsewhere.
bool HasProgramHeader(platform::FileSystem& fs, const std::string& path);

// Starts the saver with " /c" (its settings) or " /s" (full screen), in its own folder, which
// also becomes the program's current folder. The path is quoted: an unquoted path with blanks
// could name another program. None when the folder has vanished or the start failed.
platform::ProcessRef StartSaver(platform::Services& os, const std::string& path, bool settings);

// Ends the showing saver: a Shift key press, with the cursor put back where it was.
void PressShiftKeepingCursor(platform::Desktop& desktop);

// The wait for a let-go saver's exit (Timer8): the first look comes 300 ms after it was let go,
// then one every second. A timer whose interval is 0 (the chain is being torn down) stays so.
void ScheduleFirstExitLook(gui::Timer& timer);
// One look: false while the saver runs (the next look is a second away); true once it has
// ended, with its handle released. Pending messages run in either case.
bool SaverExited(gui::Application& app, platform::Processes& processes, platform::ProcessRef& running,
                 gui::Timer& timer);

// The file name of a path with its extension, upper-cased (STARS.SCR).
std::string UpperFileName(const std::string& path);
// A title as the window and the application show it.
std::string CutTitle(const std::string& text);

// After an entry was added to a history of `count` entries: whether the oldest must go.
inline bool HistoryOverflows(size_t count, int limit) {
  return count > static_cast<size_t>(limit) || count > static_cast<size_t>(kMaxHistory);
}

}  // namespace play
