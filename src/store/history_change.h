// SPDX-License-Identifier: GPL-3.0-or-later
// The one path by which the history of a lottery changes, whoever changes it
// (adding a draw, an import, the Update page, an edit): the index marker is
// withdrawn, the history saved, the index brought up to date with the saved
// draws, and the marker written last. A kill at any moment therefore leaves
// either no marker (the next start rebuilds the index from the history it
// finds) or a marker that vouches for exactly the history saved.
#pragma once

#include <string>
#include <vector>

#include "model/program_state.h"
#include "platform/messages.h"
#include "store/history_file.h"

namespace bw {

struct HistoryChangeResult {
  HistorySaveOutcome save = HistorySaveOutcome::Failed;
  std::string besideFile;      // SavedBeside: the file the draws went to
  bool indexComplete = false;  // the index holds every draw and its marker is written
};

// Makes `draws` (with the set-aside lines at their places) the history. On
// Saved the draw list, counting tables, date range and index follow the new
// history. On SavedBeside (another program changed the history meanwhile)
// they follow the draws held here, while the marker keeps the history on disk
// from being trusted until a start rebuilds. On Failed (reported to the user)
// the draw list stays as it was, and so do the index files and marker.
HistoryChangeResult ChangeHistory(ProgramState& state, DrawList draws,
                                  std::vector<SetAsideLine> setAside, MessageSink& messages,
                                  SaveProgress* progress = nullptr);

// The set-aside lines of the history as read, or none when they belong to
// another file.
std::vector<SetAsideLine> SetAsideLinesOfHistory(const ProgramState& state);

}  // namespace bw
