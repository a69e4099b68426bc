#include "common/viewers.h"

#include "platform/services.h"

namespace common {

namespace {

bool EndsWithHlp(const std::string& path) {
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos || path.find('\\', dot) != std::string::npos) return false;
  std::string ext = path.substr(dot);
  for (char& c : ext) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return ext == ".HLP";
}

}  // namespace

std::string NotepadCommand(const std::string& path) { return "notepad.exe " + path; }
std::string QuotedNotepadCommand(const std::string& path) { return "notepad.exe \"" + path + "\" "; }
std::string HelpCommand(const std::string& path) { return "winhlp32.exe " + path; }

std::string TextOrHelpCommand(const std::string& path) {
  return EndsWithHlp(path) ? HelpCommand(path) : QuotedNotepadCommand(path);
}

ViewerStart StartViewer(platform::Services& os, const std::string& folder, const std::string& commandLine) {
  if (!os.fs.DirectoryExists(folder)) return ViewerStart::kNoFolder;
  // A command cut to fit would name another file, or none: such a long one is not started.
  if (commandLine.size() > kMaxViewerCommand) return ViewerStart::kTooLong;
  return os.processes.StartViewer(commandLine, folder) < 32 ? ViewerStart::kFailed : ViewerStart::kStarted;
}

std::string HelpFileOf(const std::string& programFolder) { return programFolder + "QUOVEL32" + ".HLP"; }

void CloseHelp(platform::Processes& processes, const std::string& programFolder) {
  processes.QuitHelp(HelpFileOf(programFolder));
}

}  // namespace common
