// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/hits_view.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "model/draw_fields.h"
#include "store/text_file.h"
#include "ui/data_table.h"
#include "ui/export_buttons.h"

namespace bw::ui {
namespace {

enum Column { kDate = 0, kFirstNumber = 1, kBonus = 7, kClass = 8, kReturn = 9, kColumns = 10 };

QTableWidgetItem* Cell(const QString& text, double key = 0) {
  return DataTable::Cell(text, key, Qt::AlignCenter);
}

// A drawn number; the line's numbers stand out in bold on the highlight colour.
QTableWidgetItem* NumberCell(const std::string& field, const Line& line, const QPalette& colours) {
  const int number = FieldNumber(field);
  QTableWidgetItem* item = Cell(QString::fromStdString(field), number);
  if (std::find(line.begin(), line.end(), number) != line.end()) {
    QFont bold = item->font();
    bold.setBold(true);
    item->setFont(bold);
    item->setBackground(colours.highlight());
    item->setForeground(colours.highlightedText());
    item->setToolTip("on your line");
  }
  return item;
}

}  // namespace

HitsView::HitsView(QWidget* parent) : QWidget(parent) {
  setObjectName("HitsView");
  table_ = new DataTable("tblHits",
                         {"Date", "1", "2", "3", "4", "5", "6", "Bonus", "Class", "Return"}, this);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table_->setAlternatingRowColors(true);
  totals_ = new QLabel(this);
  totals_->setObjectName("lblHitTotals");
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(table_, 1);
  column->addLayout(NoteWithButtons(this, totals_,
                                    {{"cmdCopyHits", "C&opy", [this] { CopyCsv(); }},
                                     {"cmdSaveHits", "Save as CS&V...", [this] { SaveCsv(); }}}));
  Clear();
}

void HitsView::Show(const Line& line, const LineHits& hits) {
  table_->setUpdatesEnabled(false);
  table_->BeginFilling();
  table_->setRowCount(static_cast<int>(hits.hits.size()));
  const QPalette colours = palette();
  for (int row = 0; row < table_->rowCount(); ++row) {
    const LineHit& hit = hits.hits[static_cast<std::size_t>(row)];
    std::string date;
    const DrawFields fields = ParseDrawEntry(hit.entry, &date);
    table_->setItem(row, kDate, Cell(QString::fromStdString(date), hit.day));
    for (int k = 1; k <= 6; ++k)
      table_->setItem(row, kFirstNumber + k - 1, NumberCell(fields[k], line, colours));
    table_->setItem(row, kBonus,
                    fields[7] == "00" ? Cell(QString()) : NumberCell(fields[7], line, colours));
    table_->setItem(row, kClass, Cell(HitClassName(hit.hitClass), static_cast<int>(hit.hitClass)));
    table_->setItem(row, kReturn,
                    DataTable::Cell(QString::number(hit.ret), static_cast<double>(hit.ret)));
  }
  table_->EndFilling();
  table_->setUpdatesEnabled(true);
  const HitTotals& totals = hits.totals;
  totals_->setText(QStringLiteral("%1 hits in %2 draws: staked %3, returned %4, balance %5")
                       .arg(hits.hits.size())
                       .arg(totals.draws)
                       .arg(totals.staked)
                       .arg(totals.returned)
                       .arg(totals.balance));
  csvRows_ = HitsCsvRows(hits);
}

void HitsView::Clear() {
  table_->setRowCount(0);
  totals_->setText("Check a line to see the draws in which it hit.");
  csvRows_.clear();
}

QString HitsView::Csv() const {
  QString text;
  for (const std::string& row : csvRows_) text += QString::fromStdString(row) + "\r\n";
  return text;
}

void HitsView::CopyCsv() const {
  QApplication::clipboard()->setText(Csv());
  TellInStatusBar(this, QStringLiteral("Copied %1 rows of hits").arg(csvRows_.size() - 1));
}

bool HitsView::SaveCsv() {
  return SaveToChosenFile(
      this, "Save hits", "hits.csv", "CSV files (*.csv)", "the hits",
      [this](const QString& path) { return WriteTextLines(path.toStdString(), csvRows_) == 0; });
}

}  // namespace bw::ui
