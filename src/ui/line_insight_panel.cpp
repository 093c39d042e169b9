#include "ui/line_insight_panel.h"

#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/balance_chart.h"
#include "ui/date_range_bar.h"
#include "ui/distribution_chart.h"
#include "ui/hits_view.h"

namespace bw::ui {

std::string RangeKey(const DateRange& range, std::size_t drawCount) {
  return std::to_string(range.since.value_or(-1)) + ".." +
         std::to_string(range.until.value_or(-1)) + "/" + std::to_string(drawCount);
}

LineInsightPanel::LineInsightPanel(Session& session, QWidget* parent)
    : QWidget(parent), session_(session) {
  setObjectName("LineInsight");
  range_ = new DateRangeBar("rngLine", this);
  hits_ = new HitsView(this);
  balance_ = new BalanceChart(this);
  distribution_ = new DistributionChart(this);
  views_ = new QTabWidget(this);
  views_->setObjectName("tabLineInsight");
  views_->addTab(hits_, "&Hits");
  views_->addTab(balance_, "&Balance");
  views_->addTab(distribution_, "&Among all lines");
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(range_);
  column->addWidget(views_, 1);
  connect(range_, &DateRangeBar::RangeChanged, this, &LineInsightPanel::RangeChanged);
}

DateRange LineInsightPanel::Range() const {
  return range_->Range();
}

void LineInsightPanel::RefreshHistoryDates() {
  const std::vector<DatedDraw>& draws = session_.DatedDraws();
  if (draws.empty()) return;
  const auto [oldest, newest] = std::minmax_element(
      draws.begin(), draws.end(), [](const auto& a, const auto& b) { return a.day < b.day; });
  range_->SetHistoryDates(oldest->day, newest->day);
}

void LineInsightPanel::ShowLine(const Line& line, const SingleLineResult& result) {
  line_ = line;
  const DateRange range = Range();
  try {
    const LineHits hits = session_.Hits(line, range);
    hits_->Show(line, hits);
    balance_->Show(RunningBalance(hits, session_.DrawsIn(range), session_.State().settings.stake));
    range_->SetNote(QStringLiteral("%1 draws").arg(hits.totals.draws));
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
