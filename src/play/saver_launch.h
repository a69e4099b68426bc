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
// Starts the saver as Windows starts a preview: " /p" and the handle of the window it is to
// draw in, the same way, shown without taking the activation.
platform::ProcessRef StartSaverPreview(platform::Services& os, const std::string& path, platform::WindowId host);

// Ends the showing saver: a Shift key press, with the cursor put back where it was.
void PressShiftKeepingCursor(platform::Desktop& desktop);

// The wait for a let-go saver's exit (Timer8): the first look comes 300 ms after it was let go,
// then one every second. A timer whose interval is 0 (the chain is being torn down) stays so.
void ScheduleFirstExitLook(gui::Timer& timer);
// A saver the program asked to end (the Shift key, or Escape to every window) may not listen:
// one still there kLooksBeforeClose looks (about as many seconds) later, or at the first look
// after 中断 was pressed, has its windows asked to close, and kLooksBeforeEnd looks after that
// it is ended with every process it started.
constexpr int kLooksBeforeClose = 10;
constexpr int kLooksBeforeEnd = 5;
// What the information line says of such a saver, before its file name.
extern const char kForcedEnd[];  // "応答が無く強制終了："

class ExitGuard {
 public:
  ExitGuard() = default;
  // Other counts of looks before the close and after it (a preview gives way sooner).
  ExitGuard(int looksBeforeClose, int looksBeforeEnd) : beforeClose_(looksBeforeClose), beforeEnd_(looksBeforeEnd) {}
  // The program has just asked the saver to end; `stopPresses` is the count of 中断 so far.
  void Arm(int stopPresses);
  // A wait the program does not time: the user ends the saver (or its settings dialog).
  void Disarm() { armed_ = false; }
  // A look at a saver that still runs. True when it was ended by force now (`running` is none).
  bool Look(platform::Processes& processes, platform::ProcessRef& running, int stopPresses);

 private:
  int beforeClose_ = kLooksBeforeClose;
  int beforeEnd_ = kLooksBeforeEnd;
  bool armed_ = false;
  int stopPresses_ = 0;
  int looks_ = 0;
  int closeAskedAt_ = -1;
};

// The end of a wait look.
enum class ExitLook {
  kRunning,  // the next look is a second away
  kEnded,    // it ended; its handle is released
  kForced,   // it did not listen and was ended by force
};

// One look; pending messages run in every case.
ExitLook SaverExited(gui::Application& app, platform::Processes& processes, platform::ProcessRef& running,
                     gui::Timer& timer, ExitGuard& guard, int stopPresses);

// The file name of a path with its extension, upper-cased (STARS.SCR).
std::string UpperFileName(const std::string& path);
// A title as the window and the application show it.
std::string CutTitle(const std::string& text);

// After an entry was added to a history of `count` entries: whether the oldest must go.
inline bool HistoryOverflows(size_t count, int limit) {
  return count > static_cast<size_t>(limit) || count > static_cast<size_t>(kMaxHistory);
}

}  // namespace play
