// SPDX-License-Identifier: GPL-3.0-or-later
// The tab strips, the shared Start button, the number grid's clicks and the
// Single Line check with its faces.
#include "model/statistics_text.h"
#include "ui/export_buttons.h"
#include "ui/history_page.h"
#include "ui/line_optimiser_page.h"
#include "ui/main_window.h"
#include "ui/my_lines_page.h"
#include "ui/number_grid.h"
#include "ui/optimise_page.h"
#include "ui/random_finder_page.h"
#include "ui/search_page.h"
#include "ui/single_line_page.h"
#include "ui/tab_strip.h"
#include "ui/update_page.h"

namespace bw::ui {
namespace {

constexpr const char* kStopCaption = "&Stop";

// The Start button's caption on each page of the choice tabs.
QString StartCaption(int page) {
  if (page == kUpdate) return "&Update";
  return page == kOptimise ? "&Optimise" : "&Start";
}

}  // namespace

void MainWindow::tabChoice_Click(int previousTab) {
  state_->stopRequested = true;
  if (previousTab == kSixFrom49) search_->SavePosition();  // the line reached is still shown
  cmdClear_Click();  // also sets which numbers may be picked on the new page
  const int page = tabChoice_->currentIndex();
  grid_->StartButton()->setText(StartCaption(page));
  grid_->SetRowsTitle("Selected Numbers");  // "6 from 49" titles it on entry
  grid_->ShowBonusSlot(page == kUpdate && state_->settings.useBonus);
  optimise_->ShowRightClickHint(page == kOptimise);
  if (page == kSixFrom49) search_->Enter();
}

void MainWindow::tabMain_Click(int /*previousTab*/) {
  state_->stopRequested = true;
  if (tabChoice_->currentIndex() == kSixFrom49) search_->SavePosition();
  SetTabsEnabled(true);
  // A change of main page leaves the "6 from 49" page (its position was saved above).
  if (tabChoice_->currentIndex() == kSixFrom49) tabChoice_->setCurrentIndex(kSingleLine);
  switch (tabMain_->currentIndex()) {
    case kGeneralServices:
      chosenLines_[1] = chosenLines_[2] = 0;
      tabMain_->SetTabSelectable(kLineOptimiser, false);
      cmdClear_Click();
      break;
    case kRandomLineFinder:
      chosenLines_[1] = chosenLines_[2] = 0;
      tabMain_->SetTabSelectable(kLineOptimiser, false);
      randomPage_->Enter();
      break;
    case kLineOptimiser:
      GetAllNumbers();
      optimiserPage_->PrepareFullSystem();
      break;
  }
}

void MainWindow::SetTabsEnabled(bool enabled) {
  runGoing_ = !enabled;
  optimise_->ShowRightClickHint(tabMain_->currentIndex() == kGeneralServices &&
                                tabChoice_->currentIndex() == kOptimise);
  switch (tabMain_->currentIndex()) {
    case kGeneralServices:
      tabMain_->SetTabSelectable(kGeneralServices, enabled);
      tabMain_->SetTabSelectable(kRandomLineFinder, enabled);
      for (int tab = kSingleLine; tab <= kSixFrom49; ++tab) {
        if (tab != tabChoice_->currentIndex()) tabChoice_->SetTabSelectable(tab, enabled);
      }
      break;
    case kRandomLineFinder:
      tabMain_->SetTabSelectable(kGeneralServices, enabled);
      break;
    case kLineOptimiser:
    case kStatistics:
    case kMyLines:
    case kHistory:
    case kWheels:
      tabMain_->SetTabSelectable(kGeneralServices, enabled);
      tabMain_->SetTabSelectable(kRandomLineFinder, enabled);
      break;
  }
  tabMain_->SetTabSelectable(kStatistics, enabled);
  tabMain_->SetTabSelectable(kMyLines, enabled);
  tabMain_->SetTabSelectable(kHistory, enabled);
  tabMain_->SetTabSelectable(kWheels, enabled);
  history_->AllowChanges(enabled);  // no change of the draws while a run counts them
}

void MainWindow::ShowLineOptimiser() {
  tabMain_->SetTabSelectable(kLineOptimiser, true);
  if (tabMain_->currentIndex() == kLineOptimiser) {
    tabMain_Click(kLineOptimiser);
  } else {
    tabMain_->setCurrentIndex(kLineOptimiser);
  }
}

// Tabs, date labels and statistics after the history changed as a whole.
void MainWindow::ShowNewHistory() {
  tabMain_->SetTabSelectable(kRandomLineFinder, true);
  for (int tab = kSingleLine; tab <= kSixFrom49; ++tab) tabChoice_->SetTabSelectable(tab, true);
  ShowDateLabels();
  cmdClear_Click();
  optimise_->RefreshStatistics();
}

void MainWindow::TellNewDraws(bool turnToPage) {
  const QString sentence = myLines_->ShowNewDraws();
  if (sentence.isEmpty()) return;
  TellInStatusBar(this, sentence);
  if (turnToPage && !runGoing_) tabMain_->setCurrentIndex(kMyLines);
}

void MainWindow::cmdCheckUpdate_Click() {
  QPushButton* start = grid_->StartButton();
  start->setEnabled(false);
  state_->stopRequested = false;
  optimise_->HideStatistics();
  switch (tabChoice_->currentIndex()) {
    case kSingleLine:
      singleLine_->HideFaces();
      start->setEnabled(true);
      if (start->text() == kStopCaption) {
        state_->stopRequested = true;
        cmdClear_Click();
        return;
      }
      start->setText(kStopCaption);
      SetTabsEnabled(false);
      {
        const SingleLineResult result = CheckSingleLine();
        SetTabsEnabled(true);
        start->setText("&Start");
        if (!state_->stopRequested) singleLine_->ShowFace(result);
      }
      break;
    case kUpdate:
      SetTabsEnabled(false);
      if (update_->AddNewDraw()) {
        cmdClear_Click();
        ShowDateLabels();
        TellInStatusBar(this, "Draw added to the history");
        TellNewDraws(false);
      }
      SetTabsEnabled(true);
      break;
    case kOptimise:
      optimise_->Start();
      break;
    case kSixFrom49:
      search_->StartOrStop();
      break;
  }
}

void MainWindow::cmdClear_Click() {
  singleLine_->Clear();
  grid_->ClearPicks();
  QPushButton* start = grid_->StartButton();
  const int page = tabChoice_->currentIndex();
  // On Single Line and 6 from 49 a running check or search keeps its Stop caption.
  if (page == kUpdate || page == kOptimise) start->setText(StartCaption(page));
  grid_->SetNumbersEnabled(true);  // the Update page proposes a date at once
  start->setEnabled(false);
}

void MainWindow::cmdGetNumber_Click(int index) {
  switch (tabChoice_->currentIndex()) {
    case kSingleLine:
      grid_->GetCheckLine(index);
      break;
    case kSixFrom49:
      grid_->GetCheckLine(index);
      search_->TitleRow();
      break;
    case kUpdate:
      grid_->GetCheckLotto(index);
      break;
    default:
      grid_->GetCheckSystem(index);
      break;
  }
}

void MainWindow::GetAllNumbers() {
  bw::GetAllNumbers(selectedNumbers_);
}

// The window side of the line check: the line of lblNumber7..12 in, the
// Single Line page out; Start stays usable while a line is picked.
SingleLineResult MainWindow::CheckSingleLine() {
  const SingleLineResult result = singleLine_->CheckOverRange(grid_->LowerRow());
  if (!grid_->Caption(1).isEmpty()) grid_->StartButton()->setEnabled(true);
  return result;
}

SingleLineResult MainWindow::CheckLineOnPanel(const Line& line) {
  grid_->ShowLowerRow(line);
  const SingleLineResult result = singleLine_->ShowCheck(line);
  if (!grid_->Caption(1).isEmpty()) grid_->StartButton()->setEnabled(true);
  return result;
}

}  // namespace bw::ui
