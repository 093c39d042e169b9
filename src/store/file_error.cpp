#include "store/file_error.h"

#include <cerrno>

namespace bw {

int16_t FileErrorNumberOf(const std::error_code& error) {
  if (!error) return kNoError;
  if (error.category() != std::generic_category() && error.category() != std::system_category()) {
    return kPathFileAccess;
  }
  switch (error.value()) {
    case ENOENT:
      return kFileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return kPathNotFound;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return kDiskFull;
    case EBUSY:
    case ETXTBSY:
    case EAGAIN:
      return kPermissionDenied;
    case EINVAL:
      return kInvalidArgument;
    default:  // EACCES, EPERM, EROFS, EISDIR, EIO and the rest
      return kPathFileAccess;
  }
}

std::string FileErrorDescription(int16_t number) {
  switch (number) {
    case kNoError:
      return "";
    case kInvalidArgument:
      return "Invalid procedure call or argument";
    case kOverflow:
      return "Overflow";
    case kTypeMismatch:
      return "Type mismatch";
    case kFileNotFound:
      return "File not found";
    case kDiskFull:
      return "Disk full";
    case kPermissionDenied:
      return "Permission denied";
    case kPathFileAccess:
      return "Path/File access error";
    case kPathNotFound:
      return "Path not found";
    default:
      return "Application-defined or object-defined error";
  }
}

}  // namespace bw
