// The operating system's file calls that the store needs beyond the standard
// library: whole-file reads and writes with a flush to the disk, replacing a
// file by another in one step, and the read-only mark. Errors come back as
// the system's own codes (errno on POSIX systems, Win32 codes on Windows);
// FileFaultOf says what they mean to the program.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace bw {

struct FileBytes {
  std::string bytes;
  std::error_code error;
};
FileBytes ReadFileBytes(const std::filesystem::path& file);

// Creates or truncates the file and writes the bytes; `durable` flushes them
// to the disk before returning.
std::error_code WriteFileBytes(const std::filesystem::path& file, std::string_view bytes,
                               bool durable);

// Moves `from` over `to` in one step, so `to` is either the old or the new
// file. Windows refuses this while another program holds `to` open.
std::error_code MoveFileOver(const std::filesystem::path& from, const std::filesystem::path& to);

// A missing file is no error.
std::error_code RemoveFileIfPresent(const std::filesystem::path& file);

struct FileMarks {
  bool exists = false;
  bool folder = false;
  bool readOnly = false;  // no write permission for its owner / the read-only attribute
};
FileMarks FileMarksOf(const std::filesystem::path& file);

// Clears the read-only mark; a missing file is no error.
std::error_code ClearReadOnly(const std::filesystem::path& file);

// What a failed file call means, whichever system reported it.
enum class FileFault {
  None,
  NotFound,      // no such file
  PathNotFound,  // a folder on the way is missing, or the name is too long
  DiskFull,      // no space or quota left
  Locked,        // another program holds the file or its lock
  InvalidArgument,
  Access,  // read-only, no permission, a folder, and everything else
};
FileFault FileFaultOf(const std::error_code& error);

}  // namespace bw
