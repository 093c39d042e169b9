// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/draw_import.h"

#include <algorithm>
#include <utility>

#include "import/result_options.h"
#include "store/file_error.h"
#include "store/history_file.h"
#include "store/index_files.h"
#include "store/settings_files.h"
#include "store/text_file.h"

namespace bw {

DrawMerge PlanImport(Session& session, const std::filesystem::path& file,
                     const ImportOptions& options, bool newLottery) {
  const ProgramState& state = session.State();
  ImportOptions withLottery = options;
  withLottery.today = session.SystemClock().TodayDayNumber();
  if (!newLottery) {
    withLottery.history = &state.draws;
    withLottery.lastImportOrder = ParseDateOrder(state.settings.dateOrder);
  }
  const ResultFile read = ReadResultFile(file, withLottery);
  if (newLottery) return MergeDraws({}, std::nullopt, read);
  return MergeDraws(state.draws, state.settings.useBonus, read);
}

std::string DateOrderToKeep(const DrawMerge& merge, const std::string& kept) {
  if (merge.refusal || !merge.shape.dateOrderRead ||
      merge.shape.dateOrder == DateOrder::YearMonthDay) {
    return kept;
  }
  return std::string(DateOrderName(merge.shape.dateOrder));
}

bool RememberDateOrder(Session& session, const DrawMerge& merge) {
  ProgramState& state = session.State();
  const std::string order = DateOrderToKeep(merge, state.settings.dateOrder);
  if (order == state.settings.dateOrder) return true;
  const FolderLockHold hold = session.HoldFolder(LockMode::Exclusive);
  const std::string kept = state.settings.dateOrder;
  state.settings.dateOrder = order;
  if (WriteLotterySettings(state)) return true;
  state.settings.dateOrder = kept;
  return false;
}

namespace {

// Each set-aside line follows the history draw that came before it in the
// file to that draw's place in the merged list.
std::vector<SetAsideLine> SetAsideAfterMerge(std::vector<SetAsideLine> lines,
                                             const DrawMerge& merge) {
  for (SetAsideLine& line : lines) {
    std::size_t entry = std::min(line.entriesBefore, merge.placeOfEntry.size());
    while (entry > 0 && !merge.placeOfEntry[entry - 1]) --entry;  // placeholders have no place
    line.entriesBefore = entry > 0 ? *merge.placeOfEntry[entry - 1] + 1 : 0;
  }
  std::stable_sort(lines.begin(), lines.end(), [](const SetAsideLine& a, const SetAsideLine& b) {
    return a.entriesBefore < b.entriesBefore;
  });
  return lines;
}

}  // namespace

HistoryChangeResult ImportIntoCurrent(Session& session, const DrawMerge& merge,
                                      SaveProgress* progress) {
  if (merge.newEntries.empty()) return {HistorySaveOutcome::Saved, "", true};  // nothing to write
  return session.ChangeHistory(
      merge.draws, SetAsideAfterMerge(SetAsideLinesOfHistory(session.State()), merge), progress);
}

bool CreateLotteryFromDraws(Session& session, const std::string& name,
                            const LotterySettings& settings, const DrawMerge& merge,
                            std::string& error) {
  if (merge.newEntries.empty()) {
    error = "the file holds no draws to start a lottery with";
    return false;
  }
  ProgramState& state = session.State();
  const std::string keptFile = state.lottoFile;
  const LotterySettings keptSettings = state.settings;
  DrawList keptDraws = std::exchange(state.draws, {});
  state.lottoFile = name + ".opt";
  state.settings = settings;
  state.settings.useBonus = merge.fileHasBonus;
  state.settings.dateOrder = DateOrderToKeep(merge, "");
  state.historyRead = HistoryReadStatus{};  // a new file: nothing set aside, nobody changed it
  state.historyRead.file = state.lottoFile;
  state.historyRead.outcome = HistoryReadOutcome::Complete;
  const HistoryChangeResult created = session.ChangeHistory(merge.draws, {});
  const bool written = created.save == HistorySaveOutcome::Saved && WriteLotterySettings(state) &&
                       WriteProgramSettings(state);
  if (!written) {
    error = "Could not create " + state.InFolder(state.lottoFile).string() + ": " +
            FileErrorText(state.fileErrorNumber);
    DeleteIndexFiles(state);
    DeleteFileIfPresent(state.InFolder(state.lottoFile));
    DeleteFileIfPresent(state.InFolder(state.LotteryFileName(".ini")));
    state.lottoFile = keptFile;
    state.settings = keptSettings;
    state.draws = std::move(keptDraws);
    return false;
  }
  return true;
}

}  // namespace bw
