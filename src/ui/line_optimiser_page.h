// The Line Optimiser page: the full system 6 from 12 run over the twelve
// selected numbers, its result list, counters and printed report.
#pragma once

#include <QWidget>

#include "ui/page_host.h"

namespace bw::ui {

class LineOptimiserPage : public QWidget {
  Q_OBJECT
 public:
  LineOptimiserPage(PageHost& host, QWidget* parent);
  // Resets the page for the numbers in SelectedNumbers (entering the page).
  void PrepareFullSystem();
  // Whether a run is under way (the main window asks before closing).
  bool IsRunning() const;
};

}  // namespace bw::ui
