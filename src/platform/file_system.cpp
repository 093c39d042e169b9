// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_system.h"

#include <atomic>
#include <cerrno>
#include <limits>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
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
std::filesystem::path UniqueName(const std::filesystem::path& stem, std::size_t size) {
  static std::atomic<unsigned> counter{0};
  std::filesystem::path name = stem;
  name += "-" + std::to_string(CurrentProcess()) + "-" + std::to_string(++counter) + "-" +
          std::to_string(size);
  return name;
}

// The whole number after the last '-' of `name`, which is cut there.
std::optional<std::uintmax_t> TakeLastNumber(std::string_view& name) {
  const std::size_t dash = name.rfind('-');
  if (dash == std::string_view::npos || dash + 1 == name.size()) return std::nullopt;
  std::uintmax_t value = 0;
  for (const char c : name.substr(dash + 1)) {
    if (c < '0' || c > '9' || value > (UINTMAX_MAX - 9) / 10) return std::nullopt;
    value = value * 10 + static_cast<std::uintmax_t>(c - '0');
  }
  name = name.substr(0, dash);
  return value;
}

constexpr int kUniqueNameAttempts = 100;

}  // namespace

void SetFileChangeHook(FileChangeHook hook) {
  Hook() = std::move(hook);
}

std::optional<UniqueFileName> ParseUniqueFileName(std::string_view name) {
  const auto size = TakeLastNumber(name);
  const auto counter = size ? TakeLastNumber(name) : std::nullopt;
  const auto process = counter ? TakeLastNumber(name) : std::nullopt;
  if (!process || name.empty()) return std::nullopt;
  return UniqueFileName{std::string(name), static_cast<unsigned long>(*process), *size};
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
  const DWORD attributes = GetFileAttributesW(file.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    result.notPlainFile = true;
    return result;
  }
  Handle handle(CreateFileW(file.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle.valid()) {
    result.error = LastError();
    return result;
  }
  if (GetFileType(handle.get()) != FILE_TYPE_DISK) {
    result.notPlainFile = true;
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

}  // namespace

std::error_code WriteNewFile(const std::filesystem::path& file, std::string_view bytes,
                             bool durable) {
  const std::error_code fault = AskHook(FileChange::Write, file);
  if (fault && !FailsHalfWay(fault)) return fault;
  Handle handle(CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle.valid()) {
    const DWORD code = GetLastError();
    if (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS)
      return std::make_error_code(std::errc::file_exists);
    return std::error_code(static_cast<int>(code), std::system_category());
  }
  std::error_code error = WriteAll(handle.get(), bytes, fault);
  if (!error && durable) error = AskHook(FileChange::Flush, file);
  if (!error && durable && !FlushFileBuffers(handle.get())) error = LastError();
  if (!handle.Close() && !error) error = LastError();
  if (error) DeleteFileW(file.c_str());
  return error;
}

CreatedFile WriteUniqueFile(const std::filesystem::path& stem, std::string_view bytes,
                            bool durable) {
  for (int attempt = 0; attempt < kUniqueNameAttempts; ++attempt) {
    const auto name = UniqueName(stem, bytes.size());
    const std::error_code error = WriteNewFile(name, bytes, durable);
    if (error == std::errc::file_exists) continue;
    if (error) return {{}, error};
    return {name, {}};
  }
  return {{}, std::error_code(ERROR_FILE_EXISTS, std::system_category())};
}

unsigned long CurrentProcess() {
  return GetCurrentProcessId();
}

bool ProcessIsRunning(unsigned long process) {
  HANDLE handle = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(process));
  if (handle == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;
  const bool running = WaitForSingleObject(handle, 0) == WAIT_TIMEOUT;
  CloseHandle(handle);
  return running;
}

bool IsPlainFile(const std::filesystem::path& file) {
  const DWORD attributes = GetFileAttributesW(file.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes &
          (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) == 0;
}

std::error_code LinkOrCopyFile(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (const std::error_code fault = AskHook(FileChange::Link, to)) return fault;
  if (CreateHardLinkW(to.c_str(), from.c_str(), nullptr)) return {};
  if (CopyFileW(from.c_str(), to.c_str(), /*failIfExists=*/TRUE)) return {};
  return LastError();
}

std::error_code SyncFolder(const std::filesystem::path& folder) {
  // NTFS commits the folder's entries with the move itself.
  return AskHook(FileChange::FolderFlush, folder);
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

std::error_code MakePrivateFolder(const std::filesystem::path& folder) {
  if (const std::error_code fault = AskHook(FileChange::Write, folder)) return fault;
  std::error_code error;
  std::filesystem::create_directories(folder, error);  // a user's profile is private already
  return error;
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
  // Non-blocking, so that opening a pipe does not wait for a writer.
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    result.error = LastError();
    return result;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    result.notPlainFile = true;
    ::close(fd);
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

}  // namespace

std::error_code WriteNewFile(const std::filesystem::path& file, std::string_view bytes,
                             bool durable) {
  const std::error_code fault = AskHook(FileChange::Write, file);
  if (fault && !FailsHalfWay(fault)) return fault;
  // O_EXCL never follows a link planted under the name.
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
  if (fd < 0) return LastError();
  std::error_code error = WriteAll(fd, bytes, fault);
  if (!error && durable) error = AskHook(FileChange::Flush, file);
  if (!error && durable && ::fsync(fd) != 0) error = LastError();
  if (::close(fd) != 0 && !error) error = LastError();
  if (error) ::unlink(file.c_str());
  return error;
}

CreatedFile WriteUniqueFile(const std::filesystem::path& stem, std::string_view bytes,
                            bool durable) {
  for (int attempt = 0; attempt < kUniqueNameAttempts; ++attempt) {
    const auto name = UniqueName(stem, bytes.size());
    const std::error_code error = WriteNewFile(name, bytes, durable);
    if (error == std::errc::file_exists) continue;
    if (error) return {{}, error};
    return {name, {}};
  }
  return {{}, std::make_error_code(std::errc::file_exists)};
}

unsigned long CurrentProcess() {
  return static_cast<unsigned long>(::getpid());
}

bool ProcessIsRunning(unsigned long process) {
  if (process == 0 || process > static_cast<unsigned long>(std::numeric_limits<pid_t>::max()))
    return false;
  return ::kill(static_cast<pid_t>(process), 0) == 0 || errno == EPERM;
}

bool IsPlainFile(const std::filesystem::path& file) {
  struct stat info {};
  return ::lstat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode);
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
  if (const std::error_code fault = AskHook(FileChange::FolderFlush, folder)) return fault;
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

// The marks of the name itself: a link is never followed, so a change made
// through these marks (a mode cleared) can never reach a file elsewhere.
FileMarks FileMarksOf(const std::filesystem::path& file) {
  struct stat info {};
  if (::lstat(file.c_str(), &info) != 0) return {};
  return {true, S_ISDIR(info.st_mode), !S_ISLNK(info.st_mode) && (info.st_mode & S_IWUSR) == 0};
}

std::error_code MakePrivateFolder(const std::filesystem::path& folder) {
  if (const std::error_code fault = AskHook(FileChange::Write, folder)) return fault;
  std::error_code error;
  if (folder.has_parent_path()) std::filesystem::create_directories(folder.parent_path(), error);
  if (error) return error;
  if (::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST) return {};
  return LastError();
}

std::error_code ClearReadOnly(const std::filesystem::path& file) {
  struct stat info {};
  // A link is replaced, never changed through.
  if (::lstat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || (info.st_mode & S_IWUSR) != 0)
    return {};
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
