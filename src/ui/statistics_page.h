// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics page: for the history or a date range, how often each
// number was drawn as a main number and as the bonus against what a fair
// draw gives, how many draws since each was last drawn, and the fairness
// test in figures and in one plain sentence.
#pragma once

#include "ui/ranged_view.h"

class QLabel;
class QBarSeries;
class QBarSet;
class QLineSeries;

namespace bw::ui {

class ChartPanel;
class DataTable;

class StatisticsPage : public RangedView {
  Q_OBJECT
 public:
  StatisticsPage(Session& session, HelpViewer& help, QWidget* parent);
  ChartPanel& CountsChart() const { return *counts_; }
  ChartPanel& SinceChart() const { return *since_; }

 protected:
  // Shown: counts anew over the chosen range (the history may have grown).
  void showEvent(QShowEvent* event) override;

 private:
  void Recount();
  void ShowCounts(const NumberFrequency& frequency);
  void ShowTable(const NumberFrequency& frequency);
  void ShowNothing(const QString& why);
  void BuildCharts();

  QLabel* fairness_ = nullptr;
  DataTable* table_ = nullptr;
  ChartPanel* counts_ = nullptr;
  ChartPanel* since_ = nullptr;
  QBarSeries* countBars_ = nullptr;
  QBarSet *mainCounts_ = nullptr, *bonusCounts_ = nullptr, *sinceCounts_ = nullptr;
  QLineSeries *fairMain_ = nullptr, *fairBonus_ = nullptr;
};

}  // namespace bw::ui
