// SPDX-License-Identifier: GPL-3.0-or-later
// The result-file reader of the import on any bytes, with its options taken
// from the first byte, then the merge into a small history.
#include "fuzz_support.h"
#include "import/draw_merge.h"
#include "import/result_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace bw;
  const DrawList history = {"10/01/2000 01 02 03 04 05 06 07", "not a draw",
                            "17/01/2000 01 02 03 10 11 12 13"};
  ImportOptions options;
  options.today = DayNumber({2026, 12, 6});
  if (size > 0) {
    const uint8_t choice = data[0];
    if (choice % 4 == 1) options.dateOrder = DateOrder::DayMonthYear;
    if (choice % 4 == 2) options.dateOrder = DateOrder::MonthDayYear;
    if (choice % 4 == 3) options.dateOrder = DateOrder::YearMonthDay;
    // The lottery's clues to the date order, and a range of dates.
    if (choice & 4) options.history = &history;
    if (choice & 8) options.lastImportOrder = DateOrder::MonthDayYear;
    if (choice & 16) options.until = DayNumber({2015, 10, 3});
    ++data;
    --size;
  }
  const ResultFile file = ReadResultBytes(fuzz::AsText(data, size), options);
  MergeDraws(history, true, file);
  MergeDraws({}, std::nullopt, file);
  return 0;
}
