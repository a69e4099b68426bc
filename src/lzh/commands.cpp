#include "lzh/commands.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "lzh/archive.h"
#include "lzh/decoder.h"
#include "lzh/listing.h"
#include "lzh/names.h"

namespace lzh {
namespace {

std::vector<std::string> SplitWords(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false, have = false;
  for (char c : text) {
    if (c == '"') {
      quoted = !quoted;
      have = true;
    } else if (!quoted && (c == ' ' || c == '\t')) {
      if (have) words.push_back(word);
      word.clear();
      have = false;
    } else {
      word += c;
      have = true;
    }
  }
  if (have) words.push_back(word);
  return words;
}

// False when a switch's number does not fit an int: such a line is malformed.
bool ParseSwitches(std::string_view word, std::map<char, int>* out) {
  size_t i = 1;
  while (i < word.size()) {
    char letter = word[i++];
    if (letter >= 'A' && letter <= 'Z') letter = static_cast<char>(letter - 'A' + 'a');
    if (letter < 'a' || letter > 'z') continue;
    int value = 1;
    if (i < word.size() && word[i] >= '0' && word[i] <= '9') {
      value = 0;
      while (i < word.size() && word[i] >= '0' && word[i] <= '9') {
        const int digit = word[i++] - '0';
        if (value > (std::numeric_limits<int>::max() - digit) / 10) return false;
        value = value * 10 + digit;
      }
    }
    (*out)[letter] = value;
  }
  return true;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return EndsWithSeparator(folder) ? folder + name : folder + "\\" + name;
}

void Note(std::string* output, const std::string& name, Status s) {
  if (!output) return;
  *output += Ok(s) ? "  OK      " : "  ERROR   ";
  *output += name;
  if (!Ok(s)) {
    *output += " : ";
    *output += StatusText(s);
  }
  *output += "\r\n";
}

bool Matches(const std::vector<std::string>& patterns, const Entry& e) {
  if (patterns.empty()) return true;
  for (const auto& p : patterns) {
    bool withFolder = p.find('\\') != std::string::npos || p.find('/') != std::string::npos;
    if (WildcardMatch(p, withFolder ? e.Path() : e.name)) return true;
  }
  return false;
}

// Copies as many whole lines of `text` as fit, zero-terminated.
void CopyOutput(const std::string& text, char* out, size_t size) {
  if (!out || size == 0) return;
  size_t n = text.size();
  if (n > size - 1) {
    // The last line must end before the byte kept for the NUL; a buffer of one byte holds no line.
    const size_t lineEnd = size < 2 ? std::string::npos : text.rfind('\n', size - 2);
    n = lineEnd == std::string::npos ? 0 : lineEnd + 1;
  }
  std::memcpy(out, text.data(), n);
  out[n] = '\0';
}

}  // namespace

bool EndsWithSeparator(std::string_view path) {
  bool last = false;
  for (size_t i = 0; i < path.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(path[i]);
    if (IsLeadByte(c) && i + 1 < path.size()) {
      ++i;
      last = false;
    } else {
      last = c == '\\' || c == '/';
    }
  }
  return last;
}

bool MayExtract(const Entry& e, bool withFolders) {
  if (e.symlink || e.parentRefs || !IsPlainName(e.name)) return false;
  if (withFolders)
    for (const auto& f : e.folders)
      if (!IsPlainName(f)) return false;
  return true;
}

std::string ExtractedPath(const std::string& destination, const Entry& e, bool withFolders) {
  std::string folder = destination;
  if (withFolders)
    for (const auto& f : e.folders) folder = JoinPath(folder, f);
  return JoinPath(folder, e.name);
}

Status ParseCommandLine(std::string_view text, CommandLine* out) {
  *out = CommandLine{};
  std::vector<std::string> words = SplitWords(text);
  if (words.empty() || words[0].size() != 1) return Status::kCommand;
  char c = words[0][0];
  if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  if (std::string("exlvta").find(c) == std::string::npos) return Status::kCommand;
  out->command = c;
  for (size_t i = 1; i < words.size(); ++i) {
    const std::string& w = words[i];
    if (w.size() > 1 && w[0] == '-') {
      if (!ParseSwitches(w, &out->switches)) return Status::kCommand;
    } else if (out->archive.empty()) {
      out->archive = w;
    } else if ((c == 'e' || c == 'x') && out->destination.empty() && EndsWithSeparator(w)) {
      out->destination = w;
    } else if (!w.empty()) {
      out->names.push_back(w);
    }
  }
  return out->archive.empty() ? Status::kCommand : Status::kOk;
}

Status Archiver::Run(std::string_view commandLine, std::string* output) {
  CommandLine cl;
  Status s = ParseCommandLine(commandLine, &cl);
  if (!Ok(s)) return s;
  switch (cl.command) {
    case 'e':
    case 'x':
    case 't':
      return Extract(cl, output);
    case 'l':
    case 'v':
      return List(cl, output);
    case 'a':
      return Add(cl, output);
    default:
      return Status::kCommand;
  }
}

Status RunCommand(FileStore& files, const char* commandLine, char* output, size_t outputSize) {
  std::string text;
  Status s = Status::kCommand;
  // Nothing may leave the library as an exception: the caller's program would end.
  try {
    if (commandLine) s = Archiver(files).Run(commandLine, &text);
  } catch (const std::bad_alloc&) {
    s = Status::kNoMemory;
  } catch (...) {
    s = Status::kUnexpected;
  }
  CopyOutput(text, output, outputSize);
  return s;
}

Status Archiver::List(const CommandLine& cl, std::string* output) {
  std::unique_ptr<InputFile> in = files_.OpenRead(cl.archive);
  if (!in) return Status::kArchiveOpen;
  std::vector<Entry> entries;
  Status s = ReadEntries(*in, &entries);
  if (s == Status::kNotArchive) return s;
  std::vector<Entry> shown;
  for (const Entry& e : entries)
    if (Matches(cl.names, e)) shown.push_back(e);
  bool full = cl.command == 'v' || (cl.switches.count('x') && cl.switches.at('x') != 0);
  if (output) *output += FormatListing(shown, full, [&](const Entry& e) { return files_.DisplayTime(e); });
  return s;
}

Status Archiver::Extract(const CommandLine& cl, std::string* output) {
  std::unique_ptr<InputFile> in = files_.OpenRead(cl.archive);
  if (!in) return Status::kArchiveOpen;
  std::vector<Entry> entries;
  Status first = ReadEntries(*in, &entries);
  if (first == Status::kNotArchive) return first;
  const bool test = cl.command == 't';
  const bool keepFolders = cl.command == 'x';
  if (!test && !cl.destination.empty() && !files_.MakeFolders(cl.destination)) return Status::kMakeDirectory;
  auto record = [&](Status s) {
    if (Ok(first)) first = s;
  };
  for (const Entry& e : entries) {
    if (!Matches(cl.names, e)) continue;
    const std::string shown = DisplayPath(e, true, '\\');
    if (!MayExtract(e, keepFolders)) {
      Note(output, shown, Status::kUnsafeName);
      record(Status::kUnsafeName);
      continue;
    }
    const std::string path = ExtractedPath(cl.destination, e, keepFolders);
    if (e.IsFolder()) {
      if (keepFolders && !test && !files_.MakeFolders(path)) record(Status::kMakeDirectory);
      continue;
    }
    if (!CanDecode(e.method)) {
      Note(output, shown, Status::kUnknownMethod);
      record(Status::kUnknownMethod);
      continue;
    }
    Status s;
    if (test) {
      NullSink sink;
      s = DecodeMember(*in, e, sink);
    } else {
      const std::string folder = path.substr(0, path.size() - e.name.size());  // with its separator
      if (keepFolders && !folder.empty() && !files_.MakeFolders(folder)) {
        record(Status::kMakeDirectory);
        continue;
      }
      std::unique_ptr<OutputFile> out = files_.Create(path);
      if (!out) {
        s = Status::kFileOpen;
      } else {
        s = DecodeMember(*in, e, *out);
        if (!out->Close() && Ok(s)) s = Status::kCannotWrite;
        out.reset();
        // A member that did not decode completely leaves no file behind.
        if (!Ok(s)) files_.Remove(path);
        else files_.ApplyMetadata(path, e);
      }
    }
    Note(output, shown, s);
    if (!Ok(s)) record(s);
  }
  return first;
}

Status Archiver::Add(const CommandLine& cl, std::string* output) {
  if (cl.names.empty()) return Status::kCommand;
  // The files stay open while the archive is written: each is read as it is compressed.
  std::vector<std::unique_ptr<InputFile>> inputs;
  std::vector<NewMember> members;
  for (const std::string& name : cl.names) {
    FileInfo info;
    if (files_.Exists(name) && !files_.OwnNameHeld(name)) {
      Note(output, name, Status::kUnsafeName);
      return Status::kUnsafeName;
    }
    if (!files_.ReadInfo(name, &info) || !inputs.emplace_back(files_.OpenRead(name))) {
      Note(output, name, Status::kNoSuchFile);
      return Status::kNoSuchFile;
    }
    NewMember m;
    m.meta.name = BaseName(name);
    if (!IsPlainName(m.meta.name)) return Status::kUnsafeName;
    m.meta.attribute = static_cast<uint8_t>(info.attribute & 0x27);
    m.meta.hasFileTimes = info.hasTimes;
    m.meta.creationTime = info.creationTime;
    m.meta.writeTime = info.writeTime;
    m.meta.accessTime = info.accessTime;
    m.meta.dosTime = UnixToDos(info.hasTimes ? FileTimeToUnix(info.writeTime) : 315532800);
    m.input = inputs.back().get();
    // The same name twice in one command: the later file wins.
    members.erase(std::remove_if(members.begin(), members.end(),
                                 [&](const NewMember& o) { return SameMemberPath(o.meta.name, m.meta.name); }),
                  members.end());
    members.push_back(m);
  }
  std::unique_ptr<InputFile> existing;
  if (files_.Exists(cl.archive)) {
    existing = files_.OpenRead(cl.archive);
    if (!existing) return Status::kArchiveOpen;
    // Never rewrite a file that does not read as a whole archive.
    std::vector<Entry> entries;
    Status s = ReadEntries(*existing, &entries);
    if (!Ok(s)) return s;
  }
  // The new archive is written beside the old one under a name no file has, and replaces it.
  std::string temp;
  std::unique_ptr<OutputFile> out;
  for (int n = 0; n < 100 && !out; ++n) {
    temp = cl.archive + (n == 0 ? ".$$$" : ".$" + std::to_string(100 + n).substr(1));
    out = files_.CreateNew(temp);
  }
  if (!out) return Status::kMakeArchive;
  auto replaced = [&](const Entry& e) {
    for (const auto& m : members)
      if (SameMemberPath(e.Path(), m.meta.name)) return true;
    return false;
  };
  Status s = WriteArchive(existing.get(), members, replaced, *out, options_);
  bool closed = out->Close();
  out.reset();
  existing.reset();
  if (Ok(s) && !closed) s = Status::kMakeArchive;
  if (Ok(s) && !files_.Replace(temp, cl.archive)) s = Status::kMakeArchive;
  if (!Ok(s)) files_.Remove(temp);
  for (const auto& m : members) Note(output, m.meta.name, s);
  return s;
}

}  // namespace lzh
