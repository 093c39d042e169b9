// The "6 from 49" page: the start line from the position file, starting,
// stopping and resuming the search with the position file agreeing with the
// display, the Timer2 tick, found lines with their batches of printing, and
// closing the window during a search.
#include <QAction>
#include <QTest>

#include "model/numbers.h"
#include "ui/number_grid.h"
#include "ui/tab_strip.h"
#include "ui/ui_test_support.h"

using namespace bw;
using namespace bw::uitest;
using ui::ChoiceTab;

namespace {

const char* const kFewFound = "stake=1\r\nret3=1\r\nret4=1\r\n";
// Every line with three numbers of a draw makes 500 percent.
const char* const kManyFound = "stake=1\r\nret3=100\r\nret4=1\r\n";

std::string Position(const QWidget& root) {
  QStringList numbers;
  for (int slot = 7; slot <= 12; ++slot) {
    numbers << QStringLiteral("%1").arg(Caption(root, QStringLiteral("lblNumber%1").arg(slot)), 2,
                                        QChar('0'));
  }
  return numbers.join(' ').toStdString() + "\r\n";
}

QString PreDigits(const QWidget& root) {
  QStringList numbers;
  for (int k = 1; k <= 6; ++k) numbers << Caption(root, QStringLiteral("PreDigit%1").arg(k));
  return numbers.join('|');
}

QColor PanelColour(const QWidget& root) {
  return Child(root, "pnlPrintAll").property("ForeColor").value<QColor>();
}

int EntriesIn(const std::string& printed) {
  return static_cast<int>(std::count(printed.begin(), printed.end(), '='));
}

}  // namespace

class SearchPageTest : public QObject {
  Q_OBJECT
 private:
  std::unique_ptr<TestFolder> folder_;
  std::unique_ptr<WindowRig> rig_;
  ui::MainWindow* window_ = nullptr;

  void Start(const char* settings, const std::string& position = {}) {
    folder_ = std::make_unique<TestFolder>();
    WriteLottery(*folder_, TripleHistory(), settings);
    if (!position.empty()) folder_->Write("Test.ful", position);
    rig_ = std::make_unique<WindowRig>(*folder_);
    QVERIFY(rig_->Start());
    window_ = &rig_->Window();
    QVERIFY(ChooseTab(window_->ChoiceTabs(), ChoiceTab::kSixFrom49));
  }
  // Stops the search the n-th time it lets events run.
  void StopAtPump(int n) {
    rig_->events.calls = 0;
    rig_->events.hook = [this, n] {
      if (rig_->events.calls == n) Click(*window_, "cmdCheckUpdate");
    };
  }

 private slots:
  void cleanup() {
    rig_.reset();
    folder_.reset();
  }

  void enteringWithoutPositionStartsAtTheFirstLine() {
    Start(kFewFound);
    QCOMPARE(NumberRow(*window_, 7, 12), QString("1|2|3|4|5|6"));
    QVERIFY(Child(*window_, "cmdCheckUpdate").isEnabled());
    QCOMPARE(Caption(*window_, "cmdCheckUpdate"), QString("&Start"));
    QCOMPARE(Caption(*window_, "Digit9"), QString("0"));
    QCOMPARE(Caption(*window_, "lblFoundAll"), QString());
    QVERIFY(!Child(*window_, "pnlPrintAll").isEnabled());
    QCOMPARE(PanelColour(*window_), QColor(224, 224, 224));
  }

  void enteringTakesUpTheStoredPosition() {
    Start(kFewFound, "03 08 15 22 41 49\r\n");
    QCOMPARE(NumberRow(*window_, 7, 12), QString("3|8|15|22|41|49"));
    QVERIFY(Child(*window_, "cmdCheckUpdate").isEnabled());

    folder_->Write("Test.ful", "01 02 03 04 05 00\r\n");
    QVERIFY(ChooseTab(window_->ChoiceTabs(), ChoiceTab::kSingleLine));
    QCOMPARE(folder_->Read("Test.ful"), std::string("03 08 15 22 41 49\r\n"));  // left as shown
    folder_->Write("Test.ful", "01 02 03 04 05 00\r\n");
    QVERIFY(ChooseTab(window_->ChoiceTabs(), ChoiceTab::kSixFrom49));
    QCOMPARE(NumberRow(*window_, 7, 12), QString("1|2|3|4|5|"));
    QVERIFY(!Child(*window_, "cmdCheckUpdate").isEnabled());
    QVERIFY(ChooseTab(window_->ChoiceTabs(), ChoiceTab::kSingleLine));
    QCOMPARE(folder_->Read("Test.ful"), std::string("01 02 03 04 05 00\r\n"));  // not rewritten

    folder_->Write("Test.ful", "");
    QVERIFY(ChooseTab(window_->ChoiceTabs(), ChoiceTab::kSixFrom49));
    QCOMPARE(NumberRow(*window_, 7, 12), QString("1|2|3|4|5|6"));
  }

  void stopAndResumeAgreeWithThePositionFile() {
    Start(kFewFound);
    StopAtPump(1);
    Click(*window_, "cmdCheckUpdate");
    QCOMPARE(Caption(*window_, "cmdCheckUpdate"), QString("&Start"));
    QVERIFY(window_->ChoiceTabs().IsTabSelectable(ChoiceTab::kSingleLine));
    const Line reached = window_->Grid().LowerRow();
    QVERIFY(IsValidLine(reached));
    QVERIFY(reached != (Line{1, 2, 3, 4, 5, 6}));
    QCOMPARE(PreDigits(*window_), NumberRow(*window_, 7, 12));
    QVERIFY(Caption(*window_, "lblFoundAll").startsWith("Found "));
    QVERIFY(!Child(*window_, "pnlPrintAll").isEnabled());
    QVERIFY(!Child<QTimer>(*window_, "Timer2").isActive());

    const std::string shown = Position(*window_);
    QVERIFY(ChooseTab(window_->ChoiceTabs(), ChoiceTab::kSingleLine));
    QCOMPARE(folder_->Read("Test.ful"), shown);

    QVERIFY(ChooseTab(window_->ChoiceTabs(), ChoiceTab::kSixFrom49));
    QCOMPARE(Position(*window_), shown);
    StopAtPump(1);
    Click(*window_, "cmdCheckUpdate");
    QVERIFY(LineRank(window_->Grid().LowerRow()) > LineRank(reached));
  }

  void leavingThroughTheMainTabsOrTheImportMenuSavesThePosition() {
    Start(kFewFound, "05 06 07 08 09 10\r\n");
    PickNumbers(*window_, {11});  // the stored line is shown, not picked: the line is full
    QCOMPARE(NumberRow(*window_, 7, 12), QString("5|6|7|8|9|10"));
    Click(*window_, "cmdClear");
    PickNumbers(*window_, {11, 6, 7, 8, 9, 10});
    QCOMPARE(NumberRow(*window_, 7, 12), QString("6|7|8|9|10|11"));
    QVERIFY(ChooseTab(window_->MainTabs(), ui::MainTab::kRandomLineFinder));
    QCOMPARE(folder_->Read("Test.ful"), std::string("06 07 08 09 10 11\r\n"));
    QCOMPARE(window_->ChoiceTabs().currentIndex(), int(ChoiceTab::kSingleLine));

    QVERIFY(ChooseTab(window_->MainTabs(), ui::MainTab::kGeneralServices));
    QVERIFY(ChooseTab(window_->ChoiceTabs(), ChoiceTab::kSixFrom49));
    Click(*window_, "cmdClear");
    PickNumbers(*window_, {12, 7, 8, 9, 10, 11});
    QCOMPARE(NumberRow(*window_, 7, 12), QString("7|8|9|10|11|12"));
    QAction* import = window_->findChild<QAction*>("mnuImportCreate");
    QVERIFY(import);
    import->trigger();
    QCOMPARE(rig_->dialogShown, 1);
    QCOMPARE(folder_->Read("Test.ful"), std::string("07 08 09 10 11 12\r\n"));
  }

  void handEditedPositionsStillSearch() {
    Start(kFewFound, "09 03 12 40 05 06\r\n");  // out of order: searched in order
    QCOMPARE(NumberRow(*window_, 7, 12), QString("9|3|12|40|5|6"));
    StopAtPump(1);
    Click(*window_, "cmdCheckUpdate");
    QVERIFY(LineRank(window_->Grid().LowerRow()) >= LineRank({3, 5, 6, 9, 12, 40}));

    folder_->Write("Test.ful", "01 02 03 04 05 77\r\n");  // no line at all: from the first
    QVERIFY(ChooseTab(window_->ChoiceTabs(), ChoiceTab::kSingleLine));
    folder_->Write("Test.ful", "01 02 03 04 05 77\r\n");
    QVERIFY(ChooseTab(window_->ChoiceTabs(), ChoiceTab::kSixFrom49));
    StopAtPump(1);
    Click(*window_, "cmdCheckUpdate");
    QVERIFY(IsValidLine(window_->Grid().LowerRow()));
  }

  void timerTickSavesTheLineOnDisplay() {
    Start(kFewFound);
    std::string savedAtTick, shownAtTick;
    rig_->events.hook = [&] {
      if (rig_->events.calls == 1) {
        QVERIFY(Child<QTimer>(*window_, "Timer2").isActive());
        QVERIFY(!window_->ChoiceTabs().IsTabSelectable(ChoiceTab::kSingleLine));
        QVERIFY(!window_->MainTabs().IsTabSelectable(ui::MainTab::kRandomLineFinder));
        QCOMPARE(Caption(*window_, "cmdCheckUpdate"), QString("&Stop"));
        window_->Timer2_Timer();
        shownAtTick = Position(*window_);
        savedAtTick = folder_->Read("Test.ful");
      }
      if (rig_->events.calls == 2) Click(*window_, "cmdCheckUpdate");
    };
    Click(*window_, "cmdCheckUpdate");
    QVERIFY(!shownAtTick.empty());
    QCOMPARE(savedAtTick, shownAtTick);
  }

  void searchEndsAfterTheLastLine() {
    Start(kFewFound, "43 45 46 47 48 49\r\n");
    Click(*window_, "cmdCheckUpdate");
    QCOMPARE(NumberRow(*window_, 7, 12), QString("44|45|46|47|48|49"));
    QCOMPARE(PreDigits(*window_), QString("44|45|46|47|48|49"));
    QCOMPARE(Caption(*window_, "cmdCheckUpdate"), QString("&Start"));

    folder_->Write("Test.ful", "44 45 46 47 48 49\r\n");
    QVERIFY(ChooseTab(window_->ChoiceTabs(), ChoiceTab::kSingleLine));
    QVERIFY(ChooseTab(window_->ChoiceTabs(), ChoiceTab::kSixFrom49));
    Click(*window_, "cmdCheckUpdate");  // nothing is left to check
    QCOMPARE(PreDigits(*window_), QString("|||||"));
    QCOMPARE(Caption(*window_, "lblFoundAll"), QString("Found 0 over 66%+"));
    QVERIFY(rig_->printJobs.empty());
  }

  void foundLinesArePrintedInBatchesAndOnDemand() {
    Start(kManyFound);
    std::size_t listedAtClick = 0;
    rig_->events.hook = [&] {
      if (rig_->events.calls != 1) return;
      QVERIFY(Child(*window_, "pnlPrintAll").isEnabled());
      QCOMPARE(PanelColour(*window_), QColor(0, 255, 0));
      listedAtClick = window_->FoundLines().size();
      Click(*window_, "pnlPrintAll");  // prints what is listed and keeps it
      QCOMPARE(window_->FoundLines().size(), listedAtClick);
      Click(*window_, "cmdCheckUpdate");
    };
    Click(*window_, "cmdCheckUpdate");

    const QString found = Caption(*window_, "lblFoundAll");
    QVERIFY(found.startsWith("Found ") && found.endsWith(" over 66%+"));
    const int foundCount = found.mid(6).section(' ', 0, 0).toInt();
    QVERIFY(foundCount > 320);
    std::vector<int> sizes;
    for (const PrintJob& job : rig_->printJobs) {
      QCOMPARE(job.what, std::string("found lines"));
      sizes.push_back(EntriesIn(job.surface->Text()));
    }
    // Full batches while searching, the on-demand print, then the rest.
    const int batches = foundCount / 320;
    QCOMPARE(static_cast<int>(sizes.size()), batches + 2);
    for (int i = 0; i < batches; ++i) QCOMPARE(sizes[i], 320);
    QCOMPARE(sizes[batches], static_cast<int>(listedAtClick));
    QCOMPARE(sizes[batches + 1], foundCount % 320);
    QCOMPARE(static_cast<int>(listedAtClick), foundCount % 320);
    QVERIFY(rig_->printJobs[0].surface->Text().find("01-02-03-04-05-06=") != std::string::npos);
    QVERIFY(window_->FoundLines().empty());
    QVERIFY(!Child(*window_, "pnlPrintAll").isEnabled());
    QCOMPARE(PanelColour(*window_), QColor(224, 224, 224));
  }

  void closingDuringTheSearchSavesItsPosition() {
    Start(kFewFound);
    std::string shownAtClose;
    rig_->events.hook = [&] {
      if (rig_->events.calls != 1) return;
      shownAtClose = Position(*window_);
      window_->close();
    };
    Click(*window_, "cmdCheckUpdate");
    QVERIFY(window_->IsUnloaded());
    QCOMPARE(rig_->events.calls, 1);  // the search noticed the stop at once
    QCOMPARE(folder_->Read("Test.ful"), shownAtClose);
  }
};

QTEST_MAIN(SearchPageTest)
#include "search_page_test.moc"
