// The preview of an import: what the reader found in a result file, the
// first and last draws as they will be written, the counts and problems,
// and a way to correct the date order and the columns before importing.
#pragma once

#include <filesystem>

#include <QDialog>

#include "app/draw_import.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace bw::ui {

class ImportPreviewDialog : public QDialog {
  Q_OBJECT
 public:
  // `newLottery`: the draws start a new lottery, whose bonus the file
  // decides; Import then only accepts and the caller creates the lottery.
  ImportPreviewDialog(Session& session, std::filesystem::path file, bool newLottery,
                      QWidget* parent);

  const DrawMerge& Merge() const { return merge_; }
  bool SkipBad() const;

 private:
  void BuildLayout();
  void ReadAgain();  // with the date order and columns as corrected
  void ShowMerge();
  void UpdateImportButton();
  void Import();

  Session& session_;
  std::filesystem::path file_;
  bool newLottery_;
  DrawMerge merge_;

  QLabel* shape_ = nullptr;
  QLabel* counts_ = nullptr;
  QListWidget* rows_ = nullptr;
  QListWidget* problems_ = nullptr;
  QComboBox* dateOrder_ = nullptr;
  QLineEdit* columns_ = nullptr;
  QLabel* columnsError_ = nullptr;
  QCheckBox* skipBad_ = nullptr;
  QPushButton* import_ = nullptr;
};

// Asks for a published result file, starting in `folder`; empty when cancelled.
std::filesystem::path AskResultFile(QWidget* parent, const QString& title,
                                    const std::filesystem::path& folder);

}  // namespace bw::ui
