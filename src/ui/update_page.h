// SPDX-License-Identifier: GPL-3.0-or-later
// The Update page of General Services: the draw date, typed or picked on the
// calendar (the next draw day is proposed), the drawn numbers on the number
// grid, and the confirmed draw appended to the history.
#pragma once

#include <QCalendarWidget>
#include <QLabel>
#include <QWidget>
#include <optional>
#include <string>

#include "model/day_number.h"
#include "ui/page_host.h"

namespace bw::ui {

class DateBox;
class NumberGrid;

class UpdatePage : public QWidget {
  Q_OBJECT
 public:
  // The grid's upper row and bonus slot hold the draw.
  UpdatePage(PageHost& host, NumberGrid& grid, QWidget* parent);

  // Proposes the day after the newest draw on which the lottery draws (by the
  // weekdays of its recent draws), or today without draws; dates up to the
  // day after today can be chosen.
  void ProposeNextDrawDay(int32_t today);
  // The date of the newest draw in the history, as a long date.
  void ShowLastEntry(const QString& longDate);
  void ShowNoEntries();
  // The grid's Start button on this page: confirms the draw and appends it;
  // true once it is in the history.
  bool AddNewDraw();

 private:
  void MonthView1_DateClick();
  void ShowDate(const QDate& date);
  std::optional<Message> PlacementRefusal(const std::string& entry, std::string& confirmNote);

  PageHost& host_;
  NumberGrid& grid_;
  DateBox* drawDate_ = nullptr;
  QLabel* dateHint_ = nullptr;
  QCalendarWidget* monthView_ = nullptr;
  QLabel* lastUpdate_ = nullptr;
};

}  // namespace bw::ui
