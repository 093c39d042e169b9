// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/line_optimiser_page.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "print/reports.h"
#include "ui/help_viewer.h"
#include "ui/line_results_table.h"
#include "ui/page_widgets.h"
#include "ui/qt_print_surface.h"

namespace bw::ui {

namespace {

constexpr int kFixedPitchPoints = 10;

struct PrintOption {
  int index;
  const char* caption;
  int tag;  // the lowest result printed with this option
};
constexpr PrintOption kPrintOptions[] = {
    {0, "Print report on &all lines", 0},
    {2, ">=&50%", 50},
    {3, ">=&66%", 66},
};

QListWidget* MakeFixedPitchList(QWidget* parent, const char* name) {
  auto* list = new QListWidget(parent);
  list->setObjectName(name);
  list->setFont(FixedPitchFont("Courier New", kFixedPitchPoints));
  list->setUniformItemSizes(true);
  return list;
}

}  // namespace

LineOptimiserPage::LineOptimiserPage(PageHost& host, QWidget* parent)
    : QWidget(parent), host_(host) {
  setObjectName("picOptimise");
  BuildLayout();
}

void LineOptimiserPage::BuildLayout() {
  auto* outer = new QHBoxLayout(this);
  auto* left = new QVBoxLayout();
  lblSelected_ = new QLabel("Selected Numbers: []", this);
  lblSelected_->setObjectName("lblSelected");
  label6_ = new QLabel(QString::fromStdString(ResultRowHeader()), this);
  label6_->setObjectName("Label6");
  label6_->setFont(FixedPitchFont("Courier New", kFixedPitchPoints));
  list3_ = MakeFixedPitchList(this, "List3");
  list3_->setMinimumWidth(QFontMetrics(list3_->font()).horizontalAdvance(QString(46, 'X')));
  list4_ = MakeFixedPitchList(this, "List4");
  list4_->hide();
  left->addWidget(lblSelected_);
  left->addWidget(label6_);
  left->addWidget(list3_, 1);
  outer->addLayout(left, 1);
  table_ = new LineResultsTable(host_, "System", this);
  outer->addWidget(table_, 1);

  auto* right = new QVBoxLayout();
  pnlOptimiser_ = new QLabel(this);
  pnlOptimiser_->setObjectName("pnlOptimiser");
  pnlOptimiser_->setFrameShape(QFrame::StyledPanel);
  pnlOptimiser_->setAlignment(Qt::AlignCenter);
  pnlOptimiser_->setMinimumHeight(64);
  pnlOptimiser_->setText("Full system 6 from 12");
  right->addWidget(pnlOptimiser_);

  auto* options = new QGridLayout();
  for (const PrintOption& option : kPrintOptions) {
    auto* button = new QRadioButton(option.caption, this);
    button->setObjectName(QString("optList%1").arg(option.index));
    button->setProperty("tag", option.tag);
    connect(button, &QRadioButton::toggled, this, [this, button](bool checked) {
      if (checked) printThreshold_ = button->property("tag").toInt();  // optList_Click
    });
    auto* digit = new QLabel("0", this);
    digit->setObjectName(QString("OptimiseDigit%1").arg(option.index));
    digit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    digit->setMinimumWidth(40);
    const int row = option.index == 0 ? 0 : option.index - 1;
    options->addWidget(button, row, 0);
    options->addWidget(digit, row, 1);
    optList_[option.index] = button;
    optimiseDigit_[option.index] = digit;
  }
  right->addLayout(options);

  progressBar_ = new QProgressBar(this);
  progressBar_->setObjectName("ProgressBar");
  progressBar_->setRange(0, 100);
  progressBar_->setValue(0);
  // The bar keeps its room while hidden, so Start/Stop never moves under the mouse.
  QSizePolicy keepRoom = progressBar_->sizePolicy();
  keepRoom.setRetainSizeWhenHidden(true);
  progressBar_->setSizePolicy(keepRoom);
  progressBar_->hide();
  right->addWidget(progressBar_);

  cmdStart_ = new QPushButton("&Start", this);
  cmdStart_->setObjectName("cmdStart");
  connect(cmdStart_, &QPushButton::clicked, this, &LineOptimiserPage::cmdStart_Click);
  cmdPrintList_ = new QPushButton("&Print", this);
  cmdPrintList_->setObjectName("cmdPrintList");
  cmdPrintList_->setEnabled(false);
  connect(cmdPrintList_, &QPushButton::clicked, this, &LineOptimiserPage::cmdPrintList_Click);
  right->addWidget(cmdStart_);
  right->addWidget(cmdPrintList_);
  right->addStretch();
  right->addWidget(
      HelpButton("cmdHelpLineOptimiser", "He&lp", host_.Help(), help_topic::kLineOptimiser, this));
  outer->addLayout(right);
}

void LineOptimiserPage::PrepareFullSystem() {
  cmdPrintList_->setEnabled(false);
  cmdStart_->setEnabled(false);
  host_.SetTabsEnabled(false);
  EnablePrintOptions(false);
  optList_[3]->setChecked(true);
  list3_->clear();
  list4_->clear();
  table_->Clear();
  ShowCounters({});
  lblSelected_->setText(
      QString::fromStdString("Selected Numbers: [" + host_.SelectedNumbers()[0] + "]"));
  lblSelected_->repaint();
  SetStatus("About to analyse", "full system 6 from 12", "[ 924 system lines]");
  list3_->setEnabled(true);
  EnablePrintOptions(true);
  host_.SetTabsEnabled(true);
  cmdStart_->setEnabled(true);
}

bool LineOptimiserPage::IsRunning() const {
  return cmdStart_->text() == "&Stop";
}

void LineOptimiserPage::cmdStart_Click() {
  ProgramState& state = host_.GetSession().State();
  if (cmdStart_->text() != "&Start") {
    state.stopRequested = true;  // the running loop stops at its next test
    return;
  }
  const std::vector<std::string>* patterns = &host_.GetSession().SystemPatterns();
  if (patterns->size() != kSystemLineCount) {
    if (fallbackPatterns_.empty()) fallbackPatterns_ = BuildSystemPatterns();
    patterns = &fallbackPatterns_;
  }
  const std::vector<Line> lines = BuildSystemLines(host_.SelectedNumbers(), *patterns);
  for (const Line& line : lines) {
    if (!IsValidLine(line)) return;  // fewer than twelve different numbers: nothing to run
  }
  pnlOptimiser_->setText("Initialising System...");
  state.stopRequested = false;
  host_.SetTabsEnabled(false);
  ShowCounters({});
  progressBar_->setValue(0);
  progressBar_->show();

  AnalyseSystemLines(lines);

  host_.SetTabsEnabled(true);
  if (state.stopRequested) {
    SetStatus("Analysis of", "full system 6 from 12", "[924 system lines] interrupted.");
  } else {
    SetStatus("Analysis of", "full system 6 from 12", "[924 system lines] complete.");
  }
  state.stopRequested = false;
}

void LineOptimiserPage::AnalyseSystemLines(const std::vector<Line>& lines) {
  ProgramState& state = host_.GetSession().State();
  cmdStart_->setText("&Stop");
  list3_->clear();
  list4_->clear();
  table_->Clear();
  cmdPrintList_->setEnabled(false);
  pnlOptimiser_->setText("Working...");
  progressBar_->setValue(0);
  progressBar_->show();

  SystemCounters counters;
  SystemRunHooks hooks;
  hooks.letEventsRun = [this] { host_.Events().LetEventsRun(); };
  hooks.stopRequested = [&state] { return state.stopRequested; };
  hooks.onRow = [&](int index, const std::string& row, const SingleLineResult& result) {
    // The run counts a row right after listing it; show the count with it.
    SystemCounters shown = counters;
    shown.Count(result.percent);
    ListRow(index, static_cast<int>(lines.size()), row, shown);
    table_->Add({{lines[static_cast<std::size_t>(index)], result}});
  };
  RunFullSystem(
      lines, [this](const Line& line) { return host_.CheckLineOnPanel(line); }, counters, hooks);

  progressBar_->setValue(0);
  progressBar_->hide();
  list3_->setEnabled(true);
  cmdStart_->setText("&Start");
}

void LineOptimiserPage::ListRow(int index, int lineCount, const std::string& row,
                                const SystemCounters& counters) {
  progressBar_->setValue(
      static_cast<int>((100.0f / static_cast<float>(lineCount)) * static_cast<float>(index)));
  const QString text = QString::fromStdString(row);
  list3_->addItem(text);
  list4_->addItem(text);
  ShowCounters(counters);
  list3_->setCurrentRow(list3_->count() - 1);
  cmdPrintList_->setEnabled(true);
}

void LineOptimiserPage::ShowCounters(const SystemCounters& counters) {
  optimiseDigit_[0]->setText(QString::number(counters.analysed));
  optimiseDigit_[2]->setText(QString::number(counters.from50to65));
  optimiseDigit_[3]->setText(QString::number(counters.atLeast66));
}

void LineOptimiserPage::cmdPrintList_Click() {
  std::unique_ptr<PrintSurface> job = host_.OpenPrintJob("full system");
  if (!job) return;
  PrintFullSystemReport(*job, PrintRows(), host_.SelectedNumbers()[0], printThreshold_);
}

std::vector<std::string> LineOptimiserPage::PrintRows() const {
  std::vector<std::string> rows;
  rows.reserve(list4_->count());
  for (int i = 0; i < list4_->count(); ++i) rows.push_back(list4_->item(i)->text().toStdString());
  return rows;
}

void LineOptimiserPage::SetStatus(const char* first, const char* second, const char* third) {
  pnlOptimiser_->setText(QString("%1\n%2\n%3").arg(first, second, third));
}

void LineOptimiserPage::EnablePrintOptions(bool enabled) {
  for (int index : {0, 2, 3}) optList_[index]->setEnabled(enabled);
}

}  // namespace bw::ui
