// SPDX-License-Identifier: GPL-3.0-or-later
// The "6 from 49" page: the search through all lines from the line under the
// number grid, its position file, the found lines and their printing.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "analysis/all_lines_search.h"
#include "print/print_surface.h"
#include "ui/page_host.h"

namespace bw::ui {

class NumberGrid;
class LineResultsTable;

class SearchPage : public QWidget {
  Q_OBJECT
 public:
  // The grid's lower row holds the line the search checks first.
  SearchPage(PageHost& host, NumberGrid& grid, QWidget* parent);

  // The page is entered: an empty display and the start line from the
  // lottery's position file, or 1 2 3 4 5 6.
  void Enter();
  // Writes the line under the grid as the position a search resumes from.
  void SavePosition();
  // The grid's Start button on this page: starts a search or stops it.
  void StartOrStop();
  // Titles the grid's row after a pick: the next line to check, or all checked.
  void TitleRow();
  // The timer that saves the position every minute of a search.
  QTimer& PositionTimer() const { return *timer_; }
  // List4: the found lines not printed yet.
  const std::vector<std::string>& FoundLines() const { return list4_; }

 private:
  // The finds of the search in the sortable table, as many as this.
  static constexpr int kMostFindsShown = 2000;
  LineResultsTable* finds_ = nullptr;
  ProgramState& State() { return host_.GetSession().State(); }
  void RunAll();
  void ShowFoundLine(const FoundLine& found, int& foundCount);
  void PrintRunAll(bool clear);
  // Before the growing report passes another hundred pages: whether the user
  // lets it grow on. No stops the search, the lines not printed stay listed.
  bool ReportMayGrow(std::size_t entries);
  void EndSearchReport();
  void SetPrintPanel(bool enabled);

  PageHost& host_;
  NumberGrid& grid_;
  std::array<QLabel*, 7> preDigit_{};  // 1..6
  QLabel* digit9_ = nullptr;
  QLabel* return9_ = nullptr;
  QLabel* foundAll_ = nullptr;
  QPushButton* printAll_ = nullptr;
  QTimer* timer_ = nullptr;
  std::vector<std::string> list4_;
  // The report the search's automatic prints add to, open while it runs,
  // with the found lines it holds and the pages it may fill unasked.
  std::unique_ptr<PrintSurface> searchReport_;
  std::size_t reportEntries_ = 0;
  int reportPagesAllowed_ = 0;
  bool reportRefused_ = false;
};

}  // namespace bw::ui
