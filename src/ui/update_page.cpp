// SPDX-License-Identifier: GPL-3.0-or-later
// The Update page: the calendar, the last recorded entry, and the draw
// confirmed by the user before it is appended.
#include "ui/update_page.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <set>

#include "app/history_edit.h"
#include "store/history_file.h"
#include "ui/date_box.h"
#include "ui/date_range_bar.h"
#include "ui/help_viewer.h"
#include "ui/number_grid.h"
#include "ui/page_widgets.h"
#include "ui/pictures.h"

namespace bw::ui {
namespace {

// A drawn number as the history stores it: two digits at least.
std::string TwoDigits(const std::string& caption) {
  return (LeadingNumber(caption) < 10 ? "0" : "") + caption;
}

// The first day after `newest` that falls on a weekday of the lottery's
// last twenty draws.
QDate NextDrawDay(const std::vector<DatedDraw>& draws, int32_t newest) {
  constexpr std::ptrdiff_t kRecent = 20;
  std::set<int> weekdays;
  for (auto draw = draws.end() - std::min<std::ptrdiff_t>(kRecent, std::ssize(draws));
       draw != draws.end(); ++draw)
    weekdays.insert(DateOfDay(draw->day).dayOfWeek());
  QDate next = DateOfDay(newest).addDays(1);
  while (!weekdays.contains(next.dayOfWeek())) next = next.addDays(1);
  return next;
}

}  // namespace

UpdatePage::UpdatePage(PageHost& host, NumberGrid& grid, QWidget* parent)
    : QWidget(parent), host_(host), grid_(grid) {
  setObjectName("tabUpdate");
  QWidget* page = this;
  drawDate_ = new DateBox(page);
  drawDate_->setObjectName("DrawDate");
  auto* dateLabel = new QLabel("Draw &date", page);
  dateLabel->setBuddy(drawDate_);
  dateHint_ = Guidance(QString(), page, "DrawDateHint");
  dateHint_->hide();
  monthView_ = new QCalendarWidget(page);
  monthView_->setObjectName("MonthView1");
  monthView_->setGridVisible(true);
  monthView_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  monthView_->setMaximumSize(520, 340);
  lastUpdate_ = NamedLabel("lblLastUpdate", "Last Recorded Entry", page);
  lastUpdate_->setProperty("resultBox", true);

  auto* side = new QVBoxLayout;
  side->addWidget(PictureLabel("ImageUpdate", BallsPicture(180), page));
  side->addWidget(
      Guidance("Click the draw date, pick the drawn numbers (and the bonus number) "
               "on the grid, then press Update.",
               page));
  side->addStretch();
  side->addWidget(HelpButton("cmdHelpUpdate", "He&lp", host_.Help(), help_topic::kUpdate, page), 0,
                  Qt::AlignLeft);

  auto* dateRow = new QHBoxLayout;
  dateRow->addWidget(dateLabel);
  dateRow->addWidget(drawDate_);
  dateRow->addStretch();
  auto* left = new QVBoxLayout;
  left->addLayout(dateRow);
  left->addWidget(dateHint_);
  left->addWidget(monthView_);
  left->addWidget(lastUpdate_);
  left->addStretch();
  auto* row = new QHBoxLayout(page);
  row->addLayout(left, 3);
  row->addLayout(side, 2);

  connect(monthView_, &QCalendarWidget::clicked, this, [this] { MonthView1_DateClick(); });
  // Enter on a date is the keyboard's click.
  connect(monthView_, &QCalendarWidget::activated, this, [this] { MonthView1_DateClick(); });
  // The typed date and the calendar show the same day.
  connect(monthView_, &QCalendarWidget::selectionChanged, this,
          [this] { ShowDate(monthView_->selectedDate()); });
  connect(drawDate_, &QDateEdit::dateChanged, this, [this](const QDate& date) { ShowDate(date); });
  connect(drawDate_, &DateBox::Entered, this, [this] { MonthView1_DateClick(); });
  connect(drawDate_, &DateBox::Hint, this, [this](const QString& why) {
    dateHint_->setText(why);
    dateHint_->setVisible(!why.isEmpty());
  });
}

void UpdatePage::ProposeNextDrawDay(int32_t today) {
  const QDate last = DateOfDay(today).addDays(1);
  drawDate_->setDateRange(QDate(1900, 1, 1), last);
  monthView_->setDateRange(QDate(1900, 1, 1), last);
  Session& session = host_.GetSession();
  const std::vector<DatedDraw>& draws = session.DatedDraws();
  ShowDate(draws.empty() ? DateOfDay(today)
                         : std::min(NextDrawDay(draws, session.State().newestDrawDate), last));
}

void UpdatePage::ShowDate(const QDate& date) {
  if (drawDate_->date() != date) drawDate_->setDate(date);
  if (monthView_->selectedDate() != date) monthView_->setSelectedDate(date);
}

void UpdatePage::ShowLastEntry(const QString& longDate) {
  lastUpdate_->setText("Last Database Entry " + longDate);
}

void UpdatePage::ShowNoEntries() {
  lastUpdate_->setText("No Database entries found.");
}

void UpdatePage::MonthView1_DateClick() {
  grid_.SetNumbersEnabled(true);
  monthView_->update();
  grid_.NumberButton(kLowestNumber)->setFocus();
}

// Why the typed draw may not go in, asking where the user decides; empty
// when it may (after the confirmation).
std::optional<Message> UpdatePage::PlacementRefusal(const std::string& entry,
                                                    std::string& confirmNote) {
  Session& session = host_.GetSession();
  const int32_t today = session.SystemClock().TodayDayNumber();
  if (auto refusal = DrawEntryRefusal(session.State().draws, entry, today, "Draw not added"))
    return refusal;
  switch (session.PlaceNewDraw(entry).kind) {
    case DrawPlacement::SecondOfDay: {
      const MessageAnswer answer =
          host_.Messages().Show(SecondDrawOfDayQuestion(entry.substr(0, entry.find(' '))));
      if (answer != MessageAnswer::Yes) return Message{};
      break;
    }
    case DrawPlacement::Insert:
      confirmNote =
          "This draw is earlier than the last one recorded: it will be put in its "
          "place in date order.\r\n\r\n";
      break;
    case DrawPlacement::SameDraw:  // refused above
    case DrawPlacement::Append:
      break;
  }
  return std::nullopt;
}

bool UpdatePage::AddNewDraw() {
  const auto keepGoing = [this] {
    grid_.StartButton()->setEnabled(true);
    return false;
  };
  if (const auto refusal = HistoryWriteRefusal(host_.GetSession().State())) {
    host_.Messages().Show(*refusal);
    return keepGoing();
  }
  const QDate picked = monthView_->selectedDate();
  const CalendarDate date{picked.year(), picked.month(), picked.day()};
  std::string line = FormatDrawDate(date) + " ";
  std::string message =
      "Lottery Update Details\r\n\r\nDate: " + FormatLongDate(date) + "\r\nNumbers: ";
  for (int slot = 1; slot <= 6; ++slot) {
    const std::string number = TwoDigits(grid_.TrimmedCaption(slot));
    line += number + " ";
    message += number + "-";
  }
  message.pop_back();
  const std::string bonus = grid_.TrimmedCaption(0);
  if (LeadingNumber(bonus) == 0) {
    message += "\r\n\r\n";
  } else {
    const std::string number = TwoDigits(bonus);
    line += number;
    message += " | " + number + "\r\n\r\n";
  }
  std::string note;
  if (const auto refusal = PlacementRefusal(line, note)) {
    if (!refusal->text.empty()) host_.Messages().Show(*refusal);
    return keepGoing();
  }
  message += note + "Proceed with update?";
  const MessageAnswer answer = host_.Messages().Show(
      {message, "Confirm Update", MessageButtons::YesNo, MessageIcon::Question, MessageAnswer::No});
  if (answer != MessageAnswer::Yes) return keepGoing();
  // Saved at once: a confirmed draw is never held in memory alone.
  const HistoryChangeResult added = host_.GetSession().AddDraw(line, host_.SaveProgressBar());
  if (added.save == HistorySaveOutcome::Failed) return keepGoing();
  return true;
}

}  // namespace bw::ui
