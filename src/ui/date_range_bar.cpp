// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/date_range_bar.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include "model/day_number.h"
#include "ui/date_box.h"
#include "ui/page_widgets.h"

namespace bw::ui {
QDate DateOfDay(int32_t day) {
  const CalendarDate date = DateOfDayNumber(day);
  return QDate(date.year, date.month, date.day);
}

int32_t DayOfDate(const QDate& date) {
  return DayNumber({date.year(), date.month(), date.day()});
}

DateRangeBar::DateRangeBar(const QString& name, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  const auto dateEdit = [this, &name](const char* part) {
    auto* edit = new DateBox(this);
    edit->setObjectName(name + part);
    connect(edit, &QDateEdit::dateChanged, this, [this] { DatesEdited(); });
    connect(edit, &DateBox::Hint, this, [this](const QString& why) {
      hint_->setText(why);
      hint_->setVisible(!why.isEmpty());
    });
    return edit;
  };
  from_ = dateEdit("From");
  to_ = dateEdit("To");
  auto* whole = new QPushButton("&Whole history", this);
  whole->setObjectName(name + "Whole");
  connect(whole, &QPushButton::clicked, this, [this] {
    Choose({});
    ShowChosenDates();
  });
  hint_ = Guidance(QString(), this, name + "Hint");
  hint_->hide();
  note_ = new QLabel(this);
  note_->setProperty("guidance", true);

  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  auto* fromLabel = new QLabel("Fro&m", this);
  fromLabel->setBuddy(from_);
  auto* toLabel = new QLabel("&To", this);
  toLabel->setBuddy(to_);
  for (QLabel* label : {fromLabel, toLabel}) {
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    // Measured as drawn: with the mnemonic underline the letters are drawn
    // unkerned, and a kerned "To" measured narrower cut its "o".
    QFont unkerned = label->font();
    unkerned.setKerning(false);
    label->setFont(unkerned);
  }
  row->addWidget(fromLabel);
  row->addWidget(from_);
  row->addSpacing(8);
  row->addWidget(toLabel);
  row->addWidget(to_);
  row->addWidget(whole);
  row->addWidget(hint_, 1);
  row->addWidget(note_, 1);
}

void DateRangeBar::SetHistoryDates(int32_t oldestDay, int32_t newestDay) {
  oldest_ = oldestDay;
  newest_ = std::max(oldestDay, newestDay);
  ShowChosenDates();
}

void DateRangeBar::ShowChosenDates() {
  const QSignalBlocker blockFrom(from_), blockTo(to_);
  for (DateBox* edit : {from_, to_}) edit->setDateRange(DateOfDay(oldest_), DateOfDay(newest_));
  from_->setDate(DateOfDay(chosen_.since.value_or(oldest_)));
  to_->setDate(DateOfDay(chosen_.until.value_or(newest_)));
}

void DateRangeBar::Choose(const DateRange& range) {
  if (range == chosen_) return;
  chosen_ = range;
  emit RangeChanged();
}

// From the range chosen, not the boxes' text: "Whole history" tells of the
// new range before the boxes show it.
QString DateRangeBar::ShownDates() const {
  const QString format = from_->displayFormat();
  return DateOfDay(chosen_.since.value_or(oldest_)).toString(format) + " to " +
         DateOfDay(chosen_.until.value_or(newest_)).toString(format);
}

void DateRangeBar::SetNote(const QString& note) {
  note_->setText(note);
}

void DateRangeBar::DatesEdited() {
  {
    // A From after To moves the other end along.
    const QSignalBlocker blockFrom(from_), blockTo(to_);
    if (from_->date() > to_->date()) {
      if (sender() == from_)
        to_->setDate(from_->date());
      else
        from_->setDate(to_->date());
    }
  }
  const int32_t from = DayOfDate(from_->date()), to = DayOfDate(to_->date());
  DateRange range;
  if (from > oldest_) range.since = from;
  if (to < newest_) range.until = to;
  Choose(range);
}

}  // namespace bw::ui
