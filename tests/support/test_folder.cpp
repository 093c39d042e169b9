// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/test_folder.h"

#include <fstream>
#include <random>
#include <sstream>

#include "platform/folder_lock.h"

#ifndef BALLWRIGHT_DEMO_DIR
#error "BALLWRIGHT_DEMO_DIR must name the demo lottery folder"
#endif

namespace bw::test {

TestFolder::TestFolder() {
  std::random_device device;
  path_ = std::filesystem::temp_directory_path() /
          ("ballwright-test-" + std::to_string(device()) + std::to_string(device()));
  std::filesystem::create_directories(path_);
}

TestFolder::~TestFolder() {
  std::error_code ignored;
  // Restore write permission on anything a test locked, then remove it all.
  for (auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored)) {
    std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
  }
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::string TestFolder::Read(const std::string& name) const {
  std::ifstream in(path_ / name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void TestFolder::Write(const std::string& name, const std::string& bytes) const {
  std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
  out << bytes;
}

bool TestFolder::Exists(const std::string& name) const {
  return std::filesystem::exists(path_ / name);
}

std::map<std::string, std::string> TestFolder::Files() const {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(path_))
    files[entry.path().filename().string()] = Read(entry.path().filename().string());
  files.erase(FolderLock::kFileName);  // any command may make it; it always stays empty
  return files;
}

void TestFolder::CopyDemo(const std::string& name) const {
  std::filesystem::copy_file(std::filesystem::path(BALLWRIGHT_DEMO_DIR) / name, path_ / name,
                             std::filesystem::copy_options::overwrite_existing);
}

}  // namespace bw::test
