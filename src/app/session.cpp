// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/session.h"

#include "analysis/full_system.h"
#include "model/day_number.h"
#include "model/draw_fields.h"
#include "store/index_marker.h"

namespace bw {
namespace {

Message IndexNotRebuiltMessage(const std::string& lottoFile) {
  return {"The index files of " + lottoFile +
              " do not match its draws and could not be rebuilt, so no results can be shown. "
              "Check that the program folder can be written and has free space, then start "
              "again.",
          "Index files", MessageButtons::Ok, MessageIcon::Critical};
}

}  // namespace

Session::Session(std::filesystem::path appFolder, MessageSink& messages, Clock& clock)
    : messages_(messages), clock_(clock), index_(state_), systemPatterns_(BuildSystemPatterns()) {
  state_.appFolder = std::move(appFolder);
}

Session::~Session() = default;

std::unique_ptr<Session> Session::Fresh() const {
  auto fresh = std::make_unique<Session>(state_.appFolder, messages_, clock_);
  fresh->state_.lottoFile = state_.lottoFile;
  fresh->folderLock_ = folderLock_;
  return fresh;
}

bool Session::LoadHistory(const IntegrationProgress& progress) {
  const bool read = ReadHistory();
  IntegrateHistory(progress);
  return read;
}

bool Session::ReadHistory() {
  const FolderLockHold hold = HoldFolder(LockMode::Shared);
  indexNeedsBuilding_.reset();
  return ReadHistoryFile(state_, clock_.TodayDayNumber());
}

bool Session::IndexNeedsBuilding() {
  if (!indexNeedsBuilding_) indexNeedsBuilding_ = !IndexMarkerAgrees(state_);
  return *indexNeedsBuilding_;
}

void Session::IntegrateHistory(const IntegrationProgress& progress) {
  const FolderLockHold hold = HoldFolder(LockMode::Exclusive);  // the index may be built
  IntegrateAllDraws(state_, IndexNeedsBuilding(), progress);
  indexNeedsBuilding_.reset();
  DropDerivedData();
}

SingleLineResult Session::Check(const Line& line) {
  const auto check = [&] {
    return CheckSingleLine(line, DrawCount(), state_.settings, state_.tables, index_);
  };
  if (!IndexComplete()) return SingleLineResult{.impossible = true};
  const SingleLineResult result = check();
  if (!result.impossible || !RebuildStaleIndex()) return result;
  return check();
}

SingleLineResult Session::Check(const Line& line, const DateRange& range) {
  if (range.IsWholeHistory()) return Check(line);
  return CheckOverDraws(line, DrawsIn(range), state_.settings);
}

LineHits Session::Hits(const Line& line, const DateRange& range) {
  return FindLineHits(line, DrawsIn(range), state_.draws, state_.settings);
}

NumberFrequency Session::Frequency(const DateRange& range) {
  return FrequencyOf(DrawsIn(range));
}

DistributionInput Session::DistributionInputFor(const DateRange& range) {
  if (range.IsWholeHistory()) return {state_.draws, DrawCount(), state_.settings};
  const std::vector<DatedDraw> chosen = DrawsIn(range);
  return {EntriesOf(chosen, state_.draws), static_cast<int32_t>(chosen.size()), state_.settings};
}

const std::vector<DatedDraw>& Session::DatedDraws() {
  if (!datedDraws_) datedDraws_ = DatedDrawsOf(state_.draws);
  return *datedDraws_;
}

std::vector<DatedDraw> Session::DrawsIn(const DateRange& range) {
  return DrawsInRange(DatedDraws(), range);
}

HistoryChangeResult Session::ChangeHistory(DrawList draws, std::vector<SetAsideLine> setAside,
                                           SaveProgress* progress) {
  const FolderLockHold hold = HoldFolder(LockMode::Exclusive);
  HistoryChangeResult result =
      bw::ChangeHistory(state_, std::move(draws), std::move(setAside), messages_, progress);
  DropDerivedData();
  if (state_.oldestDrawDate == 0)
    state_.oldestDrawDate = state_.newestDrawDate = clock_.TodayDayNumber();
  return result;
}

DrawPlacement Session::PlaceNewDraw(const std::string& entry) const {
  return PlaceDraw(state_.draws, entry);
}

HistoryChangeResult Session::AddDraw(const std::string& entry, SaveProgress* progress) {
  const DrawPlacement placement = PlaceNewDraw(entry);
  DrawList draws = state_.draws;
  draws.insert(draws.begin() + static_cast<std::ptrdiff_t>(placement.index), entry);
  // Set-aside lines keep their place among the entries around them.
  std::vector<SetAsideLine> setAside = SetAsideLinesOfHistory(state_);
  for (SetAsideLine& line : setAside)
    if (line.entriesBefore > placement.index) ++line.entriesBefore;
  return ChangeHistory(std::move(draws), std::move(setAside), progress);
}

AllLinesSearch& Session::Search() {
  if (!search_) {
    search_ = std::make_unique<AllLinesSearch>(state_.tables, index_, DrawCount(), state_.settings);
  }
  return *search_;
}

SliceResult Session::CheckSlice(const Line& from, int64_t maxLines, std::vector<FoundLine>& found) {
  const std::size_t before = found.size();
  SliceResult slice;
  slice.impossible = true;
  if (IndexComplete()) slice = Search().CheckSlice(from, maxLines, found);
  if (!slice.impossible) return slice;
  found.resize(before);
  if (RebuildStaleIndex()) slice = Search().CheckSlice(from, maxLines, found);
  if (slice.impossible) {
    found.resize(before);
    slice = SliceResult{};
    slice.impossible = true;
  }
  return slice;
}

bool Session::RebuildStaleIndex() {
  if (rebuildFailed_) return false;
  const FolderLockHold hold = HoldFolder(LockMode::Exclusive);
  const bool rebuilt = RebuildIndexFiles(state_);
  DropDerivedData();
  rebuildFailed_ = !rebuilt;
  if (!rebuilt) messages_.Show(IndexNotRebuiltMessage(state_.lottoFile));
  return rebuilt;
}

bool Session::IndexComplete() {
  return !state_.indexWriteFailed || RebuildStaleIndex();
}

int32_t Session::DrawCount() const {
  return static_cast<int32_t>(state_.draws.size());
}

void Session::DropDerivedData() {
  index_.Forget();
  search_.reset();
  datedDraws_.reset();
  rebuildFailed_ = false;  // the draws or the index changed: a rebuild may be tried again
}

}  // namespace bw
