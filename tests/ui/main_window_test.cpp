// The General Services pages as a user drives them: picking on the number
// grid in each mode, the Single Line check with its faces, the statistics
// list, the tab rules, and the File and Help menus.
#include <QAction>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include "ui/number_grid.h"
#include "ui/tab_strip.h"
#include "ui/ui_test_support.h"

using namespace bw;
using namespace bw::uitest;
using ui::ChoiceTab;
using ui::MainTab;

namespace {

const char* const kTripleSettings =
    "bonus=false\r\nstake=1\r\nret3=1\r\nret4=1\r\nret5=1\r\nret5p=1\r\nret6=1\r\n";

QStringList ListLines(const QWidget& root) {
  QStringList lines;
  auto& list = Child<QListWidget>(root, "List7");
  for (int i = 0; i < list.count(); ++i) lines << list.item(i)->text();
  return lines;
}

void RightClick(const QWidget& root, int number) {
  QTest::mousePress(&Child(root, QStringLiteral("cmdGetNumber%1").arg(number)), Qt::RightButton);
}

void Trigger(const QWidget& root, const QString& action) {
  QAction* item = root.findChild<QAction*>(action);
  if (!item) qFatal("no menu item %s", qPrintable(action));
  item->trigger();
}

QString VisibleFace(const QWidget& root) {
  QString shown;
  for (const char* face : {"ImageHappyFace", "ImageMoodyFace", "ImageVeryMoody"}) {
    if (!Child(root, face).isHidden()) shown += face;
  }
  return shown;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT
 private:
  std::unique_ptr<TestFolder> folder_;
  std::unique_ptr<WindowRig> rig_;
  ui::MainWindow* window_ = nullptr;

  void StartOn(void (*place)(const TestFolder&)) {
    folder_ = std::make_unique<TestFolder>();
    place(*folder_);
    rig_ = std::make_unique<WindowRig>(*folder_);
    QVERIFY(rig_->Start());
    window_ = &rig_->Window();
  }
  static void PlaceTriple(const TestFolder& folder) {
    WriteLottery(folder, TripleHistory(), kTripleSettings);
  }
  ui::NumberGrid& Grid() { return window_->Grid(); }
  bool Enabled(const char* name) { return Child(*window_, name).isEnabled(); }

 private slots:
  void init() { StartOn(PlaceTriple); }
  void cleanup() {
    rig_.reset();
    folder_.reset();
  }

  void lineModeKeepsTheLineSortedAndFull() {
    window_->GetSession().State().stopRequested = true;
    PickNumbers(*window_, {17, 5});
    QCOMPARE(NumberRow(*window_, 7, 12), QString("||||5|17"));
    QVERIFY(!window_->GetSession().State().stopRequested);
    QVERIFY(!Enabled("cmdCheckUpdate"));
    PickNumbers(*window_, {40, 1, 23});
    QVERIFY(!Enabled("cmdCheckUpdate"));
    PickNumbers(*window_, {9});
    QCOMPARE(NumberRow(*window_, 7, 12), QString("1|5|9|17|23|40"));
    QVERIFY(Enabled("cmdCheckUpdate"));

    PickNumbers(*window_, {2});  // a seventh pick changes nothing
    QCOMPARE(NumberRow(*window_, 7, 12), QString("1|5|9|17|23|40"));
    QVERIFY(!Grid().IsPicked(2));
    QVERIFY(Enabled("cmdCheckUpdate"));

    PickNumbers(*window_, {17});  // unpicking re-sorts with the gap first
    QCOMPARE(NumberRow(*window_, 7, 12), QString("|1|5|9|23|40"));
    QVERIFY(!Grid().IsPicked(17));
    QCOMPARE(Child(*window_, "cmdGetNumber5").property("Tag").toString(), QString("*"));
    QVERIFY(!Enabled("cmdCheckUpdate"));
    QCOMPARE(NumberRow(*window_, 0, 6), QString("||||||"));

    Click(*window_, "cmdClear");
    QCOMPARE(NumberRow(*window_, 7, 12), QString("|||||"));
    QVERIFY(!Grid().IsPicked(5));
  }

  void drawModeWithoutBonusTakesSixNumbers() {
    QVERIFY(ChooseTab(window_->ChoiceTabs(), ChoiceTab::kUpdate));
    QVERIFY(!Enabled("cmdGetNumber7"));
    PickNumbers(*window_, {7});  // no date picked yet: the grid ignores clicks
    QCOMPARE(NumberRow(*window_, 0, 6), QString("||||||"));
    PickDate(*window_, QDate(2001, 4, 1));
    QVERIFY(Enabled("cmdGetNumber7"));
    PickNumbers(*window_, {30, 3, 12, 44, 8, 21});
    QCOMPARE(NumberRow(*window_, 1, 6), QString("3|8|12|21|30|44"));
    QVERIFY(Enabled("cmdCheckUpdate"));
    PickNumbers(*window_, {1});
    QCOMPARE(Caption(*window_, "lblNumber0"), QString());
    QVERIFY(!Grid().IsPicked(1));
    QVERIFY(Enabled("cmdCheckUpdate"));
  }

  void drawModeWithBonusPutsTheSeventhInTheBonusSlot() {
    StartOn(fakehost::PlaceDemoLottery);
    QVERIFY(ChooseTab(window_->ChoiceTabs(), ChoiceTab::kUpdate));
    PickDate(*window_, QDate(2020, 6, 20));
    PickNumbers(*window_, {30, 20, 10, 40, 45, 49});
    QCOMPARE(NumberRow(*window_, 1, 6), QString("10|20|30|40|45|49"));
    QVERIFY(!Enabled("cmdCheckUpdate"));
    PickNumbers(*window_, {3});
    QCOMPARE(Caption(*window_, "lblNumber0"), QString("3"));
    QVERIFY(Enabled("cmdCheckUpdate"));
    PickNumbers(*window_, {20});
    QCOMPARE(NumberRow(*window_, 0, 6), QString("3||10|30|40|45|49"));
    QVERIFY(!Enabled("cmdCheckUpdate"));
    PickNumbers(*window_, {25});  // refills the main row, not the bonus
    QCOMPARE(NumberRow(*window_, 0, 6), QString("3|10|25|30|40|45|49"));
    QVERIFY(Enabled("cmdCheckUpdate"));
    PickNumbers(*window_, {3});  // unpicking the bonus
    QCOMPARE(Caption(*window_, "lblNumber0"), QString());
    QVERIFY(!Enabled("cmdCheckUpdate"));

    Click(*window_, "cmdClear");
    for (int n = 1; n <= 49; ++n) {
      QVERIFY(!Child(*window_, QStringLiteral("cmdGetNumber%1").arg(n)).isEnabled());
    }
    QCOMPARE(Caption(*window_, "cmdCheckUpdate"), QString("&Update"));
  }

  void twelveNumberModeFillsBothRowsAscending() {
    QVERIFY(ChooseTab(window_->ChoiceTabs(), ChoiceTab::kOptimise));
    QCOMPARE(Caption(*window_, "cmdCheckUpdate"), QString("&Optimise"));
    QVERIFY(!Child(*window_, "Label3").isHidden());
    PickNumbers(*window_, {49, 3, 41, 8, 11, 17, 20, 24, 29, 33, 38});
    QVERIFY(!Enabled("cmdCheckUpdate"));
    PickNumbers(*window_, {45});
    QCOMPARE(NumberRow(*window_, 1, 12), QString("3|8|11|17|20|24|29|33|38|41|45|49"));
    QVERIFY(Enabled("cmdCheckUpdate"));
    PickNumbers(*window_, {1});
    QVERIFY(!Grid().IsPicked(1));

    Click(*window_, "cmdCheckUpdate");  // hands the twelve to the Line Optimiser
    QCOMPARE(window_->MainTabs().currentIndex(), int(MainTab::kLineOptimiser));
    QCOMPARE(window_->SelectedNumbers()[0], std::string("3-8-11-17-20-24-29-33-38-41-45-49"));
    QCOMPARE(window_->ChosenLines()[1], 1);
    QCOMPARE(window_->ChosenLines()[2], 2);
    QVERIFY(window_->MainTabs().IsTabSelectable(MainTab::kGeneralServices));

    QVERIFY(ChooseTab(window_->MainTabs(), MainTab::kGeneralServices));
    QVERIFY(!window_->MainTabs().IsTabSelectable(MainTab::kLineOptimiser));
    QCOMPARE(NumberRow(*window_, 1, 12), QString("|||||||||||"));
    QCOMPARE(window_->ChosenLines()[1], 0);
  }

  void singleLineCheckShowsCountsAndTheRightFace() {
    struct Case {
      std::vector<int> line;
      QString three, digit, ret, face;
    };
    const std::vector<Case> cases = {
        {{1, 2, 3, 46, 47, 48}, "9", "45", "%", "ImageHappyFace"},
        {{4, 5, 6, 46, 47, 48}, "5", "25", "%", "ImageMoodyFace"},
        {{7, 8, 9, 46, 47, 48}, "4", "20", "%", "ImageVeryMoody"},
        {{4, 5, 6, 19, 39, 44}, "4", "20", "%+", "ImageHappyFace"},  // a draw of its own: six
    };
    for (const Case& check : cases) {
      Click(*window_, "cmdClear");
      PickNumbers(*window_, check.line);
      QVERIFY(Enabled("cmdCheckUpdate"));
      Click(*window_, "cmdCheckUpdate");
      QCOMPARE(Caption(*window_, "lblHitThree0"), check.three);
      QCOMPARE(Caption(*window_, "Digit0"), check.digit);
      QCOMPARE(Caption(*window_, "lblReturn0"), check.ret);
      QCOMPARE(VisibleFace(*window_), check.face);
      QCOMPARE(Caption(*window_, "cmdCheckUpdate"), QString("&Start"));
      QVERIFY(window_->ChoiceTabs().IsTabSelectable(ChoiceTab::kUpdate));
    }
    QCOMPARE(Caption(*window_, "lblHitSix0"), QString("1"));
    QCOMPARE(Caption(*window_, "lblHitFour0"), QString());
    QCOMPARE(Caption(*window_, "Label8_3"), QString("5+"));
    QCOMPARE(Caption(*window_, "Label1_1"), QString("Result"));

    PickNumbers(*window_, {4});  // changing the line keeps the old result until Clear
    Click(*window_, "cmdClear");
    QCOMPARE(VisibleFace(*window_), QString());
    QCOMPARE(Caption(*window_, "Digit0"), QString("0"));
    QCOMPARE(Caption(*window_, "lblHitSix0"), QString());
    QCOMPARE(Caption(*window_, "lblReturn0"), QString("%"));
  }

  void rightClickListsStatisticsByTheChosenOption() {
    QVERIFY(ChooseTab(window_->ChoiceTabs(), ChoiceTab::kOptimise));
    Click(*window_, "optDoubleTreble0");  // before any right click: number 1
    QStringList lines = ListLines(*window_);
    QCOMPARE(lines.size(), 49);
    QCOMPARE(lines[0], QString("  01=  9x"));
    QCOMPARE(lines[45], QString("  46=  0x"));

    Click(*window_, "optDoubleTreble1");
    RightClick(*window_, 4);
    lines = ListLines(*window_);
    QCOMPARE(lines.size(), 45);
    QCOMPARE(lines[0], QString("  04-05=  5x"));
    QVERIFY(!Grid().IsPicked(4));  // a right click picks nothing

    RightClick(*window_, 49);  // no doubles above 49: the list stays
    QCOMPARE(ListLines(*window_).size(), 45);

    Click(*window_, "optDoubleTreble2");
    QCOMPARE(ListLines(*window_), QStringList());  // trebles of 49
    RightClick(*window_, 1);
    lines = ListLines(*window_);
    QCOMPARE(lines.size(), 1128);
    QCOMPARE(lines[0], QString("  01-02-03=  9x"));

    Click(*window_, "cmdCheckUpdate");  // disabled: nothing happens, List7 stays
    QVERIFY(!Child(*window_, "List7").isHidden());
  }

  void pageChangesFollowTheTabRules() {
    PickNumbers(*window_, {1, 2});
    QVERIFY(ChooseTab(window_->MainTabs(), MainTab::kRandomLineFinder));
    QVERIFY(!window_->MainTabs().IsTabSelectable(MainTab::kLineOptimiser));
    QVERIFY(window_->GetSession().State().stopRequested);
    QVERIFY(ChooseTab(window_->MainTabs(), MainTab::kGeneralServices));
    QCOMPARE(NumberRow(*window_, 7, 12), QString("|||||"));

    QVERIFY(ChooseTab(window_->ChoiceTabs(), ChoiceTab::kOptimise));
    QVERIFY(!Child(*window_, "Label3").isHidden());
    QVERIFY(ChooseTab(window_->ChoiceTabs(), ChoiceTab::kSingleLine));
    QVERIFY(Child(*window_, "Label3").isHidden());
    QCOMPARE(Caption(*window_, "cmdCheckUpdate"), QString("&Start"));

    window_->SetTabsEnabled(false);
    QVERIFY(!window_->MainTabs().IsTabSelectable(MainTab::kRandomLineFinder));
    QVERIFY(!window_->ChoiceTabs().IsTabSelectable(ChoiceTab::kUpdate));
    QVERIFY(window_->ChoiceTabs().IsTabSelectable(ChoiceTab::kSingleLine));  // the page on show
    QVERIFY(!ChooseTab(window_->ChoiceTabs(), ChoiceTab::kUpdate));
    window_->SetTabsEnabled(true);
    QVERIFY(ChooseTab(window_->ChoiceTabs(), ChoiceTab::kUpdate));
  }

  void helpMenuAndButtonsOpenTheirTopics() {
    for (const char* item :
         {"mnuContents", "mnuSingleLine", "mnuUpdate", "mnuOptimise", "mnu6from49",
          "mnuRandomLineFinder", "mnuLineOptimiser", "mnuImport"}) {
      Trigger(*window_, item);
    }
    QCOMPARE(rig_->help.topics, (std::vector<int>{340, 740, 400, 410, 420, 430, 450, 590}));
    rig_->help.topics.clear();
    Child<QAbstractButton>(*window_, "cmdHelpSingle").click();
    Child<QAbstractButton>(*window_, "cmdHelpUpdate").click();
    Child<QAbstractButton>(*window_, "cmdHelpRunAll").click();
    QCOMPARE(rig_->help.topics, (std::vector<int>{740, 400, 420}));
    QCOMPARE(Caption(*window_, "cmdHelpRunAll"), QString("&Read me once"));
    QCOMPARE(window_->findChild<QAction*>("mnuImportCreate")->text(),
             QString("&Import / Switch / Create Lottery"));
  }

  void quitAsksAndNoKeepsTheWindow() {
    rig_->messages.answers = {MessageAnswer::No};
    Trigger(*window_, "mnuQuit");
    QCOMPARE(rig_->messages.shown.size(), std::size_t{1});
    const Message& question = rig_->messages.shown[0];
    QCOMPARE(question.text, std::string("Do you really want to go?"));
    QCOMPARE(question.title, std::string("Confirm"));
    QCOMPARE(question.buttons, MessageButtons::YesNo);
    QCOMPARE(question.icon, MessageIcon::Question);
    QVERIFY(window_->isVisible());
    QVERIFY(!window_->IsUnloaded());
    QVERIFY(!window_->GetSession().State().stopRequested);

    window_->close();  // the title-bar button never asks
    QCOMPARE(rig_->messages.shown.size(), std::size_t{1});
    QVERIFY(window_->IsUnloaded());
    QCOMPARE(rig_->help.closed, 1);
  }

  void quitWithYesSavesAndCloses() {
    window_->GetSession().AppendDraw("01/05/2001 01 02 03 04 05 06 ");
    rig_->messages.answers = {MessageAnswer::Yes};
    Trigger(*window_, "mnuQuit");
    QVERIFY(window_->IsUnloaded());
    QVERIFY(!window_->isVisible());
    QVERIFY(folder_->Read("Test.opt").ends_with("01/05/2001 01 02 03 04 05 06 \r\n"));
  }

  void reinitialiseNoChangesNothing() {
    rig_->messages.answers = {MessageAnswer::No};
    Trigger(*window_, "mnuInitialise");
    const Message& question = rig_->messages.shown.at(0);
    QCOMPARE(question.title, std::string("Please confirm..."));
    QCOMPARE(question.defaultButton, MessageAnswer::No);
    QCOMPARE(question.icon, MessageIcon::Question);
    QCOMPARE(question.text,
             std::string("Re-Initialising should only be done if you have re-installed the "
                         "program or when you have manually altered (using TextEditor) file "
                         "'Test.opt'.\r\n\r\nYou do not need to re-initialise if you have added "
                         "results using the 'Update' function of this program. You will need to "
                         "re-start the program!\r\n\r\nDo you wish to continue ?"));
    QVERIFY(folder_->Exists("Test.dnd"));
    QVERIFY(folder_->Exists("01_S_Test.opt"));
    QVERIFY(!window_->IsUnloaded());
  }

  void reinitialiseYesSavesThenDropsOnlyThisIndex() {
    folder_->Write("Other.opt", "01/01/2000 01 02 03 04 05 06 \r\n");
    folder_->Write("01_S_Other.opt", "010203040506=  1:");
    folder_->Write("Other.dnd", "WARNING:- DO NOT DELETE THIS FILE.\r\n");
    window_->GetSession().AppendDraw("01/05/2001 01 02 03 04 05 06 ");
    rig_->messages.answers = {MessageAnswer::Yes};
    Trigger(*window_, "mnuInitialise");
    QCOMPARE(rig_->messages.shown.size(), std::size_t{1});  // no restart notice
    QVERIFY(window_->IsUnloaded());
    QVERIFY(folder_->Read("Test.opt").ends_with("01/05/2001 01 02 03 04 05 06 \r\n"));
    QVERIFY(!folder_->Exists("Test.dnd"));
    QVERIFY(!folder_->Exists("01_S_Test.opt"));
    QVERIFY(!folder_->Exists("04_F_Test.opt"));
    QVERIFY(folder_->Exists("Test.opt"));
    QVERIFY(folder_->Exists("Test.ini"));
    QVERIFY(folder_->Exists("Other.dnd"));
    QVERIFY(folder_->Exists("01_S_Other.opt"));
    QVERIFY(folder_->Exists("Other.opt"));
  }

  void importKeepingTheLotteryStaysOpenAndSwitchingEnds() {
    window_->GetSession().AppendDraw("01/05/2001 01 02 03 04 05 06 ");
    Trigger(*window_, "mnuImportCreate");
    QCOMPARE(rig_->dialogShown, 1);
    QVERIFY(rig_->messages.shown.empty());
    QVERIFY(!window_->IsUnloaded());
    QVERIFY(window_->GetSession().State().stopRequested);
    QVERIFY(!Child<QTimer>(*window_, "Timer2").isActive());
    QVERIFY(!window_->GetSession().State().historyChanged);  // saved before the dialog

    rig_->dialogAction = [](ProgramState& state) { state.lottoFile = "Other.opt"; };
    Trigger(*window_, "mnuImportCreate");
    QCOMPARE(rig_->messages.shown.size(), std::size_t{1});
    QCOMPARE(rig_->messages.shown[0].text,
             std::string("You are switching to a different lottery. You need to re-start the "
                         "program."));
    QCOMPARE(rig_->messages.shown[0].title, std::string("Need to re-start"));
    QVERIFY(window_->IsUnloaded());
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
