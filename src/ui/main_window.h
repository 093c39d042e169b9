// SPDX-License-Identifier: GPL-3.0-or-later
// frmDetail, the main window: the General Services pages (Single Line,
// Update, Optimise, "6 from 49") around the shared number grid and Start
// button, the Random Line Finder and Line Optimiser pages, the menus, the
// loading of a lottery (at the start and after a switch) and the closing rules.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/session.h"
#include "platform/messages.h"
#include "platform/services.h"
#include "print/print_surface.h"
#include "ui/help_viewer.h"
#include "ui/page_host.h"

namespace bw::ui {

class NumberGrid;
class TabStrip;
class RandomFinderPage;
class LineOptimiserPage;
class SingleLinePage;
class ImportFlow;
class ReportNotice;
class SearchPage;
class UpdatePage;
class OptimisePage;
class HistoryPage;
class MyLinesPage;
class WheelsPage;

// What the window gets from the platform. Tests answer messages, drive the
// event pump and record print jobs through these.
struct Services {
  MessageSink& messages;
  EventPump& events;
  Clock& clock;
  RandomSource& random;
  // Null: the program's own help viewer on AppFolder/vomrix.HLP.
  HelpViewer* help = nullptr;
  // Shows the lottery dialog modally over the session; empty: the real frmDatabase.
  std::function<void(Session& session, QWidget* parent)> showLotteryDialog;
  // Opens a print job; empty: Qt printing (printer or PDF in the folder).
  std::function<std::unique_ptr<PrintSurface>(const std::string& what)> openPrintJob;
  // The help file of the own help viewer; empty: vomrix.HLP in AppFolder.
  std::filesystem::path helpFile;
  // Opens a folder in the desktop's file manager; empty: the desktop's own way.
  std::function<void(const std::string& folder)> openFolder;
};

// Tabs of tabMain and tabChoice.
enum MainTab {
  kGeneralServices = 0,
  kRandomLineFinder = 1,
  kLineOptimiser = 2,
  kStatistics = 3,
  kMyLines = 4,
  kHistory = 5,
  kWheels = 6
};
enum ChoiceTab { kSingleLine = 0, kUpdate = 1, kOptimise = 2, kSixFrom49 = 3 };

class MainWindow : public QMainWindow, public PageHost {
  Q_OBJECT
 public:
  MainWindow(Session& session, const Services& services);
  ~MainWindow() override;

  // Loads the lottery into the window: its settings, the history with the
  // splash window, the date labels and the title. Without a usable lottery
  // the lottery dialog opens, and what it chooses or creates is loaded; when
  // it leaves none the window closes and false is returned.
  bool Initialize();
  // The window has closed (its unload ran): the program ends.
  bool IsUnloaded() const { return unloaded_; }

  // Opens the import preview of a results file named on the command line or
  // by a later start; refused while a dialog of the window is open.
  void OpenResultFile(const std::filesystem::path& file);

  // Sizes the window to fit the screen's free room.
  void FitTo(const QRect& available);

  TabStrip& MainTabs() const { return *tabMain_; }
  TabStrip& ChoiceTabs() const { return *tabChoice_; }
  NumberGrid& Grid() const { return *grid_; }
  SearchPage& Search() const { return *search_; }

  // PageHost
  Session& GetSession() override { return *session_; }
  MessageSink& Messages() override { return services_.messages; }
  EventPump& Events() override { return services_.events; }
  RandomSource& Random() override { return services_.random; }
  HelpViewer& Help() override { return help_.Viewer(); }
  SaveProgress* SaveProgressBar() override { return saveBar_.get(); }
  std::unique_ptr<PrintSurface> OpenPrintJob(const std::string& what) override;
  void SetTabsEnabled(bool enabled) override;
  std::array<std::string, 13>& SelectedNumbers() override { return selectedNumbers_; }
  std::array<int, 3>& ChosenLines() override { return chosenLines_; }
  SingleLineResult CheckLineOnPanel(const Line& line) override;
  void ShowLineOptimiser() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Enter that no control took presses Start, the button drawn as the default.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  class SaveBar;

  // Clicks the button of the page in view whose name matches.
  void ClickOnPage(const QRegularExpression& name);

  // Building the window (main_window.cpp).
  void BuildMenus();
  // The pages over the current session, again after each lottery loaded.
  void BuildPages();
  QWidget* BuildGeneralServices();
  void BuildHistoryPage();
  void ConnectHandlers();

  // Start-up and closing (main_window_startup.cpp).
  bool ResolveLottery();
  void LoadHistoryWithSplash();
  void ShowUpdateOnly();
  void ShowDateLabels();
  bool QueryUnload();
  void Unload();
  // True when the dialog changed the lottery or its settings.
  bool ShowLotteryDialog();
  // Drops the session and pages of the previous lottery: a fresh session on
  // the lottery now chosen and pages built anew, so no result, search state
  // or cache of the previous one survives.
  void UseFreshSession();
  // UseFreshSession and Initialize, as after the lottery dialog or a rebuild
  // of the index.
  void LoadChosenLottery();
  // True, after telling the user, while a run holds the pages.
  bool RefusedDuringRun(const std::string& what);
  void mnuImportCreate_Click();
  void mnuInitialise_Click();
  void mnuQuit_Click();

  // Pages and the Start button (main_window_pages.cpp).
  void tabChoice_Click(int previousTab);
  void tabMain_Click(int previousTab);
  // Tabs, date labels and statistics after the history changed as a whole.
  void ShowNewHistory();
  // "Did I win?" for draws the player has not seen; `turnToPage` shows the
  // My Lines page when there is something to tell.
  void TellNewDraws(bool turnToPage);
  void cmdCheckUpdate_Click();
  void cmdClear_Click();
  void cmdGetNumber_Click(int index);
  SingleLineResult CheckSingleLine();
  void GetAllNumbers();

  Session* session_;
  ProgramState* state_;
  std::unique_ptr<Session> ownSession_;  // the session of a lottery loaded in the window
  Services services_;
  WindowHelp help_;
  ImportFlow* import_ = nullptr;

  TabStrip* tabMain_ = nullptr;
  TabStrip* tabChoice_ = nullptr;
  NumberGrid* grid_ = nullptr;
  RandomFinderPage* randomPage_ = nullptr;
  LineOptimiserPage* optimiserPage_ = nullptr;
  SingleLinePage* singleLine_ = nullptr;
  SearchPage* search_ = nullptr;
  UpdatePage* update_ = nullptr;
  OptimisePage* optimise_ = nullptr;
  MyLinesPage* myLines_ = nullptr;
  HistoryPage* history_ = nullptr;
  WheelsPage* wheels_ = nullptr;

  QLabel* recorded_ = nullptr;

  ReportNotice* reportNotice_ = nullptr;

  QProgressBar* progressBar_ = nullptr;
  std::unique_ptr<SaveProgress> saveBar_;

  std::array<std::string, 13> selectedNumbers_{};
  std::array<int, 3> chosenLines_{};
  bool runGoing_ = false;  // a page has locked the others for a run
  bool unloaded_ = false;
};

}  // namespace bw::ui
