// SPDX-License-Identifier: GPL-3.0-or-later
// Below the Single Line result: the date range the check counts over, and
// for the checked line the draws it hit, its running balance and its place
// among all lines.
#pragma once

#include <optional>

#include "ui/ranged_view.h"

namespace bw::ui {

class BalanceChart;
class DistributionChart;
class HitsView;

class LineInsightPanel : public RangedView {
  Q_OBJECT
 public:
  LineInsightPanel(Session& session, QWidget* parent);

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
  HitsView* hits_ = nullptr;
  BalanceChart* balance_ = nullptr;
  DistributionChart* distribution_ = nullptr;
  std::optional<Line> line_;
};

}  // namespace bw::ui
