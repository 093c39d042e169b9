// SPDX-License-Identifier: GPL-3.0-or-later
// The saved lines played together: what one draw gave each of them, "did I
// win?" for the draws that came in since the player last looked, and the
// whole ticket over the years. The prize rules are those of the line check
// and of a line's hits (analysis/line_hits.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/draw_range.h"
#include "analysis/line_hits.h"
#include "analysis/single_line_check.h"
#include "model/program_state.h"
#include "ticket/saved_lines.h"

namespace bw {

// What a draw gave one line: its class (none below three numbers) and return.
struct LineInDraw {
  std::optional<HitClass> hitClass;
  int64_t ret = 0;
};
// "" for no win, else "3", "4", "5", "5+" or "6".
std::string ClassText(const std::optional<HitClass>& hitClass);

// Every saved line's class and return in the draw, played or not.
std::vector<LineInDraw> CheckLinesInDraw(const std::vector<SavedLine>& lines, const DatedDraw& draw,
                                         const LotterySettings& settings);

// A line was played in a draw from its first date on (always without one).
bool PlayedIn(const SavedLine& line, int32_t day);

// "Did I win?" for one draw, counting the lines played in it.
struct DrawWinnings {
  DatedDraw draw;
  int played = 0;   // lines played in the draw
  int winners = 0;  // of those, lines with three or more numbers
  int64_t returned = 0;
};
DrawWinnings WinningsOf(const std::vector<SavedLine>& lines, const DatedDraw& draw,
                        const LotterySettings& settings);
// "Draw of 12/12/2026: 2 of your 8 lines won, 70 in all", or
// "Draw of 12/12/2026: none of your 8 lines won".
std::string WinningsSentence(const DrawWinnings& winnings);

// The newest draw the player was shown: its date and how many draws of that
// date there were (a lottery may draw twice a day). Kept in the lottery's
// settings file.
struct ShownDraw {
  int32_t day = 0;  // 0: none shown yet
  int32_t ofDay = 0;
  bool operator==(const ShownDraw&) const = default;
};
// The mark of the newest draw among `draws` (all the dated draws).
ShownDraw NewestShown(const std::vector<DatedDraw>& draws);
// The draws after the mark, at most `most` of the newest. None without a mark.
inline constexpr std::size_t kMostDrawsShown = 10;
std::vector<DatedDraw> DrawsAfter(const std::vector<DatedDraw>& draws, const ShownDraw& shown,
                                  std::size_t most = kMostDrawsShown);
// Remembers the newest of the draws as shown, in the lottery's settings file;
// false (the mark as it was) when the file could not be written: those draws
// are then told again.
bool RememberShown(ProgramState& state, const std::vector<DatedDraw>& draws);
// "12/12/2026 2" in the settings file, and back (nullopt for a damaged text).
std::string ShownDrawText(const ShownDraw& shown);
std::optional<ShownDraw> ParseShownDraw(const std::string& text);

// All saved lines over the draws of a range, each from its first date played.
struct TicketLineResult {
  SingleLineResult result;  // counts and percentage over the draws it was played in
  HitTotals totals;         // draws played, staked, returned, balance
};
struct TicketBacktest {
  std::vector<TicketLineResult> lines;  // in the order of the saved lines
  RawHits hits;                         // draws of each class, all lines together
  HitTotals totals;                     // draws: of the range; staked: every line played
  std::vector<BalancePoint> balance;    // the whole ticket after each draw of the range
};
TicketBacktest BacktestTicket(const std::vector<SavedLine>& lines,
                              const std::vector<DatedDraw>& draws, const LotterySettings& settings);

}  // namespace bw
