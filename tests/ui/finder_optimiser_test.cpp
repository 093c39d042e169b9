// SPDX-License-Identifier: GPL-3.0-or-later
// The Random Line Finder and Line Optimiser pages over the demo lottery.
#include <set>

#include "model/numbers.h"
#include "ui/line_optimiser_page.h"
#include "ui/ui_test_support.h"

using namespace bw;
using namespace bw::uitest;

class FinderOptimiserTest : public QObject {
  Q_OBJECT
  WindowRig rig_;
  ui::MainWindow* w_ = nullptr;
  QWidget* finder_ = nullptr;
  ui::LineOptimiserPage* optimiser_ = nullptr;

  QStringList Dealt(int line) {
    return Row(*finder_, 6 * line - 5, 6 * line, "lblRandom").split('|');
  }
  bool LineButtons(bool enabled) {
    for (int n = 1; n <= 8; ++n)
      if (Enabled(*finder_, QStringLiteral("cmdLine%1").arg(n)) != enabled) return false;
    return true;
  }
  // Clicks Start on `page`, calling `hook` with the times it lets events run.
  void Run(QWidget& page, const char* start, std::function<void(int)> hook = {}) {
    rig_.events.calls = 0;
    rig_.events.hook = [this, hook] {
      if (hook) hook(rig_.events.calls);
    };
    Click(page, start);
    rig_.events.hook = nullptr;
  }
  QString Status() { return Caption(*optimiser_, "pnlOptimiser").section(' ', -1); }

 private slots:
  void initTestCase() {
    QVERIFY(rig_.StartDemo());
    w_ = &rig_.Window();
    QVERIFY(rig_.Show());
    finder_ = &Child(*w_, "picMain");
    optimiser_ = &Child<ui::LineOptimiserPage>(*w_, "picOptimise");
  }

  void dealtSetWithTwoPicksGoesToTheOptimiser() {
    QVERIFY(ChooseTab(w_->MainTabs(), MainTab::kRandomLineFinder));
    QVERIFY(LineButtons(false));
    Click(*finder_, "cmdContinue");
    const QStringList all = Row(*finder_, 1, 49, "lblRandom").split('|');
    QCOMPARE(std::set<QString>(all.begin(), all.end()).size(), 49u);
    QVERIFY(!Caption(*finder_, "lblReturn8").isEmpty());
    QVERIFY(LineButtons(true));

    std::set<int> twelve;
    for (int line : {2, 7})
      for (const QString& n : Dealt(line)) twelve.insert(n.toInt());
    Click(*finder_, "cmdLine2");
    QVERIFY(!Enabled(*finder_, "cmdLine2"));
    QCOMPARE(w_->MainTabs().currentIndex(), int(MainTab::kRandomLineFinder));
    Click(*finder_, "cmdLine7");
    QCOMPARE(w_->MainTabs().currentIndex(), int(MainTab::kLineOptimiser));
    QStringList numbers;
    for (int n : twelve) numbers << QString::number(n);
    QCOMPARE(Caption(*optimiser_, "lblSelected"), "Selected Numbers: [" + numbers.join('-') + "]");
    QVERIFY(!Enabled(*optimiser_, "cmdPrintList"));
  }

  void stopWhileDealingAndComingBack() {
    QVERIFY(ChooseTab(w_->MainTabs(), MainTab::kRandomLineFinder));
    Run(*finder_, "cmdContinue", [this](int calls) {
      if (calls == 2) Click(*finder_, "cmdContinue");
    });
    QCOMPARE(Row(*finder_, 1, 49, "lblRandom"), QString(48, '|'));
    QVERIFY(LineButtons(false));

    Click(*finder_, "cmdContinue");
    Click(*finder_, "cmdLine2");
    Click(*finder_, "cmdContinue");  // a new set drops the half-made pick
    QCOMPARE(w_->ChosenLines()[1], 0);
    const QStringList first = Dealt(1);
    Click(*finder_, "cmdLine1");
    QVERIFY(ChooseTab(w_->MainTabs(), MainTab::kGeneralServices));
    QVERIFY(ChooseTab(w_->MainTabs(), MainTab::kRandomLineFinder));
    QCOMPARE(Dealt(1), first);  // the set is kept, the pick is not
    QVERIFY(LineButtons(true));
    Click(*finder_, "cmdLine4");
    QCOMPARE(w_->ChosenLines()[1], 4);
  }

  void oneToTwelveStopsThenRunsAllLines() {
    QVERIFY(ChooseTab(w_->MainTabs(), MainTab::kGeneralServices));
    QVERIFY(ChooseTab(w_->ChoiceTabs(), ChoiceTab::kOptimise));
    CheckLine(*w_, {12, 3, 1, 7, 2, 11, 4, 10, 5, 9, 6, 8});
    QCOMPARE(Caption(*optimiser_, "lblSelected"), "Selected Numbers: [1-2-3-4-5-6-7-8-9-10-11-12]");
    QCOMPARE(Row(*optimiser_, 0, 0, "OptimiseDigit"), "0");  // entering resets the page
    QVERIFY(Items(*optimiser_, "List3").isEmpty());

    Run(*optimiser_, "cmdStart", [&](int checked) {
      if (checked == 101) Click(*optimiser_, "cmdStart");
    });
    QCOMPARE(Items(*optimiser_, "List3").size(),
             100);  // the line seen with Stop is not listed
    QCOMPARE(Caption(*optimiser_, "OptimiseDigit0") + Status(), "100interrupted.");
    QVERIFY(Enabled(*optimiser_, "cmdPrintList"));
    QVERIFY(!optimiser_->IsRunning());

    int progress = -1;
    bool servicesLocked = false;
    QWidget& start = Child(*optimiser_, "cmdStart");
    QCoreApplication::processEvents();  // laid out as the stopped run left it
    const QPoint startAt = start.mapTo(w_, QPoint());
    QPoint startAtRun;
    Run(*optimiser_, "cmdStart", [&](int checked) {
      if (checked != 500) return;
      startAtRun = start.mapTo(w_, QPoint());  // a second click lands on Stop
      progress = Child<QProgressBar>(*optimiser_, "ProgressBar").value();
      servicesLocked = !w_->MainTabs().IsTabSelectable(MainTab::kGeneralServices);
    });
    QCOMPARE(startAtRun, startAt);
    QCOMPARE(progress, static_cast<int>((100.0f / 924.0f) * 498.0f));
    QVERIFY(servicesLocked);
    QCOMPARE(rig_.events.calls, 924);
    QCOMPARE(Caption(*optimiser_, "OptimiseDigit0") + Status(), "924complete.");
    QVERIFY(w_->MainTabs().IsTabSelectable(MainTab::kRandomLineFinder));
    const QStringList rows = Items(*optimiser_, "List3");
    QCOMPARE(rows.size(), 924);
    QCOMPARE(Items(*optimiser_, "List4"), rows);
    QVERIFY(rows.front().startsWith("01-02-03-04-05-06 |"));
    QVERIFY(rows.back().startsWith("07-08-09-10-11-12 |"));
  }

  void printOptionsChooseTheRows() {
    for (auto [option, threshold] :
         {std::pair{"optList0", 0}, {"optList2", 50}, {"optList3", 66}}) {
      Click(*optimiser_, option);
      rig_.printJobs.clear();
      Click(*optimiser_, "cmdPrintList");
      QCOMPARE(rig_.printJobs.size(), 1u);
      const std::string& printed = rig_.printJobs[0].text;
      QVERIFY(printed.find("[1-2-3-4-5-6-7-8-9-10-11-12]") != std::string::npos);
      for (const QString& row : Items(*optimiser_, "List4")) {
        const std::string text = row.toStdString();
        const bool shown = LeadingNumber(text.substr(36)) >= threshold || text.ends_with('+');
        QVERIFY2((printed.find("  " + text) != std::string::npos) == shown, text.c_str());
      }
    }
  }
};

QTEST_MAIN(FinderOptimiserTest)
#include "finder_optimiser_test.moc"
