// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/draw_merge.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <unordered_map>
#include <unordered_set>

#include "import/result_text.h"
#include "model/counting_tables.h"
#include "model/draw_fields.h"

namespace bw {
namespace {

// More conflicting rows than this (and more than 2% of the rows) are another
// lottery's draws, not slips.
constexpr std::size_t kFewestForeignRows = 5;
constexpr std::size_t kDoubleDatesNamed = 10;

// A draw's date, six main numbers and bonus (0 for none) in one number: 22
// bits of day and 6 bits for each number.
uint64_t DrawKey(int32_t day, const std::array<int, 7>& numbers) {
  uint64_t key = static_cast<uint32_t>(day) & 0x3FFFFFu;
  for (int n : numbers) key = (key << 6) | static_cast<uint64_t>(n & 63);
  return key;
}

uint64_t KeyOf(const ResultDraw& draw) {
  std::array<int, 7> numbers{};
  std::copy(draw.numbers.begin(), draw.numbers.end(), numbers.begin());
  numbers[6] = draw.bonus.value_or(0);
  return DrawKey(DayNumber(draw.date), numbers);
}

struct HistoryDraw {
  std::optional<int32_t> day;  // none for a placeholder or a date that is no date
  uint64_t key = 0;
};

HistoryDraw ReadEntry(const std::string& entry) {
  std::string dateText;
  const DrawFields fields = ParseDrawEntry(entry, &dateText);
  const auto date = ParseDrawDate(dateText);
  if (IsPlaceholderEntry(dateText) || !date) return {};
  std::array<int, 7> numbers{};
  for (std::size_t k = 0; k < 7; ++k) numbers[k] = std::max(0, FieldNumber(fields[k + 1]));
  const int32_t day = DayNumber(*date);
  return {day, DrawKey(day, numbers)};
}

std::optional<std::string> BonusRefusal(std::optional<bool> lotteryBonus, const ResultFile& file) {
  const bool fileBonus = file.shape.numbers.bonus.has_value();
  if (!lotteryBonus || *lotteryBonus == fileBonus) return std::nullopt;
  if (fileBonus) {
    return "the file has bonus numbers (column " + std::to_string(*file.shape.numbers.bonus + 1) +
           "); this lottery draws none";
  }
  return "the file has no bonus numbers; this lottery draws one";
}

struct Placed {
  int32_t day;
  std::size_t order;  // history entries first, then the file's draws
  std::size_t index;  // in the history, or in the file's draws
  bool fromHistory;
};

// Joins the history and the new draws in date order; an entry whose date
// cannot be read keeps its place after the entry before it.
void WriteInDateOrder(std::vector<Placed>& placed, const DrawList& history, const ResultFile& file,
                      DrawMerge& merge) {
  std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
    return a.day != b.day ? a.day < b.day : a.order < b.order;
  });
  merge.draws.reserve(placed.size());
  for (const Placed& p : placed) {
    if (p.fromHistory) {
      merge.placeOfEntry[p.index] = merge.draws.size();
      merge.draws.push_back(history[p.index]);
    } else {
      const ResultDraw& d = file.draws[p.index];
      merge.newEntries.push_back(FormatDrawEntry(d.date, d.numbers, d.bonus));
      merge.draws.push_back(merge.newEntries.back());
    }
  }
}

// "two draws on 01/01/1983: lines 3 and 4", for each date the file draws on
// more than once.
std::vector<std::string> DoubleDates(const std::map<int32_t, std::vector<int>>& linesOfDay) {
  std::vector<std::string> notes;
  std::size_t more = 0;
  for (const auto& [day, lines] : linesOfDay) {
    if (lines.size() < 2) continue;
    if (notes.size() == kDoubleDatesNamed) {
      ++more;
      continue;
    }
    std::string text = CountText(lines.size(), "draw", "draws") + " on " +
                       FormatDrawDate(DateOfDayNumber(day)) + ": lines ";
    for (std::size_t i = 0; i < lines.size(); ++i) {
      text += (i == 0 ? "" : i + 1 == lines.size() ? " and " : ", ") + std::to_string(lines[i]);
    }
    notes.push_back(text);
  }
  if (more > 0)
    notes.push_back("and " + CountText(more, "more date", "more dates") +
                    " with more than one draw");
  return notes;
}

}  // namespace

DrawMerge MergeDraws(const DrawList& history, std::optional<bool> lotteryBonus,
                     const ResultFile& file) {
  DrawMerge merge;
  merge.rows = file.rows;
  merge.shape = file.shape;
  merge.shapeRefusal = file.shapeRefusal;
  merge.dateOrderOpen = file.dateOrderOpen;
  merge.firstRows = file.firstRows;
  merge.refusal = file.refusal ? file.refusal : BonusRefusal(lotteryBonus, file);
  merge.fileHasBonus = file.shape.numbers.bonus.has_value();
  merge.placeOfEntry.resize(history.size());
  if (merge.refusal) return merge;

  std::vector<Placed> placed;
  std::unordered_set<uint64_t> keys;
  std::unordered_map<int32_t, std::vector<uint64_t>> historyOfDay;
  int32_t previousDay = INT32_MIN;
  for (std::size_t i = 0; i < history.size(); ++i) {
    const HistoryDraw draw = ReadEntry(history[i]);
    if (IsPlaceholderEntry(history[i])) continue;
    previousDay = draw.day.value_or(previousDay);
    placed.push_back({previousDay, i, i, true});
    if (!draw.day) continue;
    keys.insert(draw.key);
    historyOfDay[*draw.day].push_back(draw.key);
  }
  std::unordered_set<uint64_t> fileKeys;
  for (const ResultDraw& d : file.draws) fileKeys.insert(KeyOf(d));
  // A history date with other numbers in the file is a conflict, unless the
  // file holds the history's draw of that date too: then it is a second draw.
  const auto isConflict = [&](int32_t day) {
    const auto found = historyOfDay.find(day);
    return found != historyOfDay.end() &&
           std::none_of(found->second.begin(), found->second.end(),
                        [&](uint64_t key) { return fileKeys.contains(key); });
  };

  merge.problems = file.problems;
  std::vector<std::size_t> order(file.draws.size());
  std::iota(order.begin(), order.end(), 0);
  if (file.shape.newestFirst) std::reverse(order.begin(), order.end());
  std::size_t conflicts = 0;
  std::map<int32_t, std::vector<int>> linesOfDay;
  std::unordered_set<uint64_t> seenInFile;
  for (std::size_t i : order) {
    const ResultDraw& d = file.draws[i];
    const int32_t day = DayNumber(d.date);
    const uint64_t key = KeyOf(d);
    if (seenInFile.insert(key).second) linesOfDay[day].push_back(d.line);
    if (keys.contains(key)) {
      ++merge.alreadyThere;
    } else if (isConflict(day)) {
      ++conflicts;
      merge.problems.push_back(
          {d.line, "conflicts with the draw of " + FormatDrawDate(d.date) + " in the history"});
    } else {
      keys.insert(key);
      placed.push_back({day, history.size() + placed.size(), i, false});
    }
  }
  std::stable_sort(merge.problems.begin(), merge.problems.end(),
                   [](const RowProblem& a, const RowProblem& b) { return a.line < b.line; });
  if (conflicts > kFewestForeignRows && conflicts * 50 > file.rows) {
    merge.refusal = "the file is not of this lottery: " + std::to_string(conflicts) + " of " +
                    CountText(file.rows, "row conflicts", "rows conflict") +
                    " with the draws of its history";
    return merge;
  }
  if (placed.size() > static_cast<std::size_t>(CountingTables::kMaxDraws)) {
    merge.refusal = "the history would hold " + std::to_string(placed.size()) +
                    " draws, more than the 32,767 this program can count";
    return merge;
  }
  for (auto& [day, lines] : linesOfDay) std::sort(lines.begin(), lines.end());
  merge.doubleDates = DoubleDates(linesOfDay);
  WriteInDateOrder(placed, history, file, merge);
  return merge;
}

std::string MergeCountsText(const DrawMerge& merge) {
  return "read " + CountText(merge.rows, "row", "rows") + ": " +
         CountText(merge.newEntries.size(), "new draw", "new draws") + ", " +
         std::to_string(merge.alreadyThere) + " already there, " +
         CountText(merge.problems.size(), "problem", "problems");
}

}  // namespace bw
