#include "lzh/status.h"

namespace lzh {

const char* StatusText(Status s) {
  switch (s) {
    case Status::kOk: return "OK";
    case Status::kUnknownMethod: return "unsupported method";
    case Status::kFileOpen: return "cannot create file";
    case Status::kFileCrc: return "CRC error";
    case Status::kCannotWrite: return "write error";
    case Status::kBrokenData: return "broken data";
    case Status::kHeaderCrc: return "header CRC error";
    case Status::kHeaderBroken: return "broken header";
    case Status::kArchiveOpen: return "cannot open archive";
    case Status::kNotArchive: return "not an LZH archive";
    case Status::kCommand: return "bad command line";
    case Status::kAlreadyRunning: return "busy";
    case Status::kBadHandle: return "bad archive handle";
    case Status::kUnsafeName: return "unsafe entry name";
    case Status::kNoSuchFile: return "file not found";
    case Status::kMakeArchive: return "cannot write archive";
    case Status::kMakeDirectory: return "cannot create folder";
    case Status::kTruncated: return "archive truncated";
    case Status::kTooLarge: return "member too large";
    case Status::kNoMemory: return "out of memory";
    case Status::kUnexpected: return "unexpected error";
  }
  return "error";
}

}  // namespace lzh
