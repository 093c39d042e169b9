// Below the Single Line result: the date range the check counts over, and
// for the checked line the draws it hit, its running balance and its place
// among all lines.
#pragma once

#include <QWidget>
#include <optional>

#include "app/session.h"

class QTabWidget;

namespace bw::ui {

class BalanceChart;
class DateRangeBar;
class DistributionChart;
class HitsView;

class LineInsightPanel : public QWidget {
  Q_OBJECT
 public:
  LineInsightPanel(Session& session, QWidget* parent);

  DateRange Range() const;
  // The first and last draw dates, after loading or adding a draw.
  void RefreshHistoryDates();
  // After a check of `line` over Range(): its hits, balance and standing.
  void ShowLine(const Line& line, const SingleLineResult& result);
  void Clear();
  std::optional<Line> ShownLine() const { return line_; }

  HitsView& Hits() const { return *hits_; }
  BalanceChart& Balance() const { return *balance_; }
  DistributionChart& Distribution() const { return *distribution_; }

 signals:
  void RangeChanged();

 private:
  Session& session_;
  DateRangeBar* range_ = nullptr;
  QTabWidget* views_ = nullptr;
  HitsView* hits_ = nullptr;
  BalanceChart* balance_ = nullptr;
  DistributionChart* distribution_ = nullptr;
  std::optional<Line> line_;
};

// "2001-02-03..2005-06-07/3799": names the draws of a range, so that counts
// over them are reused until the range or the history changes.
std::string RangeKey(const DateRange& range, std::size_t drawCount);

}  // namespace bw::ui
