// SPDX-License-Identifier: GPL-3.0-or-later
// The running balance of staking a line on every draw of the range: what
// its hits returned so far minus what it cost so far, over the draw dates.
#pragma once

#include <vector>

#include "analysis/line_hits.h"
#include "ui/chart_panel.h"

class QLineSeries;

namespace bw::ui {

class BalanceChart : public ChartPanel {
  Q_OBJECT
 public:
  // `emptyNote` is shown while there is nothing to chart.
  explicit BalanceChart(
      QWidget* parent, const QString& name = "BalanceChart",
      const QString& title = "Running balance of the line",
      const QString& emptyNote = "Check a line to see its balance over the years.");
  void Show(const std::vector<BalancePoint>& points);
  void Clear();
  int PointCount() const;

 private:
  void ShowAxisLabels(bool shown);

  QLineSeries* series_ = nullptr;
  QString emptyNote_;
};

}  // namespace bw::ui
