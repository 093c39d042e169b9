// SPDX-License-Identifier: GPL-3.0-or-later
// The settings readers on any bytes, in memory: the program settings, a
// lottery's settings and the whole-number reading of their values.
#include "fuzz_support.h"
#include "store/settings_files.h"
#include "store/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace bw;
  const std::string text = fuzz::AsText(data, size);
  const std::vector<std::string> lines = LinesFromFileBytes(text);
  ProgramState& state = fuzz::FuzzState();
  TakeProgramSettings(state, lines);
  TakeLotterySettings(state, lines);
  ReadWholeNumber(text);
  return 0;
}
