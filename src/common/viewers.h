// The platform's own programs that show the program's text and help files: the text editor and
// the help viewer. They are started in the file's folder and never waited for; the program reads
// nothing back from them and does not end them.
#pragma once
#include <string>

namespace platform {
struct Services;
class Processes;
}  // namespace platform

namespace common {

// A command line holds at most this many characters.
constexpr size_t kMaxViewerCommand = 301;

// "notepad.exe " + path, unquoted (the program's own files in the Windows folder).
std::string NotepadCommand(const std::string& path);
// "notepad.exe " + the path in double quotes + one blank (reports and any file of the user's).
std::string QuotedNotepadCommand(const std::string& path);
// "winhlp32.exe " + path, unquoted.
std::string HelpCommand(const std::string& path);
// The help viewer for a path whose upper-cased extension is ".HLP", else the quoted editor.
std::string TextOrHelpCommand(const std::string& path);

enum class ViewerStart {
  kStarted,
  kNoFolder,  // the folder could not be made current; nothing was started
  kTooLong,   // the command line is longer than kMaxViewerCommand; nothing was started
  kFailed,    // the start value was below 32
};

// Makes `folder` the current folder, then starts `commandLine` with its window shown normally.
ViewerStart StartViewer(platform::Services& os, const std::string& folder, const std::string& commandLine);

// The name of the program's help file in the program folder (with "\").
std::string HelpFileOf(const std::string& programFolder);
// Tells the help viewer to close the program's help file.
void CloseHelp(platform::Processes& processes, const std::string& programFolder);

}  // namespace common
