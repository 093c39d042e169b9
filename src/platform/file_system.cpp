#include "platform/file_system.h"

#include <atomic>
#include <cerrno>
#include <limits>

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

FileChangeHook& Hook() {
  static FileChangeHook hook;
  return hook;
}

std::error_code AskHook(FileChange change, const std::filesystem::path& file) {
  return Hook() ? Hook()(change, file) : std::error_code();
}

// A full disk lets half of a write through before it fails; other faults
// fail the call before it starts.
bool FailsHalfWay(const std::error_code& fault) {
  return fault == std::errc::no_space_on_device;
}

// The unique ending of the n-th file this process creates beside `stem`.
std::filesystem::path UniqueName(const std::filesystem::path& stem, unsigned long process) {
  static std::atomic<unsigned> counter{0};
  std::filesystem::path name = stem;
  name += "-" + std::to_string(process) + "-" + std::to_string(++counter);
  return name;
}

constexpr int kUniqueNameAttempts = 100;

}  // namespace

void SetFileChangeHook(FileChangeHook hook) {
  Hook() = std::move(hook);
}

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

FileBytes ReadFileBytes(const std::filesystem::path& file, std::size_t limit) {
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
    if (result.bytes.size() > limit) {
      result.tooLarge = true;
      result.bytes.clear();
      break;
    }
  }
  return result;
}

namespace {

std::error_code WriteAll(HANDLE handle, std::string_view bytes, const std::error_code& fault) {
  if (fault) bytes = bytes.substr(0, bytes.size() / 2);
  while (!bytes.empty()) {
    DWORD put = 0;
    const auto size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    if (!WriteFile(handle, bytes.data(), size, &put, nullptr)) return LastError();
    if (put == 0) return std::error_code(ERROR_DISK_FULL, std::system_category());
    bytes.remove_prefix(put);
  }
  return fault;
}

// Writes the bytes into a new file; on failure the file is removed again.
std::error_code WriteNewFile(const std::filesystem::path& file, std::string_view bytes,
                             bool durable) {
  const std::error_code fault = AskHook(FileChange::Write, file);
  if (fault && !FailsHalfWay(fault)) return fault;
  Handle handle(CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle.valid()) return LastError();
  std::error_code error = WriteAll(handle.get(), bytes, fault);
  if (!error && durable && !FlushFileBuffers(handle.get())) error = LastError();
  if (!handle.Close() && !error) error = LastError();
  if (error) DeleteFileW(file.c_str());
  return error;
}

}  // namespace

CreatedFile WriteUniqueFile(const std::filesystem::path& stem, std::string_view bytes,
                            bool durable) {
  for (int attempt = 0; attempt < kUniqueNameAttempts; ++attempt) {
    const auto name = UniqueName(stem, GetCurrentProcessId());
    const std::error_code error = WriteNewFile(name, bytes, durable);
    if (error.value() == ERROR_FILE_EXISTS && error.category() == std::system_category()) continue;
    if (error) return {{}, error};
    return {name, {}};
  }
  return {{}, std::error_code(ERROR_FILE_EXISTS, std::system_category())};
}

std::error_code LinkOrCopyFile(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (const std::error_code fault = AskHook(FileChange::Link, to)) return fault;
  if (CreateHardLinkW(to.c_str(), from.c_str(), nullptr)) return {};
  if (CopyFileW(from.c_str(), to.c_str(), /*failIfExists=*/TRUE)) return {};
  return LastError();
}

std::error_code SyncFolder(const std::filesystem::path&) {
  return {};  // NTFS commits the folder's entries with the move itself
}

std::error_code MoveFileOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (const std::error_code fault = AskHook(FileChange::Move, to)) return fault;
  if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return {};
  }
  return LastError();
}

std::error_code RemoveFileIfPresent(const std::filesystem::path& file) {
  if (const std::error_code fault = AskHook(FileChange::Remove, file)) return fault;
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
  if (const std::error_code fault = AskHook(FileChange::Mark, file)) return fault;
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

FileBytes ReadFileBytes(const std::filesystem::path& file, std::size_t limit) {
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
    if (result.bytes.size() > limit) {
      result.tooLarge = true;
      result.bytes.clear();
      break;
    }
  }
  ::close(fd);
  return result;
}

namespace {

std::error_code WriteAll(int fd, std::string_view bytes, const std::error_code& fault) {
  if (fault) bytes = bytes.substr(0, bytes.size() / 2);
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) return LastError();
    if (put == 0) return std::make_error_code(std::errc::no_space_on_device);
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
  return fault;
}

// Writes the bytes into a new file (never through a link); on failure the
// file is removed again.
std::error_code WriteNewFile(const std::filesystem::path& file, std::string_view bytes,
                             bool durable) {
  const std::error_code fault = AskHook(FileChange::Write, file);
  if (fault && !FailsHalfWay(fault)) return fault;
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
  if (fd < 0) return LastError();
  std::error_code error = WriteAll(fd, bytes, fault);
  if (!error && durable && ::fsync(fd) != 0) error = LastError();
  if (::close(fd) != 0 && !error) error = LastError();
  if (error) ::unlink(file.c_str());
  return error;
}

}  // namespace

CreatedFile WriteUniqueFile(const std::filesystem::path& stem, std::string_view bytes,
                            bool durable) {
  for (int attempt = 0; attempt < kUniqueNameAttempts; ++attempt) {
    const auto name = UniqueName(stem, static_cast<unsigned long>(::getpid()));
    const std::error_code error = WriteNewFile(name, bytes, durable);
    if (error == std::errc::file_exists) continue;
    if (error) return {{}, error};
    return {name, {}};
  }
  return {{}, std::make_error_code(std::errc::file_exists)};
}

std::error_code LinkOrCopyFile(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (const std::error_code fault = AskHook(FileChange::Link, to)) return fault;
  if (::link(from.c_str(), to.c_str()) == 0) return {};
  if (errno == EEXIST || errno == ENOENT || errno == ENOSPC) return LastError();
  const FileBytes original = ReadFileBytes(from, std::numeric_limits<std::size_t>::max());
  if (original.error) return original.error;
  return WriteNewFile(to, original.bytes, /*durable=*/true);
}

std::error_code SyncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return LastError();
  const std::error_code error = ::fsync(fd) == 0 ? std::error_code() : LastError();
  ::close(fd);
  return error;
}

std::error_code MoveFileOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (const std::error_code fault = AskHook(FileChange::Move, to)) return fault;
  return ::rename(from.c_str(), to.c_str()) == 0 ? std::error_code() : LastError();
}

std::error_code RemoveFileIfPresent(const std::filesystem::path& file) {
  if (const std::error_code fault = AskHook(FileChange::Remove, file)) return fault;
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
  if (const std::error_code fault = AskHook(FileChange::Mark, file)) return fault;
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
