// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/text_file.h"

#include <algorithm>
#include <cerrno>
#include <optional>

#include "platform/file_system.h"
#include "store/file_error.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

// A missing file in an existing folder is "file not found"; a missing folder
// is "path not found".
int16_t ErrorNumberOf(const std::error_code& error, const fs::path& file) {
  if (FileFaultOf(error) != FileFault::NotFound && FileFaultOf(error) != FileFault::PathNotFound) {
    return FileErrorNumberOf(error);
  }
  std::error_code ignored;
  const fs::path folder = file.parent_path();
  if (!folder.empty() && !fs::is_directory(folder, ignored)) return kPathNotFound;
  return kFileNotFound;
}

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigMark = "\xFE\xFF";

// The text after a UTF-16 mark as UTF-8 behind a UTF-8 mark, which the
// splitting below then reads as UTF-8; other bytes as they are.
std::optional<std::string> FromUtf16(std::string_view bytes) {
  const bool little = bytes.starts_with(kUtf16LittleMark);
  if (!little && !bytes.starts_with(kUtf16BigMark)) return std::nullopt;
  return std::string(kUtf8Mark) + Utf8FromUtf16(bytes.substr(2), little);
}

// Length of the line end at `pos`: LF, CR LF, CRs before LF, or one CR.
std::size_t LineEndLength(std::string_view bytes, std::size_t pos) {
  if (pos >= bytes.size()) return 0;
  const std::size_t afterCrs = bytes.find_first_not_of('\r', pos);
  if (afterCrs != std::string_view::npos && bytes[afterCrs] == '\n') return afterCrs + 1 - pos;
  return 1;
}

// The lines of the bytes (see LinesFromFileBytes); nullopt as soon as one is
// longer than `longestLine` bytes.
std::optional<std::vector<std::string>> SplitLines(std::string_view bytes,
                                                   std::size_t longestLine) {
  const std::optional<std::string> utf16 = FromUtf16(bytes);
  if (utf16) bytes = *utf16;
  const bool marked = bytes.starts_with(kUtf8Mark);
  if (marked) bytes.remove_prefix(kUtf8Mark.size());
  const bool utf8 = marked && IsValidUtf8(bytes);
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t end = std::min(bytes.find_first_of("\r\n", start), bytes.size());
    if (end - start > longestLine) return std::nullopt;
    const std::string_view line = bytes.substr(start, end - start);
    lines.push_back(utf8 ? std::string(line) : Utf8FromWindows1252(line));
    start = end + LineEndLength(bytes, end);
  }
  return lines;
}

fs::path UnfinishedStem(const fs::path& file) {
  fs::path stem = file;
  stem += kUnfinishedEnding;
  return stem;
}

}  // namespace

std::vector<std::string> LinesFromFileBytes(std::string_view bytes) {
  return *SplitLines(bytes, std::string_view::npos);
}

ReadResult ReadTextLines(const fs::path& file, const TextReadOptions& options) {
  ReadResult result;
  const FileBytes read = ReadFileBytes(file, kLargestTextFile);
  result.error = read.tooLarge       ? int16_t{kFileTooLarge}
                 : read.notPlainFile ? int16_t{kBadFileMode}
                                     : ErrorNumberOf(read.error, file);
  if (result.error != 0) return result;
  result.unicode = read.bytes.starts_with(kUtf8Mark) || read.bytes.starts_with(kUtf16LittleMark) ||
                   read.bytes.starts_with(kUtf16BigMark);
  auto lines = SplitLines(read.bytes, options.longestLine);
  if (!lines) {
    result.error = kFileTooLarge;
    return result;
  }
  result.lines = std::move(*lines);
  if (options.fingerprint) result.fingerprint = FingerprintOf(read.bytes);
  return result;
}

uint64_t FingerprintOf(std::string_view bytes) {
  uint64_t hash = 14695981039346656037u;  // FNV-1a
  for (const char byte : bytes) hash = (hash ^ static_cast<unsigned char>(byte)) * 1099511628211u;
  return hash ^ bytes.size();
}

std::string TextFileBytes(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += Windows1252FromUtf8(line) + "\r\n";
  return bytes;
}

int16_t WriteTextLines(const fs::path& file, const std::vector<std::string>& lines) {
  const FileMarks marks = FileMarksOf(file);
  if (marks.folder || marks.readOnly) return kPathFileAccess;
  const CreatedFile fresh =
      WriteUniqueFile(UnfinishedStem(file), TextFileBytes(lines), /*durable=*/false);
  int16_t error = ErrorNumberOf(fresh.error, file);
  if (error == 0) error = RenameFile(fresh.path, file);
  if (error != 0 && !fresh.path.empty()) RemoveFileIfPresent(fresh.path);
  return error;
}

int16_t ReplaceFileKeepingBackup(const fs::path& file, const fs::path& backup,
                                 std::string_view bytes) {
  const CreatedFile fresh = WriteUniqueFile(UnfinishedStem(file), bytes, /*durable=*/true);
  int16_t error = ErrorNumberOf(fresh.error, file);
  if (error == 0 && FileMarksOf(file).exists) {
    error = MakeWritable(file);
    if (error == 0) error = MakeWritable(backup);
    if (error == 0) error = DeleteFileIfPresent(backup);
    if (error == 0) error = ErrorNumberOf(LinkOrCopyFile(file, backup), backup);
  }
  if (error == 0) error = RenameFile(fresh.path, file);
  if (error != 0 && !fresh.path.empty()) RemoveFileIfPresent(fresh.path);
  if (error == 0) SyncFolder(file.parent_path());  // the file is replaced whatever this says
  return error;
}

int16_t MakeWritable(const fs::path& file) {
  return FileErrorNumberOf(ClearReadOnly(file));
}

int16_t RenameFile(const fs::path& from, const fs::path& to) {
  return ErrorNumberOf(MoveFileOver(from, to), from);
}

int16_t DeleteFileIfPresent(const fs::path& file) {
  return FileErrorNumberOf(RemoveFileIfPresent(file));
}

bool IsCompleteNewFileOf(const fs::path& candidate, const fs::path& file) {
  const std::string stem = UnfinishedStem(file).filename().string();
  const auto name = ParseUniqueFileName(candidate.filename().string());
  std::error_code error;
  return name && name->stem == stem && IsPlainFile(candidate) &&
         fs::file_size(candidate, error) == name->size && !error;
}

void RemoveLeftoverNewFiles(const fs::path& folder) {
  std::error_code error;
  std::vector<fs::path> leftovers;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    const auto unique = ParseUniqueFileName(name);
    if (unique && unique->stem.ends_with(kUnfinishedEnding) &&
        unique->process != CurrentProcess() && !ProcessIsRunning(unique->process))
      leftovers.push_back(it->path());
  }
  for (const fs::path& file : leftovers) RemoveFileIfPresent(file);
}

}  // namespace bw
