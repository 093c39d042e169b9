// SPDX-License-Identifier: GPL-3.0-or-later
// The lock of a lottery folder, so that one program at a time writes it and
// readers never see an index half-updated. It is the system's record lock on
// one byte of a lock file in the folder: readers share it, a writer has it
// alone. A second byte says "a window has this folder open": a window holds
// the lottery in memory and would save over changes made beside it. The
// system drops both with the process, so a crash leaves no stale lock.
// The lock is never skipped in a folder that can be written: a lock file
// that cannot be used (a folder or link under its name, a file this user
// cannot write) makes the lock Unusable, and a lock file deleted or replaced
// while held is found out (the open file is compared with the name) and
// taken anew. Where the system allows, the folder itself is locked too, so a
// deleted lock file never lets two writers in.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace bw {

enum class LockMode { Shared, Exclusive };

class FolderLock {
 public:
  static constexpr const char* kFileName = "ballwright.lock";

  // Opens (or creates) the lock file; nothing is locked yet.
  explicit FolderLock(const std::filesystem::path& folder);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  // False when the folder cannot be written (no lock file can be made there):
  // then every call below succeeds without locking anything, as nothing can
  // be changed there anyway.
  bool Usable() const;

  enum class Result { Held, Busy, Unusable };
  // Takes the data lock in `mode` (giving up one already held first), waiting
  // up to `wait`, or as long as it takes without one. Busy when time ran out,
  // Unusable (see Problem) when the lock file cannot hold the lock.
  Result LockData(LockMode mode, std::optional<std::chrono::milliseconds> wait);
  // Why the lock is Unusable: the lock file's path and what to do.
  std::string Problem() const;
  void UnlockData();
  std::optional<LockMode> DataMode() const { return dataMode_; }

  // Marks the folder as open in a window for the life of this object; false
  // when another window has it open.
  bool MarkWindowOpen();
  // Whether a window other than this object's has the folder open.
  bool WindowOpenElsewhere() const;

 private:
  // Opens the lock file (again, after it was replaced); false with problem_.
  bool Open();
  void Close();
  // Whether the lock file's name still names the open file.
  bool StillNamed() const;
  Result TryLock(LockMode mode, bool wait);

  std::filesystem::path folder_;
  std::intptr_t file_ = -1;        // a descriptor, or a Windows handle
  std::intptr_t folderFile_ = -1;  // the folder's own descriptor (POSIX)
  bool writable_ = true;           // the folder can be written: the lock is required
  bool windowMarked_ = false;
  std::string problem_;
  std::optional<LockMode> dataMode_;
};

// Holds the data lock in `mode` for its scope, waiting as long as it takes,
// unless it is held that strongly already; then gives back what it took. A
// null lock holds nothing.
class FolderLockHold {
 public:
  FolderLockHold(FolderLock* lock, LockMode mode);
  ~FolderLockHold();
  FolderLockHold(const FolderLockHold&) = delete;
  FolderLockHold& operator=(const FolderLockHold&) = delete;

 private:
  FolderLock* lock_ = nullptr;
  std::optional<LockMode> previous_;
};

}  // namespace bw
