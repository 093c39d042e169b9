#include "platform/file_system.h"

#include <cerrno>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace bw {
namespace {

FileFault FaultOfErrno(int code) {
  switch (code) {
    case ENOENT:
      return FileFault::NotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return FileFault::PathNotFound;
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return FileFault::DiskFull;
    case EBUSY:
    case EAGAIN:
#ifdef ETXTBSY
    case ETXTBSY:
#endif
      return FileFault::Locked;
    case EINVAL:
      return FileFault::InvalidArgument;
    default:  // EACCES, EPERM, EROFS, EISDIR, EIO and the rest
      return FileFault::Access;
  }
}

}  // namespace

#ifdef _WIN32

namespace {

std::error_code LastError() {
  return std::error_code(static_cast<int>(GetLastError()), std::system_category());
}

FileFault FaultOfWin32(int code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
      return FileFault::NotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
      return FileFault::PathNotFound;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return FileFault::DiskFull;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_BUSY:
      return FileFault::Locked;
    case ERROR_INVALID_PARAMETER:
    case ERROR_INVALID_NAME:
      return FileFault::InvalidArgument;
    default:  // ERROR_ACCESS_DENIED, ERROR_WRITE_PROTECT and the rest
      return FileFault::Access;
  }
}

// Closes the handle when it leaves scope.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (valid()) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  // Closes now, for the error of the close itself.
  bool Close() {
    const bool closed = CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_;
};

}  // namespace

FileBytes ReadFileBytes(const std::filesystem::path& file) {
  FileBytes result;
  Handle handle(CreateFileW(file.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle.valid()) {
    result.error = LastError();
    return result;
  }
  char chunk[65536];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(handle.get(), chunk, sizeof chunk, &got, nullptr)) {
      result.error = LastError();
      break;
    }
    if (got == 0) break;
    result.bytes.append(chunk, got);
  }
  return result;
}

std::error_code WriteFileBytes(const std::filesystem::path& file, std::string_view bytes,
                               bool durable) {
  Handle handle(CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle.valid()) return LastError();
  while (!bytes.empty()) {
    DWORD put = 0;
    const auto size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    if (!WriteFile(handle.get(), bytes.data(), size, &put, nullptr)) return LastError();
    if (put == 0) return std::error_code(ERROR_DISK_FULL, std::system_category());
    bytes.remove_prefix(put);
  }
  if (durable && !FlushFileBuffers(handle.get())) return LastError();
  if (!handle.Close()) return LastError();
  return {};
}

std::error_code MoveFileOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return {};
  }
  return LastError();
}

std::error_code RemoveFileIfPresent(const std::filesystem::path& file) {
  if (DeleteFileW(file.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND) return {};
  return LastError();
}

FileMarks FileMarksOf(const std::filesystem::path& file) {
  const DWORD attributes = GetFileAttributesW(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return {};
  return {true, (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
          (attributes & FILE_ATTRIBUTE_READONLY) != 0};
}

std::error_code ClearReadOnly(const std::filesystem::path& file) {
  const DWORD attributes = GetFileAttributesW(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0) {
    return {};
  }
  if (SetFileAttributesW(file.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY})) return {};
  return LastError();
}

FileFault FileFaultOf(const std::error_code& error) {
  if (!error) return FileFault::None;
  if (error.category() == std::system_category()) return FaultOfWin32(error.value());
  if (error.category() == std::generic_category()) return FaultOfErrno(error.value());
  return FileFault::Access;
}

#else

namespace {

std::error_code LastError() {
  return std::error_code(errno, std::generic_category());
}

}  // namespace

FileBytes ReadFileBytes(const std::filesystem::path& file) {
  FileBytes result;
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    result.error = LastError();
    return result;
  }
  char chunk[65536];
  for (;;) {
    const ssize_t got = ::read(fd, chunk, sizeof chunk);
    if (got < 0) {
      if (errno == EINTR) continue;
      result.error = LastError();
      break;
    }
    if (got == 0) break;
    result.bytes.append(chunk, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return result;
}

std::error_code WriteFileBytes(const std::filesystem::path& file, std::string_view bytes,
                               bool durable) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return LastError();
  std::error_code error;
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      error = put < 0 ? LastError() : std::make_error_code(std::errc::no_space_on_device);
      break;
    }
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
  if (!error && durable && ::fsync(fd) != 0) error = LastError();
  if (::close(fd) != 0 && !error) error = LastError();
  return error;
}

std::error_code MoveFileOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  return ::rename(from.c_str(), to.c_str()) == 0 ? std::error_code() : LastError();
}

std::error_code RemoveFileIfPresent(const std::filesystem::path& file) {
  return ::unlink(file.c_str()) == 0 || errno == ENOENT ? std::error_code() : LastError();
}

FileMarks FileMarksOf(const std::filesystem::path& file) {
  struct stat info {};
  if (::stat(file.c_str(), &info) != 0) return {};
  return {true, S_ISDIR(info.st_mode), (info.st_mode & S_IWUSR) == 0};
}

std::error_code ClearReadOnly(const std::filesystem::path& file) {
  struct stat info {};
  if (::stat(file.c_str(), &info) != 0 || (info.st_mode & S_IWUSR) != 0) return {};
  return ::chmod(file.c_str(), (info.st_mode & 07777) | S_IWUSR) == 0 ? std::error_code()
                                                                      : LastError();
}

FileFault FileFaultOf(const std::error_code& error) {
  if (!error) return FileFault::None;
  if (error.category() != std::generic_category() && error.category() != std::system_category()) {
    return FileFault::Access;
  }
  return FaultOfErrno(error.value());
}

#endif

}  // namespace bw
