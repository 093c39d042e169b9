// The Random Line Finder and Line Optimiser pages over the demo lottery:
// dealing a set, picking two lines into a complete 924-line run, stopping a
// deal or a run, and each print option's rows with bold and underline.
#include <QListWidget>
#include <QProgressBar>
#include <QRadioButton>
#include <QTest>
#include <set>

#include "analysis/full_system.h"
#include "analysis/random_finder.h"
#include "print/reports.h"
#include "ui/line_optimiser_page.h"
#include "ui/ui_test_support.h"

using namespace bw;
using namespace bw::uitest;

namespace {

const QString kPrepared = "About to analyse\nfull system 6 from 12\n[ 924 system lines]";
const QString kComplete = "Analyse of\nfull system 6 from 12\n[924 system lines] complete.";
const QString kInterrupted = "Analysis of\nfull system 6 from 12\n[924 system lines] interupted.";
const QString kChoose = "Choose any two lines for optimisation, or get a New Set.";

std::vector<std::string> Rows(const QWidget& page, const char* list) {
  std::vector<std::string> rows;
  auto& widget = Child<QListWidget>(page, list);
  for (int i = 0; i < widget.count(); ++i) rows.push_back(widget.item(i)->text().toStdString());
  return rows;
}

// Whether the printed text holds the row between the marks, allowing the line
// end that a row in the second column carries before the marks close.
bool PrintedBetween(const std::string& printed, const std::string& open, const std::string& row,
                    const std::string& close) {
  return printed.find(open + row + close) != std::string::npos ||
         printed.find(open + row + "\n" + close) != std::string::npos;
}

}  // namespace

class FinderOptimiserTest : public QObject {
  Q_OBJECT
  WindowRig rig_;
  ui::MainWindow* w_ = nullptr;
  QWidget* finder_ = nullptr;
  ui::LineOptimiserPage* optimiser_ = nullptr;

  Line Dealt(int line) { return LineOf(Row(*finder_, 6 * line - 5, 6 * line, "lblRandom")); }
  static Line LineOf(const QString& row) {
    Line line{};
    for (int k = 0; k < 6; ++k) line[k] = row.section('|', k, k).toInt();
    return line;
  }
  QString Digits() {
    return Row(*optimiser_, 0, 0, "OptimiseDigit") + "|" + Row(*optimiser_, 2, 3, "OptimiseDigit");
  }
  bool LineButtons(bool enabled) {
    for (int n = 1; n <= 8; ++n) {
      if (Enabled(*finder_, QStringLiteral("cmdLine%1").arg(n)) != enabled) return false;
    }
    return true;
  }
  // Hands 1..12 (picked out of order) from the Optimise page to the optimiser.
  void OptimiseOneToTwelve() {
    QVERIFY(ChooseTab(w_->MainTabs(), MainTab::kGeneralServices));
    QVERIFY(ChooseTab(w_->ChoiceTabs(), ChoiceTab::kOptimise));
    PickNumbers(*w_, {12, 3, 1, 7, 2, 11, 4, 10, 5, 9, 6, 8});
    Click(*w_, "cmdCheckUpdate");
    QCOMPARE(Caption(*optimiser_, "lblSelected"), "Selected Numbers: [1-2-3-4-5-6-7-8-9-10-11-12]");
  }
  // Runs the optimiser, calling `hook` with the number of lines checked.
  void Run(std::function<void(int)> hook = {}) {
    rig_.events.calls = 0;
    rig_.events.hook = [this, hook] {
      if (hook) hook(rig_.events.calls);
    };
    Click(*optimiser_, "cmdStart");
    rig_.events.hook = nullptr;
  }

 private slots:
  void initTestCase() {
    PlaceDemoLottery(rig_.folder);
    QVERIFY(rig_.Start());
    w_ = &rig_.Window();
    finder_ = &Child(*w_, "picMain");
    optimiser_ = &Child<ui::LineOptimiserPage>(*w_, "picOptimise");
  }

  void dealtSetWithTwoPicksRunsTheFull924Lines() {
    QCOMPARE(Caption(*finder_, "lblSpeech"), "Hi, click on start...");
    QCOMPARE(Caption(*finder_, "cmdLine8") + Caption(*finder_, "lblNotPlaced"),
             "Line &8    >>Not placed   >>");
    QVERIFY(ChooseTab(w_->MainTabs(), MainTab::kRandomLineFinder));
    QCOMPARE(Caption(*finder_, "lblSpeech"), "Click on 'Start' button");
    QCOMPARE(Caption(*finder_, "cmdContinue"), "&Start");
    QVERIFY(LineButtons(false));
    Click(*finder_, "cmdContinue");

    MersenneRandom replay;  // the deal is the one of the clock's seed
    const auto expected = DealRandomSet(replay, rig_.clock.lastSeed);
    std::set<int> seen;
    for (int i = 1; i <= 49; ++i) {
      seen.insert(expected[i - 1]);
      QCOMPARE(Caption(*finder_, QStringLiteral("lblRandom%1").arg(i)).toInt(), expected[i - 1]);
    }
    QCOMPARE(seen.size(), 49u);
    for (int n = 1; n <= 8; ++n) {
      const Line line = Dealt(n);
      QVERIFY(IsValidLine(line));
      const ResultCaptions shown = CaptionsOf(rig_.session.Check(line));
      const QString row = Row(*finder_, n, n, "lblHitThree") + Row(*finder_, n, n, "lblHitFour") +
                          Row(*finder_, n, n, "lblHitFive") +
                          Row(*finder_, n, n, "lblHitFivePlus") + Row(*finder_, n, n, "lblHitSix") +
                          Row(*finder_, n, n, "Digit") + Row(*finder_, n, n, "lblReturn");
      QCOMPARE(row.toStdString(), shown.three + shown.four + shown.five + shown.fivePlus +
                                      shown.six + shown.digit + shown.ret);
    }
    QCOMPARE(Caption(*finder_, "cmdContinue"), "&New Set");
    QCOMPARE(Caption(*finder_, "lblSpeech"), kChoose);
    QVERIFY(LineButtons(true));
    QVERIFY(w_->MainTabs().IsTabSelectable(MainTab::kGeneralServices));

    const Line second = Dealt(2), seventh = Dealt(7);
    Click(*finder_, "cmdLine2");
    QVERIFY(!Enabled(*finder_, "cmdLine2"));
    QCOMPARE(w_->MainTabs().currentIndex(), int(MainTab::kRandomLineFinder));
    Click(*finder_, "cmdLine7");
    QCOMPARE(w_->MainTabs().currentIndex(), int(MainTab::kLineOptimiser));
    std::set<int> twelve(second.begin(), second.end());
    twelve.insert(seventh.begin(), seventh.end());
    QStringList numbers;
    for (int number : twelve) numbers << QString::number(number);
    QCOMPARE(Caption(*optimiser_, "lblSelected"), "Selected Numbers: [" + numbers.join('-') + "]");
    QCOMPARE(Caption(*optimiser_, "pnlOptimiser"), kPrepared);
    QVERIFY(Child<QRadioButton>(*optimiser_, "optList3").isChecked());
    QVERIFY(!Enabled(*optimiser_, "cmdPrintList"));

    Run();
    std::array<std::string, 13> numbers12 = w_->SelectedNumbers();
    const std::vector<Line> lines = BuildSystemLines(numbers12, BuildSystemPatterns());
    const std::vector<std::string> rows = Rows(*optimiser_, "List3");
    QCOMPARE(rows.size(), 924u);
    QCOMPARE(Rows(*optimiser_, "List4"), rows);
    SystemCounters counted;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const SingleLineResult result = rig_.session.Check(lines[i]);
      QCOMPARE(rows[i], FormatResultRow(SystemLineText(lines[i]), CaptionsOf(result)));
      counted.Count(result.percent);
    }
    QCOMPARE(rig_.events.calls, 924);
    QCOMPARE(Digits(), QStringLiteral("924|%1|%2").arg(counted.from50to65).arg(counted.atLeast66));
    QCOMPARE(Caption(*optimiser_, "pnlOptimiser"), kComplete);
    QCOMPARE(Caption(*optimiser_, "cmdStart"), "&Start");
    QVERIFY(Enabled(*optimiser_, "cmdPrintList"));
    QVERIFY(Child(*optimiser_, "ProgressBar").isHidden());
    QVERIFY(w_->MainTabs().IsTabSelectable(MainTab::kRandomLineFinder));
  }

  void stopWhileDealingNewSetsAndComingBack() {
    QVERIFY(ChooseTab(w_->MainTabs(), MainTab::kRandomLineFinder));
    rig_.events.calls = 0;
    rig_.events.hook = [this] {
      if (rig_.events.calls == 2) Click(*finder_, "cmdContinue");
    };
    Click(*finder_, "cmdContinue");
    rig_.events.hook = nullptr;
    QCOMPARE(Row(*finder_, 1, 49, "lblRandom"), QString(48, '|'));  // the set is discarded
    QCOMPARE(Caption(*finder_, "lblSpeech"), "Get a New Set!");
    QCOMPARE(Caption(*finder_, "cmdContinue"), "&New Set");
    QCOMPARE(Caption(*finder_, "Digit1") + Caption(*finder_, "lblHitThree1"), "0");
    QVERIFY(LineButtons(false));
    QVERIFY(w_->MainTabs().IsTabSelectable(MainTab::kGeneralServices));

    Click(*finder_, "cmdContinue");  // a new set after a stop
    const uint64_t seed = rig_.clock.lastSeed;
    Click(*finder_, "cmdLine2");
    Click(*finder_, "cmdContinue");  // a new set drops the half-made pick
    QVERIFY(rig_.clock.lastSeed != seed);
    QCOMPARE(w_->ChosenLines()[1], 0);
    const Line first = Dealt(1);
    Click(*finder_, "cmdLine1");
    QCOMPARE(w_->SelectedNumbers()[1], std::to_string(first[0]));
    QCOMPARE(w_->SelectedNumbers()[7], "");

    QVERIFY(ChooseTab(w_->MainTabs(), MainTab::kGeneralServices));
    QVERIFY(ChooseTab(w_->MainTabs(), MainTab::kRandomLineFinder));
    QCOMPARE(Dealt(1), first);  // coming back keeps the set but not the pick
    QCOMPARE(Caption(*finder_, "lblSpeech"), kChoose);
    QVERIFY(LineButtons(true));
    Click(*finder_, "cmdLine4");
    QCOMPARE(w_->ChosenLines()[1], 4);
    QCOMPARE(w_->MainTabs().currentIndex(), int(MainTab::kRandomLineFinder));
    rig_.help.topics.clear();
    Click(*finder_, "cmdHelpRandom");
    QCOMPARE(rig_.help.topics, std::vector<int>{430});
  }

  void oneToTwelveRunsStopsAndRunsAgain() {
    OptimiseOneToTwelve();
    QString caption;
    int progress = -1;
    Run([&](int checked) {
      if (checked == 500) {
        caption = Caption(*optimiser_, "cmdStart");
        progress = Child<QProgressBar>(*optimiser_, "ProgressBar").value();
        QVERIFY(!w_->MainTabs().IsTabSelectable(MainTab::kGeneralServices));
      }
    });
    QCOMPARE(caption, "&Stop");
    QCOMPARE(progress, static_cast<int>((100.0f / 924.0f) * 498.0f));
    const std::vector<std::string> rows = Rows(*optimiser_, "List3");
    QVERIFY(rows.front().starts_with("01-02-03-04-05-06 |"));
    QVERIFY(rows.back().starts_with("07-08-09-10-11-12 |"));
    const std::string header = Caption(*optimiser_, "Label6").toStdString();
    QCOMPARE(header, std::string(18, ' ') + "| 3 | 4 | 5|5+| 6|result");
    for (std::size_t column : {18u, 22u, 26u, 29u, 32u, 35u}) QCOMPARE(rows[0][column], '|');

    Run([&](int checked) {
      if (checked == 101) Click(*optimiser_, "cmdStart");
    });
    // Line 101 was checked when Stop was seen, but not listed.
    QCOMPARE(Rows(*optimiser_, "List3").size(), 100u);
    QCOMPARE(Rows(*optimiser_, "List4").size(), 100u);
    QCOMPARE(Caption(*optimiser_, "OptimiseDigit0"), "100");
    QCOMPARE(Caption(*optimiser_, "pnlOptimiser"), kInterrupted);
    QCOMPARE(Caption(*optimiser_, "cmdStart"), "&Start");
    QVERIFY(Child(*optimiser_, "ProgressBar").isHidden());
    QVERIFY(Enabled(*optimiser_, "cmdPrintList"));
    QVERIFY(!optimiser_->IsRunning());
    Run();
    QCOMPARE(Rows(*optimiser_, "List3").size(), 924u);

    Child<QRadioButton>(*optimiser_, "optList0").setChecked(true);
    OptimiseOneToTwelve();  // entering again resets the page
    QCOMPARE(Child<QListWidget>(*optimiser_, "List3").count(), 0);
    QCOMPARE(Digits(), "0|0|0");
    QCOMPARE(Caption(*optimiser_, "pnlOptimiser"), kPrepared);
    QCOMPARE(optimiser_->PrintThreshold(), 66);
  }

  void printOptionsChooseRowsAndEmphasis() {
    // Higher returns spread the results over every band of the report.
    const LotterySettings demo = rig_.State().settings;
    rig_.State().settings.ret3 = 38;
    rig_.State().settings.ret4 = 120;
    OptimiseOneToTwelve();
    Run();
    rig_.State().settings = demo;
    for (auto [option, threshold] :
         {std::pair<std::string, int>{"optList0", 0}, {"optList2", 50}, {"optList3", 66}}) {
      Child<QRadioButton>(*optimiser_, QString::fromStdString(option)).setChecked(true);
      QCOMPARE(optimiser_->PrintThreshold(), threshold);
      rig_.printJobs.clear();
      Click(*optimiser_, "cmdPrintList");
      QCOMPARE(rig_.printJobs.size(), 1u);
      QCOMPARE(rig_.printJobs[0].what, "full system");
      const std::string& printed = rig_.printJobs[0].text;
      QVERIFY(printed.find("  Report on selected number combination "
                           "[1-2-3-4-5-6-7-8-9-10-11-12]\n") != std::string::npos);
      QVERIFY(printed.ends_with("[end]"));
      int listed = 0, bold = 0, underlined = 0;
      for (const std::string& row : Rows(*optimiser_, "List4")) {
        const int percent = LeadingNumber(row.substr(36));
        const bool shown = percent >= threshold || row.ends_with('+');
        const std::string text = "  " + row;
        QVERIFY2((printed.find(text) != std::string::npos) == shown, (option + text).c_str());
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
      QVERIFY(bold > 0 && underlined > 0);
      QVERIFY(threshold == 66 ? listed < 924 : listed == 924);  // every row makes 50%
    }
  }
};

QTEST_MAIN(FinderOptimiserTest)
#include "finder_optimiser_test.moc"
