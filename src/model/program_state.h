// SPDX-License-Identifier: GPL-3.0-or-later
// The program-wide state of one run: the folder, the current lottery and its
// settings, the draw list with its counting tables, and the flags that the
// pages share. One instance lives for the whole run.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "model/counting_tables.h"
#include "model/history_read_status.h"

namespace bw {

// Stake and average returns of a lottery: whole amounts of its money unit.
struct LotterySettings {
  bool useBonus = false;
  int32_t stake = 0;
  int32_t ret3 = 0;
  int32_t ret4 = 0;
  int32_t ret5 = 0;
  int32_t ret5p = 0;
  int32_t ret6 = 0;
  // "dmy" or "mdy": the date order of the last import whose dates could be
  // read either way, which settles the next such import.
  std::string dateOrder = {};
  // The newest draw the window showed the saved lines' winnings for
  // ("12/12/2026 1": its date and how many draws of that date); empty: none.
  std::string shownDraw = {};
  bool operator==(const LotterySettings&) const = default;
};

// The in-memory draw list: one entry per accepted history line, file order
// first, appended draws after. Placeholder entries ("00/00/0000 ...") are
// kept but never counted, indexed or saved.
using DrawList = std::vector<std::string>;

// True for a placeholder entry of a newly created history file.
bool IsPlaceholderEntry(std::string_view entry);

struct ProgramState {
  std::filesystem::path appFolder;  // the program folder
  std::string lottoFile;            // history file name, e.g. "Sample.opt" (UTF-8)
  LotterySettings settings;
  int16_t fileErrorNumber = 0;  // number of the last failed file procedure, 0 = none
  // A setting refused by the last settings read, naming the file, the key and
  // the value ("Sample.ini: stake=-18 is not ..."); empty when none was.
  std::string settingsProblem;

  DrawList draws;
  HistoryReadStatus historyRead;  // what the last read of the history found
  CountingTables tables;
  int32_t oldestDrawDate = 0;  // day numbers, 0 = none yet
  int32_t newestDrawDate = 0;

  bool indexRebuild = false;
  // An index file could not be written since the index was last built, so
  // the index marker must not vouch for the index files.
  bool indexWriteFailed = false;
  bool newFileCreated = false;
  bool stopRequested = false;

  // Widens the recorded date range to take in a draw's day.
  void WidenDrawDates(int32_t day);

  // appFolder / name.
  std::filesystem::path InFolder(std::string_view name) const;
  // The current lottery's file with another extension: lottoFile without its
  // last four characters, then `extension` (".ini", ".old", ".dnd", ".ful").
  // Empty when lottoFile is shorter than four characters.
  std::string LotteryFileName(std::string_view extension) const;
};

}  // namespace bw
