// SPDX-License-Identifier: GPL-3.0-or-later
// The "6 from 49" page: the start line from the position file, the search
// through all lines in short slices, the found lines and their printing.
#include "ui/search_page.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>

#include "analysis/all_lines_search.h"
#include "print/reports.h"
#include "store/search_position.h"
#include "ui/export_buttons.h"
#include "ui/help_viewer.h"
#include "ui/line_results_table.h"
#include "ui/number_grid.h"
#include "ui/page_widgets.h"
#include "ui/pictures.h"

namespace bw::ui {
namespace {

constexpr int kSearchTimerMs = 60'000;  // how often a running search saves its position
constexpr int kLineFirst = 7;           // lblNumber7..12 hold the line
// Each slice of the search works about this long before the window runs its
// pending events (Stop, Timer2), so the window stays responsive.
constexpr auto kSliceTarget = std::chrono::milliseconds(40);
constexpr int64_t kFirstSliceLines = 20'000;
constexpr int64_t kMinSliceLines = 500;
constexpr int64_t kMaxSliceLines = 4'000'000;
// A report of the lines found may grow this many pages before the user is asked.
constexpr int kReportPagesUnasked = 100;

// The next slice's line budget from how long this one took.
int64_t TunedBudget(int64_t budget, std::chrono::steady_clock::duration took) {
  const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(took).count();
  const auto target = std::chrono::duration_cast<std::chrono::microseconds>(kSliceTarget).count();
  const int64_t tuned = micros <= 0 ? budget * 4 : budget * target / micros;
  return std::clamp(tuned, std::max(kMinSliceLines, budget / 4),
                    std::min(kMaxSliceLines, budget * 4));
}

// A start line that is not six ascending numbers 1..49 (a hand-edited
// position file) is put in order; when that is not enough the search starts
// from the first line.
Line UsableStartLine(Line line) {
  if (IsValidLine(line)) return line;
  std::sort(line.begin(), line.end());
  return IsValidLine(line) ? line : Line{1, 2, 3, 4, 5, 6};
}

}  // namespace

SearchPage::SearchPage(PageHost& host, NumberGrid& grid, QWidget* parent)
    : QWidget(parent), host_(host), grid_(grid) {
  setObjectName("tabSixFrom49");
  QWidget* page = this;
  QLabel* label2 = Guidance(
      "Checks every line of 6 from 49 against the history and collects the lines of 66% and "
      "more, starting with the \"Next line to check\" under the grid (pick six numbers to start "
      "elsewhere). Stop at any time: \"Last line checked\" shows where it stopped, and the "
      "next search starts with the line after it.",
      page, "Label2");

  auto* progress = new QGroupBox("Last line checked", page);
  progress->setObjectName("fraSearch");
  auto* line = new QHBoxLayout(progress);
  for (int k = 1; k <= 6; ++k) {
    preDigit_[k] = ResultBox(QStringLiteral("PreDigit%1").arg(k), progress);
    preDigit_[k]->setMinimumWidth(40);
    preDigit_[k]->setAlignment(Qt::AlignCenter);
    line->addWidget(preDigit_[k]);
  }
  line->addSpacing(16);
  digit9_ = ResultBox("Digit9", progress, 14);
  digit9_->setText("0");
  return9_ = NamedLabel("lblReturn9", "%", progress);
  return9_->setFont(FixedFont(14, true));
  line->addWidget(digit9_);
  line->addWidget(return9_);
  line->addStretch();

  foundAll_ = NamedLabel("lblFoundAll", QString(), page);
  foundAll_->setFont(FixedFont(12, true));
  printAll_ = new QPushButton("Print", page);
  printAll_->setObjectName("pnlPrintAll");
  printAll_->setMinimumSize(120, 40);
  SetPrintPanel(false);

  auto* found = new QHBoxLayout;
  found->addWidget(foundAll_, 1);
  found->addWidget(printAll_);
  auto* column = new QVBoxLayout;
  column->addWidget(label2);
  column->addWidget(progress);
  column->addLayout(found);
  finds_ = new LineResultsTable(host_, "Found", page);
  column->addWidget(finds_, 1);
  column->addWidget(
      HelpButton("cmdHelpRunAll", "&Read me once", host_.Help(), help_topic::kSixFrom49, this), 0,
      Qt::AlignLeft);
  auto* row = new QHBoxLayout(page);
  row->addLayout(column, 1);
  row->addWidget(PictureLabel("ImageGear", GearPicture(96), page), 0, Qt::AlignTop);

  timer_ = new QTimer(this);
  timer_->setObjectName("Timer2");
  timer_->setInterval(kSearchTimerMs);
  connect(timer_, &QTimer::timeout, this, [this] { SavePosition(); });
  connect(printAll_, &QPushButton::clicked, this, [this] { PrintRunAll(false); });
}

// Entering the page: an empty display and the start line from the lottery's
// position file, or 1 2 3 4 5 6.
void SearchPage::Enter() {
  foundAll_->clear();
  finds_->Clear();
  for (int k = 1; k <= 6; ++k) preDigit_[k]->clear();
  digit9_->setText("0");
  list4_.clear();
  SetPrintPanel(false);
  const std::string resumeLine = LoadSearchPosition(State()).value_or("");
  QPushButton* start = grid_.StartButton();
  start->setEnabled(true);
  if (resumeLine.empty()) {
    grid_.ShowLowerRow({1, 2, 3, 4, 5, 6});
    TitleRow();
    return;
  }
  const std::array<std::string, 6> captions = CaptionsFromResumeLine(resumeLine);
  for (int k = 0; k < 6; ++k) {
    grid_.SetCaption(kLineFirst + k, QString::fromStdString(captions[k]));
    if (captions[k].empty()) start->setEnabled(false);
  }
  TitleRow();
}

// The row under the grid holds the line a search or its resume checks first;
// once no line is left after it, the row only shows where the search ended.
void SearchPage::TitleRow() {
  const bool linesLeft = FirstLineToCheck(UsableStartLine(grid_.LowerRow())).has_value();
  grid_.SetRowsTitle(linesLeft ? "Next line to check" : "All lines checked");
}

void SearchPage::SavePosition() {
  std::array<std::string, 6> captions;
  for (int k = 0; k < 6; ++k) captions[k] = grid_.Caption(kLineFirst + k).toStdString();
  const FolderLockHold hold = host_.GetSession().HoldFolder(LockMode::Exclusive);
  SaveSearchPosition(State(), captions);
}

// The Start button on the "6 from 49" page: starts the search, or asks the
// running one to stop.
void SearchPage::StartOrStop() {
  QPushButton* start = grid_.StartButton();
  if (start->text() == "&Stop") {
    State().stopRequested = true;
    start->setEnabled(true);
    return;
  }
  if (!FirstLineToCheck(UsableStartLine(grid_.LowerRow()))) {
    TellInStatusBar(this, "All lines are checked: pick six numbers to search on from them.");
    return;
  }
  start->setText("&Stop");
  start->setEnabled(true);
  host_.SetTabsEnabled(false);
  grid_.UnpickAll();  // the row moves on from the picked line
  RunAll();
  SetPrintPanel(!list4_.empty());  // the lines found since the last print wait for Print
  host_.SetTabsEnabled(true);
  start->setText("&Start");
}

void SearchPage::RunAll() {
  list4_.clear();
  finds_->Clear();
  timer_->start();
  foundAll_->setText("Found 0 over 66%+");
  State().stopRequested = false;
  std::optional<Line> next = FirstLineToCheck(UsableStartLine(grid_.LowerRow()));
  int foundCount = 0;
  reportRefused_ = false;
  Line lastChecked = grid_.LowerRow();
  // Checks up to `lines` lines from `next`, shows the last one checked and
  // lists the found ones.
  const auto checkFromNext = [&](int64_t lines) {
    std::vector<FoundLine> found;
    const SliceResult slice = host_.GetSession().CheckSlice(*next, lines, found);
    if (slice.checked > 0) {
      lastChecked = slice.lastChecked;
      for (int k = 1; k <= 6; ++k) preDigit_[k]->setText(QString::number(lastChecked[k - 1]));
      digit9_->setText(QString::number(slice.lastPercent));
    }
    std::vector<LineResultsTable::Row> rows;
    for (const FoundLine& line : found) {
      ShowFoundLine(line, foundCount);
      if (foundCount <= kMostFindsShown)
        rows.push_back({line.line, host_.GetSession().Check(line.line)});
    }
    finds_->Add(rows);
    next = slice.next;
  };
  int64_t budget = kFirstSliceLines;
  while (next && !State().stopRequested) {
    const auto began = std::chrono::steady_clock::now();
    checkFromNext(budget);
    budget = TunedBudget(budget, std::chrono::steady_clock::now() - began);
    // Between slices the line labels show the next line not yet checked: the
    // position that a timer tick, a Stop or closing the window saves, and the
    // line a resumed search checks first. A saved line ending in 49 is passed
    // over on resume, so a slice never ends just before one.
    while (next && (*next)[5] == 49) checkFromNext(1);
    grid_.ShowLowerRow(next ? *next : lastChecked);
    host_.Events().LetEventsRun();
    digit9_->repaint();
  }
  // A search that ends by itself prints the rest; a stopped one leaves it to Print.
  if (!next && !list4_.empty()) PrintRunAll(true);
  EndSearchReport();
  timer_->stop();
  TitleRow();
  const QString found = foundAll_->text().section(' ', 1, 1);
  if (!next) {
    TellInStatusBar(this, "All lines checked: " + found + " found over 66%.");
  } else {
    TellInStatusBar(this, "Stopped: " + found + " found over 66%" +
                              (list4_.empty() ? QString(".")
                                              : QStringLiteral("; Print prints the %1 not printed "
                                                               "yet.")
                                                    .arg(list4_.size())));
  }
}

void SearchPage::ShowFoundLine(const FoundLine& found, int& foundCount) {
  SetPrintPanel(true);
  ++foundCount;
  foundAll_->setText(QStringLiteral("Found %1 over 66%+").arg(foundCount));
  list4_.push_back(FoundLineEntry(found.line, found.percent));
  if (list4_.size() >= kFoundBatch && !reportRefused_) PrintRunAll(true);
}

// clear = false: the "Print" panel prints what is listed, as a report of its
// own. clear = true: the search adds its batch to the one report that grows
// while it runs, instead of writing a new file for every 320 lines.
void SearchPage::PrintRunAll(bool clear) {
  if (!timer_->isActive()) timer_->start();
  if (!clear) {
    if (std::unique_ptr<PrintSurface> job = host_.OpenPrintJob("found lines")) {
      PrintFoundLines(*job, list4_);
    }
    return;
  }
  if (!searchReport_) {
    searchReport_ = host_.OpenPrintJob("found lines");
    reportEntries_ = 0;
    reportPagesAllowed_ = kReportPagesUnasked;
  }
  if (!ReportMayGrow(reportEntries_ + list4_.size())) return;
  if (searchReport_) PrintFoundEntries(*searchReport_, list4_);
  reportEntries_ += list4_.size();
  list4_.clear();
  // The report grows while the search runs: say so at once, not only at its end.
  const std::string file = searchReport_ ? searchReport_->OutputFile() : "";
  TellInStatusBar(this, QStringLiteral("Printing the lines found to %1: about %2 pages so far")
                            .arg(file.empty() ? "the printer" : QString::fromStdString(file))
                            .arg(FoundReportPages(reportEntries_)));
}

bool SearchPage::ReportMayGrow(std::size_t entries) {
  if (FoundReportPages(entries) <= reportPagesAllowed_) return true;
  const MessageAnswer answer = host_.Messages().Show(
      {QStringLiteral("The report of the lines found is about to pass %1 pages.\r\n\r\n"
                      "Go on printing the lines found? No stops the search; the lines not "
                      "printed yet stay listed for Print.")
           .arg(reportPagesAllowed_)
           .toStdString(),
       "Long report", MessageButtons::YesNo, MessageIcon::Question, MessageAnswer::No});
  if (answer == MessageAnswer::Yes) {
    reportPagesAllowed_ += kReportPagesUnasked;
    return true;
  }
  reportRefused_ = true;
  State().stopRequested = true;
  return false;
}

void SearchPage::EndSearchReport() {
  if (!searchReport_) return;
  searchReport_->EndDocument();
  searchReport_.reset();
}

// The "Print" panel: in the highlight colour and usable once a line was
// found; disabled, flat and pale like any disabled control.
void SearchPage::SetPrintPanel(bool enabled) {
  printAll_->setEnabled(enabled);
  printAll_->setStyleSheet(
      "QPushButton { color: palette(highlighted-text); background: palette(highlight); "
      "border: 2px outset palette(dark); border-radius: 4px; font-weight: bold; "
      "font-size: 15px; }"
      "QPushButton:disabled { color: palette(mid); background: palette(window); "
      "border: 1px solid palette(mid); }");
}

}  // namespace bw::ui
