// SPDX-License-Identifier: GPL-3.0-or-later
// One run of the program over the current lottery, without any window: the
// start-up loading, the line check with the cached index, appending a draw,
// saving, and the engines that the pages and the command line share.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/all_lines_search.h"
#include "analysis/draw_range.h"
#include "analysis/index_lookup.h"
#include "analysis/line_hits.h"
#include "analysis/number_frequency.h"
#include "analysis/percentage_distribution.h"
#include "analysis/single_line_check.h"
#include "model/draw_placement.h"
#include "model/program_state.h"
#include "platform/folder_lock.h"
#include "platform/messages.h"
#include "platform/services.h"
#include "store/history_change.h"
#include "store/history_file.h"
#include "store/integration.h"

namespace bw {

class Session {
 public:
  Session(std::filesystem::path appFolder, MessageSink& messages, Clock& clock);
  ~Session();

  ProgramState& State() { return state_; }
  const ProgramState& State() const { return state_; }
  MessageSink& Messages() { return messages_; }
  Clock& SystemClock() { return clock_; }

  // The window's lock of the lottery folder: the session then reads the
  // history shared and writes the folder with it alone. Without one (the
  // command line holds its lock for the whole command) nothing is locked here.
  void UseFolderLock(FolderLock* lock) { folderLock_ = lock; }
  [[nodiscard]] FolderLockHold HoldFolder(LockMode mode) { return {folderLock_, mode}; }

  // A session over the same folder, messages, clock and lock for the lottery
  // chosen now, with nothing read or derived from a lottery yet: what a
  // window loads after a switch of lottery or a rebuild of the index.
  std::unique_ptr<Session> Fresh() const;

  // Start-up: reads the history into the draw list and integrates it (the
  // index is rebuilt when its marker file is missing). The result of reading
  // is returned but, as at start-up, only an empty draw list matters.
  bool LoadHistory(const IntegrationProgress& progress = {});
  // The two steps of LoadHistory, for callers that look at the draw list
  // before anything is written (the index build writes files).
  bool ReadHistory();
  void IntegrateHistory(const IntegrationProgress& progress = {});
  // Whether the index marker disagrees with the draws just read, so that
  // IntegrateHistory builds the index (asked once: the check reads every
  // index file).
  bool IndexNeedsBuilding();

  // Checks an ascending line against the loaded history. A result no history
  // can give means the index files disagree with the draws: they are rebuilt
  // and the line checked again. When the rebuild fails, the user is told and
  // the result stays marked impossible, with no counts in it.
  SingleLineResult Check(const Line& line);

  // The same restricted to a date range (the whole history: the check above).
  // The analyses over a range throw EmptyRangeError when it holds no draws.
  SingleLineResult Check(const Line& line, const DateRange& range);
  LineHits Hits(const Line& line, const DateRange& range);
  NumberFrequency Frequency(const DateRange& range);
  // What the distribution of all lines over the range is counted from; the
  // whole history gives the percentages of the check above.
  DistributionInput DistributionInputFor(const DateRange& range);
  // The dated draws of the history (built on first use), and those in a range.
  const std::vector<DatedDraw>& DatedDraws();
  std::vector<DatedDraw> DrawsIn(const DateRange& range);

  // Every change of the history goes through here: the folder is held
  // alone, the marker withdrawn, the history saved, the index and counting
  // tables brought up to date and the marker written last (see
  // store/history_change.h). The analyses then work on the new draws.
  HistoryChangeResult ChangeHistory(DrawList draws, std::vector<SetAsideLine> setAside,
                                    SaveProgress* progress = nullptr);

  // Where a typed draw entry ("dd/mm/yyyy 03 11 17 25 38 44 09", or with a
  // trailing blank and no bonus) would go; the caller refuses a SameDraw and
  // asks about a SecondOfDay or an Insert.
  DrawPlacement PlaceNewDraw(const std::string& entry) const;
  // Adds the entry at its place in date order through ChangeHistory.
  HistoryChangeResult AddDraw(const std::string& entry, SaveProgress* progress = nullptr);

  // The all-lines search over the current tables and index (built on first
  // use, and again after a draw was appended).
  AllLinesSearch& Search();
  // A slice of the search, with the same rebuild rule as Check: a slice that
  // meets a damaged index is dropped (its finds are not kept), the index is
  // rebuilt and the slice searched again. When the rebuild fails the slice
  // comes back impossible, with nothing checked and nothing found.
  SliceResult CheckSlice(const Line& from, int64_t maxLines, std::vector<FoundLine>& found);

  const std::vector<std::string>& SystemPatterns() const { return systemPatterns_; }

 private:
  int32_t DrawCount() const;
  // The cached index and the search engine after the index files changed.
  void DropDerivedData();
  // Rebuilds an index found stale; false (after telling the user) when it
  // could not be written. A failed rebuild is not tried again in this run
  // until the draws change, so a run of checks tells the user once.
  bool RebuildStaleIndex();
  // The index holds every draw: it was written whole, or a rebuild now is.
  bool IndexComplete();

  ProgramState state_;
  MessageSink& messages_;
  Clock& clock_;
  CachedIndexLookup index_;
  std::unique_ptr<AllLinesSearch> search_;
  std::optional<std::vector<DatedDraw>> datedDraws_;
  std::vector<std::string> systemPatterns_;
  FolderLock* folderLock_ = nullptr;
  bool rebuildFailed_ = false;
  std::optional<bool> indexNeedsBuilding_;
};

}  // namespace bw
