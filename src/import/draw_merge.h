// SPDX-License-Identifier: GPL-3.0-or-later
// Merging the draws of a result file into a lottery's draw list: new draws
// join in date order, draws already there are counted, and a draw that
// differs from the history's draw of the same date is a problem.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "import/result_file.h"
#include "model/program_state.h"

namespace bw {

struct DrawMerge {
  std::optional<std::string> refusal;  // the file as a whole
  bool shapeRefusal = false;           // as the reader's: the columns may be settled by hand
  bool dateOrderOpen = false;          // only the user can say the date order
  std::vector<SplitRow> firstRows;     // the file's first data rows
  ResultShape shape;                   // as the reader found it
  std::vector<RowProblem> problems;    // the reader's and the conflicts, by line
  std::size_t rows = 0;
  std::size_t alreadyThere = 0;
  std::vector<std::string> newEntries;  // in date order, as they will be written
  DrawList draws;                       // the whole draw list after the import
  // The new place of each entry of the history; placeholders have none.
  std::vector<std::optional<std::size_t>> placeOfEntry;
  bool fileHasBonus = false;
  // "2 draws on 01/01/1983: lines 3 and 4" for each date drawn more than once.
  std::vector<std::string> doubleDates;

  // Nothing stands in the way of writing (the problem rows left out when
  // `skipBad`); a file without new draws writes nothing all the same.
  bool CanImport(bool skipBad) const { return !refusal && (skipBad || problems.empty()); }
};

// `lotteryBonus` is nullopt for a new lottery, whose bonus the file decides.
// Many rows in conflict with the history refuse the file as another
// lottery's; two different draws of one date are both kept.
// The history's draws come first among draws of the same date, and draws of
// one date keep their order (a newest-first file is taken from its end).
DrawMerge MergeDraws(const DrawList& history, std::optional<bool> lotteryBonus,
                     const ResultFile& file);

// "read 2971 rows: 2871 new draws, 100 already there, 1 problem".
std::string MergeCountsText(const DrawMerge& merge);

}  // namespace bw
