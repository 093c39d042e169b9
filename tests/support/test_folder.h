// SPDX-License-Identifier: GPL-3.0-or-later
// A fresh, empty program folder for one test, removed afterwards.
#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace bw::test {

class TestFolder {
 public:
  TestFolder();
  ~TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  // Exact bytes of a file ("" when missing), and writing raw bytes.
  std::string Read(const std::string& name) const;
  void Write(const std::string& name, const std::string& bytes) const;
  bool Exists(const std::string& name) const;
  // Every file of the folder by name with its bytes, to compare whole folders.
  std::map<std::string, std::string> Files() const;
  // Copies a file of the demo lottery into the folder.
  void CopyDemo(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

}  // namespace bw::test
