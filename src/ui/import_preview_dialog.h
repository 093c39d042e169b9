// SPDX-License-Identifier: GPL-3.0-or-later
// The preview of an import: what the reader found in a result file, the
// first and last draws as they will be written, the counts and problems,
// and a way to correct the date order (from the two readings of the first
// rows) and the columns (by clicking a column's heading) before importing.
#pragma once

#include <filesystem>
#include <vector>

#include <QDialog>

#include "app/draw_import.h"
#include "import/result_options.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace bw::ui {

class ImportPreviewDialog : public QDialog {
  Q_OBJECT
 public:
  // `newLottery`: the draws start a new lottery, whose bonus the file
  // decides; Import then only accepts and the caller creates the lottery.
  ImportPreviewDialog(Session& session, HelpViewer& help, std::filesystem::path file,
                      bool newLottery, QWidget* parent);

  const DrawMerge& Merge() const { return merge_; }
  bool SkipBad() const;

 private:
  void BuildLayout();
  void ReadAgain();  // with the date order and columns as corrected
  void ShowMerge();
  void ShowFirstRows();
  void ShowDateReadings();
  void AskRole(int column);  // a click on a column's heading
  void SetRole(int column, ColumnRole role);
  void UpdateImportButton();
  void Import();

  Session& session_;
  std::filesystem::path file_;
  bool newLottery_;
  HelpViewer& help_;
  DrawMerge merge_;

  QLabel* shape_ = nullptr;
  QLabel* counts_ = nullptr;
  QListWidget* rows_ = nullptr;
  QListWidget* problems_ = nullptr;
  QTableWidget* firstRows_ = nullptr;
  std::vector<ColumnRole> roles_;
  QLabel* dateQuestion_ = nullptr;
  QComboBox* dateOrder_ = nullptr;
  QLineEdit* columns_ = nullptr;
  QLabel* columnsError_ = nullptr;
  QCheckBox* skipBad_ = nullptr;
  QPushButton* import_ = nullptr;
};

// Asks for a published result file, starting in the file dialogs' folder;
// empty when cancelled.
std::filesystem::path AskResultFile(QWidget* parent, const QString& title);

}  // namespace bw::ui
