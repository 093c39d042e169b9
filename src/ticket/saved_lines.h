// SPDX-License-Identifier: GPL-3.0-or-later
// The lines a player keeps playing in a lottery, each with an optional label
// and the date it was first played, in the lottery folder beside the history:
// NAME.lines, one saved line per file line, Windows-1252 with CR LF:
//
//   03 11 17 25 38 44
//   05 09 23 31 40 48 | 02/01/2021
//   01 07 12 19 33 45 |  | birthdays
//   02 14 20 27 36 41 | 14/03/2015 | family
//
// The six numbers ascending as two digits, then " | " and the first date
// played (dd/mm/yyyy, may be empty), then " | " and the label (the rest of
// the line). A line that does not read is kept in the file byte for byte at
// its place and reported, as the history reader does.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/history_read_status.h"
#include "model/numbers.h"
#include "model/program_state.h"

namespace bw {

struct SavedLine {
  Line numbers{};                     // ascending
  std::string label = {};             // UTF-8, may be empty
  std::optional<int32_t> since = {};  // day number of the first draw played
  bool operator==(const SavedLine&) const = default;
};

// A label holds at most this many characters, on one line.
inline constexpr std::size_t kLongestLabel = 40;

// The lines file of the current lottery and its backup.
std::filesystem::path LinesFilePath(const ProgramState& state);
std::filesystem::path LinesBackupPath(const ProgramState& state);

struct LinesRead {
  std::vector<SavedLine> lines;        // in the file's order
  std::vector<SetAsideLine> setAside;  // the lines that did not read, and blank ones
  int16_t error = 0;                   // the file exists but could not be read
  bool missing = false;                // no file yet: no saved lines
  // "Sample.lines, line 3: "03 11 17" is not ..." for each damaged line.
  std::vector<std::string> Problems(const std::string& fileName) const;
};
LinesRead ReadLinesFile(const std::filesystem::path& file);

// One file line of a saved line, and the reading of one.
std::string SavedLineText(const SavedLine& line);
// The line, or why the text is none ("it holds 5 numbers, not 6").
struct SavedLineParse {
  std::optional<SavedLine> line;
  std::string reason;
};
SavedLineParse ParseSavedLine(const std::string& text);

// Why a label cannot be kept, or nullopt.
std::optional<std::string> LabelRefusal(const std::string& label);

// The saved lines of one lottery folder. Every change reads the file anew,
// applies the change and replaces the file (the old one becomes the backup),
// so a kill, a full disk or a second writer never loses a saved line. The
// caller holds the folder's lock alone while a change runs.
class LinesBook {
 public:
  explicit LinesBook(std::filesystem::path file, std::filesystem::path backup)
      : file_(std::move(file)), backup_(std::move(backup)) {}
  explicit LinesBook(const ProgramState& state)
      : LinesBook(LinesFilePath(state), LinesBackupPath(state)) {}

  LinesRead Read() const { return ReadLinesFile(file_); }
  const std::filesystem::path& File() const { return file_; }

  // Each returns empty on success, else the message to the user (nothing
  // was changed then).
  std::string Add(SavedLine line);
  // Adds those of the lines not saved yet, in their order, in one save;
  // `added` tells how many. A line given that is not valid refuses them all.
  std::string AddMany(const std::vector<Line>& lines, std::size_t& added);
  std::string Remove(const Line& numbers);
  // Gives the line a new label and first date played.
  std::string Relabel(const Line& numbers, const std::string& label, std::optional<int32_t> since);
  // Moves the line `by` places towards the end (negative: the start).
  std::string Move(const Line& numbers, int by);

  // A change of the lines as read: empty to write them, else the refusal.
  using Change = std::function<std::string(std::vector<SavedLine>&)>;
  std::string Apply(const Change& change);

 private:
  std::filesystem::path file_;
  std::filesystem::path backup_;
};

}  // namespace bw
