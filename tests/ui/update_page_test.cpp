// Entering new draws on the Update page: the confirmation text, answering No
// and Yes, the draw list entry, the date labels, and the history file written
// when the page is left or the window closes.
#include <QTest>

#include "model/day_number.h"
#include "support/privileges.h"
#include "ui/tab_strip.h"
#include "ui/ui_test_support.h"

using namespace bw;
using namespace bw::uitest;
using ui::ChoiceTab;

class UpdatePageTest : public QObject {
  Q_OBJECT
 private slots:
  void drawWithBonusIsConfirmedAddedAndSavedOnPageChange() {
    TestFolder folder;
    fakehost::PlaceDemoLottery(folder);
    WindowRig rig(folder);
    QVERIFY(rig.Start());
    ui::MainWindow& window = rig.Window();
    const std::string savedHistory = folder.Read("Sample.opt");
    QVERIFY(ChooseTab(window.ChoiceTabs(), ChoiceTab::kUpdate));
    QCOMPARE(Caption(window, "cmdCheckUpdate"), QString("&Update"));
    PickDate(window, QDate(2020, 6, 20));
    PickNumbers(window, {38, 3, 17, 44, 11, 25, 9});
    QCOMPARE(NumberRow(window, 0, 6), QString("9|3|11|17|25|38|44"));

    rig.messages.answers = {MessageAnswer::No};
    Click(window, "cmdCheckUpdate");
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
    const Message& question = rig.messages.shown[0];
    QCOMPARE(question.text, std::string("Lottery Update Details\r\n\r\nDate: 20 June 2020\r\n"
                                        "Numbers: 03-11-17-25-38-44 | 09\r\n\r\n"
                                        "Proceed with update?"));
    QCOMPARE(question.title, std::string("Confirm Update"));
    QCOMPARE(question.buttons, MessageButtons::YesNo);
    QCOMPARE(question.icon, MessageIcon::Question);
    QCOMPARE(question.defaultButton, MessageAnswer::No);
    QCOMPARE(rig.session.State().draws.size(), std::size_t{3799});
    QVERIFY(Child(window, "cmdCheckUpdate").isEnabled());
    QCOMPARE(NumberRow(window, 0, 6), QString("9|3|11|17|25|38|44"));

    rig.messages.answers = {MessageAnswer::Yes};
    Click(window, "cmdCheckUpdate");
    QCOMPARE(rig.session.State().draws.back(), std::string("20/06/2020 03 11 17 25 38 44 09"));
    QVERIFY(rig.session.State().historyChanged);
    QCOMPARE(NumberRow(window, 0, 6), QString("||||||"));
    QVERIFY(!Child(window, "cmdCheckUpdate").isEnabled());
    QVERIFY(!Child(window, "cmdGetNumber3").isEnabled());
    QCOMPARE(Caption(window, "lblRecorded"),
             QString("Recorded Database Entries\r\nFrom: 12 June 1982\r\nTo: 20 June 2020"));
    QCOMPARE(Caption(window, "lblLastUpdate"), QString("Last Database Entry 20 June 2020"));
    QCOMPARE(folder.Read("Sample.opt"), savedHistory);            // only in memory so far
    QVERIFY(ChooseTab(window.ChoiceTabs(), ChoiceTab::kUpdate));  // tabs unlocked again

    PickDate(window, QDate(2020, 6, 21));  // a new date makes the grid usable again
    QVERIFY(Child(window, "cmdGetNumber3").isEnabled());

    QVERIFY(ChooseTab(window.ChoiceTabs(), ChoiceTab::kSingleLine));
    QCOMPARE(folder.Read("Sample.opt"), savedHistory + "20/06/2020 03 11 17 25 38 44 09\r\n");
    QCOMPARE(folder.Read("Sample.old"), savedHistory);
    QVERIFY(!rig.session.State().historyChanged);

    // The new draw counts at once: its own line is a six.
    PickNumbers(window, {3, 11, 17, 25, 38, 44});
    Click(window, "cmdCheckUpdate");
    QCOMPARE(Caption(window, "lblHitSix0"), QString("1"));
  }

  void drawWithoutBonusBeforeTheOldestMovesOnlyFrom() {
    TestFolder folder;
    WriteLottery(folder, TripleHistory(), "stake=1\r\nret3=1\r\nret4=1\r\n");
    WindowRig rig(folder);
    QVERIFY(rig.Start());
    ui::MainWindow& window = rig.Window();
    QCOMPARE(Caption(window, "lblRecorded"),
             QString("Recorded Database Entries\r\nFrom: 01 March 2001\r\nTo: 20 March 2001"));
    QVERIFY(ChooseTab(window.ChoiceTabs(), ChoiceTab::kUpdate));
    PickDate(window, QDate(2000, 1, 5));
    PickNumbers(window, {6, 5, 4, 3, 2, 1});
    rig.messages.answers = {MessageAnswer::Yes};
    Click(window, "cmdCheckUpdate");
    QCOMPARE(rig.messages.shown.at(0).text,
             std::string("Lottery Update Details\r\n\r\nDate: 05 January 2000\r\nNumbers: "
                         "01-02-03-04-05-06\r\n\r\nProceed with update?"));
    QCOMPARE(rig.session.State().draws.back(), std::string("05/01/2000 01 02 03 04 05 06 "));
    QCOMPARE(Caption(window, "lblRecorded"),
             QString("Recorded Database Entries\r\nFrom: 05 January 2000\r\nTo: 20 March 2001"));
    QCOMPARE(Caption(window, "lblLastUpdate"), QString("Last Database Entry 20 March 2001"));

    window.close();  // closing saves without asking
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
    QVERIFY(folder.Read("Test.opt")
                .ends_with("20/03/2001 20 29 39 44 45 49 \r\n"
                           "05/01/2000 01 02 03 04 05 06 \r\n"));
  }

  void failedSaveOnCloseIsReportedAndKeepsTheOldHistory() {
    TestFolder folder;
    WriteLottery(folder, TripleHistory(), "stake=1\r\nret3=1\r\nret4=1\r\n");
    WindowRig rig(folder);
    QVERIFY(rig.Start());
    const std::string before = folder.Read("Test.opt");
    rig.session.AppendDraw("05/01/2002 01 02 03 04 05 06 ");
    {
      test::AsUnprivilegedUser nobody;  // the folder cannot be written
      if (!nobody.Switched()) QSKIP("dropping privileges needs root");
      rig.Window().close();
    }
    QVERIFY(rig.Window().IsUnloaded());
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
    QCOMPARE(rig.messages.shown[0].title, std::string("Error saving file"));
    QCOMPARE(folder.Read("Test.opt"), before);
  }

  void firstDrawOfAnEmptyHistoryIsSavedOnClose() {
    TestFolder folder;
    WriteLottery(folder, {}, "stake=1\r\nret3=1\r\nret4=1\r\n");
    WindowRig rig(folder);
    QVERIFY(rig.Start());
    ui::MainWindow& window = rig.Window();
    PickDate(window, QDate(2002, 2, 2));
    PickNumbers(window, {10, 20, 30, 40, 41, 42});
    Click(window, "cmdCheckUpdate");
    // An empty history file took today as its range; an older draw moves "From:".
    const QString today =
        QString::fromStdString(FormatLongDate(DateOfDayNumber(rig.clock.TodayDayNumber())));
    QCOMPARE(Caption(window, "lblRecorded"),
             "Recorded Database Entries\r\nFrom: 02 February 2002\r\nTo: " + today);
    QCOMPARE(Caption(window, "lblLastUpdate"), "Last Database Entry " + today);
    QVERIFY(rig.session.State().historyChanged);
    // Unlocking the pages after the update opens them all.
    QVERIFY(window.ChoiceTabs().IsTabSelectable(ChoiceTab::kSingleLine));
    window.close();
    QCOMPARE(folder.Read("Test.opt"), std::string("02/02/2002 10 20 30 40 41 42 \r\n"));
  }
};

QTEST_MAIN(UpdatePageTest)
#include "update_page_test.moc"
