// The history reader on any file: read, count every draw and build its index
// in memory, as a start-up does.
#include "fuzz_support.h"
#include "model/draw_fields.h"
#include "store/history_file.h"
#include "store/index_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace bw;
  fuzz::WriteInput("Fuzz.opt", data, size);
  ProgramState state = fuzz::FuzzState();
  ReadHistoryFile(state, 40'000);
  IndexBuilder index;
  for (const std::string& entry : state.draws) {
    const DrawFields fields = ParseDrawEntry(entry);
    state.tables.CountDraw(fields);
    index.AddDraw(fields);
  }
  return 0;
}
