// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window.h"

#include <QAction>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>

#include "platform/lottery_folder.h"
#include "ui/about_box.h"
#include "ui/accessible_names.h"
#include "ui/history_page.h"
#include "ui/import_flow.h"
#include "ui/keyboard_order.h"
#include "ui/line_insight_panel.h"
#include "ui/line_optimiser_page.h"
#include "ui/my_lines_page.h"
#include "ui/number_grid.h"
#include "ui/optimise_page.h"
#include "ui/page_widgets.h"
#include "ui/pictures.h"
#include "ui/qt_print_surface.h"
#include "ui/random_finder_page.h"
#include "ui/report_notice.h"
#include "ui/search_page.h"
#include "ui/single_line_page.h"
#include "ui/statistics_page.h"
#include "ui/tab_strip.h"
#include "ui/update_page.h"
#include "ui/wheels_page.h"

namespace bw::ui {

// The ProgressBar panel of the window, shown while the history is saved. A
// message box (a save error) blocks the window only once the bar is gone.
class MainWindow::SaveBar : public QObject, public SaveProgress {
 public:
  SaveBar(QProgressBar& bar, QWidget& window) : bar_(bar) { window.installEventFilter(this); }
  void Show(bool visible) override { bar_.setVisible(visible); }
  void SetFill(float percent) override { bar_.setValue(static_cast<int>(percent)); }
  bool eventFilter(QObject* /*window*/, QEvent* event) override {
    if (event->type() == QEvent::WindowBlocked) bar_.hide();
    return false;
  }

 private:
  QProgressBar& bar_;
};

MainWindow::MainWindow(Session& session, const Services& services)
    : session_(&session),
      state_(&session.State()),
      services_(services),
      help_(services.help,
            services.helpFile.empty() ? state_->InFolder(kHelpFile) : services.helpFile) {
  setObjectName("frmDetail");
  InstallAccessibleNames();
  setWindowTitle("Ballwright");
  setWindowIcon(ProgramIcon());
  // Colours from the palette only, so that a dark theme stays readable.
  setStyleSheet(
      "QLabel[resultBox=\"true\"] { background: palette(base); color: palette(text); "
      "border: 1px solid palette(mid); border-radius: 4px; padding: 2px 6px; }"
      "QGroupBox { font-weight: bold; }");
  BuildMenus();
  reportNotice_ = new ReportNotice(services_.openFolder, this);
  statusBar()->addWidget(reportNotice_, 1);
  BuildPages();
  FitTo(screen()->availableGeometry());
}

void MainWindow::BuildPages() {
  delete import_;
  import_ =
      new ImportFlow(*session_, services_.messages, Help(), *this,
                     {[this] { return runGoing_; }, [this] { search_->PositionTimer().stop(); }});
  connect(import_, &ImportFlow::Imported, this, [this] {
    ShowNewHistory();
    TellNewDraws(true);
  });
  tabMain_ = new TabStrip("tabMain", this);
  tabMain_->addTab(Scrolling(BuildGeneralServices()), "General Services");
  randomPage_ = new RandomFinderPage(*this, tabMain_);
  randomPage_->setObjectName("picMain");
  tabMain_->addTab(Scrolling(randomPage_), "Random Line Finder");
  optimiserPage_ = new LineOptimiserPage(*this, tabMain_);
  optimiserPage_->setObjectName("picOptimise");
  tabMain_->addTab(Scrolling(optimiserPage_), "Line Optimiser");
  tabMain_->addTab(Scrolling(new StatisticsPage(*session_, Help(), tabMain_)), "Statistics");
  myLines_ = new MyLinesPage(*session_, services_.messages, Help(), tabMain_);
  tabMain_->addTab(Scrolling(myLines_), "My Lines");
  BuildHistoryPage();
  wheels_ = new WheelsPage(*this, tabMain_);
  tabMain_->addTab(Scrolling(wheels_), "Wheels");

  progressBar_ = new QProgressBar(this);
  progressBar_->setObjectName("ProgressBar");
  progressBar_->setRange(0, 100);
  progressBar_->hide();
  saveBar_ = std::make_unique<SaveBar>(*progressBar_, *this);

  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(8, 8, 8, 8);
  column->addWidget(tabMain_, 1);
  column->addWidget(progressBar_);
  delete takeCentralWidget();  // the previous lottery's pages, with all they showed
  setCentralWidget(central);
  ConnectHandlers();
}

MainWindow::~MainWindow() = default;

void MainWindow::FitTo(const QRect& available) {
  resize(FittedSize({1180, 760}, available));
}

void MainWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  file->setObjectName("mnuFile");
  auto addItem = [this](QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
  };
  connect(addItem(file, "mnuImportCreate", "&Import / Switch / Create Lottery"),
          &QAction::triggered, this, [this] { mnuImportCreate_Click(); });
  QAction* importDraws = addItem(file, "mnuImportDraws", "Import Draws from File...");
  importDraws->setShortcut(QKeySequence::Open);
  connect(importDraws, &QAction::triggered, this, [this] { import_->ChooseFile(); });
  QAction* print = addItem(file, "mnuPrint", "Print...");
  print->setShortcut(QKeySequence::Print);
  connect(print, &QAction::triggered, this,
          [this] { ClickOnPage(QRegularExpression("^(pnlPrintAll|cmdPrintList)$")); });
  connect(addItem(file, "mnuInitialise", "Re-Initialise Current Database"), &QAction::triggered,
          this, [this] { mnuInitialise_Click(); });
  file->addSeparator()->setObjectName("mnuBlank0");
  QAction* quit = addItem(file, "mnuQuit", "&Quit");
  quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));  // not every desktop binds Quit
  connect(quit, &QAction::triggered, this, [this] { mnuQuit_Click(); });

  QMenu* help = menuBar()->addMenu("&Help");
  help->setObjectName("mnuHelp");
  namespace topic = help_topic;
  auto addTopic = [&](QMenu* menu, const char* name, const QString& caption, int number) {
    connect(addItem(menu, name, caption), &QAction::triggered, this,
            [this, number] { Help().ShowTopic(number); });
  };
  QAction* thisPage = addItem(help, "mnuThisPage", "Help on &This Page");
  thisPage->setShortcut(QKeySequence::HelpContents);
  connect(thisPage, &QAction::triggered, this,
          [this] { ClickOnPage(QRegularExpression("^cmdHelp")); });
  addTopic(help, "mnuContents", "&Contents", topic::kContents);
  QMenu* services = help->addMenu("&General Services");
  services->setObjectName("mnuGS");
  services->menuAction()->setObjectName("mnuGSAction");
  addTopic(services, "mnuSingleLine", "&Single Line", topic::kSingleLine);
  addTopic(services, "mnuUpdate", "&Update", topic::kUpdate);
  addTopic(services, "mnuOptimise", "&Optimise", topic::kOptimise);
  addTopic(services, "mnu6from49", "&6 from 49", topic::kSixFrom49);
  addTopic(services, "mnuLineHits", "&Hits, Balance and Rank", topic::kLineHits);
  addTopic(help, "mnuRandomLineFinder", "&Random Line Finder", topic::kRandomLineFinder);
  addTopic(help, "mnuLineOptimiser", "&Line Optimiser", topic::kLineOptimiser);
  addTopic(help, "mnuStatistics", "Number &Statistics", topic::kNumberStatistics);
  addTopic(help, "mnuMyLines", "&My Lines", topic::kMyLines);
  addTopic(help, "mnuHistoryHelp", "&History", topic::kHistory);
  addTopic(help, "mnuWheelsHelp", "&Wheels", topic::kWheels);
  help->addSeparator()->setObjectName("mnuBlank2");
  addTopic(help, "mnuImport", "&Importing an unlisted Lottery", topic::kImportingLottery);
  addTopic(help, "mnuImportDrawsHelp", "Importing &Published Draws", topic::kImportingDraws);
  help->addSeparator()->setObjectName("mnuBlank3");
  QAction* about = addItem(help, "mnuAbout", "&About Ballwright");
  about->setMenuRole(QAction::AboutRole);
  connect(about, &QAction::triggered, this, [this] { ShowAboutBox(this); });
}

// The History page, and the Edit menu that undoes and redoes its changes.
void MainWindow::BuildHistoryPage() {
  history_ = new HistoryPage(*this, tabMain_);
  tabMain_->addTab(Scrolling(history_), "History");
  connect(history_, &HistoryPage::HistoryChanged, this, [this] { ShowNewHistory(); });
  // Built once; after a switch of lottery it holds the new page's actions, so
  // nothing done to the previous lottery can be undone in this one.
  auto* edit = menuBar()->findChild<QMenu*>("mnuEdit");
  if (!edit) {
    edit = new QMenu("&Edit", menuBar());
    edit->setObjectName("mnuEdit");
    menuBar()->insertMenu(menuBar()->findChild<QMenu*>("mnuHelp")->menuAction(), edit);
  }
  edit->clear();
  edit->addAction(history_->UndoAction());
  edit->addAction(history_->RedoAction());
}

QWidget* MainWindow::BuildGeneralServices() {
  auto* page = new QWidget(this);
  page->setObjectName("picManuel");
  tabChoice_ = new TabStrip("tabChoice", page);
  singleLine_ = new SingleLinePage(*session_, Help(), page);
  tabChoice_->addTab(singleLine_, "Single Line");
  // The Update and Optimise pages work on the grid, which still follows them in the
  // Tab order: it joins the window only after them.
  grid_ = new NumberGrid(*state_, nullptr);
  update_ = new UpdatePage(*this, *grid_, page);
  tabChoice_->addTab(update_, "Update");
  optimise_ = new OptimisePage(*this, *grid_, page);
  tabChoice_->addTab(optimise_, "Optimise");
  grid_->setParent(page);
  search_ = new SearchPage(*this, *grid_, page);
  tabChoice_->addTab(search_, "6 from 49");
  // Keyboard order: a page's controls, the grid, Clear and Start, then the page's Help.
  const auto helpOf = [page](const char* name) { return page->findChild<QWidget*>(name); };
  ChainTabOrder(grid_->StartButton(),
                {helpOf("cmdHelpSingle"), helpOf("cmdAddToMyLines"), &singleLine_->Insight(),
                 helpOf("cmdHelpUpdate"), helpOf("cmdHelpRunAll")});
  recorded_ = NamedLabel("lblRecorded", "Recorded Database Entries", page);
  recorded_->setProperty("guidance", true);
  recorded_->setMinimumHeight(recorded_->fontMetrics().lineSpacing() * 3 + 6);
  recorded_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  auto* right = new QVBoxLayout;
  right->addWidget(grid_);
  right->addWidget(recorded_);
  right->addStretch();
  auto* row = new QHBoxLayout(page);
  row->addWidget(tabChoice_, 1);
  row->addLayout(right);
  return page;
}

void MainWindow::ConnectHandlers() {
  connect(tabChoice_, &QTabWidget::currentChanged, this,
          [this] { tabChoice_Click(tabChoice_->PreviousIndex()); });
  connect(tabMain_, &QTabWidget::currentChanged, this,
          [this] { tabMain_Click(tabMain_->PreviousIndex()); });
  connect(grid_, &NumberGrid::NumberClicked, this, [this](int n) { cmdGetNumber_Click(n); });
  ConnectKeepingFocus(grid_->StartButton(), this, [this] { cmdCheckUpdate_Click(); });
  connect(grid_->ClearButton(), &QPushButton::clicked, this, [this] { cmdClear_Click(); });
  connect(singleLine_, &SingleLinePage::AddToMyLines, this, [this] {
    const Line line = grid_->LowerRow();
    AddToMyLines(*session_, services_.messages, this,
                 IsValidLine(line) ? std::vector<Line>{line} : std::vector<Line>{});
  });
}

// Each page has its Help button and, where it prints, its Print button; a
// key stands for a click on the one in view.
void MainWindow::ClickOnPage(const QRegularExpression& name) {
  for (QPushButton* button : tabMain_->findChildren<QPushButton*>(name)) {
    if (button->isVisible() && button->isEnabled()) {
      button->click();
      return;
    }
  }
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  QPushButton* start = grid_->StartButton();
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && start->isVisible() && start->isEnabled()) {
    start->click();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

// Every report tells in the status bar where it went once it is written.
std::unique_ptr<PrintSurface> MainWindow::OpenPrintJob(const std::string& what) {
  std::unique_ptr<PrintSurface> job = services_.openPrintJob
                                          ? services_.openPrintJob(what)
                                          : OpenQtPrintJob(state_->appFolder, what);
  return NoticeWhenWritten(std::move(job),
                           [this](const std::string& file) { reportNotice_->ShowWritten(file); });
}

}  // namespace bw::ui
