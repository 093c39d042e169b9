// SPDX-License-Identifier: GPL-3.0-or-later
// The draws in which a checked line hit: date, the drawn numbers with the
// line's numbers marked, class and return, with the totals below; the rows
// can be copied or saved as CSV.
#pragma once

#include <QWidget>

#include "analysis/line_hits.h"

class QLabel;

namespace bw::ui {

class DataTable;

class HitsView : public QWidget {
  Q_OBJECT
 public:
  explicit HitsView(QWidget* parent);

  void Show(const Line& line, const LineHits& hits);
  void Clear();
  // The rows as CSV text, CR LF line ends.
  QString Csv() const;
  void CopyCsv() const;
  // Asks for a file name and writes the rows; false when cancelled or failed.
  bool SaveCsv();

 private:
  DataTable* table_ = nullptr;
  QLabel* totals_ = nullptr;
  std::vector<std::string> csvRows_;
};

}  // namespace bw::ui
