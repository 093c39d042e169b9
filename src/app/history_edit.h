// SPDX-License-Identifier: GPL-3.0-or-later
// Changes of the history by hand: a draw deleted, corrected (taken out and put
// in again at the place its date gives) or a forgotten one inserted. Each is
// checked as a draw typed on the Update page is, saved through
// Session::ChangeHistory, and keeps what it took out and put in, so that it
// can be taken back and done again.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "app/session.h"

namespace bw {

// One change of the draw list: the entry taken out at `removedAt`, then the
// entry put in at `addedAt` (counted in the list without the removed one).
// The lines the reader set aside keep their places around the draws: the
// counts say how many of those standing just before the changed entry stay
// before it.
struct HistoryEdit {
  std::optional<std::string> removed;
  std::size_t removedAt = 0;
  std::size_t asideBeforeRemoved = 0;
  std::optional<std::string> added;
  std::size_t addedAt = 0;
  std::size_t asideBeforeAdded = 0;

  // The edit that undoes this one.
  HistoryEdit Inverse() const;
  bool operator==(const HistoryEdit&) const = default;
};

// What an edit asked for comes to: refused (why, as a message box), or
// ready, possibly after the user's word that the lottery drew twice that day.
struct PlannedEdit {
  HistoryEdit edit;
  std::optional<Message> refusal;
  std::optional<Message> question;  // asked before the edit; it goes ahead on Yes only
};

// The Update page's words for a typed draw that may not go in (the date
// rule, or the same draw on its date already), `title` on the box; nullopt
// when it may.
std::optional<Message> DrawEntryRefusal(const DrawList& draws, const std::string& entry,
                                        int32_t todayDayNumber, const std::string& title);
// The Update page's question for a second, different draw on a date.
Message SecondDrawOfDayQuestion(const std::string& date);

// Why typed numbers are no draw of this lottery (count, range, a number twice,
// a bonus missing or not drawn), or nullopt.
std::optional<std::string> DrawNumbersRefusal(const std::vector<int>& mains,
                                              std::optional<int> bonus, bool useBonus);

PlannedEdit PlanInsertion(Session& session, const std::string& entry);
PlannedEdit PlanCorrection(Session& session, std::size_t at, const std::string& entry);
PlannedEdit PlanDeletion(Session& session, std::size_t at);

// The entries of the draw list dated `date` ("05/12/2000").
std::vector<std::size_t> EntriesOfDate(const DrawList& draws, const std::string& date);

// Makes the edit the history through Session::ChangeHistory. An edit that
// no longer fits the draw list (its removed entry is not where it says) is
// refused with a message and changes nothing.
HistoryChangeResult ApplyHistoryEdit(Session& session, const HistoryEdit& edit,
                                     SaveProgress* progress = nullptr);

// The same on a draw list and its set-aside lines.
void ApplyEditTo(const HistoryEdit& edit, DrawList& draws, std::vector<SetAsideLine>& setAside);

}  // namespace bw
