// SPDX-License-Identifier: GPL-3.0-or-later
// The operating system's file calls that the store needs beyond the standard
// library: bounded whole-file reads, writes to new files created exclusively
// with a flush to the disk, replacing a file by another in one step, and the
// read-only mark. Errors come back as
// the system's own codes (errno on POSIX systems, Win32 codes on Windows);
// FileFaultOf says what they mean to the program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace bw {

struct FileBytes {
  std::string bytes;
  std::error_code error;
  bool tooLarge = false;      // the file holds more than the limit; nothing is kept
  bool notPlainFile = false;  // a pipe, device or folder: refused unread
};
// Reads at most `limit` bytes, so a huge file or an endless device cannot
// exhaust the memory; only a regular file is read (a pipe would wait for a
// writer for ever).
FileBytes ReadFileBytes(const std::filesystem::path& file, std::size_t limit);

// Writes the bytes to a new file beside `stem`, named `stem` with a unique
// ending "-PROCESS-N-SIZE" (the writing process, a counter, and the size the
// file is to have, so that a file cut short by a kill tells itself apart),
// created exclusively (a file or link planted under that name is never
// followed); `durable` flushes it to the disk. A failure leaves no file
// behind.
// Writes the bytes to the new file `file`, created exclusively (an existing
// file or link fails with file_exists); `durable` flushes it to the disk. A
// failure leaves no file behind.
std::error_code WriteNewFile(const std::filesystem::path& file, std::string_view bytes,
                             bool durable);

struct CreatedFile {
  std::filesystem::path path;
  std::error_code error;
};
CreatedFile WriteUniqueFile(const std::filesystem::path& stem, std::string_view bytes,
                            bool durable);

// What a name given by WriteUniqueFile says; nullopt for any other name.
struct UniqueFileName {
  std::string stem;  // the name given as `stem`
  unsigned long process = 0;
  std::uintmax_t size = 0;
};
std::optional<UniqueFileName> ParseUniqueFileName(std::string_view name);

// Whether the process still runs (a process of another user counts as running).
bool ProcessIsRunning(unsigned long process);
unsigned long CurrentProcess();

// Whether the path names a regular file itself, not a link, folder or device.
bool IsPlainFile(const std::filesystem::path& file);

// Gives `from` the second name `to` (which must not exist), or where the
// system cannot link, makes `to` a flushed copy of it.
std::error_code LinkOrCopyFile(const std::filesystem::path& from, const std::filesystem::path& to);

// Flushes the folder's own entries, so that a finished rename survives a
// power cut. Systems without such a call report no error.
std::error_code SyncFolder(const std::filesystem::path& folder);

// Moves `from` over `to` in one step, so `to` is either the old or the new
// file. Windows refuses this while another program holds `to` open.
std::error_code MoveFileOver(const std::filesystem::path& from, const std::filesystem::path& to);

// A missing file is no error.
std::error_code RemoveFileIfPresent(const std::filesystem::path& file);

// Of the name itself: a link counts as a writable file (it is replaced, never
// followed).
struct FileMarks {
  bool exists = false;
  bool folder = false;
  bool readOnly = false;  // no write permission for its owner / the read-only attribute
};
FileMarks FileMarksOf(const std::filesystem::path& file);

// Makes the folder (and its missing parents as usual) so that only its owner
// may enter it; a folder already there is left as it is.
std::error_code MakePrivateFolder(const std::filesystem::path& folder);

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

// Test seam: every call above that changes a file asks the hook first, and
// fails with the error it returns (a write fails half way, as on a full
// disk). A hook may also end the process there, to test what a kill leaves.
// Flush is asked before a new file is flushed to the disk, FolderFlush before
// a folder's entries are, Write also before a new folder is made.
enum class FileChange { Write, Flush, Move, Link, Remove, Mark, FolderFlush };
using FileChangeHook = std::function<std::error_code(FileChange, const std::filesystem::path&)>;
void SetFileChangeHook(FileChangeHook hook);

}  // namespace bw
