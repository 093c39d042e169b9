// The "6 from 49" page: the start line from the position file, the search
// through all lines in short slices, the found lines and their printing.
#include <QStyle>
#include <algorithm>
#include <chrono>

#include "analysis/all_lines_search.h"
#include "print/reports.h"
#include "store/search_position.h"
#include "ui/main_window.h"
#include "ui/number_grid.h"
#include "ui/tab_strip.h"

namespace bw::ui {
namespace {

constexpr int kLineFirst = 7;  // lblNumber7..12 hold the line
// Each slice of the search works about this long before the window runs its
// pending events (Stop, Timer2), so the window stays responsive.
constexpr auto kSliceTarget = std::chrono::milliseconds(40);
constexpr int64_t kFirstSliceLines = 20'000;
constexpr int64_t kMinSliceLines = 500;
constexpr int64_t kMaxSliceLines = 4'000'000;
const QColor kFoundColour(0, 255, 0);
const QColor kIdleColour(224, 224, 224);

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

// Entering the page: an empty display and the start line from the lottery's
// position file, or 1 2 3 4 5 6.
void MainWindow::EnterSearchPage() {
  foundAll_->clear();
  for (int k = 1; k <= 6; ++k) preDigit_[k]->clear();
  digit9_->setText("0");
  SetPrintPanel(false);
  resumeLine_ = LoadSearchPosition(state_).value_or("");
  QPushButton* start = grid_->StartButton();
  start->setEnabled(true);
  if (resumeLine_.empty()) {
    grid_->ShowLowerRow({1, 2, 3, 4, 5, 6});
    TitleSearchRow();
    return;
  }
  const std::array<std::string, 6> captions = CaptionsFromResumeLine(resumeLine_);
  for (int k = 0; k < 6; ++k) {
    grid_->SetCaption(kLineFirst + k, QString::fromStdString(captions[k]));
    if (captions[k].empty()) start->setEnabled(false);
  }
  TitleSearchRow();
}

// The row under the grid holds the line a search or its resume checks first;
// once no line is left after it, the row only shows where the search ended.
void MainWindow::TitleSearchRow() {
  const bool linesLeft = FirstLineToCheck(UsableStartLine(grid_->LowerRow())).has_value();
  grid_->SetRowsTitle(linesLeft ? "Next line to check" : "All lines checked");
}

void MainWindow::SaveSearchPosition() {
  std::array<std::string, 6> captions;
  for (int k = 0; k < 6; ++k) captions[k] = grid_->Caption(kLineFirst + k).toStdString();
  bw::SaveSearchPosition(state_, captions);
}

void MainWindow::Timer2_Timer() {
  SaveSearchPosition();
}

// The Start button on the "6 from 49" page: starts the search, or asks the
// running one to stop.
void MainWindow::RunSearch() {
  QPushButton* start = grid_->StartButton();
  if (start->text() == "&Stop") {
    state_.stopRequested = true;
    start->setEnabled(true);
    return;
  }
  start->setText("&Stop");
  start->setEnabled(true);
  SetTabsEnabled(false);
  grid_->UnpickAll();  // the row moves on from the picked line
  RunAll();
  SetPrintPanel(false);
  SetTabsEnabled(true);
  start->setText("&Start");
}

void MainWindow::RunAll() {
  list4_.clear();
  timer2_->start();
  foundAll_->setText("Found 0 over 66%+");
  state_.stopRequested = false;
  std::optional<Line> next = FirstLineToCheck(UsableStartLine(grid_->LowerRow()));
  int foundCount = 0;
  Line lastChecked = grid_->LowerRow();
  // Checks up to `lines` lines from `next`, shows the last one checked and
  // lists the found ones.
  const auto checkFromNext = [&](int64_t lines) {
    std::vector<FoundLine> found;
    const SliceResult slice = session_.CheckSlice(*next, lines, found);
    if (slice.checked > 0) {
      lastChecked = slice.lastChecked;
      for (int k = 1; k <= 6; ++k) preDigit_[k]->setText(QString::number(lastChecked[k - 1]));
      digit9_->setText(QString::number(slice.lastPercent));
    }
    for (const FoundLine& line : found) ShowFoundLine(line, foundCount);
    next = slice.next;
  };
  int64_t budget = kFirstSliceLines;
  while (next && !state_.stopRequested) {
    const auto began = std::chrono::steady_clock::now();
    checkFromNext(budget);
    budget = TunedBudget(budget, std::chrono::steady_clock::now() - began);
    // Between slices the line labels show the next line not yet checked: the
    // position that a timer tick, a Stop or closing the window saves, and the
    // line a resumed search checks first. A saved line ending in 49 is passed
    // over on resume, so a slice never ends just before one.
    while (next && (*next)[5] == 49) checkFromNext(1);
    grid_->ShowLowerRow(next ? *next : lastChecked);
    services_.events.LetEventsRun();
    digit9_->repaint();
  }
  if (!list4_.empty()) PrintRunAll(true);
  EndSearchReport();
  timer2_->stop();
  TitleSearchRow();
}

void MainWindow::ShowFoundLine(const FoundLine& found, int& foundCount) {
  SetPrintPanel(true);
  ++foundCount;
  foundAll_->setText(QStringLiteral("Found %1 over 66%+").arg(foundCount));
  list4_.push_back(FoundLineEntry(found.line, found.percent));
  if (list4_.size() >= kFoundBatch) PrintRunAll(true);
}

// clear = false: the "Print" panel prints what is listed, as a report of its
// own. clear = true: the search adds its batch to the one report that grows
// while it runs, instead of writing a new file for every 320 lines.
void MainWindow::PrintRunAll(bool clear) {
  if (!timer2_->isActive()) timer2_->start();
  if (!clear) {
    if (std::unique_ptr<PrintSurface> job = OpenPrintJob("found lines")) {
      PrintFoundLines(*job, list4_);
    }
    return;
  }
  if (!searchReport_) searchReport_ = OpenPrintJob("found lines");
  if (searchReport_) PrintFoundEntries(*searchReport_, list4_);
  list4_.clear();
}

void MainWindow::EndSearchReport() {
  if (!searchReport_) return;
  searchReport_->EndDocument();
  searchReport_.reset();
}

// The "Print" panel: green and usable once a line was found, grey otherwise.
void MainWindow::SetPrintPanel(bool enabled) {
  const QColor colour = enabled ? kFoundColour : kIdleColour;
  printAll_->setEnabled(enabled);
  printAll_->setProperty("ForeColor", colour);
  // Disabled, the panel is flat and pale like any disabled control.
  printAll_->setStyleSheet(QStringLiteral("QPushButton { color: %1; background: #23395b; "
                                          "border: 2px outset #3a5a85; border-radius: 4px; "
                                          "font-weight: bold; font-size: 15px; }"
                                          "QPushButton:disabled { color: #a4a9b0; "
                                          "background: #eceef1; border: 1px solid #c9ced6; }")
                               .arg(colour.name()));
}

}  // namespace bw::ui
