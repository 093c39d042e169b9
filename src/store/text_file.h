// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-file text access in the formats the program keeps: Windows-1252 bytes
// on disk, UTF-8 in memory, CR LF line ends when writing. Failures come back
// as error numbers (store/file_error.h), never as exceptions.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "store/windows1252.h"

namespace bw {

// No text file of the program is read beyond this size (error 7), so a huge
// or endless file cannot exhaust the memory.
constexpr std::size_t kLargestTextFile = std::size_t{64} << 20;

struct ReadResult {
  std::vector<std::string> lines;  // UTF-8, without line ends
  int16_t error = 0;               // 0 = read to the end
  uint64_t fingerprint = 0;        // of the bytes read, when asked for
  bool unicode = false;            // UTF-8 or UTF-16 after a byte-order mark
};

struct TextReadOptions {
  std::size_t longestLine = kLargestTextFile;  // a longer line fails the read (error 7)
  bool fingerprint = false;                    // fill ReadResult::fingerprint
};
ReadResult ReadTextLines(const std::filesystem::path& file, const TextReadOptions& options = {});

// What ReadTextLines reports for the file's bytes, so a writer can tell
// whether a file still holds what was read.
uint64_t FingerprintOf(std::string_view bytes);

// The bytes of a text file holding the lines: Windows-1252, CR LF.
std::string TextFileBytes(const std::vector<std::string>& lines);

// The lines of a text file's bytes, in UTF-8. A line ends at LF, CR LF, CR
// alone, or CRs before LF. After a UTF-8 byte-order mark the rest is taken as
// UTF-8 when it is well formed, after a UTF-16 mark (either byte order) as
// UTF-16 (what a Windows editor saves as "Unicode"); otherwise the bytes are
// Windows-1252.
std::vector<std::string> LinesFromFileBytes(std::string_view bytes);

// Replaces the file with the lines, each ended by CR LF. The new content is
// written to a new sibling file first and then moved over the old one, so a
// failed write leaves the old file as it was. A file without write
// permission counts as read-only and is not replaced (error 75): callers that
// may overwrite it call MakeWritable first. Returns 0 or the error number.
int16_t WriteTextLines(const std::filesystem::path& file, const std::vector<std::string>& lines);

// Replaces the file by the bytes so that at every instant a complete file is
// found under its name: the bytes go to a new sibling (the file's name with
// kUnfinishedEnding and a unique tail) flushed to the disk, the current file
// becomes `backup` (a second name, or a copy), the sibling is moved over the
// file and the folder flushed. A failure leaves the file as it was.
int16_t ReplaceFileKeepingBackup(const std::filesystem::path& file,
                                 const std::filesystem::path& backup, std::string_view bytes);
inline constexpr std::string_view kUnfinishedEnding = ".~new";

// Clears a read-only mark (makes the file writable for its owner). Returns 0
// when the file is missing or was made writable.
int16_t MakeWritable(const std::filesystem::path& file);

// Renames, and deletes a file if it exists; 0 or the error number.
int16_t RenameFile(const std::filesystem::path& from, const std::filesystem::path& to);
int16_t DeleteFileIfPresent(const std::filesystem::path& file);

// A new file of ReplaceFileKeepingBackup for `file` (a save killed before it
// was moved in place) that holds every byte that save wrote.
bool IsCompleteNewFileOf(const std::filesystem::path& candidate, const std::filesystem::path& file);

// Removes the new files that saves of processes no longer running left in
// the folder (killed while writing). The caller holds the folder alone.
void RemoveLeftoverNewFiles(const std::filesystem::path& folder);

}  // namespace bw
