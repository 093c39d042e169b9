#include "store/file_error.h"

#include "platform/file_system.h"

namespace bw {

int16_t FileErrorNumberOf(const std::error_code& error) {
  switch (FileFaultOf(error)) {
    case FileFault::None:
      return kNoError;
    case FileFault::NotFound:
      return kFileNotFound;
    case FileFault::PathNotFound:
      return kPathNotFound;
    case FileFault::DiskFull:
      return kDiskFull;
    case FileFault::Locked:
      return kPermissionDenied;
    case FileFault::InvalidArgument:
      return kInvalidArgument;
    case FileFault::Access:
      break;
  }
  return kPathFileAccess;
}

std::string FileErrorDescription(int16_t number) {
  switch (number) {
    case kNoError:
      return "";
    case kInvalidArgument:
      return "Invalid procedure call or argument";
    case kOverflow:
      return "Overflow";
    case kFileTooLarge:
      return "Out of memory (the file is too large, or a line too long)";
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
