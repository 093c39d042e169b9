// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/data_table.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <functional>

#include "store/text_file.h"
#include "ui/export_buttons.h"

namespace bw::ui {
namespace {

constexpr int kSortKey = Qt::UserRole;

// Sorted by its key when both cells have one, else by the text shown.
class SortedCell : public QTableWidgetItem {
 public:
  using QTableWidgetItem::QTableWidgetItem;
  bool operator<(const QTableWidgetItem& other) const override {
    const QVariant mine = data(kSortKey), theirs = other.data(kSortKey);
    if (mine.isValid() && theirs.isValid()) return mine.toDouble() < theirs.toDouble();
    return QTableWidgetItem::operator<(other);
  }
};

// A cell as CSV writes it: quoted when it holds a separator or a quote.
QString CsvField(QString text) {
  if (!text.contains(',') && !text.contains('"')) return text;
  return '"' + text.replace("\"", "\"\"") + '"';
}

}  // namespace

DataTable::DataTable(const QString& name, const QStringList& headings, QWidget* parent)
    : QTableWidget(0, static_cast<int>(headings.size()), parent) {
  setObjectName(name);
  setHorizontalHeaderLabels(headings);
  verticalHeader()->hide();
  setTabKeyNavigation(false);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);  // as filled until a click
  setSortingEnabled(true);
}

QTableWidgetItem* DataTable::Cell(const QString& text, double key, Qt::Alignment alignment) {
  auto* cell = new SortedCell(text);
  cell->setData(kSortKey, key);
  cell->setTextAlignment(alignment);
  cell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  return cell;
}

QString DataTable::RowsText(QChar separator, bool selectedOnly) const {
  const bool all = !selectedOnly || !selectionModel()->hasSelection();
  const auto line = [&](const std::function<QString(int column)>& field) {
    QStringList fields;
    for (int column = 0; column < columnCount(); ++column)
      if (!isColumnHidden(column)) fields << field(column);
    return fields.join(separator) + "\r\n";
  };
  const bool csv = separator == ',';
  QString text = line([&](int column) {
    const QString heading = horizontalHeaderItem(column)->text();
    return csv ? CsvField(heading) : heading;
  });
  for (int row = 0; row < rowCount(); ++row) {
    if (!all && !selectionModel()->isRowSelected(row, QModelIndex())) continue;
    text += line([&](int column) {
      const QString shown = item(row, column) ? item(row, column)->text() : QString();
      return csv ? CsvField(shown) : shown;
    });
  }
  return text;
}

bool DataTable::SaveCsv(const QString& suggestedName) {
  return SaveToChosenFile(
      this, "Save table", suggestedName, "CSV files (*.csv)", "the table",
      [this](const QString& path) {
        std::vector<std::string> lines;
        for (const QString& line : RowsText(',', false).split("\r\n", Qt::SkipEmptyParts))
          lines.push_back(line.toStdString());
        return WriteTextLines(path.toStdString(), lines) == 0;
      });
}

void DataTable::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    const QString rows = RowsText('\t', true);
    QApplication::clipboard()->setText(rows);
    TellInStatusBar(this, QStringLiteral("Copied %1 rows").arg(rows.count("\r\n") - 1));
    return;
  }
  QTableWidget::keyPressEvent(event);
}

}  // namespace bw::ui
