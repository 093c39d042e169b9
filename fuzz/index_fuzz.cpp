// SPDX-License-Identifier: GPL-3.0-or-later
// The index readers on any text, in memory: the count of a key, the cached
// reader, the line check and a slice of the search over an index whose every
// file holds the input, a key added to it, and the index marker's lines.
#include "analysis/all_lines_search.h"
#include "analysis/single_line_check.h"
#include "fuzz_support.h"
#include "model/draw_fields.h"
#include "store/index_files.h"
#include "store/index_marker.h"
#include "store/text_file.h"

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
  // One index and one search for the run: every input becomes the line of
  // every index file, and the search takes it up as a new index.
  static std::string text;
  static CachedIndexLookup index([](IndexKind, const std::string&) { return text; });
  static const LotterySettings returns{true, 1, 10, 60, 1500, 100000, 1000000};
  static AllLinesSearch search(Tables(), index, kDraws, returns, 1);
  text = fuzz::AsText(data, size);
  index.Forget();
  CountInIndexLine(text, "010203040506");
  for (const Line& line : {Line{1, 2, 3, 4, 5, 6}, Line{3, 11, 17, 25, 38, 44}})
    CheckSingleLine(line, kDraws, returns, Tables(), index);
  std::vector<FoundLine> found;
  search.CheckSlice(LineAtRank(static_cast<int64_t>(size) * 7919 % kAllLinesCount), 200, found);

  WithKeyAdded(text, "010203040506");
  ParseIndexMarker(LinesFromFileBytes(text));
  return 0;
}
