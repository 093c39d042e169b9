// SPDX-License-Identifier: GPL-3.0-or-later
// The "6 from 49" page: the position file, stop and resume, the timer tick,
// found lines printed in batches, the growing report's notice and question,
// Print (and Ctrl+P) after Stop, and closing during a search.
#include <QGroupBox>
#include <set>

#include "analysis/all_lines_search.h"
#include "ui/number_grid.h"
#include "ui/search_page.h"
#include "ui/ui_test_support.h"

using namespace bw;
using namespace bw::uitest;

namespace {

const char* const kFewFound = "stake=1\r\nret3=1\r\nret4=1\r\n";
// Every line with three numbers of a draw makes 500 percent: the first slice
// of 20000 lines finds 19323 of them.
const char* const kManyFound = "stake=1\r\nret3=100\r\nret4=1\r\n";

std::string FileText(const Line& line) {
  return JoinTwoDigits(line, " ") + "\r\n";
}

Line LineOf(const QString& row) {
  Line line{};
  for (int k = 0; k < 6; ++k) line[k] = row.section('|', k, k).toInt();
  return line;
}

int Found(const PrintJob& job) {
  return int(std::count(job.text.begin(), job.text.end(), '='));
}

}  // namespace

class SearchPageTest : public QObject {
  Q_OBJECT
  std::unique_ptr<WindowRig> rig_;
  ui::MainWindow* w_ = nullptr;

  void Start(const char* settings, const std::string& position = {}) {
    rig_ = std::make_unique<WindowRig>();
    if (!position.empty()) rig_->folder.Write("Test.ful", position);
    QVERIFY(rig_->StartTest(settings));
    w_ = &rig_->Window();
    QVERIFY(rig_->Show());  // for the window's shortcuts
    QVERIFY(ChooseTab(w_->ChoiceTabs(), ChoiceTab::kSixFrom49));
  }
  // Writes the position file and enters the page again.
  void Reenter(const std::string& position) {
    QVERIFY(ChooseTab(w_->ChoiceTabs(), ChoiceTab::kSingleLine));
    rig_->folder.Write("Test.ful", position);
    QVERIFY(ChooseTab(w_->ChoiceTabs(), ChoiceTab::kSixFrom49));
  }
  // Runs the search, clicking Stop the first time it lets events run.
  void RunUntilStop() {
    rig_->events.calls = 0;
    rig_->events.hook = [this] {
      if (rig_->events.calls == 1) Click(*w_, "cmdCheckUpdate");
    };
    Click(*w_, "cmdCheckUpdate");
  }
  Line Shown() { return LineOf(Row(*w_, 7, 12)); }
  Line Checked() { return LineOf(Row(*w_, 1, 6, "PreDigit")); }
  QString RowTitle() { return Child<QGroupBox>(*w_, "fraSelected").title(); }
  QString Status() { return w_->statusBar()->currentMessage(); }

 private slots:
  void cleanup() { rig_.reset(); }

  // Entering takes the stored position or the first line; a hand-edited one
  // is searched in order, up to the last line, after which Start says so.
  void storedPositionsStartTheSearch() {
    Start(kFewFound);
    QVERIFY(!Enabled(*w_, "pnlPrintAll"));
    const std::pair<const char*, QString> cases[] = {{"03 08 15 22 41 49\r\n", "3|8|15|22|41|49"},
                                                     {"09 03 12 40 05 06\r\n", "9|3|12|40|5|6"},
                                                     {"", "1|2|3|4|5|6"},
                                                     {"01 02 03 04 05 00\r\n", "1|2|3|4|5|"}};
    for (const auto& [file, row] : cases) {
      Reenter(file);
      QCOMPARE(Row(*w_, 7, 12), row);
      QCOMPARE(Enabled(*w_, "cmdCheckUpdate"), !row.endsWith('|'));
    }
    QVERIFY(ChooseTab(w_->ChoiceTabs(), ChoiceTab::kSingleLine));
    QCOMPARE(rig_->folder.Read("Test.ful"), "01 02 03 04 05 00\r\n");  // a gap is not saved
    Reenter("09 03 12 40 05 06\r\n");  // out of order: searched in order
    RunUntilStop();
    QVERIFY(LineRank(Shown()) > LineRank({3, 5, 6, 9, 12, 40}));
    QCOMPARE(RowTitle(), "Next line to check");
    Click(*w_, "cmdClear");
    CheckLine(*w_, {43, 45, 46, 47, 48, 49});  // a search from picked numbers unpicks them
    for (int n = 1; n <= 49; ++n) QVERIFY2(!w_->Grid().IsPicked(n), qPrintable(QString::number(n)));
    QCOMPARE(Row(*w_, 7, 12) + Row(*w_, 1, 6, "PreDigit"), "44|45|46|47|48|4944|45|46|47|48|49");
    QCOMPARE(RowTitle(), "All lines checked");
    QCOMPARE(Status(), "All lines checked: 0 found over 66%.");
    Reenter("44 45 46 47 48 49\r\n");
    QCOMPARE(RowTitle(), "All lines checked");
    Click(*w_, "cmdCheckUpdate");  // nothing is left to check, and it says so
    QCOMPARE(Row(*w_, 1, 6, "PreDigit") + Caption(*w_, "cmdCheckUpdate"), "|||||&Start");
    QVERIFY(Status().startsWith("All lines are checked: pick six numbers"));
    QVERIFY(rig_->printJobs.empty());
    // Leaving through the main tabs or the import menu saves the position.
    for (const bool byMenu : {false, true}) {
      QVERIFY(ChooseTab(w_->MainTabs(), MainTab::kGeneralServices));
      QVERIFY(ChooseTab(w_->ChoiceTabs(), ChoiceTab::kSixFrom49));
      Click(*w_, "cmdClear");
      PickNumbers(*w_, {11, 10, 9, 8, 7, byMenu ? 12 : 6});
      if (byMenu)
        Trigger(*w_, "mnuImportCreate");
      else
        QVERIFY(ChooseTab(w_->MainTabs(), MainTab::kRandomLineFinder));
      QCOMPARE(rig_->folder.Read("Test.ful"),
               byMenu ? "07 08 09 10 11 12\r\n" : "06 07 08 09 10 11\r\n");
    }
  }

  // After each stop the lines found since the last batch wait for Print
  // (here Ctrl+P); both runs together print each found line once.
  void stopLandsOnTheNextLineAndResumeListsNothingTwice() {
    // The first slice checks 20000 lines; this start makes it end just before
    // 1 2 10 11 12 49, a found line that a resumed search would pass over.
    const Line beforeFortyNine{1, 2, 10, 11, 12, 48};
    const Line start = LineAtRank(LineRank(beforeFortyNine) - 19999);
    Start(kManyFound, FileText(start));
    RunUntilStop();
    QCOMPARE(Caption(*w_, "cmdCheckUpdate"), "&Start");
    QVERIFY(!Child<QTimer>(*w_, "Timer2").isActive());
    const Line last = Checked();
    QCOMPARE(last, (Line{1, 2, 10, 11, 12, 49}));  // checked after the stop
    const Line stoppedAt = Shown();
    QCOMPARE(stoppedAt, LineAtRank(LineRank(last) + 1));
    QVERIFY2(Status().contains("; Print prints the "), qPrintable(Status()));
    QTest::keySequence(w_, QKeySequence::Print);
    QVERIFY(ChooseTab(w_->ChoiceTabs(), ChoiceTab::kSingleLine));
    QCOMPARE(rig_->folder.Read("Test.ful"), FileText(stoppedAt));

    QVERIFY(ChooseTab(w_->ChoiceTabs(), ChoiceTab::kSixFrom49));
    QCOMPARE(Shown(), stoppedAt);
    RunUntilStop();
    QTest::keySequence(w_, QKeySequence::Print);
    const Line end = Checked();
    QCOMPARE(Shown(), LineAtRank(LineRank(end) + 1));
    std::vector<FoundLine> found;
    rig_->session.Search().CheckSlice(start, LineRank(end) - LineRank(start) + 1, found);
    std::multiset<std::string> expected, printed;
    for (const FoundLine& line : found) expected.insert(JoinTwoDigits(line.line, "-"));
    for (const PrintJob& job : rig_->printJobs)
      for (auto at = job.text.find('='); at != std::string::npos; at = job.text.find('=', at + 1))
        printed.insert(job.text.substr(at - 17, 17));
    QCOMPARE(expected.count(JoinTwoDigits(last, "-")), 1u);
    QCOMPARE(printed, expected);
  }

  // The report says in the status bar that it grows from its first batch
  // and asks, No by default, before it passes 100 pages: No stops the search
  // with the rest listed for Print, Yes lets it grow on.
  void growingReportIsToldAndAsksBeforeAHundredPages_data() {
    QTest::addColumn<bool>("goOn");
    QTest::newRow("No") << false;
    QTest::newRow("Yes") << true;
  }
  void growingReportIsToldAndAsksBeforeAHundredPages() {
    QFETCH(bool, goOn);
    Start(kManyFound);
    rig_->messages.answers = {goOn ? MessageAnswer::Yes : MessageAnswer::No};
    rig_->messages.whileBoxOpen = [] {
      QVERIFY(qobject_cast<QMessageBox*>(QApplication::activeModalWidget()));
    };
    QString told;
    int listedAtClick = -1;
    rig_->events.hook = [&] {  // after the question, or a stop it makes: Print, then Stop
      if (rig_->events.calls == 1) told = Status();
      if (rig_->messages.shown.empty() || listedAtClick >= 0) return;
      listedAtClick = int(w_->Search().FoundLines().size());
      Click(*w_, "pnlPrintAll");  // prints what is listed and keeps it
      Click(*w_, "cmdCheckUpdate");
    };
    Click(*w_, "cmdCheckUpdate");
    const std::string file = (rig_->folder / "found lines.pdf").string();
    QCOMPARE(told, QString::fromStdString("Printing the lines found to " + file) +
                       ": about 67 pages so far");  // 60 batches of 320
    QCOMPARE(rig_->Titles(), "Long report");
    QCOMPARE(rig_->Last().defaultButton, MessageAnswer::No);
    const int found = Caption(*w_, "lblFoundAll").section(' ', 1, 1).toInt();
    const int listed = int(w_->Search().FoundLines().size());
    QVERIFY(Enabled(*w_, "pnlPrintAll") && listed > 0);
    // The finds are also in the sortable table, as many as it shows.
    QCOMPARE(Child<QTableWidget>(*w_, "tblFound").rowCount(), std::min(found, 2000));
    QCOMPARE(Found(rig_->printJobs[0]) + listed, found);
    QCOMPARE(Found(rig_->printJobs[0]) > 100 * 72 * 4, goOn);  // 72 lines of four a page
    QCOMPARE(rig_->printJobs.size(), 2u);
    QCOMPARE(Found(rig_->printJobs[1]), listedAtClick);
    QCOMPARE(Caption(*w_, "lblReportWritten"), QString::fromStdString("Report written to " + file));
    Click(*w_, "cmdOpenReportFolder");
    QCOMPARE(rig_->openedFolders, std::vector<std::string>{rig_->folder.Path().string()});
  }

  void timerTickAndClosingDuringTheSearchSaveTheLineOnDisplay() {
    Start(kFewFound);
    std::string savedAtTick, shownAtTick, shownAtClose;
    rig_->events.hook = [&] {
      if (rig_->events.calls == 1) {
        QVERIFY(!w_->ChoiceTabs().IsTabSelectable(ChoiceTab::kSingleLine));
        QVERIFY(!w_->MainTabs().IsTabSelectable(MainTab::kRandomLineFinder));
        QCOMPARE(Caption(*w_, "cmdCheckUpdate"), "&Stop");
        QMetaObject::invokeMethod(&Child<QTimer>(*w_, "Timer2"), "timeout");  // its tick
        shownAtTick = FileText(Shown());
        savedAtTick = rig_->folder.Read("Test.ful");
      } else {
        shownAtClose = FileText(Shown());
        w_->close();
      }
    };
    Click(*w_, "cmdCheckUpdate");
    QCOMPARE(savedAtTick, shownAtTick);
    QVERIFY(w_->IsUnloaded());
    QCOMPARE(rig_->events.calls, 2);  // the search noticed the close at once
    QVERIFY(shownAtClose != shownAtTick);
    QCOMPARE(rig_->folder.Read("Test.ful"), shownAtClose);
  }
};

QTEST_MAIN(SearchPageTest)
#include "search_page_test.moc"
