// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/history_file.h"

#include <algorithm>
#include <ctime>

#include "model/counting_tables.h"
#include "model/day_number.h"
#include "platform/file_system.h"
#include "platform/system_services.h"
#include "store/draw_line.h"
#include "store/file_error.h"
#include "store/index_marker.h"
#include "store/text_file.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

const std::string kMaxDrawsText = "32,767";
static_assert(CountingTables::kMaxDraws == 32767);

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
    return {LineOutcome::SetAside,
            "it does not hold six different numbers from 1 to 49 (and a bonus other than those)"};
  }
  if (state.draws.size() >= static_cast<std::size_t>(CountingTables::kMaxDraws)) {
    return {LineOutcome::Stop, "the history holds more than " + kMaxDrawsText +
                                   " draws, the most this program can count"};
  }
  state.draws.push_back(draw.entry);
  if (IsPlaceholderLine(line)) return {};
  const auto date = ParseDrawDate(draw.dateText);
  if (!date) return {LineOutcome::Stop, "\"" + draw.dateText + "\" is not a date"};
  state.WidenDrawDates(DayNumber(*date));
  return {};
}

// The number of the first line a save in Windows-1252 could not hold, or 0.
std::size_t FirstLineBeyondWindows1252(const std::vector<std::string>& lines) {
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (!FitsWindows1252(lines[i])) return i + 1;
  return 0;
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

// The history file's lines, bounded, with the fingerprint that tells a later
// change by another program apart.
ReadResult ReadHistoryText(const ProgramState& state) {
  return ReadTextLines(HistoryPath(state), {kLongestHistoryLine, /*fingerprint=*/true});
}

fs::path BackupPath(const ProgramState& state) {
  return state.InFolder(state.LotteryFileName(".old"));
}

// Writes the lines as the history, the previous file kept as the ".old"
// backup; a crash or failure at any moment leaves a complete history.
int16_t ReplaceHistory(ProgramState& state, const std::vector<std::string>& lines) {
  const std::string bytes = TextFileBytes(lines);
  const int16_t error = ReplaceFileKeepingBackup(HistoryPath(state), BackupPath(state), bytes);
  if (error == 0 && state.historyRead.file == state.lottoFile) {
    state.historyRead.fingerprint = FingerprintOf(bytes);
  }
  return error;
}

// Another program (an editor, a second copy of this one) wrote the history
// after it was read: saving would lose its change. A file gone meanwhile
// loses nothing, and one that cannot be read now (held open by another
// program) is left to the save to report.
bool ChangedSinceRead(const ProgramState& state) {
  const HistoryReadStatus& status = state.historyRead;
  if (status.file != state.lottoFile || status.outcome == HistoryReadOutcome::NotRead) return false;
  const ReadResult file = ReadHistoryText(state);
  return file.error == 0 && file.fingerprint != status.fingerprint;
}

// "20261206-154501", the local time of a save beside the history.
std::string SaveTimeStamp() {
  const std::tm local = LocalTimeNow();
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return text;
}

// Writes the bytes to a new file NAME.unsaved-STAMP (then -2, -3, ... within
// one second), never over an earlier one; the name, or empty on failure.
std::string WriteUnsavedFile(ProgramState& state, const std::string& bytes) {
  const std::string base = state.LotteryFileName(".unsaved") + "-" + SaveTimeStamp();
  for (int n = 1; n < 1000; ++n) {
    const std::string name = n == 1 ? base : base + "-" + std::to_string(n);
    const std::error_code error = WriteNewFile(state.InFolder(name), bytes, /*durable=*/true);
    if (error == std::errc::file_exists) continue;
    state.fileErrorNumber = FileErrorNumberOf(error);
    if (!error) SyncFolder(state.appFolder);
    return error ? "" : name;
  }
  state.fileErrorNumber = kPathFileAccess;
  return "";
}

// Saves the draw list beside a history that changed since it was read, so
// that neither is lost; tells the user where. The file's name, or empty when
// it could not be written.
std::string SaveBesideChangedHistory(ProgramState& state, MessageSink& messages) {
  const std::string unsaved = WriteUnsavedFile(state, TextFileBytes(LinesToSave(state, nullptr)));
  if (unsaved.empty()) return "";
  messages.Show({state.lottoFile +
                     " was changed by another program after Ballwright read it, so it was not "
                     "written over. The draws Ballwright holds were saved in " +
                     unsaved + ".\r\n\r\nCompare the two files, keep what you need in " +
                     state.lottoFile + " and start Ballwright again.",
                 "History changed meanwhile", MessageButtons::Ok, MessageIcon::Exclamation});
  return unsaved;
}

// A copy that may stand in for a missing history: read whole, not empty,
// ending with a line end.
bool IsCompleteCopy(const FileBytes& copy) {
  return !copy.error && !copy.tooLarge && !copy.notPlainFile &&
         (copy.bytes.ends_with('\n') || copy.bytes.ends_with('\r'));
}

// The newest complete copy left beside a missing history: the backup, or the
// new file of a save killed before it took the history's name, when it holds
// all that save wrote; the backup on a tie. Only plain files of the folder
// count, never a link. Empty when there is none.
fs::path NewestCompleteCopy(const ProgramState& state) {
  const fs::path history = HistoryPath(state);
  const fs::path backup = BackupPath(state);
  fs::path newest;
  fs::file_time_type newestTime{};
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(history.parent_path(), error)) {
    const bool isBackup = entry.path() == backup;
    const bool candidate =
        isBackup ? IsPlainFile(entry.path()) : IsCompleteNewFileOf(entry.path(), history);
    if (!candidate) continue;
    const auto time = entry.last_write_time(error);
    if (error || (!newest.empty() && (time < newestTime || (time == newestTime && !isBackup))))
      continue;
    if (!IsCompleteCopy(ReadFileBytes(entry.path(), kLargestTextFile))) continue;
    newest = entry.path();
    newestTime = time;
  }
  return newest;
}

// Puts the newest complete copy back under the history's name (the copy
// itself stays); true when a history was restored. Like every change of the
// history, the index marker goes first: the next integration rebuilds.
bool RestoreMissingHistory(ProgramState& state) {
  const fs::path copy = NewestCompleteCopy(state);
  if (copy.empty()) return false;
  const FileBytes bytes = ReadFileBytes(copy, kLargestTextFile);
  if (!IsCompleteCopy(bytes)) return false;
  WithdrawIndexMarker(state);
  // With no history in place, nothing becomes the backup.
  if (ReplaceFileKeepingBackup(HistoryPath(state), BackupPath(state), bytes.bytes) != 0)
    return false;
  state.historyRead.restoredFrom = copy.filename().string();
  return true;
}

std::string SaveErrorText(const ProgramState& state) {
  std::string text = "Could not save data file!\n\r" + HistoryPath(state).string() + "\n\r" +
                     FileErrorText(state.fileErrorNumber);
  if (state.fileErrorNumber == kPermissionDenied) {
    text += "\n\r\n\rThe file may be in use by another application!";
  }
  return text;
}

bool FailRead(ProgramState& state, int16_t error) {
  state.fileErrorNumber = error;
  state.historyRead.outcome =
      IsMissingFileError(error) ? HistoryReadOutcome::Missing : HistoryReadOutcome::Unreadable;
  state.historyRead.errorNumber = error;
  return false;
}

}  // namespace

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

std::string StoppedLineText(const HistoryReadStatus& status) {
  return "line " + std::to_string(status.stopLine) + ": " + status.stopReason;
}

std::optional<Message> HistorySaveRefusal(const ProgramState& state) {
  const HistoryReadStatus& status = state.historyRead;
  if (status.file != state.lottoFile) return std::nullopt;
  const std::string& file = state.lottoFile;
  std::string text;
  if (status.outcome == HistoryReadOutcome::Stopped) {
    text = file +
           " was not read to its end, so it is not written over: " + StoppedLineText(status) +
           ".\r\n\r\nCorrect that line (or restore the backup " + state.LotteryFileName(".old") +
           ") and start again.";
  } else if (status.unencodableLine != 0) {
    text = file +
           " holds characters that a lottery file (Windows-1252) cannot hold, so it is "
           "not written over: line " +
           std::to_string(status.unencodableLine) +
           ".\r\n\r\nReplace those characters in a text editor and start again.";
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
  if (state.lottoFile.empty()) return FailRead(state, kFileNotFound);
  ReadResult file = ReadHistoryText(state);
  if (file.error == kFileNotFound && RestoreMissingHistory(state)) {
    file = ReadHistoryText(state);
  }
  if (file.error != 0) return FailRead(state, file.error);
  state.historyRead.fingerprint = file.fingerprint;
  if (file.unicode) state.historyRead.unencodableLine = FirstLineBeyondWindows1252(file.lines);
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

std::optional<Message> HistoryWriteRefusal(const ProgramState& state) {
  if (auto refusal = HistorySaveRefusal(state)) return refusal;
  if (state.draws.size() < static_cast<std::size_t>(CountingTables::kMaxDraws)) return std::nullopt;
  return Message{state.lottoFile + " holds " + kMaxDrawsText +
                     " draws, the most this program can count, so no draw can be added.",
                 "History full", MessageButtons::Ok, MessageIcon::Critical};
}

bool WriteHistoryFile(ProgramState& state, bool createNew, SaveProgress* progress) {
  state.fileErrorNumber = 0;
  if (state.lottoFile.size() < 4) {
    state.fileErrorNumber = kInvalidArgument;
  } else if (createNew) {
    state.fileErrorNumber = ReplaceHistory(state, NewFileLines(state.settings.useBonus));
    if (state.fileErrorNumber == 0) state.newFileCreated = true;
  } else if (HistorySaveRefusal(state)) {
    state.fileErrorNumber = kPermissionDenied;
  } else if (!state.draws.empty() || !SetAsideLinesOf(state).empty()) {
    state.fileErrorNumber = ReplaceHistory(state, LinesToSave(state, progress));
  }
  if (!createNew && progress != nullptr) progress->SetFill(100.0f);
  return state.fileErrorNumber == 0;
}

HistorySaveResult SaveHistory(ProgramState& state, MessageSink& messages, SaveProgress* progress) {
  if (progress != nullptr) {
    progress->Show(true);
    progress->SetFill(0.0f);
  }
  const auto refusal = HistorySaveRefusal(state);
  HistorySaveResult result;
  if (!refusal && ChangedSinceRead(state)) {
    result.besideFile = SaveBesideChangedHistory(state, messages);
    if (!result.besideFile.empty()) result.outcome = HistorySaveOutcome::SavedBeside;
  } else if (!refusal && WriteHistoryFile(state, false, progress)) {
    result.outcome = HistorySaveOutcome::Saved;
  }
  if (progress != nullptr) progress->Show(false);
  if (refusal) {
    messages.Show(*refusal);
  } else if (result.outcome == HistorySaveOutcome::Failed) {
    messages.Show({SaveErrorText(state), "Error saving file", MessageButtons::Ok,
                   MessageIcon::Critical, MessageAnswer::Ok});
  }
  return result;
}

}  // namespace bw
