// SPDX-License-Identifier: GPL-3.0-or-later
// The history reader on any bytes, in memory: split into lines (any coding
// and line ends), read into the draw list, each draw counted and indexed as
// a start-up does, then taken out of the counts again.
#include "fuzz_support.h"
#include "model/draw_fields.h"
#include "store/history_file.h"
#include "store/index_files.h"
#include "store/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace bw;
  ProgramState& state = fuzz::FuzzState();
  ReadHistoryLines(state, LinesFromFileBytes(fuzz::AsText(data, size)));
  IndexBuilder index;
  for (const std::string& entry : state.draws) {
    const DrawFields fields = ParseDrawEntry(entry);
    state.tables.CountDraw(fields);
    index.AddDraw(fields);
  }
  for (const std::string& entry : state.draws) state.tables.UncountDraw(ParseDrawEntry(entry));
  return 0;
}
