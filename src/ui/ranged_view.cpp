// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ranged_view.h"

#include <algorithm>

namespace bw::ui {

RangedView::RangedView(Session& session, const QString& rangeName, QWidget* parent)
    : QWidget(parent), session_(session), range_(new DateRangeBar(rangeName, this)) {}

QString RangeSubject(const Session& session, const DateRangeBar& range) {
  QString lottery = QString::fromStdString(session.State().lottoFile);
  lottery.chop(4);  // ".opt"
  return lottery + ", " + range.ShownDates();
}

void RangedView::RefreshHistoryDates() {
  const std::vector<DatedDraw>& draws = session_.DatedDraws();
  if (draws.empty()) return;
  const auto [oldest, newest] = std::minmax_element(
      draws.begin(), draws.end(), [](const auto& a, const auto& b) { return a.day < b.day; });
  range_->SetHistoryDates(oldest->day, newest->day);
}

}  // namespace bw::ui
