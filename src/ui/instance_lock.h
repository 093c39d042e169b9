// One running program per program folder: an advisory lock held on the
// folder itself for the life of the process, so nothing in it is written and
// a crashed instance leaves no stale lock behind.
#pragma once

#include <filesystem>

namespace bw::ui {

class InstanceLock {
 public:
  explicit InstanceLock(const std::filesystem::path& folder);
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // False when another instance holds the folder.
  bool Acquired() const { return acquired_; }

 private:
  int descriptor_ = -1;
  bool acquired_ = false;
};

}  // namespace bw::ui
