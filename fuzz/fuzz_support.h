// What every fuzz target shares: one program state for the whole run (its
// counting tables are 12.5 MB, too much to make for every input), a scratch
// folder for the few readers that only take files, and the input as text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "model/program_state.h"

namespace bw::fuzz {

// A fresh folder under the temporary folder, one per fuzzing process.
const std::filesystem::path& ScratchFolder();

// Writes the bytes as a file of the scratch folder (replacing it).
void WriteInput(const std::string& name, const uint8_t* data, std::size_t size);

// The run's program state on the scratch folder with the lottery
// "Fuzz.opt", its draw list, reading status and settings cleared. Its
// counting tables are the caller's to leave as it found them.
ProgramState& FuzzState();

inline std::string AsText(const uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

}  // namespace bw::fuzz
