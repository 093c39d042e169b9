#include "ui/hits_view.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "model/draw_fields.h"
#include "store/text_file.h"
#include "ui/chart_panel.h"

namespace bw::ui {
namespace {

enum Column { kDate = 0, kFirstNumber = 1, kBonus = 7, kClass = 8, kReturn = 9, kColumns = 10 };

QTableWidgetItem* Cell(const QString& text, Qt::Alignment alignment = Qt::AlignCenter) {
  auto* item = new QTableWidgetItem(text);
  item->setTextAlignment(alignment);
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  return item;
}

// A drawn number; the line's numbers stand out in bold on the highlight colour.
QTableWidgetItem* NumberCell(const std::string& field, const Line& line, const QPalette& colours) {
  QTableWidgetItem* item = Cell(QString::fromStdString(field));
  const int number = FieldNumber(field);
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
  table_ = new QTableWidget(0, kColumns, this);
  table_->setObjectName("tblHits");
  table_->setHorizontalHeaderLabels(
      {"Date", "1", "2", "3", "4", "5", "6", "Bonus", "Class", "Return"});
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setAlternatingRowColors(true);
  totals_ = new QLabel(this);
  totals_->setObjectName("lblHitTotals");
  auto* copy = new QPushButton("&Copy", this);
  copy->setObjectName("cmdCopyHits");
  auto* save = new QPushButton("Save as CS&V...", this);
  save->setObjectName("cmdSaveHits");
  connect(copy, &QPushButton::clicked, this, [this] { CopyCsv(); });
  connect(save, &QPushButton::clicked, this, [this] { SaveCsv(); });

  auto* below = new QHBoxLayout;
  below->addWidget(totals_, 1);
  below->addWidget(copy);
  below->addWidget(save);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(table_, 1);
  column->addLayout(below);
  Clear();
}

void HitsView::Show(const Line& line, const LineHits& hits) {
  table_->setUpdatesEnabled(false);
  table_->setRowCount(static_cast<int>(hits.hits.size()));
  const QPalette colours = palette();
  for (int row = 0; row < table_->rowCount(); ++row) {
    const LineHit& hit = hits.hits[static_cast<std::size_t>(row)];
    std::string date;
    const DrawFields fields = ParseDrawEntry(hit.entry, &date);
    table_->setItem(row, kDate, Cell(QString::fromStdString(date)));
    for (int k = 1; k <= 6; ++k)
      table_->setItem(row, kFirstNumber + k - 1, NumberCell(fields[k], line, colours));
    table_->setItem(row, kBonus,
                    fields[7] == "00" ? Cell(QString()) : NumberCell(fields[7], line, colours));
    table_->setItem(row, kClass, Cell(HitClassName(hit.hitClass)));
    table_->setItem(row, kReturn,
                    Cell(QString::number(hit.ret), Qt::AlignRight | Qt::AlignVCenter));
  }
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
}

bool HitsView::SaveCsv() {
  const QString path = AskSavePath(this, "Save hits", "hits.csv", "CSV files (*.csv)");
  if (path.isEmpty()) return false;
  if (WriteTextLines(path.toStdString(), csvRows_) == 0) return true;
  QMessageBox::warning(this, "Save hits", "Could not save the hits as\n" + path);
  return false;
}

}  // namespace bw::ui
