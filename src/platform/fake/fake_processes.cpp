#include "platform/fake/fake_processes.h"

#include <cstdlib>

#include "platform/fake/fold.h"

namespace platform::fake {

namespace {

constexpr uint32_t kErrorDirectory = 267;

std::string FileNameOf(const std::string& path) {
  std::vector<std::string> parts = SplitPath(path);
  return parts.empty() ? path : parts.back();
}

bool HasExtension(const std::string& path) {
  std::string name = FileNameOf(path);
  return name.find('.') != std::string::npos;
}

}  // namespace

void FakeProcesses::SetBehaviour(const std::string& fileName, ProgramBehaviour behaviour) {
  behaviours_[UpperAscii(fileName)] = behaviour;
}

ProgramBehaviour FakeProcesses::BehaviourOf(const std::string& program) const {
  auto it = behaviours_.find(UpperAscii(FileNameOf(program)));
  return it == behaviours_.end() ? defaultBehaviour_ : it->second;
}

void FakeProcesses::Exit(uint32_t processId, uint32_t exitCode) {
  for (Record& r : started_) {
    if (r.process.id == processId && r.running) {
      r.running = false;
      r.exitCode = exitCode;
    }
  }
}

void FakeProcesses::UserInput() {
  for (Record& r : started_) {
    if (r.running && r.endsOnInput) {
      r.running = false;
      r.exitCode = BehaviourOf(r.program).exitCode;
    }
  }
}

int FakeProcesses::OpenHandles() const {
  int n = 0;
  for (const Record& r : started_) n += r.handleOpen ? 1 : 0;
  return n;
}

std::optional<std::string> FakeProcesses::Locate(const std::string& name) {
  std::vector<std::string> candidates;
  if (name.find('\\') == std::string::npos && name.find('/') == std::string::npos) {
    // A bare name: the current folder, then the system folder, then the Windows folder.
    std::string windows = desktop_.WindowsFolder();
    for (std::string folder : {fs_.CurrentFolder(), windows + "\\SYSTEM32", windows}) {
      if (!EndsWithSeparator(folder)) folder += '\\';
      candidates.push_back(folder + name);
    }
  } else {
    candidates.push_back(name);
  }
  for (const std::string& c : candidates) {
    for (const std::string& file : HasExtension(c) ? std::vector<std::string>{c} : std::vector<std::string>{c + ".exe"}) {
      if (fs_.FileExists(file)) return fs_.FullPath(file);
    }
  }
  return std::nullopt;
}

FakeProcesses::Resolved FakeProcesses::ResolveProgram(const std::string& commandLine) {
  if (startFailure_ != 0) {
    Resolved failed;
    failed.error = startFailure_;
    startFailure_ = 0;
    return failed;
  }
  std::vector<std::string> names;
  std::string line = commandLine.substr(commandLine.find_first_not_of(' ') == std::string::npos
                                            ? commandLine.size()
                                            : commandLine.find_first_not_of(' '));
  if (!line.empty() && line[0] == '"') {
    names.push_back(line.substr(1, line.find('"', 1) == std::string::npos ? std::string::npos : line.find('"', 1) - 1));
  } else {
    // Unquoted: each blank ends a candidate, shortest first, as Windows tries them.
    for (size_t i = 0; i <= line.size(); ++i) {
      if (i == line.size() || line[i] == ' ') {
        if (i > 0) names.push_back(line.substr(0, i));
      }
    }
  }
  Resolved r;
  r.error = code::kFileNotFound;
  for (const std::string& name : names) {
    if (std::optional<std::string> found = Locate(name)) {
      std::optional<std::string> head = fs_.ReadFile(*found, 2);
      if (!head) {
        r.error = code::kAccessDenied;
      } else if (*head != "MZ") {
        r.error = code::kBadExeFormat;
      } else {
        r.program = *found;
        r.error = 0;
      }
      return r;
    }
  }
  return r;
}

StartedProcess FakeProcesses::Start(const StartRequest& request) {
  StartedProcess out;
  if (!request.currentFolder.empty() && !fs_.DirectoryExists(request.currentFolder)) {
    out.result = OsResult::FromCode(kErrorDirectory);
    return out;
  }
  Resolved resolved = ResolveProgram(request.commandLine);
  if (resolved.error != 0) {
    out.result = OsResult::FromCode(resolved.error);
    return out;
  }
  ProgramBehaviour behaviour = BehaviourOf(resolved.program);
  Record r;
  r.request = request;
  r.program = resolved.program;
  r.process.id = nextId_++;
  r.process.handle = r.process.id * 4;
  r.handleOpen = true;
  r.pollsLeft = behaviour.pollsUntilExit;
  r.endsOnInput = behaviour.endsOnInput;
  r.endsOnClose = behaviour.endsOnClose;
  r.windows = behaviour.windows;
  if (size_t at = request.commandLine.find(" /p "); at != std::string::npos && behaviour.previewInside) {
    r.inside = std::strtoull(request.commandLine.c_str() + at + 4, nullptr, 10);
  }
  if (behaviour.pollsUntilExit == 0) {
    r.running = false;
    r.exitCode = behaviour.exitCode;
  }
  started_.push_back(r);
  out.process = r.process;
  return out;
}

FakeProcesses::Record* FakeProcesses::Find(const ProcessRef& process) {
  if (!process.valid()) return nullptr;
  for (Record& r : started_) {
    if (r.process.handle == process.handle && r.handleOpen) return &r;
  }
  return nullptr;
}

bool FakeProcesses::StillRunning(const ProcessRef& process) {
  Record* r = Find(process);
  if (r == nullptr || !r->running) return false;
  if (r->pollsLeft == 0) {
    r->running = false;
    r->exitCode = BehaviourOf(r->program).exitCode;
    return false;
  }
  if (r->pollsLeft > 0) --r->pollsLeft;
  return true;
}

std::optional<uint32_t> FakeProcesses::ExitCode(const ProcessRef& process) {
  Record* r = Find(process);
  if (r == nullptr || r->running) return std::nullopt;
  return r->exitCode;
}

void FakeProcesses::Close(ProcessRef& process) {
  if (Record* r = Find(process)) r->handleOpen = false;
  process = ProcessRef{};
}

void FakeProcesses::CloseWindows(const ProcessRef& process) {
  if (Record* r = Find(process)) {
    ++r->closeRequests;
    if (r->running && r->endsOnClose) {
      r->running = false;
      r->exitCode = 0;
    }
  }
}

void FakeProcesses::EndAll(ProcessRef& process) {
  if (Record* r = Find(process); r != nullptr && r->running) {
    r->running = false;
    r->endedByForce = true;
    r->exitCode = 1;
  }
  Close(process);
}

std::vector<Rect> FakeProcesses::ShownWindows(const ProcessRef& process) {
  Record* r = Find(process);
  return r != nullptr && r->running ? r->windows : std::vector<Rect>{};
}

bool FakeProcesses::ShowsInside(const ProcessRef& process, WindowId window) {
  Record* r = Find(process);
  return r != nullptr && r->running && window != 0 && r->inside == window;
}

std::vector<std::string> FakeProcesses::RunningExecutables() {
  std::vector<std::string> names;
  names.push_back(UpperAscii(FileNameOf(executable_)));
  for (const std::string& other : others_) names.push_back(UpperAscii(other));
  for (const Record& r : started_) {
    if (r.running) names.push_back(UpperAscii(FileNameOf(r.program)));
  }
  return names;
}

OsResult FakeProcesses::ShellOpen(const std::string& target) {
  shellOpened_.push_back(target);
  if (shellOpenFailure_ != 0) {
    uint32_t code = shellOpenFailure_;
    shellOpenFailure_ = 0;
    return OsResult::FromCode(code);
  }
  return OsResult::Ok();
}

void FakeProcesses::AddShellVerb(const std::string& extension, const std::string& verb) {
  knownVerbs_.insert(UpperAscii(extension) + " " + UpperAscii(verb));
}

OsResult FakeProcesses::ShellVerb(const std::string& file, const std::string& verb, const std::string& folder) {
  shellVerbs_.push_back(verb + " " + file + " in " + folder);
  if (!fs_.FileExists(file)) return OsResult::FromCode(code::kFileNotFound);
  const std::string name = FileNameOf(file);
  const size_t dot = name.rfind('.');
  const std::string extension = dot == std::string::npos ? "" : name.substr(dot);
  if (knownVerbs_.count(UpperAscii(extension) + " " + UpperAscii(verb)) == 0) {
    return OsResult::FromCode(code::kNoAssociation);
  }
  return OsResult::Ok();
}

uint32_t FakeProcesses::StartViewer(const std::string& commandLine, const std::string& folder) {
  Resolved resolved = ResolveProgram(commandLine);
  if (resolved.error != 0) {
    switch (resolved.error) {
      case code::kFileNotFound: return 2;
      case code::kPathNotFound: return 3;
      case code::kBadExeFormat: return 11;
      default: return 0;
    }
  }
  Record r;
  r.request.commandLine = commandLine;
  r.request.currentFolder = folder.empty() ? fs_.CurrentFolder() : folder;
  r.request.showMode = show::kNormal;
  r.program = resolved.program;
  r.viewer = true;
  r.process.id = nextId_++;
  started_.push_back(r);
  return 33;
}

}  // namespace platform::fake
