// SPDX-License-Identifier: GPL-3.0-or-later
// The Line Optimiser page: the full system 6 from 12 run over the twelve
// selected numbers, its result list, counters and printed report.
#pragma once

#include <array>
#include <string>
#include <vector>

#include <QWidget>

#include "analysis/full_system.h"
#include "ui/page_host.h"

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace bw::ui {

class LineResultsTable;

class LineOptimiserPage : public QWidget {
  Q_OBJECT
 public:
  LineOptimiserPage(PageHost& host, QWidget* parent);
  // Resets the page for the numbers in SelectedNumbers (entering the page).
  void PrepareFullSystem();
  // Whether a run is under way (the main window asks before closing).
  bool IsRunning() const;

  // Start runs the 924 lines; during a run the same button asks it to stop.
  void cmdStart_Click();
  // Prints the listed rows from the chosen threshold on.
  void cmdPrintList_Click();
  // The lowest result that the printed report lists (tag of the option).
  int PrintThreshold() const { return printThreshold_; }

 private:
  void BuildLayout();
  void AnalyseSystemLines(const std::vector<Line>& lines);
  void ListRow(int index, int lineCount, const std::string& row, const SystemCounters& counters);
  void ShowCounters(const SystemCounters& counters);
  void SetStatus(const char* first, const char* second, const char* third);
  void EnablePrintOptions(bool enabled);
  std::vector<std::string> PrintRows() const;

  PageHost& host_;
  QLabel* pnlOptimiser_ = nullptr;
  QLabel* lblSelected_ = nullptr;
  QLabel* label6_ = nullptr;
  QListWidget* list3_ = nullptr;
  LineResultsTable* table_ = nullptr;       // the rows again, sortable
  QListWidget* list4_ = nullptr;            // hidden copy of the rows, for printing
  std::array<QRadioButton*, 4> optList_{};  // 0, 2, 3
  std::array<QLabel*, 4> optimiseDigit_{};  // 0, 2, 3
  QProgressBar* progressBar_ = nullptr;
  QPushButton* cmdStart_ = nullptr;
  QPushButton* cmdPrintList_ = nullptr;
  int printThreshold_ = 0;
  std::vector<std::string> fallbackPatterns_;
};

}  // namespace bw::ui
