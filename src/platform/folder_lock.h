// The lock of a lottery folder, so that one program at a time writes it and
// readers never see an index half-updated. It is the system's record lock on
// one byte of a lock file in the folder: readers share it, a writer has it
// alone. A second byte says "a window has this folder open": a window holds
// the lottery in memory and would save over changes made beside it. The
// system drops both with the process, so a crash leaves no stale lock.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>

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

  // False when the lock file could not be opened or created (a read-only
  // folder): then every call below succeeds without locking anything.
  bool Usable() const;

  // Takes the data lock in `mode` (giving up one already held first), waiting
  // up to `wait`, or as long as it takes without one. False when time ran out.
  bool LockData(LockMode mode, std::optional<std::chrono::milliseconds> wait);
  void UnlockData();
  std::optional<LockMode> DataMode() const { return dataMode_; }

  // Marks the folder as open in a window for the life of this object; false
  // when another window has it open.
  bool MarkWindowOpen();
  // Whether a window other than this object's has the folder open.
  bool WindowOpenElsewhere() const;

 private:
  std::intptr_t file_ = -1;  // a descriptor, or a Windows handle
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
