// Entering new draws on the Update page: confirmation, date labels, and the
// history written when the page is left or the window closes.
#include <QTest>

#include "model/day_number.h"
#include "support/privileges.h"
#include "ui/ui_test_support.h"

using namespace bw;
using namespace bw::uitest;

namespace {
const char* const kSettings = "stake=1\r\nret3=1\r\nret4=1\r\n";
const QString kRange = "Recorded Database Entries\r\nFrom: %1\r\nTo: %2";
}  // namespace

class UpdatePageTest : public QObject {
  Q_OBJECT
 private slots:
  void drawWithBonusIsConfirmedAddedAndSavedOnPageChange() {
    WindowRig rig;
    PlaceDemoLottery(rig.folder);
    QVERIFY(rig.Start());
    ui::MainWindow& window = rig.Window();
    const std::string saved = rig.folder.Read("Sample.opt");
    QVERIFY(ChooseTab(window.ChoiceTabs(), ChoiceTab::kUpdate));
    PickDate(window, QDate(2020, 6, 20));
    PickNumbers(window, {38, 3, 17, 44, 11, 25, 9});

    rig.messages.answers = {MessageAnswer::No};
    Click(window, "cmdCheckUpdate");
    QCOMPARE(Text(rig.Last()),
             "Confirm Update|Lottery Update Details\r\n\r\nDate: 20 June 2020\r\nNumbers: "
             "03-11-17-25-38-44 | 09\r\n\r\nProceed with update?|YesNo|Question|No");
    QCOMPARE(Row(window, 0, 6), "9|3|11|17|25|38|44");

    Click(window, "cmdCheckUpdate");  // Yes
    QCOMPARE(rig.State().draws.back(), "20/06/2020 03 11 17 25 38 44 09");
    QCOMPARE(Row(window, 0, 6), "||||||");
    QVERIFY(!Enabled(window, "cmdGetNumber3"));
    QCOMPARE(Caption(window, "lblRecorded"), kRange.arg("12 June 1982", "20 June 2020"));
    QCOMPARE(Caption(window, "lblLastUpdate"), "Last Database Entry 20 June 2020");
    QCOMPARE(rig.folder.Read("Sample.opt"), saved);  // only in memory so far
    PickDate(window, QDate(2020, 6, 21));            // a new date opens the grid again
    QVERIFY(Enabled(window, "cmdGetNumber3"));

    QVERIFY(ChooseTab(window.ChoiceTabs(), ChoiceTab::kSingleLine));
    QCOMPARE(rig.folder.Read("Sample.opt"), saved + "20/06/2020 03 11 17 25 38 44 09\r\n");
    QCOMPARE(rig.folder.Read("Sample.old"), saved);
    PickNumbers(window, {3, 11, 17, 25, 38, 44});  // the new draw counts at once
    Click(window, "cmdCheckUpdate");
    QCOMPARE(Caption(window, "lblHitSix0"), "1");
  }

  void drawWithoutBonusBeforeTheOldestMovesOnlyFromAndIsSavedOnClose() {
    WindowRig rig;
    WriteLottery(rig.folder, TripleHistory(), kSettings);
    QVERIFY(rig.Start());
    ui::MainWindow& window = rig.Window();
    QVERIFY(ChooseTab(window.ChoiceTabs(), ChoiceTab::kUpdate));
    PickDate(window, QDate(2000, 1, 5));
    PickNumbers(window, {6, 5, 4, 3, 2, 1, 7});  // no bonus: the seventh is ignored
    Click(window, "cmdCheckUpdate");
    QCOMPARE(rig.Last().text,
             "Lottery Update Details\r\n\r\nDate: 05 January 2000\r\nNumbers: "
             "01-02-03-04-05-06\r\n\r\nProceed with update?");
    QCOMPARE(Caption(window, "lblRecorded"), kRange.arg("05 January 2000", "20 March 2001"));
    window.close();  // saves without asking
    QCOMPARE(rig.messages.shown.size(), 1u);
    QVERIFY(rig.folder.Read("Test.opt")
                .ends_with("20/03/2001 20 29 39 44 45 49 \r\n05/01/2000 01 02 03 04 05 06 \r\n"));
  }

  void firstDrawOfAnEmptyHistoryIsSavedOnClose() {
    WindowRig rig;
    WriteLottery(rig.folder, {}, kSettings);
    QVERIFY(rig.Start());
    PickDate(rig.Window(), QDate(2002, 2, 2));
    PickNumbers(rig.Window(), {10, 20, 30, 40, 41, 42});
    Click(rig.Window(), "cmdCheckUpdate");
    const QString today =
        QString::fromStdString(FormatLongDate(DateOfDayNumber(rig.clock.TodayDayNumber())));
    QCOMPARE(Caption(rig.Window(), "lblRecorded"), kRange.arg("02 February 2002", today));
    QVERIFY(rig.Window().ChoiceTabs().IsTabSelectable(ChoiceTab::kSingleLine));
    rig.Window().close();
    QCOMPARE(rig.folder.Read("Test.opt"), "02/02/2002 10 20 30 40 41 42 \r\n");
  }

  void linesTheReadSetAsideOrStoppedAtAreReportedAndNeverLost() {
    const struct {
      const char* line;  // put before the last draw of the history
      const char* startTitle;
      bool updates;
    } cases[] = {{"17/01/2000 01 02 03 04 05 50", "Lines set aside", true},
                 {"31/02/2000 01 02 03 04 05 06", "History not read to its end", false}};
    for (const auto& c : cases) {
      WindowRig rig;
      std::vector<std::string> history = TripleHistory();
      history.insert(history.end() - 1, c.line);
      WriteLottery(rig.folder, history, kSettings);
      QVERIFY(rig.Start());
      const std::string before = rig.folder.Read("Test.opt");
      QCOMPARE(rig.messages.shown.size(), 1u);
      QCOMPARE(rig.Last().title, c.startTitle);
      QVERIFY(rig.Last().text.find("line 20") != std::string::npos);
      QVERIFY(ChooseTab(rig.Window().ChoiceTabs(), ChoiceTab::kUpdate));
      PickDate(rig.Window(), QDate(2002, 2, 2));
      PickNumbers(rig.Window(), {10, 20, 30, 40, 41, 42});
      Click(rig.Window(), "cmdCheckUpdate");
      if (!c.updates) {
        QCOMPARE(rig.Last().title, "History not saved");
        QVERIFY(rig.Last().text.find("line 20: \"31/02/2000\" is not a date") != std::string::npos);
      }
      rig.Window().close();
      const std::string saved = rig.folder.Read("Test.opt");
      if (c.updates) {
        QVERIFY(saved.find("\r\n" + std::string(c.line) + "\r\n") != std::string::npos);
        QVERIFY(saved.ends_with("\r\n02/02/2002 10 20 30 40 41 42 \r\n"));
      } else {
        QCOMPARE(saved, before);
      }
    }
  }

  void failedSaveOnCloseIsReportedAndKeepsTheOldHistory() {
    WindowRig rig;
    WriteLottery(rig.folder, TripleHistory(), kSettings);
    QVERIFY(rig.Start());
    const std::string before = rig.folder.Read("Test.opt");
    rig.session.AppendDraw("05/01/2002 01 02 03 04 05 06 ");
    bool barWithTheBox = true;
    rig.messages.whileBoxOpen = [&] {
      barWithTheBox = !rig.Window()
                           .centralWidget()
                           ->findChild<QWidget*>("ProgressBar", Qt::FindDirectChildrenOnly)
                           ->isHidden();
    };
    {
      test::AsUnprivilegedUser nobody;  // the folder cannot be written
      if (!nobody.Switched()) QSKIP("dropping privileges needs root");
      rig.Window().close();
    }
    QVERIFY(rig.Window().IsUnloaded());
    QCOMPARE(rig.Last().title, "Error saving file");
    QVERIFY(!barWithTheBox);  // the save bar is gone once the error shows
    QCOMPARE(rig.folder.Read("Test.opt"), before);
  }
};

QTEST_MAIN(UpdatePageTest)
#include "update_page_test.moc"
