// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/line_insight_panel.h"

#include <QTabWidget>
#include <QVBoxLayout>

#include "ui/balance_chart.h"
#include "ui/distribution_chart.h"
#include "ui/hits_view.h"

namespace bw::ui {

namespace {

// "7832..14000/3799" (day numbers, -1 for an open end, and the count of
// draws): names the draws of a range, so that counts over them are reused
// until the range or the history changes.
std::string RangeKey(const DateRange& range, std::size_t drawCount) {
  return std::to_string(range.since.value_or(-1)) + ".." +
         std::to_string(range.until.value_or(-1)) + "/" + std::to_string(drawCount);
}

}  // namespace

LineInsightPanel::LineInsightPanel(Session& session, QWidget* parent)
    : RangedView(session, "rngLine", parent) {
  setObjectName("LineInsight");
  hits_ = new HitsView(this);
  balance_ = new BalanceChart(this);
  distribution_ = new DistributionChart(this);
  auto* views = new QTabWidget(this);
  views->setObjectName("tabLineInsight");
  views->addTab(hits_, "H&its");
  views->addTab(balance_, "&Balance");
  views->addTab(distribution_, "&Among all lines");
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(range_);
  column->addWidget(views, 1);
  connect(range_, &DateRangeBar::RangeChanged, this, &LineInsightPanel::RangeChanged);
}

void LineInsightPanel::ShowLine(const Line& line, const SingleLineResult& result) {
  line_ = line;
  const DateRange range = Range();
  try {
    const LineHits hits = session_.Hits(line, range);
    hits_->Show(line, hits);
    balance_->Show(RunningBalance(hits, session_.DrawsIn(range), session_.State().settings.stake));
    range_->SetNote(QStringLiteral("%1 draws").arg(hits.totals.draws));
    for (ChartPanel* panel : std::initializer_list<ChartPanel*>{balance_, distribution_})
      panel->SetSubject(Subject());
    distribution_->Show(RangeKey(range, session_.State().draws.size()),
                        session_.DistributionInputFor(range), result.percent);
  } catch (const EmptyRangeError& error) {
    Clear();
    line_ = line;  // shown again when the range changes
    range_->SetNote(error.what());
  }
}

void LineInsightPanel::Clear() {
  line_.reset();
  hits_->Clear();
  balance_->Clear();
  distribution_->Clear();
  range_->SetNote(QString());
}

}  // namespace bw::ui
