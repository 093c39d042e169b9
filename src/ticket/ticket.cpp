// SPDX-License-Identifier: GPL-3.0-or-later
#include "ticket/ticket.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <sstream>
#include <utility>

#include "model/day_number.h"
#include "store/settings_files.h"

namespace bw {
namespace {

std::string DateText(int32_t day) {
  return FormatDrawDate(DateOfDayNumber(day));
}

int64_t* CounterOf(RawHits& hits, HitClass hitClass) {
  int64_t* counters[] = {&hits.hits3, &hits.hits4, &hits.hits5, &hits.hits5Bonus, &hits.hits6};
  return counters[static_cast<int>(hitClass)];
}

}  // namespace

std::string ClassText(const std::optional<HitClass>& hitClass) {
  return hitClass ? HitClassName(*hitClass) : "";
}

bool PlayedIn(const SavedLine& line, int32_t day) {
  return !line.since || *line.since <= day;
}

std::vector<LineInDraw> CheckLinesInDraw(const std::vector<SavedLine>& lines, const DatedDraw& draw,
                                         const LotterySettings& settings) {
  std::vector<LineInDraw> outcomes;
  outcomes.reserve(lines.size());
  for (const SavedLine& line : lines) {
    const auto hitClass = HitClassIn(NumberMask(line.numbers), draw);
    outcomes.push_back({hitClass, hitClass ? ReturnOf(*hitClass, settings) : 0});
  }
  return outcomes;
}

DrawWinnings WinningsOf(const std::vector<SavedLine>& lines, const DatedDraw& draw,
                        const LotterySettings& settings) {
  DrawWinnings winnings{draw};
  const std::vector<LineInDraw> outcomes = CheckLinesInDraw(lines, draw, settings);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!PlayedIn(lines[i], draw.day)) continue;
    ++winnings.played;
    if (!outcomes[i].hitClass) continue;
    ++winnings.winners;
    winnings.returned += outcomes[i].ret;
  }
  return winnings;
}

std::string WinningsSentence(const DrawWinnings& winnings) {
  const std::string lines =
      std::to_string(winnings.played) + (winnings.played == 1 ? " line" : " lines");
  std::string text = "Draw of " + DateText(winnings.draw.day) + ": ";
  if (winnings.winners == 0) return text + "none of your " + lines + " won";
  return text + std::to_string(winnings.winners) + " of your " + lines + " won, " +
         std::to_string(winnings.returned) + " in all";
}

ShownDraw NewestShown(const std::vector<DatedDraw>& draws) {
  ShownDraw shown;
  for (const DatedDraw& draw : draws) {
    if (draw.day > shown.day) shown = {draw.day, 0};
    if (draw.day == shown.day) ++shown.ofDay;
  }
  return shown;
}

std::vector<DatedDraw> DrawsAfter(const std::vector<DatedDraw>& draws, const ShownDraw& shown,
                                  std::size_t most) {
  std::vector<DatedDraw> after;
  if (shown.day == 0) return after;
  int32_t ofShownDay = 0;
  for (const DatedDraw& draw : draws) {
    if (draw.day == shown.day && ++ofShownDay <= shown.ofDay) continue;
    if (draw.day >= shown.day) after.push_back(draw);
  }
  std::stable_sort(after.begin(), after.end(),
                   [](const DatedDraw& a, const DatedDraw& b) { return a.day < b.day; });
  if (after.size() > most)
    after.erase(after.begin(), after.end() - static_cast<std::ptrdiff_t>(most));
  return after;
}

bool RememberShown(ProgramState& state, const std::vector<DatedDraw>& draws) {
  const std::string newest = ShownDrawText(NewestShown(draws));
  std::string& shown = state.settings.shownDraw;
  if (draws.empty() || shown == newest) return true;
  const std::string before = std::exchange(shown, newest);
  if (WriteLotterySettings(state)) return true;
  shown = before;
  return false;
}

std::string ShownDrawText(const ShownDraw& shown) {
  return DateText(shown.day) + " " + std::to_string(shown.ofDay);
}

std::optional<ShownDraw> ParseShownDraw(const std::string& text) {
  std::istringstream words(text);
  std::string date;
  int32_t ofDay = 0;
  if (!(words >> date >> ofDay) || ofDay < 1) return std::nullopt;
  const auto parsed = ParseDrawDate(date);
  if (!parsed) return std::nullopt;
  return ShownDraw{DayNumber(*parsed), ofDay};
}

TicketBacktest BacktestTicket(const std::vector<SavedLine>& lines,
                              const std::vector<DatedDraw>& draws,
                              const LotterySettings& settings) {
  TicketBacktest ticket;
  ticket.lines.reserve(lines.size());
  // What each draw cost and gave the whole ticket.
  std::vector<int64_t> played(draws.size(), 0);
  std::vector<int64_t> returned(draws.size(), 0);
  for (const SavedLine& line : lines) {
    const uint64_t mask = NumberMask(line.numbers);
    RawHits exact;
    HitTotals totals;
    const int32_t from = line.since.value_or(std::numeric_limits<int32_t>::min());
    for (std::size_t i = 0; i < draws.size(); ++i) {
      if (draws[i].day < from) continue;
      ++totals.draws;
      ++played[i];
      // Most draws share fewer than three numbers with a line: no class to ask for.
      if (std::popcount(mask & draws[i].mainMask) < 3) continue;
      const auto hitClass = HitClassIn(mask, draws[i]);
      if (!hitClass) continue;
      ++*CounterOf(exact, *hitClass);
      const int64_t ret = ReturnOf(*hitClass, settings);
      totals.returned += ret;
      returned[i] += ret;
    }
    totals.staked = totals.draws * settings.stake;
    totals.balance = totals.returned - totals.staked;
    ticket.lines.push_back(
        {ResultFromExactHits(exact, static_cast<int32_t>(totals.draws), settings), totals});
    for (HitClass c :
         {HitClass::Three, HitClass::Four, HitClass::Five, HitClass::FivePlus, HitClass::Six}) {
      *CounterOf(ticket.hits, c) += *CounterOf(exact, c);
    }
    ticket.totals.staked += totals.staked;
    ticket.totals.returned += totals.returned;
  }
  ticket.totals.draws = static_cast<int64_t>(draws.size());
  ticket.totals.balance = ticket.totals.returned - ticket.totals.staked;
  ticket.balance.reserve(draws.size());
  int64_t balance = 0;
  for (std::size_t i = 0; i < draws.size(); ++i) {
    balance += returned[i] - played[i] * settings.stake;
    ticket.balance.push_back({draws[i].day, balance});
  }
  return ticket;
}

}  // namespace bw
