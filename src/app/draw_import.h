// SPDX-License-Identifier: GPL-3.0-or-later
// Bringing the draws of a result file into the current lottery, or into a
// new lottery, through the history store: the save keeps a backup and is
// crash-safe, and the index and counting tables then hold every draw.
#pragma once

#include <filesystem>
#include <string>

#include "app/session.h"
#include "import/draw_merge.h"
#include "import/result_file.h"

namespace bw {

// Reads the file and merges it into the session's history (a new lottery's
// when `newLottery`: its bonus then comes from the file). The lottery's
// history and last date order help to tell day from month; a draw after
// tomorrow is a problem row.
DrawMerge PlanImport(Session& session, const std::filesystem::path& file,
                     const ImportOptions& options, bool newLottery = false);

// The date order the lottery keeps after this import: the file's, when its
// dates are numbers that could be read either way round, else `kept`.
std::string DateOrderToKeep(const DrawMerge& merge, const std::string& kept);

// Keeps the order in the lottery's settings (key dateorder=) after an import.
// False when the settings could not be written (state.fileErrorNumber says
// why); the import itself stands.
bool RememberDateOrder(Session& session, const DrawMerge& merge);

// Writes the merged history (problem rows left out) through the session's
// one change path, so every page works on the new history at once. A failed
// save was reported and changed nothing.
HistoryChangeResult ImportIntoCurrent(Session& session, const DrawMerge& merge,
                                      SaveProgress* progress = nullptr);

// Creates the lottery `name` (settings, history without placeholders) and
// makes it the current one. False, with the reason, when a file could not
// be written; what was written is removed again.
bool CreateLotteryFromDraws(Session& session, const std::string& name,
                            const LotterySettings& settings, const DrawMerge& merge,
                            std::string& error);

}  // namespace bw
