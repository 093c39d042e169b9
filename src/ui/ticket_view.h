// SPDX-License-Identifier: GPL-3.0-or-later
// Lines played together as one ticket over the draws of a chosen date range:
// the range bar, the hits, stake, return and balance, and the running
// balance chart, whose picture names the lottery and the range.
#pragma once

#include <QGroupBox>
#include <vector>

#include "app/session.h"
#include "ticket/ticket.h"

class QLabel;

namespace bw::ui {

class BalanceChart;
class DateRangeBar;

class TicketView : public QGroupBox {
  Q_OBJECT
 public:
  struct Names {
    QString box, range, totals, chart;  // objectNames
    QString title, chartTitle, emptyNote;
  };
  TicketView(Session& session, const Names& names, QWidget* parent);

  // Plays `lines` over the draws of the range and shows the outcome; the
  // caller's own table reads the lines' results from the return.
  TicketBacktest Show(const std::vector<SavedLine>& lines);

 signals:
  void RangeChanged();

 private:
  Session& session_;
  DateRangeBar* range_ = nullptr;
  QLabel* totals_ = nullptr;
  BalanceChart* chart_ = nullptr;
};

}  // namespace bw::ui
