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

struct ReadResult {
  std::vector<std::string> lines;  // UTF-8, without line ends
  int16_t error = 0;               // 0 = read to the end
};

ReadResult ReadTextLines(const std::filesystem::path& file);

// The lines of a text file's bytes, in UTF-8. A line ends at LF, CR LF, CR
// alone, or CRs before LF. After a UTF-8 byte-order mark the rest is taken as
// UTF-8 when it is well formed; otherwise the bytes are Windows-1252.
std::vector<std::string> LinesFromFileBytes(std::string_view bytes);

// Replaces the file with the lines, each ended by CR LF. The new content is
// written to a sibling file first and then moved over the old one, so a
// failed write leaves the old file as it was. A file without write
// permission counts as read-only and is not replaced (error 75): callers that
// may overwrite it call MakeWritable first. Returns 0 or the error number.
int16_t WriteTextLines(const std::filesystem::path& file, const std::vector<std::string>& lines);

// Creates (or truncates) the file and writes the lines in place; `durable`
// flushes the data to the disk before returning. Returns 0 or the error number.
int16_t WriteNewTextFile(const std::filesystem::path& file, const std::vector<std::string>& lines,
                         bool durable = false);

// Clears a read-only mark (makes the file writable for its owner). Returns 0
// when the file is missing or was made writable.
int16_t MakeWritable(const std::filesystem::path& file);

// Renames, and deletes a file if it exists; 0 or the error number.
int16_t RenameFile(const std::filesystem::path& from, const std::filesystem::path& to);
int16_t DeleteFileIfPresent(const std::filesystem::path& file);

}  // namespace bw
