#include "platform/fake/fake_library.h"

#include "platform/fake/fold.h"

namespace platform::fake {

namespace {

// The quoted arguments of a command line, in order.
std::vector<std::string> QuotedArguments(const std::string& line) {
  std::vector<std::string> args;
  size_t at = 0;
  for (;;) {
    const size_t open = line.find('"', at);
    if (open == std::string::npos) break;
    const size_t close = line.find('"', open + 1);
    if (close == std::string::npos) break;
    args.push_back(line.substr(open + 1, close - open - 1));
    at = close + 1;
  }
  return args;
}

// An entry that would land outside the destination: absolute, or with a ".." folder.
bool Unsafe(const std::string& name) {
  if (name.empty() || name[0] == '/' || name[0] == '\\' || name.find(':') != std::string::npos) return true;
  for (const std::string& part : SplitPath(name)) {
    if (part == "..") return true;
  }
  return false;
}

std::string BaseName(const std::string& name) {
  const size_t cut = name.find_last_of("/\\");
  return cut == std::string::npos ? name : name.substr(cut + 1);
}

}  // namespace

class FakeArchiver : public Archiver {
 public:
  explicit FakeArchiver(FakeLibrary& lib) : lib_(lib) { ++lib_.loaded_; }
  ~FakeArchiver() override { --lib_.loaded_; }

  bool Has(const std::string& entry) override { return lib_.missing_.count(entry) == 0; }

  int Run(WindowId, const std::string& commandLine, std::string& output, size_t outputSize) override {
    if (!Has(archiver::kRun)) return -1;
    lib_.commands_.push_back(commandLine);
    const std::vector<std::string> args = QuotedArguments(commandLine);
    const std::string verb = commandLine.size() > 1 ? commandLine.substr(1, 1) : "";
    output.clear();
    if (args.empty()) return 0x8001;
    auto found = lib_.archives_.find(UpperAscii(args[0]));
    if (verb == "a") {
      if (args.size() < 2) return 0x8001;
      std::optional<std::string> data = lib_.fs_.ReadFile(args[1]);
      if (!data) return 0x800A;
      std::vector<FakeLibrary::Entry> entries = found == lib_.archives_.end() ? std::vector<FakeLibrary::Entry>{} : found->second;
      const std::string name = BaseName(args[1]);
      std::erase_if(entries, [&](const FakeLibrary::Entry& e) { return SameText(e.name, name); });
      entries.push_back({name, *data});
      lib_.AddArchive(args[0], std::move(entries));
      return 0;
    }
    if (found == lib_.archives_.end()) return 0x800A;
    if (verb == "l") {
      output = "Name              Original\r\n";
      for (const FakeLibrary::Entry& e : found->second) output += e.name + "  " + std::to_string(e.data.size()) + "\r\n";
      if (output.size() > outputSize) output.resize(outputSize);
      return 0;
    }
    if (verb != "e" || args.size() < 2) return 0x8001;
    int result = 0;
    for (const FakeLibrary::Entry& e : found->second) {
      if (Unsafe(e.name)) {
        result = 0x8005;  // refused, the others are still written
        continue;
      }
      // "e" drops the entry's folders: every file lands in the destination itself.
      if (!lib_.fs_.WriteFile(args[1] + BaseName(e.name), e.data).ok()) result = 0x8006;
    }
    return result;
  }

  bool Running() override { return false; }

  uintptr_t OpenArchive(WindowId, const std::string& path, uint32_t) override {
    if (!Has(archiver::kOpenArchive) || lib_.archives_.count(UpperAscii(path)) == 0) return 0;
    open_ = lib_.archives_[UpperAscii(path)];
    next_ = 0;
    return 1;
  }
  std::optional<std::string> FindFirst(uintptr_t archive, const std::string&) override {
    next_ = 0;
    return FindNext(archive);
  }
  std::optional<std::string> FindNext(uintptr_t archive) override {
    if (archive == 0 || next_ >= open_.size()) return std::nullopt;
    return open_[next_++].name;
  }
  void CloseArchive(uintptr_t) override { open_.clear(); }

 private:
  FakeLibrary& lib_;
  std::vector<FakeLibrary::Entry> open_;
  size_t next_ = 0;
};

void FakeLibrary::AddArchive(const std::string& path, std::vector<Entry> entries) {
  fs_.AddFile(path, "-lh5- archive of " + std::to_string(entries.size()) + " entries");
  archives_[UpperAscii(path)] = std::move(entries);
}

std::vector<FakeLibrary::Entry> FakeLibrary::ArchiveEntries(const std::string& path) const {
  auto it = archives_.find(UpperAscii(path));
  return it == archives_.end() ? std::vector<Entry>{} : it->second;
}

std::unique_ptr<Archiver> FakeLibrary::LoadArchiver(const std::string& path) {
  attempts_.push_back(path);
  if (!present_ || !FullPath(path) || !fs_.FileExists(path)) return nullptr;
  return std::make_unique<FakeArchiver>(*this);
}

}  // namespace platform::fake
