// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/history_page.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "model/draw_fields.h"
#include "ui/data_table.h"
#include "ui/date_box.h"
#include "ui/export_buttons.h"
#include "ui/help_viewer.h"
#include "ui/page_widgets.h"

namespace bw::ui {
namespace {

constexpr int kEntryRole = Qt::UserRole + 1;  // the draw list index, on the date cell
constexpr int kBonusColumn = 7;

QSpinBox* NumberBox(const QString& name, int lowest, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(name);
  box->setRange(lowest, kHighestNumber);
  box->setAccelerated(true);
  return box;
}

}  // namespace

HistoryPage::HistoryPage(PageHost& host, QWidget* parent)
    : RangedView(host.GetSession(), "rngHistory", parent), host_(host) {
  setObjectName("picHistory");
  withNumber_ = NumberBox("HistoryWithNumber", 0, this);
  withNumber_->setSpecialValueText("any");
  auto* withLabel = new QLabel("Draws with &number", this);
  withLabel->setBuddy(withNumber_);

  table_ = new DataTable("tblHistory", {"Date", "1", "2", "3", "4", "5", "6", "Bonus"}, this);
  table_->horizontalHeader()->setSortIndicator(0, Qt::DescendingOrder);  // newest first
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->installEventFilter(this);
  note_ = new QLabel(this);
  note_->setObjectName("lblHistoryNote");

  date_ = new DateBox(this);
  date_->setObjectName("HistoryDate");
  auto* dateLabel = new QLabel("Dr&aw date", this);
  dateLabel->setBuddy(date_);
  auto* numbersLabel = new QLabel("Num&bers", this);
  for (int k = 0; k < 6; ++k) {
    numbers_[k] = NumberBox("HistoryNumber" + QString::number(k + 1), kLowestNumber, this);
    numbers_[k]->setAccessibleName("Number " + QString::number(k + 1));
  }
  numbersLabel->setBuddy(numbers_[0]);
  bonus_ = NumberBox("HistoryBonus", kLowestNumber, this);
  bonusLabel_ = new QLabel("Bon&us", this);
  bonusLabel_->setBuddy(bonus_);
  correct_ = new QPushButton("&Correct", this);
  correct_->setObjectName("cmdCorrectDraw");
  insert_ = new QPushButton("&Insert", this);
  insert_->setObjectName("cmdInsertDraw");
  delete_ = new QPushButton("&Delete", this);
  delete_->setObjectName("cmdDeleteDraw");

  auto* filters = new QHBoxLayout;
  filters->addWidget(range_, 1);
  filters->addWidget(withLabel);
  filters->addWidget(withNumber_);
  auto* editRow = new QHBoxLayout;
  editRow->addWidget(dateLabel);
  editRow->addWidget(date_);
  editRow->addSpacing(12);
  editRow->addWidget(numbersLabel);
  for (QSpinBox* box : numbers_) editRow->addWidget(box);
  editRow->addWidget(bonusLabel_);
  editRow->addWidget(bonus_);
  editRow->addSpacing(12);
  editRow->addWidget(correct_);
  editRow->addWidget(insert_);
  editRow->addWidget(delete_);
  editRow->addStretch();
  auto* column = new QVBoxLayout(this);
  column->addLayout(filters);
  column->addWidget(table_, 1);
  column->addWidget(
      Guidance("Pick a draw to correct or delete it; type a forgotten draw and "
               "press Insert. Ctrl+Z undoes a change, Ctrl+Shift+Z does it again.",
               this));
  column->addLayout(editRow);
  QHBoxLayout* exportRow = NoteWithButtons(
      this, note_,
      {{"cmdCopyHistory", "C&opy",
        [this] { QApplication::clipboard()->setText(table_->RowsText('\t', false)); }},
       {"cmdSaveHistory", "Save as CS&V...", [this] { table_->SaveCsv("history.csv"); }}});
  exportRow->addWidget(
      HelpButton("cmdHelpHistory", "He&lp", host_.Help(), help_topic::kHistory, this));
  column->addLayout(exportRow);

  undo_ = new QAction("&Undo", this);
  undo_->setObjectName("mnuUndo");
  undo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  redo_ = new QAction("&Redo", this);
  redo_->setObjectName("mnuRedo");
  redo_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
  connect(undo_, &QAction::triggered, this, [this] { Undo(); });
  connect(redo_, &QAction::triggered, this, [this] { Redo(); });
  connect(range_, &DateRangeBar::RangeChanged, this, [this] { Refill(); });
  connect(withNumber_, &QSpinBox::valueChanged, this, [this] { Refill(); });
  connect(table_, &QTableWidget::itemSelectionChanged, this, [this] { ShowPicked(); });
  connect(correct_, &QPushButton::clicked, this, [this] { CorrectDraw(); });
  connect(insert_, &QPushButton::clicked, this, [this] { InsertDraw(); });
  connect(delete_, &QPushButton::clicked, this, [this] { DeleteDraw(); });
  ShowUndoState();
}

void HistoryPage::AllowChanges(bool allowed) {
  allowed_ = allowed;
  ShowUndoState();
}

void HistoryPage::showEvent(QShowEvent* event) {
  RangedView::showEvent(event);
  if (event->spontaneous()) return;  // the window came back: nothing changed
  Refill();
}

bool HistoryPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == table_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
    DeleteDraw();
    return true;
  }
  return RangedView::eventFilter(watched, event);
}

void HistoryPage::Refill() {
  ForgetEditsIfChangedElsewhere();
  RefreshHistoryDates();
  const ProgramState& state = session_.State();
  const bool useBonus = state.settings.useBonus;
  bonus_->setVisible(useBonus);
  bonusLabel_->setVisible(useBonus);
  table_->setColumnHidden(kBonusColumn, !useBonus);
  date_->setMaximumDate(DateOfDay(session_.SystemClock().TodayDayNumber() + 1));
  std::vector<DatedDraw> shown;
  try {
    shown = session_.DrawsIn(Range());
  } catch (const EmptyRangeError&) {
  }
  const int number = withNumber_->value();
  if (number != 0)
    std::erase_if(shown, [number](const DatedDraw& d) {
      return (d.mainMask >> number & 1) == 0 && d.bonus != number;
    });
  table_->setUpdatesEnabled(false);
  table_->BeginFilling();
  table_->clearContents();
  table_->setRowCount(static_cast<int>(shown.size()));
  for (int row = 0; row < table_->rowCount(); ++row) {
    const DatedDraw& draw = shown[shown.size() - 1 - static_cast<std::size_t>(row)];
    std::string date;
    const DrawFields fields = ParseDrawEntry(state.draws[draw.listIndex], &date);
    // Draws of one day keep their order in the history.
    QTableWidgetItem* dateCell = DataTable::Cell(
        QString::fromStdString(date), draw.day + static_cast<double>(draw.listIndex) / 1e6,
        Qt::AlignLeft | Qt::AlignVCenter);
    dateCell->setData(kEntryRole, static_cast<qulonglong>(draw.listIndex));
    table_->setItem(row, 0, dateCell);
    for (int k = 1; k <= 7; ++k) {
      const int value = std::max(FieldNumber(fields[k]), 0);
      table_->setItem(row, k, DataTable::Cell(value ? QString::number(value) : QString(), value));
    }
  }
  table_->EndFilling();
  // Once filled: a column sized to its contents on every new cell would
  // measure the whole column each time.
  table_->resizeColumnsToContents();
  table_->setUpdatesEnabled(true);
  note_->setText(QString("%L1 draws shown").arg(shown.size()));
}

std::optional<std::size_t> HistoryPage::PickedEntry() const {
  const QList<QTableWidgetItem*> picked = table_->selectedItems();
  if (picked.isEmpty()) {
    TellInStatusBar(this, "Pick the draw in the table first");
    return std::nullopt;
  }
  const QTableWidgetItem* dateCell = table_->item(picked.front()->row(), 0);
  return dateCell->data(kEntryRole).toULongLong();
}

void HistoryPage::ShowPicked() {
  if (table_->selectedItems().isEmpty()) return;  // the table was filled anew
  const auto picked = PickedEntry();
  if (!picked) return;
  std::string date;
  const DrawFields fields = ParseDrawEntry(session_.State().draws[*picked], &date);
  if (const auto day = ParseTypedDate(QString::fromStdString(date))) date_->setDate(*day);
  for (int k = 0; k < 6; ++k) numbers_[k]->setValue(FieldNumber(fields[k + 1]));
  if (FieldNumber(fields[7]) > 0) bonus_->setValue(FieldNumber(fields[7]));
}

std::optional<std::string> HistoryPage::TypedEntry() {
  std::vector<int> mains;
  for (QSpinBox* box : numbers_) mains.push_back(box->value());
  const bool useBonus = session_.State().settings.useBonus;
  const std::optional<int> bonus = useBonus ? std::optional(bonus_->value()) : std::nullopt;
  if (const auto refusal = DrawNumbersRefusal(mains, bonus, useBonus)) {
    host_.Messages().Show(
        {*refusal, "Draw not changed", MessageButtons::Ok, MessageIcon::Exclamation});
    return std::nullopt;
  }
  Line line;
  std::copy(mains.begin(), mains.end(), line.begin());
  std::sort(line.begin(), line.end());
  const QDate day = date_->date();
  return FormatDrawEntry({day.year(), day.month(), day.day()}, line, bonus);
}

void HistoryPage::CorrectDraw() {
  const auto picked = PickedEntry();
  if (!allowed_ || !picked) return;
  if (const auto entry = TypedEntry())
    Carry(PlanCorrection(session_, *picked, *entry), "Draw corrected");
}

void HistoryPage::InsertDraw() {
  if (!allowed_) return;
  if (const auto entry = TypedEntry()) Carry(PlanInsertion(session_, *entry), "Draw inserted");
}

void HistoryPage::DeleteDraw() {
  const auto picked = PickedEntry();
  if (!allowed_ || !picked) return;
  Carry(PlanDeletion(session_, *picked), "Draw deleted");
}

void HistoryPage::Carry(const PlannedEdit& planned, const QString& done) {
  ForgetEditsIfChangedElsewhere();
  if (planned.refusal) {
    host_.Messages().Show(*planned.refusal);
    return;
  }
  if (planned.question && host_.Messages().Show(*planned.question) != MessageAnswer::Yes) return;
  if (!Apply(planned.edit)) return;
  done_.push_back(planned.edit);
  undone_.clear();
  ShowUndoState();
  TellInStatusBar(this, done);
}

bool HistoryPage::Apply(const HistoryEdit& edit) {
  const HistoryChangeResult result = ApplyHistoryEdit(session_, edit, host_.SaveProgressBar());
  if (result.save == HistorySaveOutcome::Failed) return false;
  known_ = session_.State().historyRead.fingerprint;
  Refill();
  // The draw put in stays picked, so that it can be corrected again at once.
  if (edit.added) {
    for (int row = 0; row < table_->rowCount(); ++row) {
      if (table_->item(row, 0)->data(kEntryRole).toULongLong() == edit.addedAt) {
        table_->selectRow(row);
        table_->scrollToItem(table_->item(row, 0));
      }
    }
  }
  emit HistoryChanged();
  return true;
}

void HistoryPage::Undo() {
  ForgetEditsIfChangedElsewhere();
  if (!allowed_ || done_.empty()) return;
  if (!Apply(done_.back().Inverse())) return;
  undone_.push_back(done_.back());
  done_.pop_back();
  ShowUndoState();
  TellInStatusBar(this, "Change undone");
}

void HistoryPage::Redo() {
  ForgetEditsIfChangedElsewhere();
  if (!allowed_ || undone_.empty()) return;
  if (!Apply(undone_.back())) return;
  done_.push_back(undone_.back());
  undone_.pop_back();
  ShowUndoState();
  TellInStatusBar(this, "Change done again");
}

void HistoryPage::ForgetEditsIfChangedElsewhere() {
  const std::optional<uint64_t>& now = session_.State().historyRead.fingerprint;
  if (known_ == now) return;
  known_ = now;
  done_.clear();
  undone_.clear();
  ShowUndoState();
}

void HistoryPage::ShowUndoState() {
  undo_->setEnabled(allowed_ && !done_.empty());
  redo_->setEnabled(allowed_ && !undone_.empty());
}

}  // namespace bw::ui
