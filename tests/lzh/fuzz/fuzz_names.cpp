// libFuzzer target for the entry-name rule: a member with a fuzzed stored name and folder is
// written as a header and read back, and whenever extraction accepts it, the path it creates is
// checked against a model of how Windows reads that path. The model is written on its own, from
// Windows' rules, and shares no code with the rule it checks.
// Input: one byte of flags (bit 0: extract with folders, bit 1: store a folder, bit 2: a folder
// entry), one byte giving the folder's length, the folder, then the name.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "lzh/commands.h"
#include "lzh/header.h"
#include "lzh/io.h"

namespace {

const std::string kDestination = "C:\\DEST\\";

// Windows converts the path from code page 932 with the system's tables, which pair a lead byte
// with whatever byte follows it; "\" and "/" separate only as characters of their own.
std::vector<std::string> WindowsComponents(const std::string& path) {
  std::vector<std::string> parts(1);
  for (size_t i = 0; i < path.size(); ++i) {
    const unsigned c = static_cast<unsigned char>(path[i]);
    const bool firstOfTwo = (0x81 <= c && c < 0xA0) || (0xE0 <= c && c < 0xFD);
    if (firstOfTwo) {
      if (i + 1 == path.size()) std::abort();  // a path must not end inside a character
      parts.back() += path.substr(i++, 2);
    } else if (c == '\\' || c == '/') {
      parts.emplace_back();
    } else {
      parts.back() += path[i];
    }
  }
  return parts;
}

std::string Upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return s;
}

// Windows' own reading of a component: trailing dots and blanks vanish, and a device name is what
// is left before the first dot or colon, without trailing blanks.
bool WindowsDevice(std::string c) {
  while (!c.empty() && (c.back() == '.' || c.back() == ' ')) c.pop_back();
  c = Upper(c.substr(0, c.find_first_of(".:")));
  while (!c.empty() && c.back() == ' ') c.pop_back();
  static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  for (const char* d : kDevices)
    if (c == d) return true;
  return c.size() == 4 && (c.rfind("COM", 0) == 0 || c.rfind("LPT", 0) == 0) && c[3] >= '1' && c[3] <= '9';
}

// A component Windows keeps as the file's own name, byte for byte.
bool KeptAsIs(const std::string& c) {
  if (c.empty() || c == "." || c == ".." || c.back() == '.' || c.back() == ' ' || WindowsDevice(c)) return false;
  for (size_t i = 0; i < c.size(); ++i) {
    const unsigned b = static_cast<unsigned char>(c[i]);
    if ((0x81 <= b && b < 0xA0) || (0xE0 <= b && b < 0xFD)) {
      ++i;
    } else if (b < 0x20 || std::string("<>:\"|?*").find(static_cast<char>(b)) != std::string::npos) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2 || size > 4096) return 0;
  const bool withFolders = data[0] & 1, storeFolder = data[0] & 2;
  const size_t folderSize = std::min<size_t>(data[1], size - 2);
  lzh::Entry stored;
  stored.method = (data[0] & 4) ? "-lhd-" : "-lh0-";
  stored.name.assign(reinterpret_cast<const char*>(data + 2 + folderSize), size - 2 - folderSize);
  if (storeFolder) stored.folders.emplace_back(reinterpret_cast<const char*>(data + 2), folderSize);

  // The header as an archive holds it, read back the way extraction reads it.
  const std::vector<uint8_t> header = lzh::BuildLevel2Header(stored);
  lzh::MemoryInput in(header);
  lzh::Entry e;
  lzh::HeaderRead what;
  if (lzh::ReadHeader(in, 0, &e, &what) != lzh::Status::kOk || what != lzh::HeaderRead::kEntry) return 0;
  if (!lzh::MayExtract(e, withFolders)) return 0;

  // Accepted: Windows must see exactly the components extraction means, each kept as it is.
  std::vector<std::string> meant = withFolders ? e.folders : std::vector<std::string>{};
  meant.push_back(e.name);
  const std::string path = lzh::ExtractedPath(kDestination, e, withFolders);
  std::vector<std::string> seen = WindowsComponents(path);
  const std::vector<std::string> destination = WindowsComponents(kDestination.substr(0, kDestination.size() - 1));
  if (seen.size() <= destination.size() || !std::equal(destination.begin(), destination.end(), seen.begin()))
    std::abort();
  seen.erase(seen.begin(), seen.begin() + static_cast<std::ptrdiff_t>(destination.size()));
  if (seen != meant) std::abort();
  for (const std::string& c : seen)
    if (!KeptAsIs(c)) std::abort();
  return 0;
}
