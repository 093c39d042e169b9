// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wheels_page.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <stdexcept>

#include "analysis/full_system.h"
#include "store/file_error.h"
#include "store/text_file.h"
#include "ticket/ticket.h"
#include "ui/data_table.h"
#include "ui/export_buttons.h"
#include "ui/help_viewer.h"
#include "ui/keyboard_order.h"
#include "ui/my_lines_page.h"
#include "ui/number_buttons.h"
#include "ui/page_host.h"
#include "ui/page_widgets.h"
#include "ui/ticket_view.h"
#include "wheel/wheel_generator.h"
#include "wheel/wheel_text.h"

namespace bw::ui {
namespace {

const char* kTitle = "Wheels";
constexpr int kBarSteps = 1000;

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

// Every number written in the text, in the order written.
std::vector<int> NumbersIn(const QString& text) {
  std::vector<int> numbers;
  for (const QString& word : text.split(QRegularExpression("[^0-9]+"), Qt::SkipEmptyParts))
    numbers.push_back(word.size() > 2 ? 0 : word.toInt());
  return numbers;
}

// The picture and bound of a proved wheel, so that the GUI thread only shows them.
WheelWork Pictured(WheelWork work) {
  if (work.proof.holds) {
    work.picture = PictureOfWheel(work.chosen, work.lines, work.guarantee);
    work.lowerBound = WheelLowerBound(static_cast<int>(work.chosen.size()), work.guarantee);
  }
  return work;
}

}  // namespace

WheelsPage::WheelsPage(PageHost& host, QWidget* parent) : QWidget(parent), host_(host) {
  setObjectName("tabWheels");
  QWidget* choice = BuildChoice();

  size_ = new QLabel(this);
  size_->setObjectName("lblWheelSize");
  size_->setWordWrap(true);
  lines_ = new DataTable("tblWheelLines", {"#", "Line"}, this);
  lines_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  lines_->setSelectionBehavior(QAbstractItemView::SelectRows);
  lines_->setAlternatingRowColors(true);
  guarantee_ = new DataTable("tblWheelGuarantee", {"Drawn among yours", "Worst", "Average"}, this);
  guarantee_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  chances_ = new QLabel(this);
  chances_->setObjectName("lblWheelChances");
  chances_->setWordWrap(true);
  chances_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* proofBox = new QGroupBox("What the wheel guarantees", this);
  proofBox->setObjectName("fraWheelProof");
  auto* proofColumn = new QVBoxLayout(proofBox);
  proofColumn->addWidget(guarantee_, 1);
  proofColumn->addWidget(chances_);
  auto* results = new QHBoxLayout;
  results->addWidget(lines_, 1);
  results->addWidget(proofBox, 1);

  auto* note = new QLabel(this);
  note->setObjectName("lblWheelNote");
  QHBoxLayout* exports = NoteWithButtons(
      this, note,
      {{"cmdCopyWheel", "C&opy",
        [this] {
          QApplication::clipboard()->setText(lines_->RowsText('\t', false));
          TellInStatusBar(this, QStringLiteral("Copied %1 lines").arg(lines_->rowCount()));
        }},
       {"cmdSaveWheel", "Save as CS&V...", [this] { lines_->SaveCsv("wheel.csv"); }},
       {"cmdPrintWheel", "P&rint", [this] { Print(); }},
       {"cmdWheelToMyLines", "A&dd to My Lines",
        [this] { AddToMyLines(host_.GetSession(), host_.Messages(), this, PickedLines()); }}});

  ticket_ =
      new TicketView(host_.GetSession(),
                     {.box = "fraWheelTicket",
                      .range = "rngWheel",
                      .totals = "lblWheelTicket",
                      .chart = "WheelChart",
                      .title = "The wheel as a ticket over the history",
                      .chartTitle = "Running balance of the wheel as a ticket",
                      .emptyNote = "Generate or check a wheel to see its balance over the years."},
                     this);
  connect(ticket_, &TicketView::RangeChanged, this, [this] { ShowTicket(); });

  QWidget* check = BuildCheck();
  QPushButton* helpButton =
      HelpButton("cmdHelpWheels", "He&lp", host_.Help(), help_topic::kWheels, this);
  auto* column = new QVBoxLayout(this);
  column->addWidget(Guidance(
      "Pick the numbers you play on the grid or type them (7 to 49 of them), choose the "
      "guarantee \"T if M\": whenever M drawn numbers are among yours, some line holds T of "
      "them. Generate builds a wheel with as few lines as it finds and proves it.",
      this));
  column->addWidget(choice);
  column->addWidget(size_);
  column->addLayout(results, 2);
  column->addLayout(exports);
  column->addWidget(check);
  column->addWidget(ticket_, 2);
  column->addWidget(helpButton, 0, Qt::AlignLeft);
  ChainTabOrder(numbers_, {grid_, clearPicks_, t_, m_, generate_, stop_, lines_, guarantee_,
                           findChild<QWidget*>("cmdCopyWheel"), findChild<QWidget*>("cmdSaveWheel"),
                           findChild<QWidget*>("cmdPrintWheel"),
                           findChild<QWidget*>("cmdWheelToMyLines"), check, ticket_, helpButton});

  connect(&watcher_, &QFutureWatcher<WheelWork>::finished, this, [this] { Finished(); });
}

WheelsPage::~WheelsPage() {
  stopFlag_ = true;
  watcher_.waitForFinished();
}

QWidget* WheelsPage::BuildChoice() {
  auto* box = new QWidget(this);
  numbers_ = new QLineEdit(box);
  numbers_->setObjectName("txtWheelNumbers");
  numbers_->setPlaceholderText("1 2 3 4 5 6 7 8 9 10 11 12");
  numbers_->setAccessibleName("Numbers of the wheel");
  grid_ = new NumberButtons("fraWheelGrid", "cmdWheelNumber", box);
  pickedCount_ = new QLabel(box);
  pickedCount_->setObjectName("lblWheelPicked");
  clearPicks_ = new QPushButton("&Clear", box);
  clearPicks_->setObjectName("cmdWheelClearPicks");
  connect(numbers_, &QLineEdit::textChanged, this, [this] { ShowTypedNumbers(); });
  connect(grid_, &NumberButtons::NumberClicked, this, [this](int n) { ToggleNumber(n); });
  connect(clearPicks_, &QPushButton::clicked, numbers_, &QLineEdit::clear);
  ShowTypedNumbers();

  auto* typed = new QHBoxLayout;
  auto* numbersLabel = new QLabel("&Numbers:", box);
  numbersLabel->setBuddy(numbers_);
  typed->addWidget(numbersLabel);
  typed->addWidget(numbers_, 1);
  auto* count = new QHBoxLayout;
  count->addWidget(pickedCount_);
  count->addWidget(clearPicks_);
  count->addStretch();
  auto* column = new QVBoxLayout;
  column->addLayout(typed);
  column->addLayout(count);
  column->addWidget(BuildGuarantee(box));
  column->addStretch();
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(grid_);
  row->addLayout(column, 1);
  return box;
}

QWidget* WheelsPage::BuildGuarantee(QWidget* parent) {
  auto* box = new QWidget(parent);
  const auto spin = [box](const char* name, int value, const QString& spoken) {
    auto* s = new QSpinBox(box);
    s->setObjectName(name);
    s->setRange(2, 6);
    s->setValue(value);
    s->setAccessibleName(spoken);
    return s;
  };
  t_ = spin("spnWheelT", 3, "Numbers a line is sure to hold");
  m_ = spin("spnWheelM", 6, "Drawn numbers among yours");
  t_->setMaximum(5);
  generate_ = new QPushButton("&Generate", box);
  generate_->setObjectName("cmdWheelGenerate");
  generate_->setDefault(true);
  stop_ = new QPushButton("Sto&p", box);
  stop_->setObjectName("cmdWheelStop");
  stop_->setEnabled(false);
  bar_ = new QProgressBar(box);
  bar_->setObjectName("barWheel");
  bar_->setRange(0, kBarSteps);
  bar_->setValue(0);
  ConnectKeepingFocus(generate_, this, [this] { Generate(); });
  connect(stop_, &QPushButton::clicked, this, [this] { Stop(); });
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  auto* tLabel = new QLabel("G&uarantee:", box);
  tLabel->setBuddy(t_);
  row->addWidget(tLabel);
  row->addWidget(t_);
  row->addWidget(new QLabel("if", box));
  row->addWidget(m_);
  row->addWidget(generate_);
  row->addWidget(stop_);
  row->addWidget(bar_, 1);
  return box;
}

void WheelsPage::ShowTypedNumbers() {
  grid_->ShowPicked(NumbersIn(numbers_->text()));
  const std::size_t picked = grid_->Picked().size();
  pickedCount_->setText(picked == 1 ? QStringLiteral("1 number picked")
                                    : QStringLiteral("%1 numbers picked").arg(picked));
}

void WheelsPage::ToggleNumber(int number) {
  grid_->SetPicked(number, !grid_->IsPicked(number));
  QStringList picked;
  for (int n : grid_->Picked()) picked << QString::number(n);
  numbers_->setText(picked.join(' '));
}

QWidget* WheelsPage::BuildCheck() {
  auto* box = new QGroupBox("Check a wheel", this);
  box->setObjectName("fraWheelCheck");
  checkText_ = new QPlainTextEdit(box);
  checkText_->setObjectName("txtWheelCheck");
  checkText_->setTabChangesFocus(true);
  checkText_->setPlaceholderText("one line of six numbers to a row: 01-02-03-04-05-06");
  checkText_->setAccessibleName("Lines of the wheel to check");
  checkText_->setMaximumHeight(checkText_->fontMetrics().lineSpacing() * 6);
  auto* load = new QPushButton("Lo&ad...", box);
  load->setObjectName("cmdWheelLoad");
  auto* prove = new QPushButton("Chec&k", box);
  prove->setObjectName("cmdWheelCheck");
  checkNote_ = new QLabel(box);
  checkNote_->setObjectName("lblWheelCheck");
  checkNote_->setWordWrap(true);
  checkNote_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  connect(load, &QPushButton::clicked, this, [this] { LoadWheel(); });
  ConnectKeepingFocus(prove, this, [this] { Check(); });
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(load);
  buttons->addWidget(prove);
  buttons->addStretch();
  auto* row = new QHBoxLayout;
  row->addWidget(checkText_, 1);
  row->addLayout(buttons);
  auto* column = new QVBoxLayout(box);
  column->addLayout(row);
  column->addWidget(checkNote_);
  ChainTabOrder(checkText_, {load, prove});
  return box;
}

void WheelsPage::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && generate_->isEnabled()) {
    generate_->click();
    return;
  }
  QWidget::keyPressEvent(event);
}

void WheelsPage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  ShowTicket();
}

void WheelsPage::Refuse(const std::string& text) {
  host_.Messages().Show({text, kTitle, MessageButtons::Ok, MessageIcon::Exclamation});
}

std::optional<std::pair<std::vector<int>, WheelGuarantee>> WheelsPage::Request() {
  std::vector<int> chosen = NumbersIn(numbers_->text());
  std::sort(chosen.begin(), chosen.end());
  const WheelGuarantee g{t_->value(), m_->value()};
  std::string problem;
  if (!chosen.empty() && (chosen.front() < 1 || chosen.back() > 49)) {
    problem = "the numbers go from 1 to 49";
  } else if (std::adjacent_find(chosen.begin(), chosen.end()) != chosen.end()) {
    problem = "a number is typed twice";
  } else {
    problem = WheelProblem(static_cast<int>(chosen.size()), g);
  }
  if (!problem.empty()) {
    Refuse("No wheel for \"" + numbers_->text().trimmed().toStdString() + "\": " + problem + ".");
    return std::nullopt;
  }
  return std::pair{chosen, g};
}

void WheelsPage::Generate() {
  if (Running()) return;
  const auto request = Request();
  if (!request) return;
  auto [chosen, g] = *request;
  stopFlag_ = false;
  bar_->setValue(0);
  Run([this, chosen, g] {
    WheelWork work;
    work.chosen = chosen;
    work.guarantee = g;
    WheelOptions options;
    options.stop = &stopFlag_;
    options.progress = [this](const WheelProgress& progress) {
      const int value = static_cast<int>(progress.done * kBarSteps);
      QMetaObject::invokeMethod(
          this, [this, value] { bar_->setValue(value); }, Qt::QueuedConnection);
    };
    try {
      GeneratedWheel wheel = GenerateWheel(chosen, g, options);
      work.lines = std::move(wheel.lines);
      work.proof = wheel.proof;
      work.stopped = wheel.stopped;
    } catch (const std::exception& error) {
      work.error = error.what();
    }
    return Pictured(std::move(work));
  });
}

void WheelsPage::Stop() {
  stopFlag_ = true;
}

void WheelsPage::Check() {
  std::vector<std::string> rows;
  for (const QString& row : checkText_->toPlainText().split('\n'))
    rows.push_back(row.toStdString());
  Prove(rows, "The typed wheel");
}

void WheelsPage::Prove(const std::vector<std::string>& rows, const std::string& source) {
  if (Running()) return;
  const auto request = Request();
  if (!request) return;
  auto [chosen, g] = *request;
  WheelWork work;
  work.chosen = chosen;
  work.guarantee = g;
  work.checked = true;
  try {
    work.lines = ParseWheelText(rows, chosen, source);
  } catch (const std::invalid_argument& error) {
    Refuse(error.what());
    return;
  }
  Run([work]() mutable {
    work.proof = ProveWheel(work.chosen, work.lines, work.guarantee);
    return Pictured(std::move(work));
  });
}

void WheelsPage::LoadWheel() {
  const QString file = QFileDialog::getOpenFileName(this, "Load a wheel", FileDialogFolder(),
                                                    "Text files (*.txt *.csv);;All files (*)");
  if (file.isEmpty()) return;
  RememberFileDialogFolder(file);
  const ReadResult read = ReadTextLines(file.toStdString());
  if (read.error != 0) {
    Refuse("Cannot read the wheel file \"" + file.toStdString() +
           "\": " + FileErrorText(read.error));
    return;
  }
  QStringList rows;
  for (const std::string& row : read.lines) rows << Text(row);
  checkText_->setPlainText(rows.join('\n'));
  Prove(read.lines, "\"" + file.toStdString() + "\"");
}

void WheelsPage::Run(std::function<WheelWork()> work) {
  running_ = true;
  generate_->setEnabled(false);
  stop_->setEnabled(true);
  size_->setText("Working...");
  watcher_.setFuture(QtConcurrent::run(std::move(work)));
}

void WheelsPage::Finished() {
  const WheelWork work = watcher_.result();
  running_ = false;
  generate_->setEnabled(true);
  stop_->setEnabled(false);
  bar_->setValue(kBarSteps);
  size_->clear();
  if (!work.error.empty()) {
    Refuse("The wheel could not be built: " + work.error + ".");
    return;
  }
  if (!work.proof.holds) {
    QStringList missed;
    for (int number : work.proof.firstMiss) missed << QString::number(number);
    checkNote_->setText(QStringLiteral("The wheel fails %1 if %2: no line holds %1 of %3.")
                            .arg(work.guarantee.t)
                            .arg(work.guarantee.m)
                            .arg(missed.join(' ')));
    return;
  }
  if (work.checked) {
    checkNote_->setText(QStringLiteral("The wheel holds %1 if %2, proved over %3 sets.")
                            .arg(work.guarantee.t)
                            .arg(work.guarantee.m)
                            .arg(work.proof.setsChecked));
  }
  Show(work);
}

void WheelsPage::Show(const WheelWork& work) {
  shown_ = work.lines;
  lines_->BeginFilling();
  lines_->setRowCount(static_cast<int>(shown_.size()));
  for (int row = 0; row < lines_->rowCount(); ++row) {
    lines_->setItem(row, 0, DataTable::Cell(QString::number(row + 1), row + 1));
    lines_->setItem(row, 1,
                    DataTable::Cell(Text(SystemLineText(shown_[static_cast<std::size_t>(row)])),
                                    row, Qt::AlignLeft | Qt::AlignVCenter));
  }
  lines_->EndFilling();
  const WheelPicture& picture = work.picture;
  guarantee_->BeginFilling();
  guarantee_->setRowCount(static_cast<int>(picture.rows.size()));
  for (int row = 0; row < guarantee_->rowCount(); ++row) {
    const WheelHitRow& hit = picture.rows[static_cast<std::size_t>(row)];
    guarantee_->setItem(row, 0, DataTable::Cell(QString::number(hit.m), hit.m));
    guarantee_->setItem(row, 1, DataTable::Cell(QString::number(hit.worst), hit.worst));
    guarantee_->setItem(row, 2, DataTable::Cell(QString::number(hit.average, 'f', 2), hit.average));
  }
  guarantee_->EndFilling();
  QStringList chances;
  for (int atLeast = 3; atLeast <= 6; ++atLeast) {
    chances << QStringLiteral("at least %1: %2%")
                   .arg(atLeast)
                   .arg(100 * picture.Chance(atLeast), 0, 'f', atLeast < 5 ? 2 : 5);
  }
  chances_->setText("Chances in one draw, over all 13,983,816 draws: " + chances.join("; ") + ".");
  QString size = QStringLiteral(
                     "%1 lines; no wheel can have fewer than %2. %3 if %4, proved over "
                     "%5 sets.")
                     .arg(shown_.size())
                     .arg(work.lowerBound)
                     .arg(work.guarantee.t)
                     .arg(work.guarantee.m)
                     .arg(work.proof.setsChecked);
  if (work.stopped) size += " Stopped: the best wheel found so far.";
  size_->setText(size);
  ShowTicket();
}

void WheelsPage::ShowTicket() {
  std::vector<SavedLine> lines;
  for (const Line& line : shown_) lines.push_back(SavedLine{line, {}, {}});
  ticket_->Show(lines);
}

std::vector<Line> WheelsPage::PickedLines() const {
  std::vector<Line> picked;
  for (const QModelIndex& index : lines_->selectionModel()->selectedRows()) {
    const auto row = static_cast<std::size_t>(lines_->item(index.row(), 0)->text().toInt() - 1);
    if (row < shown_.size()) picked.push_back(shown_[row]);
  }
  return picked.empty() ? shown_ : picked;
}

void WheelsPage::Print() {
  if (shown_.empty()) {
    Refuse("Generate or check a wheel first.");
    return;
  }
  std::unique_ptr<PrintSurface> job = host_.OpenPrintJob("wheel");
  if (!job) return;
  job->SetFont("Courier New", 10);
  job->SetBold(true);
  job->PrintLine(size_->text().toStdString());
  job->SetBold(false);
  job->EmptyLine();
  for (std::size_t i = 0; i < shown_.size(); ++i)
    job->PrintLine(std::to_string(i + 1) + "  " + SystemLineText(shown_[i]));
  job->EmptyLine();
  job->PrintLine(chances_->text().toStdString());
  job->EndDocument();
}

}  // namespace bw::ui
