// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up loading, the File menu and the closing rules of the main window.
#include <QApplication>
#include <QCloseEvent>
#include <algorithm>

#include "app/start_up_messages.h"
#include "model/day_number.h"
#include "store/history_file.h"
#include "store/index_files.h"
#include "store/settings_files.h"
#include "ui/export_buttons.h"
#include "ui/import_flow.h"
#include "ui/line_insight_panel.h"
#include "ui/lottery_dialog.h"
#include "ui/main_window.h"
#include "ui/number_grid.h"
#include "ui/search_page.h"
#include "ui/single_line_page.h"
#include "ui/splash_window.h"
#include "ui/tab_strip.h"
#include "ui/update_page.h"

namespace bw::ui {
namespace {

constexpr const char* kCrLf = "\r\n";

QString LongDate(int32_t dayNumber) {
  return QString::fromStdString(FormatLongDate(DateOfDayNumber(dayNumber)));
}

}  // namespace

bool MainWindow::Initialize() {
  StartFileDialogsIn(state_->appFolder);
  setEnabled(false);
  if (!ResolveLottery()) return false;

  show();
  repaint();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  LoadHistoryWithSplash();
  QApplication::restoreOverrideCursor();
  setEnabled(true);
  for (const Message& message : HistoryReadMessages(*state_)) services_.messages.Show(message);

  tabMain_->SetTabSelectable(kGeneralServices, true);
  tabMain_->SetTabSelectable(kRandomLineFinder, true);
  tabMain_->SetTabSelectable(kLineOptimiser, false);
  for (int tab = kSingleLine; tab <= kSixFrom49; ++tab) tabChoice_->SetTabSelectable(tab, true);

  if (state_->draws.empty()) {
    ShowUpdateOnly();
  } else {
    ShowDateLabels();
  }
  setWindowTitle(
      QString::fromStdString(" Ballwright - [Database loaded (" + state_->lottoFile + ")]"));
  TellNewDraws(true);  // `add` or `import` may have brought draws since the last look
  return true;
}

// The lottery settings, with the dialog when they are missing or incomplete;
// a lottery the dialog chooses or creates is taken up at once. False when the
// window closed because none is usable.
bool MainWindow::ResolveLottery() {
  const std::string programProblem = state_->settingsProblem;
  if (!ReadLotterySettings(*state_)) {
    services_.messages.Show(NoLotteryMessage(
        state_->settingsProblem.empty() ? programProblem : state_->settingsProblem));
    const bool chosen = ShowLotteryDialog();
    const bool created = state_->newFileCreated;
    if (chosen) UseFreshSession();
    if (!chosen || !ReadLotterySettings(*state_)) {
      close();
      return false;
    }
    if (created) services_.messages.Show(NewLotteryMessage(*state_));
  }
  if (DetailsResolved(state_->settings)) return true;
  services_.messages.Show(UnresolvedDetailsMessage(false));
  if (ShowLotteryDialog()) {
    UseFreshSession();
    ReadLotterySettings(*state_);
  }
  if (DetailsResolved(state_->settings)) return true;  // the dialog settled them: start normally
  services_.messages.Show(UnresolvedDetailsMessage(true));
  close();
  return false;
}

void MainWindow::LoadHistoryWithSplash() {
  session_->ReadHistory();  // only an empty draw list matters, not the result
  SplashWindow splash;
  splash.show();
  splash.repaint();
  // Lets the splash window appear; no user input runs during the loading.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  session_->IntegrateHistory(
      [&splash](std::size_t done, std::size_t total) { splash.ShowProgress(done, total); });
}

// A history without draws: only the Update page can be used.
void MainWindow::ShowUpdateOnly() {
  update_->ShowNoEntries();
  update_->ProposeNextDrawDay(services_.clock.TodayDayNumber());
  // An unreadable history was reported as such at loading.
  if (state_->historyRead.outcome != HistoryReadOutcome::Unreadable) {
    services_.messages.Show(NoPastDrawsMessage());
  }
  tabChoice_->SetTabSelectable(kUpdate, true);
  tabChoice_->setCurrentIndex(kUpdate);
  for (int tab : {kSingleLine, kOptimise, kSixFrom49}) tabChoice_->SetTabSelectable(tab, false);
  services_.events.LetEventsRun();
  tabMain_->SetTabSelectable(kRandomLineFinder, false);
  tabMain_->setCurrentIndex(kGeneralServices);
}

void MainWindow::ShowDateLabels() {
  // A new lottery's placeholder lines are no draws: no range is made up for them.
  const bool anyDraw = std::ranges::any_of(
      state_->draws, [](const std::string& entry) { return !IsPlaceholderEntry(entry); });
  if (anyDraw) {
    recorded_->setText("Recorded Database Entries" + QString(kCrLf) +
                       "From: " + LongDate(state_->oldestDrawDate) + kCrLf +
                       "To: " + LongDate(state_->newestDrawDate));
    update_->ShowLastEntry(LongDate(state_->newestDrawDate));
  } else {
    recorded_->setText("Recorded Database Entries" + QString(kCrLf) + "none yet");
    update_->ShowNoEntries();
  }
  update_->ProposeNextDrawDay(services_.clock.TodayDayNumber());
  singleLine_->Insight().RefreshHistoryDates();
}

bool MainWindow::ShowLotteryDialog() {
  const std::string lottery = state_->lottoFile;
  const LotterySettings settings = state_->settings;
  if (services_.showLotteryDialog) {
    services_.showLotteryDialog(*session_, this);
  } else {
    LotteryDialog dialog(*session_, services_.messages, Help(), this);
    dialog.exec();
  }
  return state_->lottoFile != lottery || !(state_->settings == settings) || state_->newFileCreated;
}

void MainWindow::UseFreshSession() {
  std::unique_ptr<Session> fresh = session_->Fresh();
  session_ = fresh.get();
  state_ = &fresh->State();
  BuildPages();
  ownSession_ = std::move(fresh);  // the previous one only after the pages that used it
}

// A run holds the pages it runs on: the lottery changes only between runs.
bool MainWindow::RefusedDuringRun(const std::string& what) {
  if (!runGoing_) return false;
  services_.messages.Show({"Stop the run that is going before " + what + ".", "Lottery",
                           MessageButtons::Ok, MessageIcon::Exclamation, MessageAnswer::Ok});
  return true;
}

void MainWindow::LoadChosenLottery() {
  UseFreshSession();
  Initialize();
}

void MainWindow::mnuImportCreate_Click() {
  if (RefusedDuringRun("changing the lottery")) return;
  search_->PositionTimer().stop();
  state_->stopRequested = true;
  if (tabChoice_->currentIndex() == kSixFrom49) search_->SavePosition();
  if (!ShowLotteryDialog()) return;
  const bool created = state_->newFileCreated;
  LoadChosenLottery();
  if (created && !unloaded_) services_.messages.Show(NewLotteryMessage(*state_));
}

// The index is deleted and built anew while the window waits.
void MainWindow::mnuInitialise_Click() {
  if (RefusedDuringRun("rebuilding the index")) return;
  if (services_.messages.Show(ReinitialiseQuestion(*state_)) != MessageAnswer::Yes) return;
  if (tabChoice_->currentIndex() == kSixFrom49) search_->SavePosition();
  DeleteIndexFiles(*state_);
  LoadChosenLottery();
}

void MainWindow::OpenResultFile(const std::filesystem::path& file) {
  if (QApplication::activeModalWidget() != nullptr) {
    services_.messages.Show({"Ballwright was asked to open \"" + file.string() +
                                 "\", but a dialog of the window is open. Close the dialog, "
                                 "then open the file again.",
                             "Import Draws", MessageButtons::Ok, MessageIcon::Exclamation});
    return;
  }
  import_->ImportFrom(file);
}

void MainWindow::mnuQuit_Click() {
  close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (unloaded_) {
    event->accept();
    return;
  }
  if (QueryUnload()) {
    event->ignore();
    return;
  }
  Unload();
  event->accept();
}

// True keeps the window open. The history is saved on the way out, so only
// a run still going would be lost: only then is the user asked.
bool MainWindow::QueryUnload() {
  if (runGoing_ && services_.messages.Show({"A run is still going. Stop it and quit?", "Confirm",
                                            MessageButtons::YesNo, MessageIcon::Question,
                                            MessageAnswer::No}) != MessageAnswer::Yes)
    return true;
  state_->stopRequested = true;
  return false;
}

void MainWindow::Unload() {
  if (tabChoice_->currentIndex() == kSixFrom49) search_->SavePosition();
  state_->stopRequested = true;
  search_->PositionTimer().stop();
  Help().Close();
  unloaded_ = true;
}

}  // namespace bw::ui
