#include "platform/os_result.h"

namespace platform {

OsError ErrorKindOf(uint32_t win32Code) {
  switch (win32Code) {
    case 0: return OsError::kNone;
    case code::kFileNotFound: return OsError::kNotFound;
    case code::kPathNotFound: return OsError::kPathNotFound;
    case code::kAccessDenied: return OsError::kAccessDenied;
    case code::kNotReady: return OsError::kNotReady;
    case code::kSharingViolation: return OsError::kSharingViolation;
    case 33: return OsError::kSharingViolation;  // ERROR_LOCK_VIOLATION
    case code::kFileExists:
    case code::kAlreadyExists: return OsError::kAlreadyExists;
    case code::kHandleDiskFull:
    case code::kDiskFull: return OsError::kDiskFull;
    case code::kInvalidName:
    case 161: return OsError::kInvalidName;  // ERROR_BAD_PATHNAME
    case code::kDirNotEmpty: return OsError::kDirectoryNotEmpty;
    case code::kBadExeFormat:
    case 11: return OsError::kBadFormat;  // ERROR_BAD_FORMAT
    default: return OsError::kOther;
  }
}

OsResult OsResult::FromCode(uint32_t win32Code) {
  OsResult r;
  r.error = ErrorKindOf(win32Code);
  if (win32Code != 0 && r.error == OsError::kNone) r.error = OsError::kOther;
  r.osError = win32Code;
  return r;
}

}  // namespace platform
