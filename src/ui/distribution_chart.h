// SPDX-License-Identifier: GPL-3.0-or-later
// How many of all 13,983,816 lines reach each result percentage over a range
// of draws, with the checked line's percentage marked. The counting runs on
// a worker thread, so the page keeps answering while it lasts.
#pragma once

#include <QFutureWatcher>
#include <map>
#include <optional>
#include <vector>

#include "analysis/percentage_distribution.h"
#include "ui/chart_panel.h"

class QBarCategoryAxis;
class QBarSet;
class QStackedBarSeries;
class QValueAxis;

namespace bw::ui {

class DistributionChart : public ChartPanel {
  Q_OBJECT
 public:
  explicit DistributionChart(QWidget* parent);

  // Counts the lines over `input` unless the draws that `key` names were
  // counted before; marks `percent` once the counts are there.
  void Show(const std::string& key, DistributionInput input, int percent);
  void Clear();
  bool IsCounting() const { return watcher_.isRunning(); }
  // The counts last counted (empty until the first count is done).
  const std::vector<PercentageCount>& Counts() const { return counts_; }
  std::optional<int> MarkedPercent() const { return marked_; }

 signals:
  void Shown();  // the counts and the marked line are on the chart

 private:
  void StartCounting();
  void CountingDone();
  void Draw();

  QStackedBarSeries* series_ = nullptr;
  QBarCategoryAxis* percents_ = nullptr;
  QValueAxis* lines_ = nullptr;
  QFutureWatcher<std::vector<PercentageCount>> watcher_;
  std::string countingKey_, wantedKey_;
  DistributionInput wantedInput_;
  std::map<std::string, std::vector<PercentageCount>> counted_;  // by the key of their draws
  std::vector<PercentageCount> counts_;
  std::optional<int> marked_;
};

}  // namespace bw::ui
