// SPDX-License-Identifier: GPL-3.0-or-later
// The Optimise page of General Services: twelve numbers picked on the grid
// go to the Line Optimiser, and a right click on a number lists its single,
// double or treble statistics.
#pragma once

#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QWidget>
#include <array>

#include "ui/page_host.h"

namespace bw::ui {

class NumberGrid;

class OptimisePage : public QWidget {
  Q_OBJECT
 public:
  // The grid's twelve picked numbers make the full system.
  OptimisePage(PageHost& host, NumberGrid& grid, QWidget* parent);

  // The grid's Start button on this page: the Line Optimiser checks the system.
  void Start();
  // Label3, the advice on right clicks.
  void ShowRightClickHint(bool shown);
  void HideStatistics();
  // The listed statistics again, after the history changed.
  void RefreshStatistics();

 private:
  void cmdGetNumber_MouseDown(int number);
  void optDoubleTreble_Click();
  void FillStatistics(int number);

  PageHost& host_;
  NumberGrid& grid_;
  std::array<QRadioButton*, 3> statsOptions_{};
  QListWidget* list7_ = nullptr;
  QLabel* label3_ = nullptr;
  QLabel* statsNote_ = nullptr;  // why the list is empty
  int statsNumber_ = 0;          // the number listed, 0 = none yet
};

}  // namespace bw::ui
