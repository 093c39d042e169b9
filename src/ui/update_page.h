// The Update page of General Services: the draw date on the calendar, the
// drawn numbers on the number grid, and the confirmed draw appended to the
// history.
#pragma once

#include <QCalendarWidget>
#include <QLabel>
#include <QWidget>
#include <optional>
#include <string>

#include "model/day_number.h"
#include "ui/page_host.h"

namespace bw::ui {

class NumberGrid;

class UpdatePage : public QWidget {
  Q_OBJECT
 public:
  // The grid's upper row and bonus slot hold the draw.
  UpdatePage(PageHost& host, NumberGrid& grid, QWidget* parent);

  void SelectDate(const CalendarDate& date);
  // The date of the newest draw in the history, as a long date.
  void ShowLastEntry(const QString& longDate);
  void ShowNoEntries();
  // The grid's Start button on this page: confirms the draw and appends it;
  // true once it is in the history.
  bool AddNewDraw();

 private:
  void MonthView1_DateClick();
  std::optional<Message> PlacementRefusal(const CalendarDate& date, const std::string& entry,
                                          std::string& confirmNote);

  PageHost& host_;
  NumberGrid& grid_;
  QCalendarWidget* monthView_ = nullptr;
  QLabel* lastUpdate_ = nullptr;
};

}  // namespace bw::ui
