// The outcome of an operating-system call that can fail: a portable error kind for the program's
// decisions and the OS error code as Windows gave it, for messages and diagnostics.
#pragma once
#include <cstdint>

namespace platform {

enum class OsError {
  kNone,
  kNotFound,          // file, value or key missing
  kPathNotFound,      // a folder on the way is missing
  kAlreadyExists,
  kAccessDenied,      // read-only file, folder where a file was expected, no rights
  kSharingViolation,  // the file is open elsewhere in a way that forbids this
  kDirectoryNotEmpty,
  kInvalidName,
  kNotReady,          // no medium in the drive
  kDiskFull,
  kBadFormat,         // not a program Windows can start
  kOther,
};

struct OsResult {
  OsError error = OsError::kNone;
  // Win32 error code (GetLastError, registry status) or HRESULT; 0 on success. The fakes set the
  // code Windows uses for the same failure.
  uint32_t osError = 0;

  bool ok() const { return error == OsError::kNone; }
  explicit operator bool() const { return ok(); }

  static OsResult Ok() { return {}; }
  // A failure described by a Win32 error code (ERROR_FILE_NOT_FOUND = 2 and so on).
  static OsResult FromCode(uint32_t win32Code);
};

// The error kind of a Win32 error code; 0 is kNone, unknown codes are kOther.
OsError ErrorKindOf(uint32_t win32Code);

// Win32 error codes the program and the fakes use by name.
namespace code {
constexpr uint32_t kFileNotFound = 2;
constexpr uint32_t kPathNotFound = 3;
constexpr uint32_t kAccessDenied = 5;
constexpr uint32_t kInvalidHandle = 6;
constexpr uint32_t kNotReady = 21;
constexpr uint32_t kSharingViolation = 32;
constexpr uint32_t kHandleDiskFull = 39;
constexpr uint32_t kFileExists = 80;
constexpr uint32_t kInvalidParameter = 87;
constexpr uint32_t kDiskFull = 112;
constexpr uint32_t kInvalidName = 123;
constexpr uint32_t kDirNotEmpty = 145;
constexpr uint32_t kAlreadyExists = 183;
constexpr uint32_t kBadExeFormat = 193;
constexpr uint32_t kNoAssociation = 1155;
constexpr uint32_t kNotConnected = 2250;
}  // namespace code

}  // namespace platform
