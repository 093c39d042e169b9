// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/import_preview_dialog.h"
#include "ui/export_buttons.h"
#include "ui/help_viewer.h"
#include "ui/page_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "store/file_error.h"

namespace bw::ui {
namespace {

constexpr int kRowsShown = 5;  // first and last draws shown

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

const char* RoleName(ColumnRole role) {
  switch (role) {
    case ColumnRole::Date:
      return "date";
    case ColumnRole::Main:
      return "main";
    case ColumnRole::Bonus:
      return "bonus";
    case ColumnRole::Other:
      break;
  }
  return "other";
}

// The first date of the rows that reads as two dates, if any.
std::optional<DateText> FirstAmbiguousDate(const DrawMerge& merge) {
  for (const SplitRow& row : merge.firstRows) {
    const auto column = static_cast<std::size_t>(merge.shape.dateColumn);
    if (merge.shape.dateColumn < 0 || column >= row.fields.size()) continue;
    const auto date = ScanDate(row.fields[column]);
    if (date && IsAmbiguous(*date)) return date;
  }
  return std::nullopt;
}

QString Reading(const char* name, const DateText& date, DateOrder order) {
  const std::string written = std::to_string(date.first) + "/" + std::to_string(date.second);
  return QString("%1: %2 is %3")
      .arg(name, Text(written), Text(FormatLongDate(*DateOf(date, order))));
}

QLabel* WrappedLabel(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

}  // namespace

ImportPreviewDialog::ImportPreviewDialog(Session& session, HelpViewer& help,
                                         std::filesystem::path file, bool newLottery,
                                         QWidget* parent)
    : QDialog(parent),
      session_(session),
      file_(std::move(file)),
      newLottery_(newLottery),
      help_(help) {
  setObjectName("frmImportPreview");
  setWindowTitle("Import Draws - " + Text(file_.filename().string()));
  setModal(true);
  BuildLayout();
  ReadAgain();
}

void ImportPreviewDialog::BuildLayout() {
  shape_ = WrappedLabel("lblShape", this);
  counts_ = WrappedLabel("lblCounts", this);
  rows_ = new QListWidget(this);
  rows_->setObjectName("lstRows");
  rows_->setFont(QFont("Monospace"));
  problems_ = new QListWidget(this);
  problems_->setObjectName("lstProblems");
  firstRows_ = new QTableWidget(this);
  firstRows_->setObjectName("tblFirstRows");
  firstRows_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  firstRows_->horizontalHeader()->setSectionsClickable(true);
  firstRows_->horizontalHeader()->setToolTip(
      "Click a column's heading to change what it holds: date, main, bonus or other");
  connect(firstRows_->horizontalHeader(), &QHeaderView::sectionClicked, this,
          &ImportPreviewDialog::AskRole);
  dateQuestion_ = WrappedLabel("lblDateQuestion", this);

  dateOrder_ = new QComboBox(this);
  dateOrder_->setObjectName("cboDateOrder");
  dateOrder_->addItem("as found", QString());
  dateOrder_->addItem("day/month/year", "dmy");
  dateOrder_->addItem("month/day/year", "mdy");
  dateOrder_->addItem("year/month/day", "ymd");
  columns_ = new QLineEdit(this);
  columns_->setObjectName("txtColumns");
  columns_->setToolTip(
      "Columns counted from 1, for example date=4,main=5-10,bonus=11 "
      "(bonus=none for a file without bonus numbers)");
  columnsError_ = WrappedLabel("lblColumnsError", this);
  connect(dateOrder_, &QComboBox::currentIndexChanged, this, &ImportPreviewDialog::ReadAgain);
  auto* readAgain = new QPushButton("&Read again", this);
  readAgain->setObjectName("cmdReadAgain");
  readAgain->setAutoDefault(false);
  connect(readAgain, &QPushButton::clicked, this, &ImportPreviewDialog::ReadAgain);
  auto* corrections = new QFormLayout;
  corrections->addRow("&Date order:", dateOrder_);
  corrections->addRow("C&olumns:", columns_);
  corrections->addRow(columnsError_, readAgain);

  skipBad_ = new QCheckBox("&Leave out the rows with problems", this);
  skipBad_->setObjectName("chkSkipBad");
  connect(skipBad_, &QCheckBox::toggled, this, &ImportPreviewDialog::UpdateImportButton);
  import_ = new QPushButton("&Import", this);
  import_->setObjectName("cmdImport");
  import_->setDefault(true);  // Enter imports
  auto* cancel = new QPushButton("&Cancel", this);
  cancel->setObjectName("cmdCancel");
  cancel->setAutoDefault(false);
  connect(import_, &QPushButton::clicked, this, &ImportPreviewDialog::Import);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(skipBad_, 1);
  buttons->addWidget(import_);
  buttons->addWidget(cancel);
  buttons->addWidget(
      HelpButton("cmdHelpImport", "&Help", help_,
                 newLottery_ ? help_topic::kImportingLottery : help_topic::kImportingDraws, this));

  auto* column = new QVBoxLayout(this);
  column->addWidget(shape_);
  column->addWidget(counts_);
  column->addWidget(dateQuestion_);
  column->addWidget(
      new QLabel("The file's first rows (click a heading to change its column):", this));
  column->addWidget(firstRows_, 1);
  column->addWidget(new QLabel("First and last draws as they will be written:", this));
  column->addWidget(rows_, 1);
  column->addWidget(new QLabel("Problems:", this));
  column->addWidget(problems_, 1);
  column->addLayout(corrections);
  column->addLayout(buttons);
  resize(700, 680);
}

void ImportPreviewDialog::ReadAgain() {
  ImportOptions options;
  options.dateOrder = ParseDateOrder(dateOrder_->currentData().toString().toStdString());
  columnsError_->clear();
  const std::string columns = columns_->text().trimmed().toStdString();
  if (!columns.empty() && columns != ColumnChoiceText(merge_.shape)) {
    auto choice = ParseColumnChoice(columns);
    if (const auto* wrong = std::get_if<std::string>(&choice)) {
      columnsError_->setText(Text(*wrong));
      return;
    }
    options.columns = std::get<ColumnChoice>(choice);
  }
  merge_ = PlanImport(session_, file_, options, newLottery_);
  ShowMerge();
}

void ImportPreviewDialog::ShowMerge() {
  rows_->clear();
  problems_->clear();
  if (merge_.dateOrderOpen) {
    shape_->setText("The file cannot be imported yet.");  // the question below says why
    counts_->clear();
  } else if (merge_.refusal) {
    shape_->setText("The file cannot be imported: " + Text(*merge_.refusal) + ".");
    counts_->clear();
  } else {
    shape_->setText("Shape: " + Text(DescribeShape(merge_.shape)));
    QString counts = Text(MergeCountsText(merge_));
    for (const std::string& note : merge_.doubleDates) counts += "\n" + Text(note);
    counts_->setText(counts);
    columns_->setText(Text(ColumnChoiceText(merge_.shape)));
  }
  // What was read decides the roles; after a refusal the user's picks stay.
  if (!merge_.refusal || roles_.empty()) {
    std::size_t columns = 0;
    for (const SplitRow& row : merge_.firstRows) columns = std::max(columns, row.fields.size());
    roles_ = RolesOfShape(merge_.shape, static_cast<int>(columns));
  }
  ShowFirstRows();
  ShowDateReadings();
  const std::vector<std::string>& entries = merge_.newEntries;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i == kRowsShown && entries.size() > 2 * kRowsShown) {
      rows_->addItem("...");
      i = entries.size() - kRowsShown;
    }
    rows_->addItem(Text(entries[i]));
  }
  for (const RowProblem& problem : merge_.problems) {
    problems_->addItem("line " + QString::number(problem.line) + ": " + Text(problem.reason));
  }
  UpdateImportButton();
}

void ImportPreviewDialog::ShowFirstRows() {
  int columns = 0;
  for (const SplitRow& row : merge_.firstRows) {
    columns = std::max(columns, static_cast<int>(row.fields.size()));
  }
  roles_.resize(static_cast<std::size_t>(columns), ColumnRole::Other);
  firstRows_->clear();
  firstRows_->setRowCount(static_cast<int>(merge_.firstRows.size()));
  firstRows_->setColumnCount(columns);
  QStringList headings;
  QStringList lines;
  for (int c = 0; c < columns; ++c) {
    headings << QString("%1 %2").arg(c + 1).arg(RoleName(roles_[static_cast<std::size_t>(c)]));
  }
  for (std::size_t r = 0; r < merge_.firstRows.size(); ++r) {
    const SplitRow& row = merge_.firstRows[r];
    lines << QString("line %1").arg(row.line);
    for (std::size_t c = 0; c < row.fields.size(); ++c) {
      firstRows_->setItem(static_cast<int>(r), static_cast<int>(c),
                          new QTableWidgetItem(Text(row.fields[c])));
    }
  }
  firstRows_->setHorizontalHeaderLabels(headings);
  firstRows_->setVerticalHeaderLabels(lines);
}

void ImportPreviewDialog::ShowDateReadings() {
  const auto date = FirstAmbiguousDate(merge_);
  dateOrder_->setItemText(
      1, date ? Reading("day first", *date, DateOrder::DayMonthYear) : QString("day/month/year"));
  dateOrder_->setItemText(
      2, date ? Reading("month first", *date, DateOrder::MonthDayYear) : QString("month/day/year"));
  dateQuestion_->setText(merge_.dateOrderOpen
                             ? "The dates do not say whether the day or the month comes first: "
                               "choose the right reading under Date order."
                             : QString());
  if (merge_.dateOrderOpen) dateOrder_->setFocus();
}

void ImportPreviewDialog::AskRole(int column) {
  if (column < 0 || static_cast<std::size_t>(column) >= roles_.size()) return;
  auto* menu = new QMenu(this);
  menu->setObjectName("mnuColumnRole");
  menu->setAttribute(Qt::WA_DeleteOnClose);
  for (const ColumnRole role :
       {ColumnRole::Date, ColumnRole::Main, ColumnRole::Bonus, ColumnRole::Other}) {
    QAction* action = menu->addAction(RoleName(role));
    action->setCheckable(true);
    action->setChecked(roles_[static_cast<std::size_t>(column)] == role);
    connect(action, &QAction::triggered, this, [this, column, role] { SetRole(column, role); });
  }
  QHeaderView* header = firstRows_->horizontalHeader();
  menu->popup(header->viewport()->mapToGlobal(
      QPoint(header->sectionViewportPosition(column), header->height())));
}

void ImportPreviewDialog::SetRole(int column, ColumnRole role) {
  // One date column and one bonus column: the one picked before is other now.
  for (ColumnRole& other : roles_) {
    if (other == role && (role == ColumnRole::Date || role == ColumnRole::Bonus)) {
      other = ColumnRole::Other;
    }
  }
  roles_[static_cast<std::size_t>(column)] = role;
  columns_->setText(Text(ColumnTextOfRoles(roles_)));
  const auto mains = std::count(roles_.begin(), roles_.end(), ColumnRole::Main);
  if (mains == 0 || mains == 6) {
    ReadAgain();
    return;
  }
  ShowFirstRows();
  columnsError_->setText(
      QString("Pick six main columns: %1 %2 picked.").arg(mains).arg(mains == 1 ? "is" : "are"));
}

bool ImportPreviewDialog::SkipBad() const {
  return skipBad_->isChecked();
}

void ImportPreviewDialog::UpdateImportButton() {
  import_->setEnabled(merge_.CanImport(SkipBad()) && !merge_.newEntries.empty());
}

void ImportPreviewDialog::Import() {
  if (newLottery_) {
    accept();  // the caller creates the lottery
    return;
  }
  if (ImportIntoCurrent(session_, merge_).save == HistorySaveOutcome::Failed) return;
  if (!RememberDateOrder(session_, merge_)) {
    const ProgramState& state = session_.State();
    session_.Messages().Show({"The draws were imported, but the date order could not be kept in " +
                                  state.InFolder(state.LotteryFileName(".ini")).string() + ": " +
                                  FileErrorText(state.fileErrorNumber),
                              "Import Draws", MessageButtons::Ok, MessageIcon::Exclamation});
  }
  accept();
}

std::filesystem::path AskResultFile(QWidget* parent, const QString& title) {
  const QString file = QFileDialog::getOpenFileName(
      parent, title, FileDialogFolder(), "Result files (*.csv *.txt *.tsv);;All files (*)");
  RememberFileDialogFolder(file);
  return file.toStdString();
}

}  // namespace bw::ui
