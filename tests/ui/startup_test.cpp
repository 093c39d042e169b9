// Starting the program: the folder and single-instance rules, the program
// settings message, the splash window, and the main window's initialisation
// over the demo lottery, no lottery, unresolved details, a missing history
// and a new history of placeholder draws.
#include <QElapsedTimer>
#include <QTest>

#include "model/day_number.h"
#include "store/history_file.h"
#include "ui/instance_lock.h"
#include "ui/number_grid.h"
#include "ui/splash_window.h"
#include "ui/start_up.h"
#include "ui/tab_strip.h"
#include "ui/ui_test_support.h"

using namespace bw;
using namespace bw::uitest;
using ui::ChoiceTab;
using ui::MainTab;

namespace {

const char* const kGoodSettings = "bonus=true\r\nstake=1\r\nret3=10\r\nret4=60\r\nret5=1500\r\n";

std::string TodayLong(CountingClock& clock) {
  return FormatLongDate(DateOfDayNumber(clock.TodayDayNumber()));
}

}  // namespace

class StartupTest : public QObject {
  Q_OBJECT
 private slots:
  void argumentsNameTheProgramFolder() {
    TestFolder folder;
    auto plain = ui::ParseStartArguments({}, folder.Path());
    QVERIFY(plain.error.empty());
    QCOMPARE(plain.folder, folder.Path());

    auto chosen = ui::ParseStartArguments({"--folder", folder.Path().string()}, "/nowhere");
    QVERIFY(chosen.error.empty());
    QCOMPARE(chosen.folder, folder.Path());

    QVERIFY(!ui::ParseStartArguments({"--folder"}, folder.Path()).error.empty());
    QVERIFY(!ui::ParseStartArguments({"--screenshot"}, folder.Path()).error.empty());
    auto picture = ui::ParseStartArguments({"--screenshot", "w.png"}, folder.Path());
    QVERIFY(picture.error.empty());
    QCOMPARE(picture.screenshot, std::string("w.png"));
    QVERIFY(!ui::ParseStartArguments({"--fast"}, folder.Path()).error.empty());
    folder.Write("plain.txt", "x");
    QVERIFY(
        !ui::ParseStartArguments({"--folder", (folder / "plain.txt").string()}, "/").error.empty());
    QVERIFY(!ui::ParseStartArguments({}, folder / "missing").error.empty());
  }

  void secondInstanceOfAFolderIsRefusedWithoutTouchingIt() {
    TestFolder folder, other;
    {
      ui::InstanceLock first(folder.Path());
      QVERIFY(first.Acquired());
      ui::InstanceLock second(folder.Path());
      QVERIFY(!second.Acquired());
      ui::InstanceLock elsewhere(other.Path());
      QVERIFY(elsewhere.Acquired());
    }
    ui::InstanceLock again(folder.Path());
    QVERIFY(again.Acquired());
    QVERIFY(std::filesystem::is_empty(folder.Path()));
  }

  void splashShowsNoticeAndRunningCount() {
    ui::SplashWindow splash;
    QCOMPARE(Caption(splash, "lblWarning0"),
             QString("Please wait loading [ this may take up to 5 minutes ]...,"));
    QCOMPARE(Caption(splash, "lblWarning1"),
             QString("but the gained optimiser speed is worth while waiting for!"));
    splash.ShowProgress(17, 1234);
    QCOMPARE(Caption(splash, "lblIntegrate"), QString("17 / 1234"));
    splash.ShowProgress(1234, 1234);
    QCOMPARE(Caption(splash, "lblIntegrate"), QString("1234 / 1234"));
  }

  void demoLotteryLoadsWithDatesTitleAndIndex() {
    TestFolder folder;
    fakehost::PlaceDemoLottery(folder);
    WindowRig rig(folder);
    QVERIFY(rig.Start());
    ui::MainWindow& window = rig.Window();
    QVERIFY(rig.messages.shown.empty());
    QCOMPARE(window.windowTitle(), QString(" Ballwright - [Database loaded (Sample.opt)]"));
    QCOMPARE(Caption(window, "lblRecorded"),
             QString("Recorded Database Entries\r\nFrom: 12 June 1982\r\nTo: 17 June 2020"));
    QCOMPARE(Caption(window, "lblLastUpdate"), QString("Last Database Entry 17 June 2020"));
    QVERIFY(window.isEnabled());
    QVERIFY(folder.Exists("Sample.dnd"));
    QVERIFY(folder.Exists("01_S_Sample.opt"));
    QVERIFY(window.MainTabs().IsTabSelectable(MainTab::kRandomLineFinder));
    QVERIFY(!window.MainTabs().IsTabSelectable(MainTab::kLineOptimiser));
    for (int tab = 0; tab < 4; ++tab) QVERIFY(window.ChoiceTabs().IsTabSelectable(tab));
    QCOMPARE(window.ChoiceTabs().currentIndex(), int(ChoiceTab::kSingleLine));
    QCOMPARE(rig.session.State().draws.size(), std::size_t{3799});

    // A later start finds the index: only the counting runs.
    QElapsedTimer timer;
    timer.start();
    WindowRig second(folder);
    QVERIFY(second.Start());
    qInfo("second start of the demo lottery: %lld ms", static_cast<long long>(timer.elapsed()));
    QCOMPARE(Caption(second.Window(), "lblLastUpdate"),
             QString("Last Database Entry 17 June 2020"));
  }

  void noLotteryAsksForOneAndEnds() {
    TestFolder folder;
    WindowRig rig(folder);
    QVERIFY(!rig.Start());
    QVERIFY(rig.Window().IsUnloaded());
    QCOMPARE(rig.messages.shown.size(), std::size_t{2});
    const Message& settings = rig.messages.shown[0];
    QCOMPARE(settings.title, std::string("Error Reading File"));
    QCOMPARE(settings.text, std::string("Error reading initialisation file...\r\n\r\nError 53 File "
                                        "not found\r\nYou may still be able to run the program "
                                        "but you must provide manually all required details."));
    QCOMPARE(settings.icon, MessageIcon::Critical);
    const Message& noLottery = rig.messages.shown[1];
    QCOMPARE(noLottery.title, std::string("Error"));
    QCOMPARE(noLottery.text, std::string("There seems to be no lottery data file available, you "
                                         "must select (or create a new) one."));
    QCOMPARE(noLottery.icon, MessageIcon::Critical);
    QCOMPARE(noLottery.buttons, MessageButtons::Ok);
    QCOMPARE(rig.dialogShown, 1);
    QCOMPARE(rig.help.closed, 1);
    QVERIFY(std::filesystem::is_empty(folder.Path()));
  }

  void newLotteryFromTheDialogGetsTheLongRestartNotice() {
    TestFolder folder;
    WindowRig rig(folder);
    rig.dialogAction = [](ProgramState& state) {
      state.lottoFile = "Fresh.opt";
      state.newFileCreated = true;
    };
    QVERIFY(!rig.Start());
    const Message& notice = rig.messages.shown.back();
    QCOMPARE(notice.title, std::string("Need to re-start"));
    QCOMPARE(notice.icon, MessageIcon::None);
    const std::string expected =
        "To load your new lottery data you need to re-start the program.\r\n\r\nThe new file has "
        "been provided with some fixed invalid data. You must now update the file with past "
        "lottery draws. You have two possibilites, firstly to update the data using this "
        "program after re-start, secondly to provide a history file which you can manually "
        "import into the '" +
        (folder / "Fresh.opt").string() +
        "' using Windows Notepad.\r\n\r\nJust make sure, that the format of the data is "
        "maintained. You may then delete the invalid entries which use a date '00/00/0000' for "
        "identification. For more information read the Helpfile or the document 'vomrix.doc' "
        "provided during the installation.";
    QCOMPARE(notice.text, expected);
  }

  void unresolvedDetailsThatStayUnresolvedEndTheStart() {
    TestFolder folder;
    WriteLottery(folder, TripleHistory(), "bonus=false\r\nstake=0\r\nret3=1\r\nret4=1\r\n");
    WindowRig rig(folder);
    QVERIFY(!rig.Start());
    QVERIFY(rig.Window().IsUnloaded());
    QCOMPARE(rig.dialogShown, 1);
    QCOMPARE(rig.messages.shown.size(), std::size_t{3});
    QCOMPARE(rig.messages.shown[0].text,
             std::string("There are some unresolved details please correct first."));
    QCOMPARE(rig.messages.shown[0].title, std::string("Error"));
    QCOMPARE(rig.messages.shown[1].text,
             std::string("There are still some unresolved details cannot continue."));
    QCOMPARE(rig.messages.shown[1].icon, MessageIcon::Critical);
    QCOMPARE(rig.messages.shown[2].text,
             std::string("You are switching to a different lottery. You need to re-start the "
                         "program."));
    QCOMPARE(rig.messages.shown[2].title, std::string("Need to re-start"));
    QVERIFY(!folder.Exists("Test.dnd"));  // nothing was loaded or indexed
  }

  void detailsSettledInTheDialogStartNormally() {
    TestFolder folder;
    WriteLottery(folder, TripleHistory(), "bonus=false\r\nstake=1\r\nret3=0\r\nret4=1\r\n");
    WindowRig rig(folder);
    rig.dialogAction = [](ProgramState& state) { state.settings.ret3 = 5; };
    QVERIFY(rig.Start());
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
    QCOMPARE(rig.Window().windowTitle(), QString(" Ballwright - [Database loaded (Test.opt)]"));
    QVERIFY(folder.Exists("Test.dnd"));
  }

  void missingHistoryLeavesOnlyTheUpdatePage() {
    TestFolder folder;
    WriteLottery(folder, {}, kGoodSettings);
    std::filesystem::remove(folder / "Test.opt");
    WindowRig rig(folder);
    QVERIFY(rig.Start());
    ui::MainWindow& window = rig.Window();
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
    const Message& message = rig.messages.shown[0];
    QCOMPARE(message.title, std::string("Error loading file"));
    QCOMPARE(message.text,
             std::string("No past draws available, please read information on how to obtain "
                         "past draws history under (Help: Importing an unlisted lottery.\r\n\r\n"
                         "However you may use the internal update routine to enter the past "
                         "draws, just follow the on screen instructions."));
    QCOMPARE(message.icon, MessageIcon::Critical);
    QCOMPARE(Caption(window, "lblLastUpdate"), QString("No Database entries found."));
    QCOMPARE(Caption(window, "lblRecorded"), QString("Recorded Database Entries"));
    QCOMPARE(window.ChoiceTabs().currentIndex(), int(ChoiceTab::kUpdate));
    QCOMPARE(window.MainTabs().currentIndex(), int(MainTab::kGeneralServices));
    for (int tab : {0, 2, 3}) QVERIFY(!window.ChoiceTabs().IsTabSelectable(tab));
    QVERIFY(window.ChoiceTabs().IsTabSelectable(ChoiceTab::kUpdate));
    QVERIFY(!window.MainTabs().IsTabSelectable(MainTab::kRandomLineFinder));
    QVERIFY(!window.MainTabs().IsTabSelectable(MainTab::kLineOptimiser));
    QCOMPARE(Caption(window, "cmdCheckUpdate"), QString("&Update"));
    QVERIFY(!Child(window, "cmdGetNumber1").isEnabled());
    QVERIFY(!ChooseTab(window.ChoiceTabs(), ChoiceTab::kSingleLine));
    QCOMPARE(window.windowTitle(), QString(" Ballwright - [Database loaded (Test.opt)]"));
  }

  void placeholderHistoryShowsTodayAsItsRange() {
    TestFolder folder;
    WriteLottery(folder, PlaceholderLines(), kGoodSettings);
    WindowRig rig(folder);
    QVERIFY(rig.Start());
    QVERIFY(rig.messages.shown.empty());
    const QString today = QString::fromStdString(TodayLong(rig.clock));
    QCOMPARE(Caption(rig.Window(), "lblRecorded"),
             "Recorded Database Entries\r\nFrom: " + today + "\r\nTo: " + today);
    QCOMPARE(Caption(rig.Window(), "lblLastUpdate"), "Last Database Entry " + today);
    QVERIFY(rig.Window().ChoiceTabs().IsTabSelectable(ChoiceTab::kSingleLine));
  }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
