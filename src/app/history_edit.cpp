// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/history_edit.h"

#include <algorithm>
#include <set>

#include "model/draw_date_rule.h"
#include "model/draw_fields.h"

namespace bw {
namespace {

constexpr const char* kEditTitle = "Draw not changed";

Message Refusal(const std::string& text, const std::string& title) {
  return {text, title, MessageButtons::Ok, MessageIcon::Exclamation, MessageAnswer::Ok};
}

PlannedEdit Refused(std::optional<Message> why) {
  PlannedEdit planned;
  planned.refusal = std::move(why);
  return planned;
}

// The text before the first blank, as ParseDrawEntry takes it, without
// splitting the numbers: it runs over the whole draw list.
std::string EntryDate(const std::string& entry) {
  return entry.substr(0, entry.find(' '));
}

// The set-aside lines standing right before entry `at`.
std::size_t AsideJustBefore(const std::vector<SetAsideLine>& setAside, std::size_t at) {
  return static_cast<std::size_t>(
      std::count_if(setAside.begin(), setAside.end(),
                    [at](const SetAsideLine& l) { return l.entriesBefore == at; }));
}

std::size_t RealDraws(const DrawList& draws) {
  return static_cast<std::size_t>(std::count_if(draws.begin(), draws.end(), [](const auto& entry) {
    return !IsPlaceholderEntry(EntryDate(entry));
  }));
}

// The edit taking entry `at` out, the set-aside lines around it kept.
HistoryEdit Removal(const ProgramState& state, std::size_t at) {
  HistoryEdit edit;
  edit.removed = state.draws[at];
  edit.removedAt = at;
  edit.asideBeforeRemoved = AsideJustBefore(SetAsideLinesOfHistory(state), at);
  return edit;
}

// The entry put in at its date place, asking about a second draw of a day.
// A correction that keeps the date keeps the draw's place (and asks nothing:
// a second draw of that day was let in before).
PlannedEdit PlanPut(Session& session, HistoryEdit edit, const std::string& entry, bool keepsDate) {
  PlannedEdit planned;
  const ProgramState& state = session.State();
  // A correction keeps the count of draws, so a full history can be corrected.
  if (auto refusal = edit.removed ? HistorySaveRefusal(state) : HistoryWriteRefusal(state)) {
    planned.refusal = std::move(refusal);
    return planned;
  }
  DrawList draws = state.draws;
  std::vector<SetAsideLine> setAside = SetAsideLinesOfHistory(state);
  if (edit.removed) ApplyEditTo(edit, draws, setAside);
  const std::string title = edit.removed ? kEditTitle : "Draw not added";
  planned.refusal = DrawEntryRefusal(draws, entry, session.SystemClock().TodayDayNumber(), title);
  if (planned.refusal) return planned;
  const DrawPlacement placement = PlaceDraw(draws, entry);
  if (placement.kind == DrawPlacement::SecondOfDay && !keepsDate)
    planned.question = SecondDrawOfDayQuestion(EntryDate(entry));
  edit.added = entry;
  edit.addedAt = keepsDate ? edit.removedAt : placement.index;
  edit.asideBeforeAdded =
      keepsDate ? edit.asideBeforeRemoved : AsideJustBefore(setAside, placement.index);
  planned.edit = std::move(edit);
  return planned;
}

}  // namespace

HistoryEdit HistoryEdit::Inverse() const {
  return {added, addedAt, asideBeforeAdded, removed, removedAt, asideBeforeRemoved};
}

std::optional<Message> DrawEntryRefusal(const DrawList& draws, const std::string& entry,
                                        int32_t todayDayNumber, const std::string& title) {
  const std::string date = EntryDate(entry);
  const std::optional<CalendarDate> parsed = ParseDrawDate(date);
  if (!parsed) return Refusal("\"" + date + "\" is not a date (DD/MM/YYYY).", title);
  if (const auto refusal = DrawDateRefusal(DayNumber(*parsed), todayDayNumber))
    return Refusal("The draw of " + date + " cannot be added: " + *refusal + ".", title);
  if (PlaceDraw(draws, entry).kind == DrawPlacement::SameDraw)
    return Refusal("The history holds this draw of " + date + " already.", title);
  return std::nullopt;
}

Message SecondDrawOfDayQuestion(const std::string& date) {
  return {
      "The history holds another draw of " + date + ".\r\n\r\nDid the lottery draw twice that day?",
      "Second draw of a day", MessageButtons::YesNo, MessageIcon::Question, MessageAnswer::No};
}

std::optional<std::string> DrawNumbersRefusal(const std::vector<int>& mains,
                                              std::optional<int> bonus, bool useBonus) {
  if (mains.size() != 6) return "A draw has six numbers, not " + std::to_string(mains.size()) + ".";
  std::vector<int> all = mains;
  if (bonus) all.push_back(*bonus);
  std::set<int> seen;
  for (int number : all) {
    if (number < kLowestNumber || number > kHighestNumber)
      return "Number " + std::to_string(number) + " is not from 1 to 49.";
    if (!seen.insert(number).second) return "Number " + std::to_string(number) + " is given twice.";
  }
  if (useBonus && !bonus) return "This lottery draws a bonus number: give it too.";
  if (!useBonus && bonus) return "This lottery draws no bonus number.";
  return std::nullopt;
}

std::vector<std::size_t> EntriesOfDate(const DrawList& draws, const std::string& date) {
  std::vector<std::size_t> found;
  for (std::size_t i = 0; i < draws.size(); ++i)
    if (EntryDate(draws[i]) == date) found.push_back(i);
  return found;
}

PlannedEdit PlanInsertion(Session& session, const std::string& entry) {
  return PlanPut(session, HistoryEdit{}, entry, false);
}

PlannedEdit PlanCorrection(Session& session, std::size_t at, const std::string& entry) {
  const DrawList& draws = session.State().draws;
  if (at >= draws.size()) return Refused(Refusal("There is no such draw.", kEditTitle));
  const std::string& old = draws[at];
  const bool sameDate = EntryDate(old) == EntryDate(entry);
  if (sameDate && SameDrawNumbers(old, entry))
    return Refused(Refusal("The draw of " + EntryDate(entry) + " is unchanged.", kEditTitle));
  return PlanPut(session, Removal(session.State(), at), entry, sameDate);
}

PlannedEdit PlanDeletion(Session& session, std::size_t at) {
  const ProgramState& state = session.State();
  if (at >= state.draws.size() || IsPlaceholderEntry(EntryDate(state.draws[at])))
    return Refused(Refusal("There is no such draw.", kEditTitle));
  if (auto refusal = HistorySaveRefusal(state)) return Refused(std::move(refusal));
  if (RealDraws(state.draws) == 1)
    return Refused(Refusal("The draw of " + EntryDate(state.draws[at]) +
                               " is the only one in the history: a history keeps one draw "
                               "at least.",
                           kEditTitle));
  PlannedEdit planned;
  planned.edit = Removal(state, at);
  return planned;
}

void ApplyEditTo(const HistoryEdit& edit, DrawList& draws, std::vector<SetAsideLine>& setAside) {
  if (edit.removed) {
    draws.erase(draws.begin() + static_cast<std::ptrdiff_t>(edit.removedAt));
    for (SetAsideLine& line : setAside)
      if (line.entriesBefore > edit.removedAt) --line.entriesBefore;
  }
  if (edit.added) {
    draws.insert(draws.begin() + static_cast<std::ptrdiff_t>(edit.addedAt), *edit.added);
    // Of the lines now just before the place (in file order), the first ones
    // stay before the entry and the rest follow it.
    std::size_t before = 0;
    for (SetAsideLine& line : setAside) {
      if (line.entriesBefore > edit.addedAt ||
          (line.entriesBefore == edit.addedAt && before++ >= edit.asideBeforeAdded))
        ++line.entriesBefore;
    }
  }
}

HistoryChangeResult ApplyHistoryEdit(Session& session, const HistoryEdit& edit,
                                     SaveProgress* progress) {
  const DrawList& current = session.State().draws;
  const bool fits = !edit.removed ||
                    (edit.removedAt < current.size() && current[edit.removedAt] == *edit.removed);
  if (!fits || (edit.added && edit.addedAt > current.size() - (edit.removed ? 1 : 0))) {
    session.Messages().Show(
        Refusal("The history changed since this edit was made; nothing was changed.", kEditTitle));
    return {};
  }
  DrawList draws = current;
  std::vector<SetAsideLine> setAside = SetAsideLinesOfHistory(session.State());
  ApplyEditTo(edit, draws, setAside);
  return session.ChangeHistory(std::move(draws), std::move(setAside), progress);
}

}  // namespace bw
