// SPDX-License-Identifier: GPL-3.0-or-later
// Tests run as root, which ignores permission bits. A failing write into a
// folder the user may not change is reproduced by acting as an unprivileged
// user for the length of one call. Windows has no such switch: there the
// tests that need it are skipped.
#pragma once

#ifndef _WIN32
#include <unistd.h>
#endif

#include <filesystem>
#include <string>

namespace bw::test {

#ifdef _WIN32
class AsUnprivilegedUser {
 public:
  bool Switched() const { return false; }
};
#else
class AsUnprivilegedUser {
 public:
  AsUnprivilegedUser() : switched_(geteuid() == 0 && seteuid(kNobody) == 0) {}
  ~AsUnprivilegedUser() {
    if (switched_) (void)seteuid(0);
  }
  AsUnprivilegedUser(const AsUnprivilegedUser&) = delete;
  AsUnprivilegedUser& operator=(const AsUnprivilegedUser&) = delete;
  // False when the process could not drop its privileges (not root).
  bool Switched() const { return switched_; }

 private:
  static constexpr uid_t kNobody = 65534;
  bool switched_;
};
#endif

// Removes every write permission bit of a file (the read-only mark).
inline void MarkReadOnly(const std::filesystem::path& file) {
  std::filesystem::permissions(file,
                               std::filesystem::perms::owner_write |
                                   std::filesystem::perms::group_write |
                                   std::filesystem::perms::others_write,
                               std::filesystem::perm_options::remove);
}

inline bool IsReadOnly(const std::filesystem::path& file) {
  return (std::filesystem::status(file).permissions() & std::filesystem::perms::owner_write) ==
         std::filesystem::perms::none;
}

}  // namespace bw::test
