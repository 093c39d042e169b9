// SPDX-License-Identifier: GPL-3.0-or-later
// The history file of a lottery: reading it into the draw list, writing the
// list back with a ".old" backup, and creating a new file with placeholders.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/program_state.h"
#include "platform/messages.h"

namespace bw {

// A history line is some 30 characters; a file with a line beyond this is
// no history and is not read (error 7).
constexpr std::size_t kLongestHistoryLine = 4096;

// Reads appFolder/lottoFile into state.draws (cleared first); a missing file
// is first restored from the newest complete copy a save left beside it (the
// ".old" backup or an unfinished new file), noted in historyRead.restoredFrom. setting
// useBonus from every non-blank line and the oldest/newest draw dates.
// `todayDayNumber` fills dates that no real draw set when the file was read
// to its end. Returns false with fileErrorNumber set on any error; entries
// read so far stay. state.historyRead records the lines set aside (blank or
// not a draw) and whether the file was missing, read to its end, stopped at
// a line or could not be read.
bool ReadHistoryFile(ProgramState& state, int32_t todayDayNumber);

// Reads the lines of a history file into the draw list (appended), keeping
// every line that is no draw with its place in state.historyRead; false when
// a line ended the read. The dates widen the recorded range.
bool ReadHistoryLines(ProgramState& state, const std::vector<std::string>& lines);

// The eight placeholder lines of a new history file, without bonus column.
const std::vector<std::string>& PlaceholderLines();

// Why the history file must not be written: it was not read to its end, or
// it exists but could not be read. The message names the line and reason or
// the error. nullopt when a save may go ahead.
std::optional<Message> HistorySaveRefusal(const ProgramState& state);

// Why no draw may be added: the save refusal above, or a draw list that holds
// the most draws the counting tables can count. Every writer of the history
// (adding a draw, the Update page, an import) asks this before it changes
// the draw list.
std::optional<Message> HistoryWriteRefusal(const ProgramState& state);

// "line 100: "31/02/1984" is not a date" for a read that stopped at a line.
std::string StoppedLineText(const HistoryReadStatus& status);

// Percentage bar shown while a history is saved.
class SaveProgress {
 public:
  virtual ~SaveProgress() = default;
  virtual void Show(bool visible) = 0;
  virtual void SetFill(float percent) = 0;
};

// createNew = false: saves the draw list (placeholders left out, the lines
// the read set aside kept in their places) after turning the old file into
// the ".old" backup; refused (error 70) while HistoryWriteRefusal says so. createNew = true: writes
// the eight placeholder draws (with " 49" bonus column when useBonus) and raises newFileCreated.
// Returns false with fileErrorNumber set on failure; a failed save never loses the previous
// history.
bool WriteHistoryFile(ProgramState& state, bool createNew, SaveProgress* progress = nullptr);

enum class HistorySaveOutcome {
  Saved,        // the history holds the draw list
  SavedBeside,  // another program changed the history: the list went beside it
  Failed,       // nothing was written (reported)
};
struct HistorySaveResult {
  HistorySaveOutcome outcome = HistorySaveOutcome::Failed;
  std::string besideFile;  // SavedBeside: "Lotto.unsaved-20261206-154501"
};

// Saves the draw list, reporting a failure with the "Error saving file"
// message (or the refusal). A history file that another program changed
// since it was read is left alone: the list goes to a new file
// NAME.unsaved-YYYYMMDD-HHMMSS beside it (never over an earlier one), and the
// user is told. Only ChangeHistory (store/history_change.h) calls this.
HistorySaveResult SaveHistory(ProgramState& state, MessageSink& messages,
                              SaveProgress* progress = nullptr);

}  // namespace bw
