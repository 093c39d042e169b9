#include "platform/folder_lock.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace bw {
namespace {

constexpr int kDataByte = 0;
constexpr int kWindowByte = 1;
constexpr std::chrono::milliseconds kRetryPause{20};

// What one attempt at a lock came to. A system that cannot lock the file at
// all (a descriptor opened read-only asked for an exclusive lock, a file
// system without locks) counts as Unlockable: the caller goes on unlocked and
// the write itself reports what is wrong.
enum class Attempt { Held, Busy, Unlockable };

#ifdef _WIN32

HANDLE HandleOf(std::intptr_t file) {
  return reinterpret_cast<HANDLE>(file);
}

std::intptr_t OpenLockFile(const std::filesystem::path& file) {
  constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    handle = CreateFileW(file.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  return handle == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<std::intptr_t>(handle);
}

void CloseLockFile(std::intptr_t file) {
  CloseHandle(HandleOf(file));
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

std::intptr_t OpenLockFile(const std::filesystem::path& file) {
  int descriptor = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (descriptor < 0) descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  return descriptor;
}

void CloseLockFile(std::intptr_t file) {
  ::close(static_cast<int>(file));
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

FolderLock::FolderLock(const std::filesystem::path& folder)
    : file_(OpenLockFile(folder / kFileName)) {}

FolderLock::~FolderLock() {
  if (Usable()) CloseLockFile(file_);  // drops every lock of this object
}

bool FolderLock::Usable() const {
  return file_ != -1;
}

bool FolderLock::LockData(LockMode mode, std::optional<std::chrono::milliseconds> wait) {
  UnlockData();
  if (!Usable()) return true;
  const auto deadline = std::chrono::steady_clock::now() + wait.value_or(kRetryPause);
  for (;;) {
    const Attempt attempt = Lock(file_, kDataByte, mode, !wait);
    if (attempt == Attempt::Held) dataMode_ = mode;
    if (attempt != Attempt::Busy) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    Pause();
  }
}

void FolderLock::UnlockData() {
  if (dataMode_) Unlock(file_, kDataByte);
  dataMode_.reset();
}

bool FolderLock::MarkWindowOpen() {
  return !Usable() || Lock(file_, kWindowByte, LockMode::Exclusive, false) != Attempt::Busy;
}

bool FolderLock::WindowOpenElsewhere() const {
  return Usable() && LockedElsewhere(file_, kWindowByte);
}

FolderLockHold::FolderLockHold(FolderLock* lock, LockMode mode) {
  if (!lock || lock->DataMode() >= mode) return;
  lock_ = lock;
  previous_ = lock->DataMode();
  lock->LockData(mode, std::nullopt);
}

FolderLockHold::~FolderLockHold() {
  if (!lock_) return;
  if (previous_)
    lock_->LockData(*previous_, std::nullopt);
  else
    lock_->UnlockData();
}

}  // namespace bw
