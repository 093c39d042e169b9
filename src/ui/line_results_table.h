// SPDX-License-Identifier: GPL-3.0-or-later
// Lines with their check results in the sortable table (by percentage and by
// each class), beside a page's own text list, with buttons that add the
// picked rows or all of them to My Lines.
#pragma once

#include <QWidget>
#include <vector>

#include "analysis/single_line_check.h"
#include "ui/page_host.h"

namespace bw::ui {

class DataTable;

class LineResultsTable : public QWidget {
  Q_OBJECT
 public:
  // The table is named "tbl" + name, the buttons "cmdAddPicked" + name and
  // "cmdAddAll" + name.
  LineResultsTable(PageHost& host, const QString& name, QWidget* parent);
  void Clear();
  struct Row {
    Line line;
    SingleLineResult result;
  };
  // Adds the rows at the end, sorted in as the table is sorted.
  void Add(const std::vector<Row>& rows);
  DataTable& Table() const { return *table_; }
  // The lines of the picked rows (the current row when none is picked).
  std::vector<Line> PickedLines() const;

 private:
  PageHost& host_;
  DataTable* table_ = nullptr;
  std::vector<Line> lines_;  // in the order added; each row keeps its index
};

}  // namespace bw::ui
