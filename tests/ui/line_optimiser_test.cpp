// The Line Optimiser page as a user drives it: two random lines picked into
// a complete 924-line run, the twelve numbers 1 to 12, Stop during a run,
// and each print option's rows with their bold and underline.
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "analysis/full_system.h"
#include "ui/fake_host_support.h"
#include "ui/line_optimiser_page.h"
#include "ui/random_finder_page.h"

using namespace bw;
using bw::fakehost::FakePageHost;

namespace {

const QString kPrepared = "About to analyse\nfull system 6 from 12\n[ 924 system lines]";
const QString kComplete = "Analyse of\nfull system 6 from 12\n[924 system lines] complete.";
const QString kInterrupted = "Analysis of\nfull system 6 from 12\n[924 system lines] interupted.";

template <typename Widget>
Widget* Find(QWidget& page, const char* name) {
  return page.findChild<Widget*>(name);
}

QString Text(QWidget& page, const char* name) {
  return Find<QLabel>(page, name)->text();
}

std::vector<std::string> Rows(QWidget& page, const char* list) {
  std::vector<std::string> rows;
  auto* widget = Find<QListWidget>(page, list);
  for (int i = 0; i < widget->count(); ++i) rows.push_back(widget->item(i)->text().toStdString());
  return rows;
}

int PercentOf(const std::string& row) {
  return LeadingNumber(row.substr(36));
}

// Whether the printed text holds the row between the marks, allowing the line
// end that a row in the second column carries before the marks close.
bool PrintedBetween(const std::string& printed, const std::string& open, const std::string& row,
                    const std::string& close) {
  return printed.find(open + row + close) != std::string::npos ||
         printed.find(open + row + "\n" + close) != std::string::npos;
}

void SetTwelve(std::array<std::string, 13>& selected, std::array<int, 12> numbers) {
  for (int i = 0; i < 12; ++i) selected[i + 1] = std::to_string(numbers[i]);
}

}  // namespace

class LineOptimiserTest : public QObject {
  Q_OBJECT
  test::TestFolder folder_;
  std::unique_ptr<FakePageHost> host_;
  std::unique_ptr<ui::LineOptimiserPage> page_;
  LotterySettings demoSettings_;

  // Numbers 1..12 given out of order, entered as the host enters the page.
  void PrepareOneToTwelve() {
    SetTwelve(host_->selected, {12, 3, 1, 7, 2, 11, 4, 10, 5, 9, 6, 8});
    fakehost::SortSelectedNumbers(host_->selected);
    page_->PrepareFullSystem();
  }
  void Start() { Find<QPushButton>(*page_, "cmdStart")->click(); }

 private slots:
  void initTestCase() {
    fakehost::PlaceDemoLottery(folder_);
    host_ = std::make_unique<FakePageHost>(folder_.Path());
    demoSettings_ = host_->session.State().settings;
  }
  void init() {
    host_->events.hook = nullptr;
    host_->events.calls = 0;
    host_->session.State().settings = demoSettings_;
    host_->session.State().stopRequested = false;
    host_->printed = {};
    host_->tabLocks.clear();
    page_ = std::make_unique<ui::LineOptimiserPage>(*host_, nullptr);
  }
  void cleanup() { page_.reset(); }

  void twoPickedLinesRunAll924Lines() {
    ui::RandomFinderPage finder(*host_, nullptr);
    host_->onShowLineOptimiser = [this] { page_->PrepareFullSystem(); };
    Find<QPushButton>(finder, "cmdContinue")->click();
    Find<QPushButton>(finder, "cmdLine2")->click();
    Find<QPushButton>(finder, "cmdLine7")->click();
    host_->onShowLineOptimiser = nullptr;

    QCOMPARE(Text(*page_, "lblSelected").toStdString(),
             "Selected Numbers: [" + host_->selected[0] + "]");
    QCOMPARE(Text(*page_, "pnlOptimiser"), kPrepared);
    QVERIFY(Find<QRadioButton>(*page_, "optList3")->isChecked());
    QCOMPARE(page_->PrintThreshold(), 66);
    QVERIFY(!Find<QPushButton>(*page_, "cmdPrintList")->isEnabled());
    QVERIFY(Find<QPushButton>(*page_, "cmdStart")->isEnabled());

    host_->checkedLines.clear();
    host_->events.calls = 0;
    QElapsedTimer timer;
    timer.start();
    Start();
    qInfo("924 lines with events and list updates: %lld ms", timer.elapsed());

    std::array<std::string, 13> numbers = host_->selected;
    const std::vector<Line> lines = BuildSystemLines(numbers, BuildSystemPatterns());
    const std::vector<std::string> rows = Rows(*page_, "List3");
    QCOMPARE(rows.size(), std::size_t{924});
    QCOMPARE(Rows(*page_, "List4"), rows);
    SystemCounters expected;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const SingleLineResult result = host_->session.Check(lines[i]);
      QCOMPARE(rows[i], FormatResultRow(SystemLineText(lines[i]), CaptionsOf(result)));
      expected.Count(result.percent);
    }
    QCOMPARE(host_->checkedLines, lines);
    QCOMPARE(host_->events.calls, 924);
    QCOMPARE(Text(*page_, "OptimiseDigit0"), QString("924"));
    QCOMPARE(Text(*page_, "OptimiseDigit2"), QString::number(expected.from50to65));
    QCOMPARE(Text(*page_, "OptimiseDigit3"), QString::number(expected.atLeast66));
    QCOMPARE(Text(*page_, "pnlOptimiser"), kComplete);
    QCOMPARE(Find<QPushButton>(*page_, "cmdStart")->text(), QString("&Start"));
    QVERIFY(Find<QPushButton>(*page_, "cmdPrintList")->isEnabled());
    QVERIFY(Find<QProgressBar>(*page_, "ProgressBar")->isHidden());
    QCOMPARE(Find<QProgressBar>(*page_, "ProgressBar")->value(), 0);
    QCOMPARE(Find<QListWidget>(*page_, "List3")->currentRow(), 923);
    QVERIFY(!host_->session.State().stopRequested);
    QCOMPARE(host_->tabLocks.back(), true);
  }

  void numbersOneToTwelveGiveTheFirstAndLastLines() {
    PrepareOneToTwelve();
    QCOMPARE(Text(*page_, "lblSelected"),
             QString("Selected Numbers: [1-2-3-4-5-6-7-8-9-10-11-12]"));
    Start();
    const std::vector<std::string> rows = Rows(*page_, "List3");
    QCOMPARE(rows.size(), std::size_t{924});
    QVERIFY(rows.front().starts_with("01-02-03-04-05-06 |"));
    QVERIFY(rows.back().starts_with("07-08-09-10-11-12 |"));
    for (int i = 1; i <= 12; ++i) QCOMPARE(host_->selected[i], std::to_string(i));
    // Rows line up under the header bars.
    const std::string header = Text(*page_, "Label6").toStdString();
    QCOMPARE(header, std::string(18, ' ') + "| 3 | 4 | 5|5+| 6|result");
    for (std::size_t column : {18u, 22u, 26u, 29u, 32u, 35u}) {
      QCOMPARE(rows.front()[column], '|');
      QCOMPARE(header[column], '|');
    }
  }

  void stopDuringARunKeepsTheRowsSoFar() {
    PrepareOneToTwelve();
    host_->events.hook = [this] {
      if (host_->events.calls == 101) Find<QPushButton>(*page_, "cmdStart")->click();
    };
    Start();
    // Line 101 was checked when Stop was seen, but not listed.
    QCOMPARE(Rows(*page_, "List3").size(), std::size_t{100});
    QCOMPARE(Rows(*page_, "List4").size(), std::size_t{100});
    QCOMPARE(Text(*page_, "OptimiseDigit0"), QString("100"));
    QCOMPARE(Text(*page_, "pnlOptimiser"), kInterrupted);
    QCOMPARE(Find<QPushButton>(*page_, "cmdStart")->text(), QString("&Start"));
    QVERIFY(Find<QProgressBar>(*page_, "ProgressBar")->isHidden());
    QVERIFY(Find<QPushButton>(*page_, "cmdPrintList")->isEnabled());
    QVERIFY(!host_->session.State().stopRequested);
    QVERIFY(!page_->IsRunning());

    // A new run after a stop completes.
    host_->events.hook = nullptr;
    Start();
    QCOMPARE(Rows(*page_, "List3").size(), std::size_t{924});
    QCOMPARE(Text(*page_, "pnlOptimiser"), kComplete);
  }

  void runningShowsStopAndProgress() {
    PrepareOneToTwelve();
    QString caption;
    int progress = -1;
    bool barShown = false;
    host_->events.hook = [&] {
      if (host_->events.calls != 500) return;
      caption = Find<QPushButton>(*page_, "cmdStart")->text();
      progress = Find<QProgressBar>(*page_, "ProgressBar")->value();
      barShown = !Find<QProgressBar>(*page_, "ProgressBar")->isHidden();
      QVERIFY(page_->IsRunning());
    };
    Start();
    QCOMPARE(caption, QString("&Stop"));
    QVERIFY(barShown);
    QCOMPARE(progress, static_cast<int>((100.0f / 924.0f) * 498.0f));
    QCOMPARE(host_->tabLocks.front(), false);
  }

  void enteringAgainResetsThePage() {
    PrepareOneToTwelve();
    Start();
    Find<QRadioButton>(*page_, "optList0")->setChecked(true);
    page_->PrepareFullSystem();
    QCOMPARE(Find<QListWidget>(*page_, "List3")->count(), 0);
    QCOMPARE(Find<QListWidget>(*page_, "List4")->count(), 0);
    QCOMPARE(Text(*page_, "OptimiseDigit0"), QString("0"));
    QCOMPARE(Text(*page_, "OptimiseDigit3"), QString("0"));
    QCOMPARE(Text(*page_, "pnlOptimiser"), kPrepared);
    QCOMPARE(page_->PrintThreshold(), 66);
    QVERIFY(!Find<QPushButton>(*page_, "cmdPrintList")->isEnabled());
  }

  void fewerThanTwelveNumbersRunNothing() {
    host_->selected = {};
    SetTwelve(host_->selected, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 11});
    page_->PrepareFullSystem();
    Start();
    QCOMPARE(Find<QListWidget>(*page_, "List3")->count(), 0);
    QCOMPARE(Text(*page_, "pnlOptimiser"), kPrepared);
    QCOMPARE(Find<QPushButton>(*page_, "cmdStart")->text(), QString("&Start"));
  }

  void printOptionsChooseRowsAndEmphasis_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("threshold");
    QTest::newRow("all lines") << "optList0" << 0;
    QTest::newRow(">=50%") << "optList2" << 50;
    QTest::newRow(">=66%") << "optList3" << 66;
  }
  void printOptionsChooseRowsAndEmphasis() {
    QFETCH(QString, option);
    QFETCH(int, threshold);
    // Higher returns spread the results over every band of the report.
    host_->session.State().settings.ret3 = 38;
    host_->session.State().settings.ret4 = 120;
    PrepareOneToTwelve();
    Start();
    Find<QRadioButton>(*page_, option.toUtf8().constData())->setChecked(true);
    QCOMPARE(page_->PrintThreshold(), threshold);
    host_->printJobs.clear();
    Find<QPushButton>(*page_, "cmdPrintList")->click();
    QCOMPARE(host_->printJobs, std::vector<std::string>{"full system"});

    const std::string& printed = host_->printed.Text();
    QVERIFY(
        printed.find("  Report on selected number combination [1-2-3-4-5-6-7-8-9-10-11-12]\n") !=
        std::string::npos);
    QVERIFY(printed.ends_with("[end]"));
    int listed = 0, bold = 0, underlined = 0;
    for (const std::string& row : Rows(*page_, "List4")) {
      const int percent = PercentOf(row);
      const bool shown = percent >= threshold || row.ends_with('+');
      const std::string text = "  " + row;
      QCOMPARE(printed.find(text) != std::string::npos, shown);
      if (!shown) continue;
      ++listed;
      if (percent >= 80) {
        ++underlined;
        QVERIFY(PrintedBetween(printed, "<b><u>", text, "</b></u>"));
      } else if (percent >= 60) {
        ++bold;
        QVERIFY(PrintedBetween(printed, "<b>", text, "</b>"));
      } else {
        QVERIFY(printed.find("<b>" + text) == std::string::npos);
      }
    }
    QVERIFY(listed > 0);
    QVERIFY(bold > 0);
    QVERIFY(underlined > 0);
    if (threshold == 0) QCOMPARE(listed, 924);
    if (threshold == 66) QVERIFY(listed < 924);  // some rows are left out
  }
};

QTEST_MAIN(LineOptimiserTest)
#include "line_optimiser_test.moc"
