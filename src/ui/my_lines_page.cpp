// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/my_lines_page.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "analysis/full_system.h"
#include "model/day_number.h"
#include "model/draw_fields.h"
#include "ticket/ticket.h"
#include "ui/data_table.h"
#include "ui/export_buttons.h"
#include "ui/help_viewer.h"
#include "ui/keyboard_order.h"
#include "ui/page_widgets.h"
#include "ui/ticket_view.h"

namespace bw::ui {
namespace {

enum Column {
  kOrder,
  kLine,
  kLabel,
  kSince,
  kThree,
  kFour,
  kFive,
  kFivePlus,
  kSix,
  kPercent,
  kNewest,
  kReturn
};

const char* kTitle = "My Lines";

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

QString DateText(int32_t day) {
  return Text(FormatDrawDate(DateOfDayNumber(day)));
}

QTableWidgetItem* Count(int64_t value) {
  return DataTable::Cell(value == 0 ? QString() : QString::number(value),
                         static_cast<double>(value));
}

QTableWidgetItem* Plain(const QString& text, double key = 0) {
  return DataTable::Cell(text, key, Qt::AlignLeft | Qt::AlignVCenter);
}

// "03 11 17 25 38 44 + 09": a draw of the history as the page lists it.
QString DrawNumbers(const std::string& entry) {
  const DrawFields fields = ParseDrawEntry(entry);
  QString text;
  for (int k = 1; k <= 6; ++k) text += Text(fields[k]) + (k < 6 ? " " : "");
  if (fields[7] != "00") text += " + " + Text(fields[7]);
  return text;
}

Message Refusal(const std::string& text) {
  return {text, kTitle, MessageButtons::Ok, MessageIcon::Exclamation};
}

}  // namespace

void AddToMyLines(Session& session, MessageSink& messages, const QWidget* from,
                  const std::vector<Line>& lines) {
  if (lines.empty()) {
    messages.Show(Refusal("Pick a line of six numbers first."));
    return;
  }
  std::size_t added = 0;
  std::string refusal;
  {
    const FolderLockHold hold = session.HoldFolder(LockMode::Exclusive);
    refusal = LinesBook(session.State()).AddMany(lines, added);
  }
  if (!refusal.empty()) {
    messages.Show(Refusal(refusal));
    return;
  }
  const std::size_t already = lines.size() - added;
  QString done = added == 1 ? "Added " + Text(SystemLineText(lines[0])) + " to My Lines"
                            : QStringLiteral("Added %1 lines to My Lines").arg(added);
  if (already > 0) done += QStringLiteral(" (%1 were there already)").arg(already);
  TellInStatusBar(from, done);
}

MyLinesPage::MyLinesPage(Session& session, MessageSink& messages, HelpViewer& help, QWidget* parent)
    : QWidget(parent), session_(session), messages_(messages) {
  setObjectName("tabMyLines");
  news_ = new QGroupBox("Did I win?", this);
  news_->setObjectName("fraDidIWin");
  newsText_ = new QLabel(news_);
  newsText_->setObjectName("lblDidIWin");
  newsText_->setWordWrap(true);
  newsText_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  newsTable_ = new DataTable("tblDidIWin",
                             {"Date", "Numbers", "Lines played", "Lines won", "Returned"}, news_);
  newsTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  newsTable_->setMaximumHeight(newsTable_->fontMetrics().lineSpacing() * 8);
  auto* newsColumn = new QVBoxLayout(news_);
  newsColumn->addWidget(newsText_);
  newsColumn->addWidget(newsTable_);
  news_->hide();

  table_ = new DataTable(
      "tblMyLines",
      {"#", "Line", "Label", "Since", "3", "4", "5", "5+", "6", "%", "Newest draw", "Return"},
      this);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table_->setAlternatingRowColors(true);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  note_ = new QLabel(this);
  note_->setObjectName("lblMyLinesNote");

  ticket_ =
      new TicketView(session_,
                     {.box = "fraTicket",
                      .range = "rngTicket",
                      .totals = "lblTicketTotals",
                      .chart = "TicketChart",
                      .title = "The ticket over the years",
                      .chartTitle = "Running balance of all your lines",
                      .emptyNote = "Add a line to see the balance of your ticket over the years."},
                     this);
  connect(ticket_, &TicketView::RangeChanged, this, [this] { Refresh(); });

  QWidget* editor = BuildEditor();
  QPushButton* helpButton = HelpButton("cmdHelpMyLines", "He&lp", help, help_topic::kMyLines, this);
  auto* column = new QVBoxLayout(this);
  column->addWidget(news_);
  column->addWidget(
      Guidance("The lines you play, each checked against every draw of the "
               "history from the date you first played it, and in the newest "
               "draw. Type six numbers to add a line, or use \"Add to my lines\" "
               "on the other pages.",
               this));
  column->addWidget(editor);
  column->addWidget(table_, 2);
  column->addLayout(NoteWithButtons(
      this, note_,
      {{"cmdCopyMyLines", "C&opy",
        [this] {
          QApplication::clipboard()->setText(table_->RowsText('\t', false));
          TellInStatusBar(this, QStringLiteral("Copied %1 lines").arg(table_->rowCount()));
        }},
       {"cmdSaveMyLines", "Save as CS&V...", [this] { table_->SaveCsv("my-lines.csv"); }}}));
  column->addWidget(ticket_, 2);
  column->addWidget(helpButton, 0, Qt::AlignLeft);
  ChainTabOrder(newsTable_, {editor, table_, findChild<QWidget*>("cmdCopyMyLines"),
                             findChild<QWidget*>("cmdSaveMyLines"), ticket_, helpButton});
}

QWidget* MyLinesPage::BuildEditor() {
  auto* editor = new QWidget(this);
  numbers_ = new QLineEdit(editor);
  numbers_->setObjectName("txtMyLineNumbers");
  numbers_->setPlaceholderText("3 11 17 25 38 44");
  numbers_->setAccessibleName("Numbers of a line to add");
  label_ = new QLineEdit(editor);
  label_->setObjectName("txtMyLineLabel");
  label_->setPlaceholderText("family");
  label_->setMaxLength(static_cast<int>(kLongestLabel));
  label_->setAccessibleName("Label");
  since_ = new QLineEdit(editor);
  since_->setObjectName("txtMyLineSince");
  since_->setPlaceholderText("dd/mm/yyyy");
  // Wide enough for the whole hint and a typed date, frame included, at any scale.
  since_->setMinimumWidth(since_->fontMetrics().horizontalAdvance("dd/mm/yyyy00") +
                          2 * since_->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 8);
  since_->setAccessibleName("First played on");
  const auto button = [editor](const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, editor);
    b->setObjectName(name);
    return b;
  };
  QPushButton* add = button("cmdMyLineAdd", "&Add");
  QPushButton* relabel = button("cmdMyLineRelabel", "Set la&bel and date");
  QPushButton* remove = button("cmdMyLineRemove", "&Remove");
  QPushButton* up = button("cmdMyLineUp", "Move &up");
  QPushButton* down = button("cmdMyLineDown", "Move &down");
  connect(numbers_, &QLineEdit::returnPressed, this, [this] { AddTyped(); });
  ConnectKeepingFocus(add, this, [this] { AddTyped(); });
  ConnectKeepingFocus(relabel, this, [this] { SetLabelAndDate(); });
  ConnectKeepingFocus(remove, this, [this] {
    if (const SavedLine* line = CurrentLine()) {
      const Line numbers = line->numbers;
      Change([numbers](LinesBook& book) { return book.Remove(numbers); },
             "Removed " + Text(SystemLineText(numbers)) + " from My Lines");
    }
  });
  for (auto [b, by] : {std::pair{up, -1}, std::pair{down, 1}}) {
    ConnectKeepingFocus(b, this, [this, by] {
      if (const SavedLine* line = CurrentLine()) {
        const Line numbers = line->numbers;
        if (Change([numbers, by](LinesBook& book) { return book.Move(numbers, by); },
                   "Moved " + Text(SystemLineText(numbers)))) {
          SelectLine(numbers);
        }
      }
    });
  }
  // Picking a row fills the label and date boxes, ready to be changed.
  connect(table_, &QTableWidget::currentCellChanged, this, [this] {
    if (const SavedLine* line = CurrentLine()) {
      label_->setText(Text(line->label));
      since_->setText(line->since ? DateText(*line->since) : QString());
    }
  });
  auto* row = new QHBoxLayout(editor);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(new QLabel("&Numbers:", editor));
  row->addWidget(numbers_, 2);
  row->addWidget(new QLabel("Label:", editor));
  row->addWidget(label_, 2);
  row->addWidget(new QLabel("First played:", editor));
  row->addWidget(since_, 1);
  for (QPushButton* b : {add, relabel, remove, up, down}) row->addWidget(b);
  qobject_cast<QLabel*>(row->itemAt(0)->widget())->setBuddy(numbers_);
  return editor;
}

void MyLinesPage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Refresh();  // lines may have been added on another page
}

const SavedLine* MyLinesPage::CurrentLine() const {
  const int row = table_->currentRow();
  if (row < 0 || table_->item(row, kOrder) == nullptr) return nullptr;
  const auto index =
      static_cast<std::size_t>(table_->item(row, kOrder)->data(Qt::UserRole).toInt());
  return index < lines_.size() ? &lines_[index] : nullptr;
}

void MyLinesPage::SelectLine(const Line& numbers) {
  const QString text = Text(SystemLineText(numbers));
  for (int row = 0; row < table_->rowCount(); ++row) {
    if (table_->item(row, kLine)->text() == text) table_->setCurrentCell(row, kLine);
  }
}

bool MyLinesPage::Change(const std::function<std::string(LinesBook&)>& change,
                         const QString& done) {
  std::string refusal;
  {
    const FolderLockHold hold = session_.HoldFolder(LockMode::Exclusive);
    LinesBook book(session_.State());
    refusal = change(book);
  }
  if (!refusal.empty()) {
    messages_.Show(Refusal(refusal));
    return false;
  }
  Refresh();
  TellInStatusBar(this, done);
  return true;
}

bool MyLinesPage::TypedSince(std::optional<int32_t>& since) {
  const QString typed = since_->text().trimmed();
  if (typed.isEmpty()) return true;
  const auto date = ParseDrawDate(typed.toStdString());
  if (!date) {
    messages_.Show(Refusal("\"" + typed.toStdString() + "\" is not a date dd/mm/yyyy."));
    return false;
  }
  since = DayNumber(*date);
  return true;
}

void MyLinesPage::AddTyped() {
  std::string typed = numbers_->text().toStdString();
  for (char& c : typed) {
    if (c == ',' || c == '-' || c == ';' || c == '|') c = ' ';
  }
  const SavedLineParse parsed = ParseSavedLine(typed);
  if (!parsed.line) {
    messages_.Show(Refusal("\"" + std::string(TrimBlanks(typed)) +
                           "\" is not a line of six numbers: " + parsed.reason + "."));
    return;
  }
  SavedLine line = *parsed.line;
  line.label = label_->text().toStdString();
  if (!TypedSince(line.since)) return;
  if (Change([line](LinesBook& book) { return book.Add(line); },
             "Added " + Text(SystemLineText(line.numbers)) + " to My Lines")) {
    numbers_->clear();
    SelectLine(line.numbers);
  }
}

void MyLinesPage::SetLabelAndDate() {
  const SavedLine* line = CurrentLine();
  if (line == nullptr) {
    messages_.Show(Refusal("Choose a line in the table first."));
    return;
  }
  const Line numbers = line->numbers;
  std::optional<int32_t> since;
  if (!TypedSince(since)) return;
  const std::string label = label_->text().toStdString();
  if (Change([&](LinesBook& book) { return book.Relabel(numbers, label, since); },
             "Changed " + Text(SystemLineText(numbers)))) {
    SelectLine(numbers);
  }
}

void MyLinesPage::Refresh() {
  LinesRead read;
  {
    const FolderLockHold hold = session_.HoldFolder(LockMode::Shared);
    read = LinesBook(session_.State()).Read();
  }
  const std::string fileName = LinesFilePath(session_.State()).filename().string();
  if (read.error != 0) {
    note_->setText(Text(fileName + " could not be read; your lines are kept there as they are."));
  }
  // A damaged file is told once, not at every look at the page.
  std::vector<std::string> problems = read.Problems(fileName);
  if (!problems.empty() && problems != reportedProblems_) {
    std::string text = "Some lines of " + fileName + " could not be read:\r\n";
    for (const std::string& problem : problems) text += "\r\n" + problem;
    messages_.Show({text, kTitle, MessageButtons::Ok, MessageIcon::Exclamation});
  }
  reportedProblems_ = std::move(problems);
  lines_ = std::move(read.lines);
  ShowTicket(session_.DatedDraws());
}

void MyLinesPage::ShowTicket(const std::vector<DatedDraw>& all) {
  const LotterySettings& settings = session_.State().settings;
  const TicketBacktest ticket = ticket_->Show(lines_);
  // The newest draw: the last of the latest date (a day may have two).
  const DatedDraw* newestDraw = nullptr;
  for (const DatedDraw& draw : all)
    if (!newestDraw || draw.day >= newestDraw->day) newestDraw = &draw;
  std::vector<LineInDraw> newest;
  if (newestDraw) newest = CheckLinesInDraw(lines_, *newestDraw, settings);
  table_->setUpdatesEnabled(false);
  table_->BeginFilling();
  table_->setRowCount(static_cast<int>(lines_.size()));
  for (int row = 0; row < table_->rowCount(); ++row) {
    const auto i = static_cast<std::size_t>(row);
    const SavedLine& line = lines_[i];
    const SingleLineResult& result = ticket.lines[i].result;
    QTableWidgetItem* order = DataTable::Cell(QString::number(row + 1), row + 1);
    order->setData(Qt::UserRole, row);
    table_->setItem(row, kOrder, order);
    table_->setItem(row, kLine, Plain(Text(SystemLineText(line.numbers)), row));
    table_->setItem(row, kLabel, Plain(Text(line.label)));
    table_->setItem(row, kSince,
                    Plain(line.since ? DateText(*line.since) : QString(), line.since.value_or(0)));
    const int64_t counts[] = {result.hits3, result.hits4, result.hits5, result.hits5Bonus,
                              result.hits6};
    for (int k = 0; k < 5; ++k) table_->setItem(row, kThree + k, Count(counts[k]));
    table_->setItem(row, kPercent,
                    DataTable::Cell(QString::number(result.percent) + (result.plus ? "%+" : "%"),
                                    result.percent + (result.plus ? 0.5 : 0)));
    const LineInDraw none;
    const LineInDraw& inNewest = newest.empty() ? none : newest[i];
    const QString hitClass = Text(ClassText(inNewest.hitClass));
    table_->setItem(
        row, kNewest,
        DataTable::Cell(hitClass.isEmpty() ? "-" : hitClass,
                        inNewest.hitClass ? static_cast<int>(*inNewest.hitClass) + 1 : 0,
                        Qt::AlignCenter));
    table_->setItem(row, kReturn, Count(inNewest.ret));
  }
  table_->EndFilling();
  table_->setUpdatesEnabled(true);
  const QString newestDate = newestDraw ? DateText(newestDraw->day) : QString();
  note_->setText(lines_.empty() ? "You have no saved lines yet."
                                : QStringLiteral("%1 lines; the newest draw is of %2.")
                                      .arg(lines_.size())
                                      .arg(newestDate));
}

QString MyLinesPage::ShowNewDraws() {
  const std::vector<DatedDraw>& draws = session_.DatedDraws();
  const ShownDraw shown = ParseShownDraw(session_.State().settings.shownDraw).value_or(ShownDraw{});
  const std::vector<DatedDraw> fresh = DrawsAfter(draws, shown);
  {
    // A mark that could not be written only means the same draws are told again.
    const FolderLockHold hold = session_.HoldFolder(LockMode::Exclusive);
    RememberShown(session_.State(), draws);
  }
  Refresh();
  if (fresh.empty() || lines_.empty()) return {};
  const LotterySettings& settings = session_.State().settings;
  QStringList sentences;
  newsTable_->BeginFilling();
  newsTable_->setRowCount(static_cast<int>(fresh.size()));
  for (int row = 0; row < newsTable_->rowCount(); ++row) {
    const DatedDraw& draw =
        fresh[fresh.size() - 1 - static_cast<std::size_t>(row)];  // newest first
    const DrawWinnings winnings = WinningsOf(lines_, draw, settings);
    newsTable_->setItem(row, 0, DataTable::Cell(DateText(draw.day), draw.day, Qt::AlignCenter));
    newsTable_->setItem(row, 1, Plain(DrawNumbers(session_.State().draws[draw.listIndex])));
    newsTable_->setItem(row, 2, DataTable::Cell(QString::number(winnings.played), winnings.played));
    newsTable_->setItem(row, 3,
                        DataTable::Cell(QString::number(winnings.winners), winnings.winners));
    newsTable_->setItem(row, 4,
                        DataTable::Cell(QString::number(winnings.returned),
                                        static_cast<double>(winnings.returned)));
    sentences.append(Text(WinningsSentence(winnings)));
  }
  newsTable_->EndFilling();
  newsText_->setText(sentences.join("\n"));
  news_->show();
  return sentences.front();
}

}  // namespace bw::ui
