// Starting the program: arguments, the splash, and the window's
// initialisation over each state a lottery folder can be in.
#include <QTest>

#include "model/day_number.h"
#include "store/history_file.h"
#include "ui/splash_window.h"
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
  void argumentsNameTheProgramFolder() {
    TestFolder folder;
    folder.Write("plain.txt", "x");
    const std::string here = folder.Path().string();
    struct Case {
      std::vector<std::string> args;
      std::filesystem::path base;
      bool ok;
    } cases[] = {{{}, here, true},
                 {{"--folder", here}, "/nowhere", true},
                 {{"--screenshot", "w.png"}, here, true},
                 {{"--folder"}, here, false},
                 {{"--fast"}, here, false},
                 {{"--folder", here + "/plain.txt"}, "/", false}};
    for (const Case& c : cases) {
      const auto parsed = ui::ParseStartArguments(c.args, c.base);
      QVERIFY2(parsed.error.empty() == c.ok, c.args.empty() ? "none" : c.args[0].c_str());
      if (c.ok) QCOMPARE(parsed.place.folder, folder.Path());
    }
    QCOMPARE(ui::ParseStartArguments({"--screenshot", "w.png"}, here).screenshot, "w.png");
  }

  void splashShowsTheRunningCount() {
    ui::SplashWindow splash;
    splash.ShowProgress(17, 1234);
    QCOMPARE(Caption(splash, "lblIntegrate"), "17 / 1234");
  }

  void demoLotteryLoadsWithDatesTitleAndIndex() {
    WindowRig rig;
    QVERIFY(rig.StartDemo());
    ui::MainWindow& window = rig.Window();
    QVERIFY(rig.messages.shown.empty());
    QCOMPARE(window.windowTitle(), kTitle.arg("Sample.opt"));
    QCOMPARE(Caption(window, "lblRecorded"),
             "Recorded Database Entries\r\nFrom: 12 June 1982\r\nTo: 17 June 2020");
    QVERIFY(rig.folder.Exists("Sample.dnd") && rig.folder.Exists("01_S_Sample.opt"));
    QVERIFY(!window.MainTabs().IsTabSelectable(MainTab::kLineOptimiser));
    for (int tab = 0; tab < 4; ++tab) QVERIFY(window.ChoiceTabs().IsTabSelectable(tab));

    WindowRig second(rig.folder.Path());  // finds the index: only the counting runs
    QVERIFY(second.Start());
    QCOMPARE(Caption(second.Window(), "lblLastUpdate"), "Last Database Entry 17 June 2020");
  }

  // No lottery, or details that need the lottery dialog: what it leaves behind
  // decides whether the start goes on.
  void lotteryDialogDuringTheStart_data() {
    QTest::addColumn<QString>("settings");  // empty: no lottery at all
    QTest::addColumn<int>("dialog");        // 0 cancelled, 1 makes a new lottery, 2 sets ret3
    QTest::addColumn<QString>("messages");  // their titles
    QTest::newRow("no lottery") << "" << 0 << "Error Reading File|Error";
    QTest::newRow("new lottery") << "" << 1 << "Error Reading File|Error|Need to re-start";
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
    rig.dialogAction = [dialog](ProgramState& state) {
      if (dialog == 1) state.lottoFile = "Fresh.opt", state.newFileCreated = true;
      if (dialog == 2) state.settings.ret3 = 5;
    };
    const bool started = rig.Start();
    QCOMPARE(started, dialog == 2);
    QCOMPARE(rig.dialogShown, 1);
    QStringList titles;
    for (const Message& shown : rig.messages.shown) titles << QString::fromStdString(shown.title);
    QCOMPARE(titles.join('|'), messages);
    QCOMPARE(rig.Window().IsUnloaded(), !started);
    QCOMPARE(rig.folder.Exists("Test.dnd"), started);  // nothing is indexed unless loaded
    if (started) QCOMPARE(rig.Window().windowTitle(), kTitle.arg("Test.opt"));
    if (settings.isEmpty() && dialog == 0) QVERIFY(std::filesystem::is_empty(rig.folder.Path()));
    if (settings.contains("stake=0"))
      QCOMPARE(rig.Last().text, "There are still some unresolved details cannot continue.");
    if (dialog == 1)
      QVERIFY(rig.Last().text.find("manually import into the '" +
                                   (rig.folder / "Fresh.opt").string() + "'") != std::string::npos);
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
    QVERIFY(!Enabled(window, "cmdGetNumber1"));  // until a date is picked
  }

  void placeholderHistoryShowsTodayAsItsRange() {
    WindowRig rig;
    QVERIFY(rig.StartTest(kGoodSettings, PlaceholderLines()));
    QVERIFY(rig.messages.shown.empty());
    const QString today =
        QString::fromStdString(FormatLongDate(DateOfDayNumber(rig.clock.TodayDayNumber())));
    QCOMPARE(Caption(rig.Window(), "lblRecorded"),
             "Recorded Database Entries\r\nFrom: " + today + "\r\nTo: " + today);
    QVERIFY(rig.Window().ChoiceTabs().IsTabSelectable(ChoiceTab::kSingleLine));
  }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
