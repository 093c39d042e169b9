// The settings readers on any file: the program settings file, a lottery's
// settings file and the whole-number reading of their values.
#include "fuzz_support.h"
#include "store/settings_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace bw;
  fuzz::WriteInput(std::string(kProgramSettingsFile), data, size);
  fuzz::WriteInput("Fuzz.ini", data, size);
  ProgramState& state = fuzz::FuzzState();
  ReadProgramSettings(state);
  state.lottoFile = "Fuzz.opt";  // whatever the file named, read our own
  ReadLotterySettings(state);
  ReadWholeNumber(fuzz::AsText(data, size));
  return 0;
}
