// SPDX-License-Identifier: GPL-3.0-or-later
// A table of results, used by every page that shows one: a click on a
// heading sorts by that column (numbers as numbers, dates as dates), the
// arrow keys move inside while Tab goes on to the next control, Ctrl+A
// selects every row and Ctrl+C copies the selected rows as tab-separated
// text, and the rows can be saved as CSV.
#pragma once

#include <QTableWidget>

namespace bw::ui {

class DataTable : public QTableWidget {
  Q_OBJECT
 public:
  DataTable(const QString& name, const QStringList& headings, QWidget* parent);

  // A read-only cell showing `text`, sorted by `key`.
  static QTableWidgetItem* Cell(const QString& text, double key,
                                Qt::Alignment alignment = Qt::AlignRight | Qt::AlignVCenter);
  // Rows are filled unsorted (each stays where it is put), then sorted as chosen.
  void BeginFilling() { setSortingEnabled(false); }
  void EndFilling() { setSortingEnabled(true); }

  // The headings and the selected rows (every row when none is), in the
  // order shown, cells separated by `separator`, CR LF after each line.
  QString RowsText(QChar separator, bool selectedOnly) const;
  // Asks for a file name and writes every row as CSV; false when cancelled or failed.
  bool SaveCsv(const QString& suggestedName);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace bw::ui
