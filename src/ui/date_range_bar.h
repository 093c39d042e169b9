// SPDX-License-Identifier: GPL-3.0-or-later
// The From and To dates that restrict a page's analyses to the draws of
// those days (both included); the whole history until the user narrows it.
#pragma once

#include <QDate>
#include <QWidget>

#include "analysis/draw_range.h"

class QLabel;

namespace bw::ui {

class DateBox;

class DateRangeBar : public QWidget {
  Q_OBJECT
 public:
  // The controls are named name + "From", "To", "Whole" and "Hint".
  DateRangeBar(const QString& name, QWidget* parent);

  // The dates of the first and last draw; the range keeps what the user chose
  // within them.
  void SetHistoryDates(int32_t oldestDay, int32_t newestDay);
  // An end at the first or last draw is left open, so the whole history is
  // the check of the whole history.
  DateRange Range() const { return chosen_; }
  // "12/06/1982 to 17/06/2020", as the fields show the range.
  QString ShownDates() const;
  // A line beside the dates ("3,799 draws", or why none).
  void SetNote(const QString& note);

 signals:
  void RangeChanged();

 private:
  void DatesEdited();
  void ShowChosenDates();
  void Choose(const DateRange& range);

  DateBox* from_ = nullptr;
  DateBox* to_ = nullptr;
  QLabel* hint_ = nullptr;  // why a typed date was not taken
  QLabel* note_ = nullptr;
  int32_t oldest_ = 0, newest_ = 0;
  DateRange chosen_;
};

QDate DateOfDay(int32_t day);
int32_t DayOfDate(const QDate& date);

}  // namespace bw::ui
