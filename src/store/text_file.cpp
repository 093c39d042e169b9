#include "store/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "store/file_error.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

int16_t LastError() {
  return FileErrorNumberOf(std::error_code(errno, std::generic_category()));
}

// A missing file in an existing folder is "file not found"; a missing folder
// is "path not found".
int16_t MissingFileError(const fs::path& file) {
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
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    result.error = errno == ENOENT ? MissingFileError(file) : LastError();
    return result;
  }
  std::string bytes;
  char chunk[65536];
  for (;;) {
    const ssize_t got = ::read(fd, chunk, sizeof chunk);
    if (got < 0) {
      if (errno == EINTR) continue;
      result.error = LastError();
      break;
    }
    if (got == 0) break;
    bytes.append(chunk, static_cast<std::size_t>(got));
  }
  ::close(fd);
  if (result.error != 0) return result;

  result.lines = LinesFromFileBytes(bytes);
  return result;
}

int16_t WriteNewTextFile(const fs::path& file, const std::vector<std::string>& lines,
                         bool durable) {
  std::string bytes;
  for (const std::string& line : lines) bytes += Windows1252FromUtf8(line) + "\r\n";
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return errno == ENOENT ? MissingFileError(file) : LastError();
  int16_t error = 0;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      error = put < 0 ? LastError() : static_cast<int16_t>(kDiskFull);
      break;
    }
    done += static_cast<std::size_t>(put);
  }
  if (error == 0 && durable && ::fsync(fd) != 0) error = LastError();
  if (::close(fd) != 0 && error == 0) error = LastError();
  return error;
}

int16_t WriteTextLines(const fs::path& file, const std::vector<std::string>& lines) {
  struct stat info {};
  if (::stat(file.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode) || (info.st_mode & S_IWUSR) == 0) return kPathFileAccess;
  }
  fs::path temporary = file;
  temporary += ".~new";
  int16_t error = WriteNewTextFile(temporary, lines);
  if (error == 0) error = RenameFile(temporary, file);
  if (error != 0) ::unlink(temporary.c_str());
  return error;
}

int16_t MakeWritable(const fs::path& file) {
  struct stat info {};
  if (::stat(file.c_str(), &info) != 0) return 0;
  if ((info.st_mode & S_IWUSR) != 0) return 0;
  return ::chmod(file.c_str(), (info.st_mode & 07777) | S_IWUSR) == 0 ? 0 : LastError();
}

int16_t RenameFile(const fs::path& from, const fs::path& to) {
  if (::rename(from.c_str(), to.c_str()) == 0) return 0;
  return errno == ENOENT ? MissingFileError(from) : LastError();
}

int16_t DeleteFileIfPresent(const fs::path& file) {
  if (::unlink(file.c_str()) == 0 || errno == ENOENT) return 0;
  return LastError();
}

}  // namespace bw
