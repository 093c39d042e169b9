// SPDX-License-Identifier: GPL-3.0-or-later
// Scratch folders for the benchmarks: a copy of the demo lottery, started as
// the program starts it.
#pragma once

#include <filesystem>
#include <string>

#include "analysis/index_lookup.h"
#include "analysis/single_line_check.h"
#include "model/program_state.h"
#include "store/history_file.h"
#include "store/integration.h"
#include "store/settings_files.h"
#include "support/test_folder.h"

namespace bw {

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
    for (const char* name : {"Sample.opt", "Sample.ini"}) folder_.CopyDemo(name);
  }
  test::TestFolder folder_;
};

// The demo lottery started once for all the benchmarks of a program, with
// its index cached.
struct LoadedDemo {
  DemoFolder folder;
  ProgramState state;
  CachedIndexLookup index{(folder.Start(state), state)};  // read after the start
  SingleLineResult Check(const Line& line) {
    return CheckSingleLine(line, static_cast<int32_t>(state.draws.size()), state.settings,
                           state.tables, index);
  }
};

inline LoadedDemo& Loaded() {
  static LoadedDemo demo;
  return demo;
}

}  // namespace bw
