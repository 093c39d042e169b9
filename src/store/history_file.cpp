#include "store/history_file.h"

#include <algorithm>

#include "model/day_number.h"
#include "store/draw_line.h"
#include "store/file_error.h"
#include "store/text_file.h"

namespace bw {
namespace {

bool IsPlaceholderLine(std::string_view line) {
  return line.substr(0, 8) == "00/00/00";
}

// What reading one line did: appended an entry, set the line aside (with the
// reason), or ended the read (the entry is appended all the same).
struct LineOutcome {
  enum Kind { Entry, SetAside, Stop } kind = Entry;
  std::string reason;
};

LineOutcome ReadDrawLine(ProgramState& state, std::string_view line, const DrawLine& draw) {
  state.settings.useBonus = draw.bonusColumn;
  if (draw.entry.empty()) {
    return {LineOutcome::SetAside, "it does not hold six numbers from 1 to 49"};
  }
  state.draws.push_back(draw.entry);
  if (IsPlaceholderLine(line)) return {};
  const auto date = ParseDrawDate(draw.dateText);
  if (!date) return {LineOutcome::Stop, "\"" + draw.dateText + "\" is not a date"};
  state.WidenDrawDates(DayNumber(*date));
  return {};
}

// Reads the lines into the draw list, keeping every line that is no draw
// with its place; false when a line ended the read.
bool ReadHistoryLines(ProgramState& state, const std::vector<std::string>& lines) {
  HistoryReadStatus& status = state.historyRead;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const std::size_t entriesBefore = state.draws.size();
    const std::optional<DrawLine> draw = ParseDrawLine(line);
    const LineOutcome outcome =
        draw ? ReadDrawLine(state, line, *draw) : LineOutcome{LineOutcome::SetAside, ""};
    if (outcome.kind == LineOutcome::SetAside) {
      status.setAside.push_back({i + 1, entriesBefore, line, outcome.reason});
    } else if (outcome.kind == LineOutcome::Stop) {
      status.outcome = HistoryReadOutcome::Stopped;
      status.stopLine = i + 1;
      status.stopReason = outcome.reason;
      return false;
    }
  }
  status.outcome = HistoryReadOutcome::Complete;
  return true;
}

bool IsMissingFileError(int16_t error) {
  return error == kFileNotFound || error == kPathNotFound;
}

std::filesystem::path HistoryPath(const ProgramState& state) {
  return state.InFolder(state.lottoFile);
}

// The set-aside lines that belong to the current history file.
const std::vector<SetAsideLine>& SetAsideLinesOf(const ProgramState& state) {
  static const std::vector<SetAsideLine> none;
  return state.historyRead.file == state.lottoFile ? state.historyRead.setAside : none;
}

// The lines a save writes: every entry that is not a placeholder, with each
// set-aside line of the file before the entry that followed it there,
// showing the fill (100 / n) * i before entry i.
std::vector<std::string> LinesToSave(const ProgramState& state, SaveProgress* progress) {
  const DrawList& draws = state.draws;
  const std::vector<SetAsideLine>& setAside = SetAsideLinesOf(state);
  std::vector<std::string> lines;
  lines.reserve(draws.size() + setAside.size());
  auto kept = setAside.begin();
  const auto keepLinesBefore = [&](std::size_t entry) {
    for (; kept != setAside.end() && kept->entriesBefore <= entry; ++kept)
      lines.push_back(kept->text);
  };
  const float step = 100.0f / static_cast<float>(draws.size());
  for (std::size_t i = 0; i < draws.size(); ++i) {
    if (progress != nullptr) progress->SetFill(step * static_cast<float>(i));
    keepLinesBefore(i);
    if (draws[i].find("00/00/0000") == std::string::npos) lines.push_back(draws[i]);
  }
  keepLinesBefore(draws.size());
  return lines;
}

std::vector<std::string> NewFileLines(bool useBonus) {
  std::vector<std::string> lines = PlaceholderLines();
  if (useBonus) {
    for (std::string& line : lines) line += " 49";
  }
  return lines;
}

// Writes the new content beside the history file, then turns the history
// file into the ".old" backup and moves the new file into its place. Any
// failure leaves the history file as it was.
int16_t ReplaceHistory(const ProgramState& state, const std::vector<std::string>& lines) {
  const auto history = HistoryPath(state);
  const auto backup = state.InFolder(state.LotteryFileName(".old"));
  const auto fresh = state.InFolder(state.LotteryFileName(".~sav"));
  int16_t error = WriteNewTextFile(fresh, lines, /*durable=*/true);
  if (error == 0) error = MakeWritable(backup);
  if (error == 0) error = DeleteFileIfPresent(backup);
  std::error_code ignored;
  const bool hadHistory = std::filesystem::exists(history, ignored);
  if (error == 0 && hadHistory) error = MakeWritable(history);
  if (error == 0 && hadHistory) error = RenameFile(history, backup);
  if (error == 0) {
    error = RenameFile(fresh, history);
    if (error != 0 && hadHistory) RenameFile(backup, history);
  }
  if (error != 0) DeleteFileIfPresent(fresh);
  return error;
}

std::string SaveErrorText(const ProgramState& state) {
  std::string text = "Could not save data file!\n\r" + HistoryPath(state).string() + "\n\rError " +
                     std::to_string(state.fileErrorNumber) + " " +
                     FileErrorDescription(state.fileErrorNumber);
  if (state.fileErrorNumber == kPathFileAccess) {
    text += "\n\r\n\rThe file may be in use by another application!";
  }
  return text;
}

}  // namespace

std::string StoppedLineText(const HistoryReadStatus& status) {
  return "line " + std::to_string(status.stopLine) + ": " + status.stopReason;
}

std::optional<Message> HistoryWriteRefusal(const ProgramState& state) {
  const HistoryReadStatus& status = state.historyRead;
  if (status.file != state.lottoFile) return std::nullopt;
  const std::string& file = state.lottoFile;
  std::string text;
  if (status.outcome == HistoryReadOutcome::Stopped) {
    text = file +
           " was not read to its end, so it is not written over: " + StoppedLineText(status) +
           ".\r\n\r\nCorrect that line (or restore the backup " + state.LotteryFileName(".old") +
           ") and start again.";
  } else if (status.outcome == HistoryReadOutcome::Unreadable) {
    text = file + " could not be read (Error " + std::to_string(status.errorNumber) + " " +
           FileErrorDescription(status.errorNumber) +
           "), so it is not written over.\r\n\r\nMake the file readable and start again.";
  } else {
    return std::nullopt;
  }
  return Message{text, "History not saved", MessageButtons::Ok, MessageIcon::Critical};
}

bool ReadHistoryFile(ProgramState& state, int32_t todayDayNumber) {
  state.draws.clear();
  state.fileErrorNumber = 0;
  state.historyRead = HistoryReadStatus{};
  state.historyRead.file = state.lottoFile;
  const ReadResult file =
      state.lottoFile.empty() ? ReadResult{{}, kFileNotFound} : ReadTextLines(HistoryPath(state));
  if (file.error != 0) {
    state.fileErrorNumber = file.error;
    state.historyRead.outcome = IsMissingFileError(file.error) ? HistoryReadOutcome::Missing
                                                               : HistoryReadOutcome::Unreadable;
    state.historyRead.errorNumber = file.error;
    return false;
  }
  state.draws.reserve(file.lines.size());
  if (!ReadHistoryLines(state, file.lines)) {
    state.fileErrorNumber = kTypeMismatch;
    return false;
  }
  if (state.newestDrawDate == 0) state.newestDrawDate = todayDayNumber;
  if (state.oldestDrawDate == 0) state.oldestDrawDate = todayDayNumber;
  return true;
}

const std::vector<std::string>& PlaceholderLines() {
  static const std::vector<std::string> lines = {
      "00/00/0000 01 02 03 04 05 06", "00/00/0000 07 08 09 10 11 12",
      "00/00/0000 13 14 15 16 17 18", "00/00/0000 19 20 21 22 23 24",
      "00/00/0000 25 26 27 28 29 30", "00/00/0000 31 32 33 34 35 36",
      "00/00/0000 37 38 39 40 41 42", "00/00/0000 43 44 45 46 47 48"};
  return lines;
}

bool WriteHistoryFile(ProgramState& state, bool createNew, SaveProgress* progress) {
  state.fileErrorNumber = 0;
  if (state.lottoFile.size() < 4) {
    state.fileErrorNumber = kInvalidArgument;
  } else if (createNew) {
    state.fileErrorNumber = ReplaceHistory(state, NewFileLines(state.settings.useBonus));
    if (state.fileErrorNumber == 0) state.newFileCreated = true;
  } else if (HistoryWriteRefusal(state)) {
    state.fileErrorNumber = kPermissionDenied;
  } else if (!state.draws.empty() || !SetAsideLinesOf(state).empty()) {
    state.fileErrorNumber = ReplaceHistory(state, LinesToSave(state, progress));
  }
  if (!createNew && progress != nullptr) progress->SetFill(100.0f);
  return state.fileErrorNumber == 0;
}

void SaveHistory(ProgramState& state, MessageSink& messages, SaveProgress* progress) {
  if (progress != nullptr) {
    progress->Show(true);
    progress->SetFill(0.0f);
  }
  if (const auto refusal = HistoryWriteRefusal(state)) {
    messages.Show(*refusal);
    state.historyChanged = true;
  } else if (WriteHistoryFile(state, false, progress)) {
    state.historyChanged = false;
  } else {
    messages.Show({SaveErrorText(state), "Error saving file", MessageButtons::Ok,
                   MessageIcon::Critical, MessageAnswer::Ok});
    state.historyChanged = true;
  }
  if (progress != nullptr) progress->Show(false);
}

}  // namespace bw
