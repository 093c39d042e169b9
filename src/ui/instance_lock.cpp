#include "ui/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace bw::ui {

InstanceLock::InstanceLock(const std::filesystem::path& folder) {
  descriptor_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  // A folder that cannot be opened cannot be shared either: the start goes on
  // and the settings read reports the real problem.
  if (descriptor_ < 0) {
    acquired_ = true;
    return;
  }
  acquired_ = ::flock(descriptor_, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK;
}

InstanceLock::~InstanceLock() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

}  // namespace bw::ui
