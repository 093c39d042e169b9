// What every fuzz target shares: a scratch program folder of its own for the
// files an input is written to, and the input as text.
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

// A program state on the scratch folder with the lottery "Fuzz.opt".
ProgramState FuzzState();

inline std::string AsText(const uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

}  // namespace bw::fuzz
