// The archiver's command lines: " e -ma1 "archive" "dest\" "*.*" ", " l -x1 "archive" ",
// " a -a1 "archive" "file" " and their relatives, run over a FileStore.
#pragma once
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "lzh/encoder.h"
#include "lzh/file_store.h"
#include "lzh/status.h"

namespace lzh {

struct CommandLine {
  char command = 0;                 // 'e' 'x' 'l' 'v' 't' 'a' (lower case)
  std::map<char, int> switches;     // "-ma1" gives m=1 and a=1; "-x" alone gives x=1
  std::string archive;
  std::string destination;          // e/x: the argument that ends with a separator
  std::vector<std::string> names;   // e/x/l/t: patterns; a: files to add
};

// Splits at blanks outside double quotes (the quotes are removed). The first word is the
// command; words starting with "-" are switches; the first other word is the archive.
// kCommand for an empty line, an unknown command, a missing archive or a switch whose number
// does not fit an int.
Status ParseCommandLine(std::string_view text, CommandLine* out);

// Whether a path ends with "\" or "/" (a "\" that is the second byte of a Shift-JIS
// character does not count).
bool EndsWithSeparator(std::string_view path);

// Whether a member may become a plain file inside the destination: no link, no "..", and every
// component extraction creates (the name, with `withFolders` its folders too) a safe one.
// Absolute paths lost their prefix when the header was read.
bool MayExtract(const Entry& e, bool withFolders);

// Where extraction puts the member (or creates the folder of a folder entry) below `destination`.
std::string ExtractedPath(const std::string& destination, const Entry& e, bool withFolders);

class Archiver {
 public:
  explicit Archiver(FileStore& files, EncoderOptions options = {}) : files_(files), options_(options) {}

  // Runs one command line. `output` receives the listing (l, v) or a report of what was done.
  // The result is the first error met; members after a failing one are still processed.
  Status Run(std::string_view commandLine, std::string* output);

 private:
  Status Extract(const CommandLine& cl, std::string* output);
  Status List(const CommandLine& cl, std::string* output);
  Status Add(const CommandLine& cl, std::string* output);

  FileStore& files_;
  EncoderOptions options_;
};

// The library's command entry over `files`: runs `commandLine` (null: a malformed command) and
// copies the report into the caller's buffer of `outputSize` bytes, as many whole lines as fit
// before the terminating NUL. A null buffer or a size of 0 gets nothing, a size of 1 the NUL only.
// An exception (memory running out) ends the command with kNoMemory.
Status RunCommand(FileStore& files, const char* commandLine, char* output, size_t outputSize);

}  // namespace lzh
