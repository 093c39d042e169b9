#include "store/text_file.h"


#include <algorithm>
#include <cerrno>

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

// Length of the line end at `pos`: LF, CR LF, CRs before LF, or one CR.
std::size_t LineEndLength(std::string_view bytes, std::size_t pos) {
  if (pos >= bytes.size()) return 0;
  const std::size_t afterCrs = bytes.find_first_not_of('\r', pos);
  if (afterCrs != std::string_view::npos && bytes[afterCrs] == '\n') return afterCrs + 1 - pos;
  return 1;
}

}  // namespace

std::vector<std::string> LinesFromFileBytes(std::string_view bytes) {
  const bool marked = bytes.starts_with(kUtf8Mark);
  if (marked) bytes.remove_prefix(kUtf8Mark.size());
  const bool utf8 = marked && IsValidUtf8(bytes);
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t end = std::min(bytes.find_first_of("\r\n", start), bytes.size());
    const std::string_view line = bytes.substr(start, end - start);
    lines.push_back(utf8 ? std::string(line) : Utf8FromWindows1252(line));
    start = end + LineEndLength(bytes, end);
  }
  return lines;
}

ReadResult ReadTextLines(const fs::path& file) {
  ReadResult result;
  const FileBytes read = ReadFileBytes(file);
  result.error = ErrorNumberOf(read.error, file);
  if (result.error != 0) return result;

  result.lines = LinesFromFileBytes(read.bytes);
  return result;
}

int16_t WriteNewTextFile(const fs::path& file, const std::vector<std::string>& lines,
                         bool durable) {
  std::string bytes;
  for (const std::string& line : lines) bytes += Windows1252FromUtf8(line) + "\r\n";
  return ErrorNumberOf(WriteFileBytes(file, bytes, durable), file);
}

int16_t WriteTextLines(const fs::path& file, const std::vector<std::string>& lines) {
  const FileMarks marks = FileMarksOf(file);
  if (marks.folder || marks.readOnly) return kPathFileAccess;
  fs::path temporary = file;
  temporary += ".~new";
  int16_t error = WriteNewTextFile(temporary, lines);
  if (error == 0) error = RenameFile(temporary, file);
  if (error != 0) RemoveFileIfPresent(temporary);
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

}  // namespace bw
