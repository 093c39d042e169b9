#include "ui/import_preview_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "import/result_options.h"

namespace bw::ui {
namespace {

constexpr int kRowsShown = 5;  // first and last draws shown

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

QLabel* WrappedLabel(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

}  // namespace

ImportPreviewDialog::ImportPreviewDialog(Session& session, std::filesystem::path file,
                                         bool newLottery, QWidget* parent)
    : QDialog(parent), session_(session), file_(std::move(file)), newLottery_(newLottery) {
  setObjectName("frmImportPreview");
  setWindowTitle("Import Draws - " + Text(file_.filename().string()));
  setModal(true);
  BuildLayout();
  ReadAgain();
}

void ImportPreviewDialog::BuildLayout() {
  shape_ = WrappedLabel("lblShape", this);
  counts_ = WrappedLabel("lblCounts", this);
  rows_ = new QListWidget(this);
  rows_->setObjectName("lstRows");
  rows_->setFont(QFont("Monospace"));
  problems_ = new QListWidget(this);
  problems_->setObjectName("lstProblems");

  dateOrder_ = new QComboBox(this);
  dateOrder_->setObjectName("cboDateOrder");
  dateOrder_->addItem("as found", QString());
  dateOrder_->addItem("day/month/year", "dmy");
  dateOrder_->addItem("month/day/year", "mdy");
  dateOrder_->addItem("year/month/day", "ymd");
  columns_ = new QLineEdit(this);
  columns_->setObjectName("txtColumns");
  columns_->setToolTip(
      "Columns counted from 1, for example date=4,main=5-10,bonus=11 "
      "(bonus=none for a file without bonus numbers)");
  columnsError_ = WrappedLabel("lblColumnsError", this);
  auto* readAgain = new QPushButton("&Read again", this);
  readAgain->setObjectName("cmdReadAgain");
  readAgain->setAutoDefault(false);  // Enter imports
  connect(readAgain, &QPushButton::clicked, this, &ImportPreviewDialog::ReadAgain);
  auto* corrections = new QFormLayout;
  corrections->addRow("&Date order:", dateOrder_);
  corrections->addRow("C&olumns:", columns_);
  corrections->addRow(columnsError_, readAgain);

  skipBad_ = new QCheckBox("&Leave out the rows with problems", this);
  skipBad_->setObjectName("chkSkipBad");
  connect(skipBad_, &QCheckBox::toggled, this, &ImportPreviewDialog::UpdateImportButton);
  import_ = new QPushButton("&Import", this);
  import_->setObjectName("cmdImport");
  import_->setDefault(true);
  auto* cancel = new QPushButton("&Cancel", this);
  cancel->setObjectName("cmdCancel");
  connect(import_, &QPushButton::clicked, this, &ImportPreviewDialog::Import);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(skipBad_, 1);
  buttons->addWidget(import_);
  buttons->addWidget(cancel);

  auto* column = new QVBoxLayout(this);
  column->addWidget(shape_);
  column->addWidget(counts_);
  column->addWidget(new QLabel("First and last draws as they will be written:", this));
  column->addWidget(rows_, 1);
  column->addWidget(new QLabel("Problems:", this));
  column->addWidget(problems_, 1);
  column->addLayout(corrections);
  column->addLayout(buttons);
  resize(640, 560);
}

void ImportPreviewDialog::ReadAgain() {
  ImportOptions options;
  options.dateOrder = ParseDateOrder(dateOrder_->currentData().toString().toStdString());
  columnsError_->clear();
  const std::string columns = columns_->text().trimmed().toStdString();
  if (!columns.empty() && columns != ColumnChoiceText(merge_.shape)) {
    auto choice = ParseColumnChoice(columns);
    if (const auto* wrong = std::get_if<std::string>(&choice)) {
      columnsError_->setText(Text(*wrong));
      return;
    }
    options.columns = std::get<ColumnChoice>(choice);
  }
  merge_ = PlanImport(session_, file_, options, newLottery_);
  ShowMerge();
}

void ImportPreviewDialog::ShowMerge() {
  rows_->clear();
  problems_->clear();
  if (merge_.refusal) {
    shape_->setText("The file cannot be imported: " + Text(*merge_.refusal) + ".");
    counts_->clear();
  } else {
    shape_->setText("Shape: " + Text(DescribeShape(merge_.shape)));
    counts_->setText(Text(MergeCountsText(merge_)));
    columns_->setText(Text(ColumnChoiceText(merge_.shape)));
  }
  const std::vector<std::string>& entries = merge_.newEntries;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i == kRowsShown && entries.size() > 2 * kRowsShown) {
      rows_->addItem("...");
      i = entries.size() - kRowsShown;
    }
    rows_->addItem(Text(entries[i]));
  }
  for (const RowProblem& problem : merge_.problems) {
    problems_->addItem("line " + QString::number(problem.line) + ": " + Text(problem.reason));
  }
  UpdateImportButton();
}

bool ImportPreviewDialog::SkipBad() const {
  return skipBad_->isChecked();
}

void ImportPreviewDialog::UpdateImportButton() {
  import_->setEnabled(merge_.CanImport(SkipBad()) && !merge_.newEntries.empty());
}

void ImportPreviewDialog::Import() {
  if (newLottery_ || ImportIntoCurrent(session_, merge_)) accept();
}

std::filesystem::path AskResultFile(QWidget* parent, const QString& title,
                                    const std::filesystem::path& folder) {
  const QString file =
      QFileDialog::getOpenFileName(parent, title, QString::fromStdString(folder.string()),
                                   "Result files (*.csv *.txt *.tsv);;All files (*)");
  return file.toStdString();
}

}  // namespace bw::ui
