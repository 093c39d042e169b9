// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ticket_view.h"

#include <QLabel>
#include <QVBoxLayout>

#include "ui/balance_chart.h"
#include "ui/date_range_bar.h"
#include "ui/ranged_view.h"

namespace bw::ui {

TicketView::TicketView(Session& session, const Names& names, QWidget* parent)
    : QGroupBox(names.title, parent), session_(session) {
  setObjectName(names.box);
  range_ = new DateRangeBar(names.range, this);
  totals_ = new QLabel(this);
  totals_->setObjectName(names.totals);
  totals_->setWordWrap(true);
  chart_ = new BalanceChart(this, names.chart, names.chartTitle, names.emptyNote);
  chart_->setMinimumHeight(200);
  connect(range_, &DateRangeBar::RangeChanged, this, &TicketView::RangeChanged);
  auto* column = new QVBoxLayout(this);
  column->addWidget(range_);
  column->addWidget(totals_);
  column->addWidget(chart_, 1);
}

TicketBacktest TicketView::Show(const std::vector<SavedLine>& lines) {
  const ProgramState& state = session_.State();
  range_->SetHistoryDates(state.oldestDrawDate, state.newestDrawDate);
  std::vector<DatedDraw> draws;
  try {
    draws = DrawsInRange(session_.DatedDraws(), range_->Range());
    range_->SetNote({});
  } catch (const EmptyRangeError& error) {
    range_->SetNote(error.what());
  }
  TicketBacktest ticket = BacktestTicket(lines, draws, state.settings);
  const HitTotals& totals = ticket.totals;
  const RawHits& hits = ticket.hits;
  totals_->setText(
      QStringLiteral(
          "Over %1 draws: staked %2, returned %3, balance %4. Hits: 3: %5, 4: %6, 5: %7, "
          "5+: %8, 6: %9.")
          .arg(totals.draws)
          .arg(totals.staked)
          .arg(totals.returned)
          .arg(totals.balance)
          .arg(hits.hits3)
          .arg(hits.hits4)
          .arg(hits.hits5)
          .arg(hits.hits5Bonus)
          .arg(hits.hits6));
  chart_->SetSubject(RangeSubject(session_, *range_));
  if (lines.empty()) {
    chart_->Clear();
  } else {
    chart_->Show(ticket.balance);
  }
  return ticket;
}

}  // namespace bw::ui
