// SPDX-License-Identifier: GPL-3.0-or-later
// What reading the history file found: the lines it set aside and whether it
// got to the end. Saves use it so that no line of a user's history is lost.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace bw {

// A line of the history file that is not a draw. Every save writes it back
// unchanged, after the draw list entry that came before it in the file.
struct SetAsideLine {
  std::size_t lineNumber = 0;     // 1-based line number in the file
  std::size_t entriesBefore = 0;  // draw list entries read before it: its place
  std::string text;               // the line as read, without its line end
  std::string reason;             // why it is no draw; empty for a blank line
};

enum class HistoryReadOutcome {
  NotRead,     // nothing read yet
  Missing,     // there is no history file
  Complete,    // read to its end
  Stopped,     // the read ended at a line; the lines after it were not read
  Unreadable,  // the file exists but could not be read
};

struct HistoryReadStatus {
  HistoryReadOutcome outcome = HistoryReadOutcome::NotRead;
  std::string file;                     // the history file name that was read
  std::size_t stopLine = 0;             // Stopped: the line that ended the read
  std::string stopReason;               // Stopped: why
  int16_t errorNumber = 0;              // Unreadable: the error number
  std::vector<SetAsideLine> setAside;   // in file order, blank lines included
  std::optional<uint64_t> fingerprint;  // of the file as read or last saved; none: no file
  std::string restoredFrom;             // the copy a missing file was restored from, if any
  // A Unicode file whose line this number holds a character Windows-1252
  // lacks: saving would change that line, so the file is not written. 0: none.
  std::size_t unencodableLine = 0;

  // Set-aside lines that are not blank: the ones the user is told about.
  std::size_t ReportedCount() const;
};

}  // namespace bw
