// Scratch folders for the benchmarks: a copy of the demo lottery, started as
// the program starts it.
#pragma once

#include <filesystem>
#include <random>
#include <string>

#include "model/program_state.h"
#include "store/history_file.h"
#include "store/integration.h"
#include "store/settings_files.h"

namespace bw {

// An empty scratch folder of its own, removed with the object.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& stem)
      : path_(std::filesystem::temp_directory_path() /
              (stem + std::to_string(std::random_device{}()))) {
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() { std::filesystem::remove_all(path_); }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A scratch program folder holding a copy of the demo lottery.
class DemoFolder {
 public:
  DemoFolder() { Copy(); }
  const std::filesystem::path& Path() const { return folder_.Path(); }
  // Back to a folder that has never been started: no index, no marker.
  void ForgetIndex() const {
    std::filesystem::remove_all(folder_.Path());
    std::filesystem::create_directories(folder_.Path());
    Copy();
  }
  // What the program does at start: read, count, build the index if needed.
  void Start(ProgramState& state) const {
    state.appFolder = folder_.Path();
    state.lottoFile = "Sample.opt";
    ReadLotterySettings(state);
    ReadHistoryFile(state, 1);
    IntegrateDraws(state, false);
  }

 private:
  void Copy() const {
    for (const char* name : {"Sample.opt", "Sample.ini"})
      std::filesystem::copy_file(std::filesystem::path(BALLWRIGHT_DEMO_DIR) / name,
                                 folder_.Path() / name);
  }
  ScratchFolder folder_{"ballwright-bench-"};
};

}  // namespace bw
