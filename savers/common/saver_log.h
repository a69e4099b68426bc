// The savers' event log for tests: when the environment variable QV_SAVER_LOG names a file, every
// start and every end appends one line to it (opened, appended, closed each time, so that several
// savers may write the same file one after another):
//   <unix-ms> <saver-name> pid=<pid> start args=<arguments after the program name>
//   <unix-ms> <saver-name> pid=<pid> end reason=<reason>   (key, escape, mouse-move, ...)
// The saver name is the executable's file name without extension. Lines end in CR LF; text
// beyond ASCII is written as UTF-8 and control characters as "?".
#pragma once
#include <cstdint>
#include <string>

namespace savers {

// Milliseconds since 1970-01-01 UTC from a FILETIME value (100 ns units since 1601).
std::uint64_t UnixMsFromFileTime(std::uint64_t fileTime);

// One log line with its CR LF; `event` is "start args=..." or "end reason=...".
std::string LogLine(std::uint64_t unixMs, const std::wstring& saverName, unsigned long pid,
                    const std::wstring& event);

// The executable's file name without folder and extension ("STARS" for ...\STARS.SCR).
std::wstring SaverName();

// When the environment variable QV_SAVER_FRAMES names a folder, a preview leaves one picture of
// what it draws there, as <saver-name>-<pid>.bmp: a host window of another program may show it
// to the user only.
void LogFrame(const std::uint32_t* pixels, int width, int height);

void LogStart(const std::wstring& arguments);
// `reason` is one of key, mouse-move, mouse-button, close, host-gone, config-ok, config-cancel.
void LogEnd(const wchar_t* reason);

}  // namespace savers
