// The index readers on any text: the count of a key, the cached reader, the
// line check and a slice of the search over an index whose every file holds
// the input, the writer adding a key to it, and the index marker reader.
#include "analysis/all_lines_search.h"
#include "analysis/single_line_check.h"
#include "fuzz_support.h"
#include "model/draw_fields.h"
#include "store/index_files.h"
#include "store/index_marker.h"

namespace {

constexpr int32_t kDraws = 40;

// Tables of a few draws, so that the sums of a check are not all zero.
const bw::CountingTables& Tables() {
  static const bw::CountingTables tables = [] {
    bw::CountingTables counted;
    for (const char* entry : {"x 01 02 03 04 05 06 07", "x 03 11 17 25 38 44 09"})
      for (int i = 0; i < kDraws / 2; ++i) counted.CountDraw(bw::ParseDrawEntry(entry));
    return counted;
  }();
  return tables;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace bw;
  const std::string text = fuzz::AsText(data, size);
  CountInIndexLine(text, "010203040506");
  CachedIndexLookup index([&text](IndexKind, const std::string&) { return text; });
  const LotterySettings returns{true, 1, 10, 60, 1500, 100000, 1000000};
  for (const Line& line : {Line{1, 2, 3, 4, 5, 6}, Line{3, 11, 17, 25, 38, 44}})
    CheckSingleLine(line, kDraws, returns, Tables(), index);
  AllLinesSearch search(Tables(), index, kDraws, returns, 1);
  std::vector<FoundLine> found;
  search.CheckSlice(LineAtRank(static_cast<int64_t>(size) * 7919 % kAllLinesCount), 2000, found);

  const ProgramState state = fuzz::FuzzState();
  fuzz::WriteInput("01_S_Fuzz.opt", data, size);
  AddToIndexFile(state, "010203040506", IndexKind::Six);
  fuzz::WriteInput("Fuzz.dnd", data, size);
  ReadIndexMarker(state);
  return 0;
}
