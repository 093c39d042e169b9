// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/file_error.h"

#include "platform/file_system.h"

namespace bw {

namespace {

// The last system error mapped on this thread, for the text of its number.
struct LastSystemError {
  int16_t number = 0;
  std::string reason;
};
thread_local LastSystemError lastError;

int16_t NumberOf(const std::error_code& error) {
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

}  // namespace

int16_t FileErrorNumberOf(const std::error_code& error) {
  const int16_t number = NumberOf(error);
  if (number != kNoError) lastError = {number, error.message()};
  return number;
}

std::string FileErrorText(int16_t number) {
  const bool system = lastError.number == number && !lastError.reason.empty();
  return "Error " + std::to_string(number) + " " +
         (system ? lastError.reason : FileErrorDescription(number));
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
    case kBadFileMode:
      return "Bad file mode (not a plain file)";
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
