// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/line_results_table.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>
#include <set>

#include "analysis/full_system.h"
#include "ui/data_table.h"
#include "ui/my_lines_page.h"

namespace bw::ui {
namespace {

QTableWidgetItem* Count(int value) {
  return DataTable::Cell(value == 0 ? QString() : QString::number(value), value);
}

}  // namespace

LineResultsTable::LineResultsTable(PageHost& host, const QString& name, QWidget* parent)
    : QWidget(parent), host_(host) {
  table_ = new DataTable("tbl" + name, {"Line", "3", "4", "5", "5+", "6", "%"}, this);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  auto* picked = new QPushButton("Add picked to my lines", this);
  picked->setObjectName("cmdAddPicked" + name);
  auto* all = new QPushButton("Add all to my lines", this);
  all->setObjectName("cmdAddAll" + name);
  connect(picked, &QPushButton::clicked, this,
          [this] { AddToMyLines(host_.GetSession(), host_.Messages(), this, PickedLines()); });
  connect(all, &QPushButton::clicked, this,
          [this] { AddToMyLines(host_.GetSession(), host_.Messages(), this, lines_); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(picked);
  buttons->addWidget(all);
  buttons->addStretch();
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(table_, 1);
  column->addLayout(buttons);
}

void LineResultsTable::Clear() {
  table_->setRowCount(0);
  lines_.clear();
}

void LineResultsTable::Add(const std::vector<Row>& rows) {
  table_->BeginFilling();
  int row = table_->rowCount();
  table_->setRowCount(row + static_cast<int>(rows.size()));
  for (const auto& [line, result] : rows) {
    QTableWidgetItem* lineItem =
        DataTable::Cell(QString::fromStdString(SystemLineText(line)),
                        static_cast<double>(lines_.size()), Qt::AlignLeft | Qt::AlignVCenter);
    lineItem->setData(Qt::UserRole, static_cast<int>(lines_.size()));
    table_->setItem(row, 0, lineItem);
    const int counts[] = {result.hits3, result.hits4, result.hits5, result.hits5Bonus,
                          result.hits6};
    for (int k = 0; k < 5; ++k) table_->setItem(row, 1 + k, Count(counts[k]));
    table_->setItem(row, 6,
                    DataTable::Cell(QString::number(result.percent) + (result.plus ? "%+" : "%"),
                                    result.percent + (result.plus ? 0.5 : 0)));
    lines_.push_back(line);
    ++row;
  }
  table_->EndFilling();
}

std::vector<Line> LineResultsTable::PickedLines() const {
  std::set<int> rows;
  for (const QModelIndex& index : table_->selectionModel()->selectedRows())
    rows.insert(index.row());
  if (rows.empty() && table_->currentRow() >= 0) rows.insert(table_->currentRow());
  std::vector<Line> picked;
  for (int row : rows) {
    const int index = table_->item(row, 0)->data(Qt::UserRole).toInt();
    picked.push_back(lines_[static_cast<std::size_t>(index)]);
  }
  return picked;
}

}  // namespace bw::ui
