// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/folder_lock.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#endif

namespace bw {
namespace {

constexpr int kDataByte = 0;
constexpr int kWindowByte = 1;
constexpr std::chrono::milliseconds kRetryPause{20};

// What one attempt at a lock came to. A system that cannot lock the file at
// all (a descriptor opened read-only asked for an exclusive lock, a file
// system without locks) counts as Unlockable: the lock is then Unusable.
enum class Attempt { Held, Busy, Unlockable };

struct Opened {
  std::intptr_t file = -1;
  std::string problem;  // why a lock file in a writable folder cannot be used
  bool folderWritable = true;
};

#ifdef _WIN32

HANDLE HandleOf(std::intptr_t file) {
  return reinterpret_cast<HANDLE>(file);
}

Opened OpenLockFile(const std::filesystem::path& file) {
  constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  HANDLE handle =
      CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr, OPEN_ALWAYS,
                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    handle = CreateFileW(file.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  if (handle == INVALID_HANDLE_VALUE) return {-1, "", false};  // a read-only folder
  return {reinterpret_cast<std::intptr_t>(handle), "", true};
}

void CloseFile(std::intptr_t file) {
  CloseHandle(HandleOf(file));
}

std::intptr_t OpenFolder(const std::filesystem::path&) {
  return -1;  // a file open on Windows cannot lose its name
}

bool SameFile(std::intptr_t, const std::filesystem::path&) {
  return true;
}

OVERLAPPED AtByte(int byte) {
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(byte);
  return at;
}

Attempt Lock(std::intptr_t file, int byte, LockMode mode, bool wait) {
  OVERLAPPED at = AtByte(byte);
  const DWORD flags = (mode == LockMode::Exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0) |
                      (wait ? 0 : LOCKFILE_FAIL_IMMEDIATELY);
  if (LockFileEx(HandleOf(file), flags, 0, 1, 0, &at)) return Attempt::Held;
  const DWORD error = GetLastError();
  return error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING ? Attempt::Busy
                                                                    : Attempt::Unlockable;
}

void Unlock(std::intptr_t file, int byte) {
  OVERLAPPED at = AtByte(byte);
  UnlockFileEx(HandleOf(file), 0, 1, 0, &at);
}

Attempt LockFolder(std::intptr_t, LockMode, bool) {
  return Attempt::Held;
}

void UnlockFolder(std::intptr_t) {}

bool LockedElsewhere(std::intptr_t file, int byte) {
  if (Lock(file, byte, LockMode::Shared, false) != Attempt::Busy) {
    Unlock(file, byte);
    return false;
  }
  return true;
}

void Pause() {
  Sleep(static_cast<DWORD>(kRetryPause.count()));
}

std::string SystemReason() {
  return std::system_category().message(static_cast<int>(GetLastError()));
}

#else

// Locks of the open file description where the system has them: they belong
// to this descriptor alone, so closing another descriptor of the lock file in
// the same process cannot drop them, and two in one process exclude each other.
#ifdef F_OFD_SETLK
constexpr int kSetLock = F_OFD_SETLK;
constexpr int kSetLockWait = F_OFD_SETLKW;
constexpr int kGetLock = F_OFD_GETLK;
#else
constexpr int kSetLock = F_SETLK;
constexpr int kSetLockWait = F_SETLKW;
constexpr int kGetLock = F_GETLK;
#endif

std::string SystemReason() {
  return std::generic_category().message(errno);
}

// The lock file, never through a link; read-only where this user may not
// write it (readers may still share the lock then, writers may not).
Opened OpenLockFile(const std::filesystem::path& file) {
  int descriptor = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
  if (descriptor >= 0) return {descriptor, "", true};
  const int openError = errno;
  if (openError == EACCES || openError == EPERM)
    descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (descriptor >= 0) return {descriptor, "", true};
  // As this process's own user, which a program started as root and then
  // switched is not.
  const bool writable = ::faccessat(AT_FDCWD, file.parent_path().c_str(), W_OK, AT_EACCESS) == 0;
  struct stat info {};
  std::string problem;
  if (::lstat(file.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
    problem = "it is a link";
  } else if (openError == EISDIR) {
    problem = "it is a folder";
  } else {
    problem = std::generic_category().message(openError);
  }
  return {-1, writable ? problem : "", writable};
}

void CloseFile(std::intptr_t file) {
  ::close(static_cast<int>(file));
}

std::intptr_t OpenFolder(const std::filesystem::path& folder) {
  return ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

// Whether the name still names the open file: a lock file deleted or
// replaced while it was awaited would otherwise lock nothing anyone sees.
bool SameFile(std::intptr_t file, const std::filesystem::path& name) {
  struct stat open {
  }, named{};
  return ::fstat(static_cast<int>(file), &open) == 0 && ::lstat(name.c_str(), &named) == 0 &&
         open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

struct flock ByteRange(int byte, short type) {
  struct flock range {};
  range.l_type = type;
  range.l_whence = SEEK_SET;
  range.l_start = byte;
  range.l_len = 1;
  return range;
}

int Control(std::intptr_t file, int command, struct flock& range) {
  int result = 0;
  do {
    result = ::fcntl(static_cast<int>(file), command, &range);
  } while (result != 0 && errno == EINTR);
  return result;
}

Attempt Lock(std::intptr_t file, int byte, LockMode mode, bool wait) {
  struct flock range = ByteRange(byte, mode == LockMode::Exclusive ? F_WRLCK : F_RDLCK);
  if (Control(file, wait ? kSetLockWait : kSetLock, range) == 0) return Attempt::Held;
  return errno == EAGAIN || errno == EACCES ? Attempt::Busy : Attempt::Unlockable;
}

void Unlock(std::intptr_t file, int byte) {
  struct flock range = ByteRange(byte, F_UNLCK);
  Control(file, kSetLock, range);
}

// The folder's own lock, beside the lock file's: a lock file deleted while
// held cannot let a second writer in. A file system without such locks
// leaves the lock file's alone.
Attempt LockFolder(std::intptr_t folder, LockMode mode, bool wait) {
  if (folder == -1) return Attempt::Held;
  const int operation = (mode == LockMode::Exclusive ? LOCK_EX : LOCK_SH) | (wait ? 0 : LOCK_NB);
  int result = 0;
  do {
    result = ::flock(static_cast<int>(folder), operation);
  } while (result != 0 && errno == EINTR);
  if (result == 0) return Attempt::Held;
  return errno == EWOULDBLOCK ? Attempt::Busy : Attempt::Held;
}

void UnlockFolder(std::intptr_t folder) {
  if (folder != -1) ::flock(static_cast<int>(folder), LOCK_UN);
}

bool LockedElsewhere(std::intptr_t file, int byte) {
  struct flock range = ByteRange(byte, F_RDLCK);
  return Control(file, kGetLock, range) == 0 && range.l_type != F_UNLCK;
}

void Pause() {
  const timespec pause{0, static_cast<long>(kRetryPause.count()) * 1'000'000};
  nanosleep(&pause, nullptr);
}

#endif

}  // namespace

FolderLock::FolderLock(const std::filesystem::path& folder) : folder_(folder) {
  Open();
}

FolderLock::~FolderLock() {
  Close();  // drops every lock of this object
}

bool FolderLock::Open() {
  const Opened opened = OpenLockFile(folder_ / kFileName);
  file_ = opened.file;
  writable_ = opened.folderWritable;
  problem_ = opened.problem;
  if (file_ != -1 && folderFile_ == -1) folderFile_ = OpenFolder(folder_);
  if (file_ != -1 && windowMarked_) Lock(file_, kWindowByte, LockMode::Exclusive, false);
  return file_ != -1 || !writable_;
}

void FolderLock::Close() {
  if (file_ != -1) CloseFile(file_);
  if (folderFile_ != -1) CloseFile(folderFile_);
  file_ = folderFile_ = -1;
}

bool FolderLock::StillNamed() const {
  return SameFile(file_, folder_ / kFileName);
}

bool FolderLock::Usable() const {
  return file_ != -1 || writable_;
}

std::string FolderLock::Problem() const {
  const std::string path = (folder_ / kFileName).string();
  return "the lock file \"" + path + "\" cannot be used (" + problem_ +
         "), so nothing was done; remove it or make it a plain file you may write, then try "
         "again";
}

FolderLock::Result FolderLock::TryLock(LockMode mode, bool wait) {
  const Attempt attempt = Lock(file_, kDataByte, mode, wait);
  if (attempt == Attempt::Unlockable) {
    problem_ =
        mode == LockMode::Exclusive ? "it cannot be written: " + SystemReason() : SystemReason();
    return Result::Unusable;
  }
  if (attempt == Attempt::Busy) return Result::Busy;
  if (!StillNamed()) {  // replaced or deleted while awaited: take the file named now
    Close();
    if (!Open()) return Result::Unusable;
    return file_ == -1 ? Result::Held : TryLock(mode, wait);
  }
  if (LockFolder(folderFile_, mode, wait) == Attempt::Busy) {
    Unlock(file_, kDataByte);
    return Result::Busy;
  }
  return Result::Held;
}

FolderLock::Result FolderLock::LockData(LockMode mode,
                                        std::optional<std::chrono::milliseconds> wait) {
  UnlockData();
  if (file_ == -1 && !Open()) return Result::Unusable;
  if (file_ == -1) return Result::Held;  // a folder nobody can write
  const auto deadline = std::chrono::steady_clock::now() + wait.value_or(kRetryPause);
  for (;;) {
    const Result result = TryLock(mode, !wait);
    if (result == Result::Held) dataMode_ = mode;
    if (result != Result::Busy) return result;
    if (file_ == -1) return Result::Held;  // the folder became read-only meanwhile
    if (wait && std::chrono::steady_clock::now() >= deadline) return Result::Busy;
    if (wait) Pause();
  }
}

void FolderLock::UnlockData() {
  if (dataMode_) {
    UnlockFolder(folderFile_);
    Unlock(file_, kDataByte);
  }
  dataMode_.reset();
}

bool FolderLock::MarkWindowOpen() {
  if (file_ == -1) return true;
  windowMarked_ = Lock(file_, kWindowByte, LockMode::Exclusive, false) != Attempt::Busy;
  return windowMarked_;
}

bool FolderLock::WindowOpenElsewhere() const {
  return file_ != -1 && LockedElsewhere(file_, kWindowByte);
}

FolderLockHold::FolderLockHold(FolderLock* lock, LockMode mode) {
  if (!lock || lock->DataMode() >= mode) return;
  lock_ = lock;
  previous_ = lock->DataMode();
  lock->LockData(mode, std::nullopt);  // an unusable lock was refused when the window opened
}

FolderLockHold::~FolderLockHold() {
  if (!lock_) return;
  if (previous_)
    lock_->LockData(*previous_, std::nullopt);
  else
    lock_->UnlockData();
}

}  // namespace bw
