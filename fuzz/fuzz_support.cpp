#include "fuzz_support.h"

#include <unistd.h>

#include <fstream>

namespace bw::fuzz {

const std::filesystem::path& ScratchFolder() {
  static const std::filesystem::path folder = [] {
    auto path =
        std::filesystem::temp_directory_path() / ("ballwright-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    return path;
  }();
  return folder;
}

void WriteInput(const std::string& name, const uint8_t* data, std::size_t size) {
  std::ofstream out(ScratchFolder() / name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

ProgramState& FuzzState() {
  static ProgramState state;
  state.appFolder = ScratchFolder();
  state.lottoFile = "Fuzz.opt";
  state.settings = {};
  state.draws.clear();
  state.historyRead = {};
  state.oldestDrawDate = state.newestDrawDate = 0;
  return state;
}

}  // namespace bw::fuzz
