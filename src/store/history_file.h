// The history file of a lottery: reading it into the draw list, writing the
// list back with a ".old" backup, and creating a new file with placeholders.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/program_state.h"
#include "platform/messages.h"

namespace bw {

// Reads appFolder/lottoFile into state.draws (cleared first), setting
// useBonus from every non-blank line and the oldest/newest draw dates.
// `todayDayNumber` fills dates that no real draw set when the file was read
// to its end. Returns false with fileErrorNumber set on any error; entries
// read so far stay.
bool ReadHistoryFile(ProgramState& state, int32_t todayDayNumber);

// The eight placeholder lines of a new history file, without bonus column.
const std::vector<std::string>& PlaceholderLines();

// Percentage bar shown while a history is saved.
class SaveProgress {
 public:
  virtual ~SaveProgress() = default;
  virtual void Show(bool visible) = 0;
  virtual void SetFill(float percent) = 0;
};

// createNew = false: saves the draw list (placeholders left out) after
// turning the old file into the ".old" backup. createNew = true: writes the
// eight placeholder draws (with " 49" bonus column when useBonus) and raises
// newFileCreated. Returns false with fileErrorNumber set on failure; a failed
// save never loses the previous history.
bool WriteHistoryFile(ProgramState& state, bool createNew, SaveProgress* progress = nullptr);

// Saves the draw list, reporting a failure with the "Error saving file"
// message; historyChanged is cleared on success and stays set on failure.
void SaveHistory(ProgramState& state, MessageSink& messages, SaveProgress* progress = nullptr);

}  // namespace bw
