// SPDX-License-Identifier: GPL-3.0-or-later
// Error numbers of failed file procedures, kept in the numbering the program
// has always reported, with the operating system's errors mapped onto them.
#pragma once

#include <cstdint>
#include <string>
#include <system_error>

namespace bw {

enum FileError : int16_t {
  kNoError = 0,
  kInvalidArgument = 5,
  kOverflow = 6,
  kFileTooLarge = 7,   // beyond the bounds of the text files (store/text_file.h)
  kTypeMismatch = 13,  // a text that is not a date or number
  kFileNotFound = 53,
  kBadFileMode = 54,  // not a plain file: a pipe, a device, a folder
  kDiskFull = 61,
  kPermissionDenied = 70,  // the file is locked
  kPathFileAccess = 75,    // read-only file, or a folder that cannot be written
  kPathNotFound = 76,
};

// Maps an operating system error onto the numbering above.
int16_t FileErrorNumberOf(const std::error_code& error);

// The standard description of an error number ("File not found", ...).
std::string FileErrorDescription(int16_t number);

// "Error 75 Permission denied": the number, with the system's own reason when
// the last system error mapped on this thread gave that number, else the
// standard description.
std::string FileErrorText(int16_t number);

}  // namespace bw
