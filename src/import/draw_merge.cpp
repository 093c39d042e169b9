#include "import/draw_merge.h"

#include <algorithm>
#include <numeric>
#include <unordered_set>

#include "model/counting_tables.h"
#include "model/draw_fields.h"

namespace bw {
namespace {

// A draw's date, six main numbers and bonus (0 for none) as one text.
std::string DrawKey(int32_t day, const std::array<int, 7>& numbers) {
  std::string key = std::to_string(day) + ":";
  for (int n : numbers) key += TwoDigits(n);
  return key;
}

struct HistoryDraw {
  std::optional<int32_t> day;  // none for a placeholder or a date that is no date
  std::string key;
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
  std::string entry;
  std::optional<std::size_t> historyIndex;
};

// Joins the history and the new draws in date order; an entry whose date
// cannot be read keeps its place after the entry before it.
void WriteInDateOrder(std::vector<Placed>& placed, DrawMerge& merge) {
  std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
    return a.day != b.day ? a.day < b.day : a.order < b.order;
  });
  merge.draws.reserve(placed.size());
  for (Placed& p : placed) {
    if (p.historyIndex) {
      merge.placeOfEntry[*p.historyIndex] = merge.draws.size();
    } else {
      merge.newEntries.push_back(p.entry);
    }
    merge.draws.push_back(std::move(p.entry));
  }
}

}  // namespace

DrawMerge MergeDraws(const DrawList& history, std::optional<bool> lotteryBonus,
                     const ResultFile& file) {
  DrawMerge merge;
  merge.rows = file.rows;
  merge.shape = file.shape;
  merge.refusal = file.refusal ? file.refusal : BonusRefusal(lotteryBonus, file);
  merge.fileHasBonus = file.shape.numbers.bonus.has_value();
  merge.placeOfEntry.resize(history.size());
  if (merge.refusal) return merge;

  std::vector<Placed> placed;
  std::unordered_set<std::string> keys;
  std::unordered_set<int32_t> historyDays;
  int32_t previousDay = INT32_MIN;
  for (std::size_t i = 0; i < history.size(); ++i) {
    const HistoryDraw draw = ReadEntry(history[i]);
    if (IsPlaceholderEntry(history[i])) continue;
    previousDay = draw.day.value_or(previousDay);
    placed.push_back({previousDay, i, history[i], i});
    if (!draw.day) continue;
    keys.insert(draw.key);
    historyDays.insert(*draw.day);
  }

  merge.problems = file.problems;
  std::vector<std::size_t> order(file.draws.size());
  std::iota(order.begin(), order.end(), 0);
  if (file.shape.newestFirst) std::reverse(order.begin(), order.end());
  for (std::size_t i : order) {
    const ResultDraw& d = file.draws[i];
    const int32_t day = DayNumber(d.date);
    std::array<int, 7> numbers{};
    std::copy(d.numbers.begin(), d.numbers.end(), numbers.begin());
    numbers[6] = d.bonus.value_or(0);
    std::string key = DrawKey(day, numbers);
    if (keys.contains(key)) {
      ++merge.alreadyThere;
    } else if (historyDays.contains(day)) {
      merge.problems.push_back(
          {d.line, "conflicts with the draw of " + FormatDrawDate(d.date) + " in the history"});
    } else {
      keys.insert(std::move(key));
      placed.push_back({day, history.size() + placed.size(),
                        FormatDrawEntry(d.date, d.numbers, d.bonus), std::nullopt});
    }
  }
  std::stable_sort(merge.problems.begin(), merge.problems.end(),
                   [](const RowProblem& a, const RowProblem& b) { return a.line < b.line; });
  WriteInDateOrder(placed, merge);
  if (merge.draws.size() > static_cast<std::size_t>(CountingTables::kMaxDraws)) {
    merge.refusal = "the history would hold " + std::to_string(merge.draws.size()) +
                    " draws, more than the 32,767 this program can count";
  }
  return merge;
}

std::string MergeCountsText(const DrawMerge& merge) {
  return "read " + std::to_string(merge.rows) +
         " rows: " + std::to_string(merge.newEntries.size()) + " new draws, " +
         std::to_string(merge.alreadyThere) + " already there, " +
         std::to_string(merge.problems.size()) + " problems";
}

}  // namespace bw
