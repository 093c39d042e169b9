// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/history_change.h"

#include <algorithm>
#include <utility>

#include "model/day_number.h"
#include "model/draw_fields.h"
#include "store/index_marker.h"
#include "store/integration.h"
#include "store/text_file.h"

namespace bw {
namespace {

// A handful of appended draws are added to the index files one by one; more,
// or any change before the end, rebuild the index (as fast as a few adds).
constexpr std::size_t kMostDrawsAddedOneByOne = 16;

bool IsAppendOf(const DrawList& before, const DrawList& after) {
  return after.size() >= before.size() && std::equal(before.begin(), before.end(), after.begin());
}

void RecountDateRange(ProgramState& state) {
  state.oldestDrawDate = state.newestDrawDate = 0;
  std::string date;
  for (const std::string& entry : state.draws) {
    ParseDrawEntry(entry, &date);
    if (IsPlaceholderEntry(date)) continue;
    if (const auto parsed = ParseDrawDate(date)) state.WidenDrawDates(DayNumber(*parsed));
  }
}

// The index and counting tables for the draw list, whose first `kept`
// entries they already hold.
void BringIndexUpToDate(ProgramState& state, std::size_t kept, bool append) {
  const std::size_t added = state.draws.size() - kept;
  if (append && !state.indexWriteFailed && added <= kMostDrawsAddedOneByOne) {
    for (std::size_t i = kept; i < state.draws.size(); ++i) IntegrateEntry(state, i);
    VouchForIndex(state);  // the marker last
  } else {
    state.tables.Clear();
    state.indexWriteFailed = false;
    IntegrateAllDraws(state, /*buildIndex=*/true);  // writes the marker last
  }
}

}  // namespace

std::vector<SetAsideLine> SetAsideLinesOfHistory(const ProgramState& state) {
  if (state.historyRead.file != state.lottoFile) return {};
  return state.historyRead.setAside;
}

HistoryChangeResult ChangeHistory(ProgramState& state, DrawList draws,
                                  std::vector<SetAsideLine> setAside, MessageSink& messages,
                                  SaveProgress* progress) {
  HistoryChangeResult result;
  const bool append = IsAppendOf(state.draws, draws);
  const std::size_t kept = append ? state.draws.size() : 0;
  const bool vouched = IndexMarkerExists(state);
  RemoveLeftoverNewFiles(state.appFolder);  // of saves killed before they were done
  WithdrawIndexMarker(state);               // no marker may vouch for the index while it is behind
  DrawList previous = std::exchange(state.draws, std::move(draws));
  std::vector<SetAsideLine> previousSetAside =
      std::exchange(state.historyRead.setAside, std::move(setAside));
  const HistorySaveResult saved = SaveHistory(state, messages, progress);
  result.save = saved.outcome;
  result.besideFile = saved.besideFile;
  if (saved.outcome == HistorySaveOutcome::Failed) {
    state.draws = std::move(previous);
    state.historyRead.setAside = std::move(previousSetAside);
    if (vouched) VouchForIndex(state);  // the index files were not touched
    result.indexComplete = vouched && !state.indexWriteFailed;
    return result;
  }
  BringIndexUpToDate(state, kept, append);
  RecountDateRange(state);
  result.indexComplete = !state.indexWriteFailed;
  return result;
}

}  // namespace bw
