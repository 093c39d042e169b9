// SPDX-License-Identifier: GPL-3.0-or-later
// Starting the program: arguments, the splash, the window's initialisation
// over each state a lottery folder can be in; the help viewer over the
// program's own help file, and printing into a PDF file without a printer.
#include <QPrinterInfo>
#include <QTest>

#include "model/day_number.h"
#include "print/reports.h"
#include "store/history_file.h"
#include "store/settings_files.h"
#include "ui/help_viewer.h"
#include "ui/qt_print_surface.h"
#include "ui/start_up.h"
#include "ui/ui_test_support.h"

using namespace bw;
using namespace bw::uitest;

namespace {
const char* const kGoodSettings = "bonus=true\r\nstake=1\r\nret3=10\r\nret4=60\r\nret5=1500\r\n";
const QString kTitle = " Ballwright - [Database loaded (%1)]";

}  // namespace

class StartupTest : public QObject {
  Q_OBJECT
 private slots:
  // Options start with "--"; the one other word, or a word after "--", is
  // the results file, made absolute for a window started elsewhere.
  void argumentsNameTheFolderTheFileAndWhatIsWrong() {
    TestFolder folder;
    folder.Write("plain.txt", "x");
    const std::string here = folder.Path().string();
    const auto cwd = std::filesystem::current_path();
    struct Case {
      std::vector<std::string> args;
      std::string error;  // a part of it, "" when the arguments are good
      std::filesystem::path file;
      bool help, version;
    } cases[] = {
        {{}, "", {}, false, false},
        {{"--folder", here}, "", {}, false, false},
        {{"--screenshot", "w.png"}, "", {}, false, false},
        {{"--folder"}, "--folder needs a value", {}, false, false},
        {{"--fast"}, "unknown option \"--fast\"", {}, false, false},
        {{"-x"}, "unknown option \"-x\"", {}, false, false},
        {{"--folder", here + "/plain.txt"}, "plain.txt\" is not a folder", {}, false, false},
        {{"results.csv"}, "", cwd / "results.csv", false, false},
        {{"/r/a.csv", "--folder", here}, "", "/r/a.csv", false, false},
        {{"--", "--odd.csv"}, "", cwd / "--odd.csv", false, false},
        {{"a.csv", "b.csv"}, "\"b.csv\" is a second file", {}, false, false},
        {{""}, "the file name is empty", {}, false, false},
        {{"a.csv", "--help", "--fast"}, "", {}, true, false},
        {{"--version"}, "", {}, false, true},
        {{"--", "--help"}, "", cwd / "--help", false, false},
    };
    for (const Case& c : cases) {
      const std::string what = c.args.empty() ? "none" : c.args[0];
      const ui::StartOptions options = ui::ReadStartOptions(c.args);
      const ui::StartArguments start = ui::ChooseStartPlace(options, here);
      const std::string error = options.error.empty() ? start.error : options.error;
      QVERIFY2(c.error.empty() ? error.empty() : error.find(c.error) != std::string::npos,
               (what + ": " + error).c_str());
      QCOMPARE(options.help, c.help);
      QCOMPARE(options.version, c.version);
      if (!error.empty() || c.help || c.version) continue;
      QCOMPARE(start.place.folder, folder.Path());
      QCOMPARE(start.resultFile, c.file);
    }
    QCOMPARE(ui::ReadStartOptions({"--screenshot", "w.png"}).screenshot, "w.png");
  }

  // The demo loads without a word and builds its index; a second start
  // finds the index. (A lottery of placeholder lines: the main window test.)
  void lotteryLoadsWithDatesTitleAndIndex() {
    WindowRig rig, second(rig.folder.Path());
    QVERIFY(rig.StartDemo());
    QVERIFY(rig.messages.shown.empty());
    QCOMPARE(rig.Window().windowTitle(), kTitle.arg("Sample.opt"));
    QCOMPARE(Caption(rig.Window(), "lblRecorded"), kRecorded.arg("12 June 1982", "17 June 2020"));
    QVERIFY(rig.folder.Exists("Sample.dnd") && rig.folder.Exists("01_S_Sample.opt"));
    QVERIFY(!rig.Window().MainTabs().IsTabSelectable(MainTab::kLineOptimiser));
    QVERIFY(second.Start());
    QCOMPARE(Caption(second.Window(), "lblLastUpdate"), "Last Database Entry 17 June 2020");
  }

  // No lottery, or details that need the lottery dialog: what it leaves
  // behind is loaded at once, or the start ends.
  void lotteryDialogDuringTheStart_data() {
    QTest::addColumn<QString>("settings");  // empty: no lottery at all
    QTest::addColumn<int>("dialog");        // 0 cancelled, 1 makes a new lottery, 2 sets ret3
    QTest::addColumn<QString>("messages");  // their titles
    QTest::newRow("no lottery") << "" << 0 << "Error Reading File|Error";
    QTest::newRow("new lottery") << "" << 1 << "Error Reading File|Error|New lottery";
    QTest::newRow("zero stake unresolved") << "bonus=false\r\nstake=0\r\nret3=1\r\nret4=1\r\n"
                                           << 0 << "Error|Error";
    QTest::newRow("details settled") << "bonus=false\r\nstake=1\r\nret3=0\r\nret4=1\r\n"
                                     << 2 << "Error";
  }
  void lotteryDialogDuringTheStart() {
    QFETCH(QString, settings);
    QFETCH(int, dialog);
    QFETCH(QString, messages);
    WindowRig rig;
    if (!settings.isEmpty()) WriteLottery(rig.folder, TripleHistory(), settings.toStdString());
    rig.dialogAction = [&](ProgramState& state) {
      if (dialog == 1) WriteLottery(rig.folder, PlaceholderLines(), kGoodSettings);
      if (dialog == 1) state.lottoFile = "Test.opt", state.newFileCreated = true;
      if (dialog == 2) state.settings.ret3 = 5, WriteLotterySettings(state);
    };
    const bool started = rig.Start();
    QCOMPARE(started, dialog != 0);
    QCOMPARE(rig.dialogShown, 1);
    QCOMPARE(rig.Titles(), messages);
    QCOMPARE(rig.Window().IsUnloaded(), !started);
    if (!started) QVERIFY(!rig.folder.Exists("Test.dnd"));  // nothing is indexed unless loaded
    if (started) QCOMPARE(rig.Window().windowTitle(), kTitle.arg("Test.opt"));
    if (settings.isEmpty() && dialog == 0) QVERIFY(std::filesystem::is_empty(rig.folder.Path()));
    if (settings.contains("stake=0"))
      QCOMPARE(rig.Last().text, "There are still some unresolved details cannot continue.");
  }

  void missingHistoryLeavesOnlyTheUpdatePage() {
    WindowRig rig;
    WriteLottery(rig.folder, {}, kGoodSettings);
    std::filesystem::remove(rig.folder / "Test.opt");
    QVERIFY(rig.Start());
    ui::MainWindow& window = rig.Window();
    QCOMPARE(rig.Last().title, "Error loading file");
    QCOMPARE(Caption(window, "lblLastUpdate"), "No Database entries found.");
    QCOMPARE(window.ChoiceTabs().currentIndex(), int(ChoiceTab::kUpdate));
    for (int tab : {0, 2, 3}) QVERIFY(!ChooseTab(window.ChoiceTabs(), tab));
    QVERIFY(!window.MainTabs().IsTabSelectable(MainTab::kRandomLineFinder));
    // Today is proposed as the draw date: the grid takes a draw at once.
    QCOMPARE(Child<QDateEdit>(window, "DrawDate").date(), QDate(2025, 12, 9));
    QVERIFY(Enabled(window, "cmdGetNumber1"));
  }

  // Every context number opens its own topic, and only that, in the one
  // help window, whose links lead on; a missing file or topic says so.
  void viewerShowsEveryTopicFollowsLinksAndCloses() {
    auto help = ui::MakeHelpViewer(kDemoHelp);
    const QStringList topics =
        QString(
            "340 Contents|740 Single Line|400 Update|410 Optimise|"
            "420 6 from 49|430 Random Line Finder|450 Line Optimiser|"
            "750 Hits, Balance and Rank|760 Number Statistics|"
            "590 Importing an unlisted Lottery|600 Importing Published Draws")
            .split('|');
    QTextBrowser* page = nullptr;
    for (const QString& topic : topics) {
      help->ShowTopic(topic.section(' ', 0, 0).toInt());
      if (!page) page = HelpPage();
      QCOMPARE(HelpPage(), page);  // the same window shows the next topic
      QVERIFY2(
          HelpPage()->isVisible() && HelpPage()->toPlainText().startsWith(topic.section(' ', 1)),
          qPrintable(topic));
      QVERIFY(!HelpPage()->toPlainText().contains("#topic"));  // it ends before the next
    }
    emit page->anchorClicked(QUrl("topic:590"));
    QVERIFY(page->toPlainText().startsWith("Importing an unlisted Lottery"));
    help->Close();
    QVERIFY(!page->isVisible());
    help.reset();
    QVERIFY(!HelpPage());
    test::TestFolder folder;
    folder.Write("odd.HLP", "#topic\r\n#topic x Bad\r\n#topic 12 Twelve\r\nbody\r\n");
    QCOMPARE(ui::HelpTopicHtml(folder / "odd.HLP", 12), std::string("<h2>Twelve</h2>\nbody\n"));
    QVERIFY(ui::HelpTopicHtml(kDemoHelp, 999).empty());
    auto missing = ui::MakeHelpViewer(folder / "vomrix.HLP");
    missing->ShowTopic(740);
    QVERIFY(HelpPage()->toPlainText().startsWith("Help topic 740 not found"));
    missing->Close();
  }

  // 300 rows need more than one page; a folder that cannot be written to
  // gets nothing, and nothing fails.
  void reportWithoutPrinterBecomesAPdf() {
    QCOMPARE(ui::PdfFileName("full system", QDateTime(QDate(2026, 12, 5), QTime(22, 15, 3))),
             "Ballwright full system 2026-12-05 22-15-03.pdf");
    if (!QPrinterInfo::defaultPrinter().isNull()) QSKIP("a default printer is set up");
    const std::vector<std::string> rows(300, "01-02-03-04-05-06 |  12|  1|  |  |  | 70%");
    test::TestFolder folder;
    folder.Write("plain-file", "not a folder");
    for (const char* place : {"", "plain-file"}) {
      auto job = ui::OpenQtPrintJob(folder / place, "full system");
      PrintFullSystemReport(*job, rows, "1-2-3-4-5-6-7-8-9-10-11-12", 0);
    }
    const std::vector<int> pages = PdfPages(folder);
    QCOMPARE(pages.size(), std::size_t{1});
    QVERIFY(pages[0] >= 2);
    QCOMPARE(folder.Read("plain-file"), std::string("not a folder"));
  }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
