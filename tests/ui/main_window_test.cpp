// The General Services pages: the number grid in each mode, the Single Line
// check with its faces, the statistics list, tab rules, File and Help menus.
#include <QAction>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include "ui/number_grid.h"
#include "ui/ui_test_support.h"

using namespace bw;
using namespace bw::uitest;

namespace {

const std::string kSaved = "01/05/2001 01 02 03 04 05 06 ";

QStringList ListLines(const QWidget& root) {
  QStringList lines;
  auto& list = Child<QListWidget>(root, "List7");
  for (int i = 0; i < list.count(); ++i) lines << list.item(i)->text();
  return lines;
}

QString VisibleFace(const QWidget& root) {
  for (const char* face : {"ImageHappyFace", "ImageMoodyFace", "ImageVeryMoody"})
    if (!Child(root, face).isHidden()) return face;
  return {};
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT
  std::unique_ptr<WindowRig> rig_;
  ui::MainWindow* w_ = nullptr;

  void StartOn(bool demo) {
    rig_ = std::make_unique<WindowRig>();
    if (demo)
      PlaceDemoLottery(rig_->folder);
    else
      WriteLottery(rig_->folder, TripleHistory(),
                   "bonus=false\r\nstake=1\r\nret3=1\r\nret4=1\r\nret5=1\r\nret5p=1\r\nret6=1\r\n");
    QVERIFY(rig_->Start());
    w_ = &rig_->Window();
  }
  bool Picked(int number) { return w_->Grid().IsPicked(number); }

 private slots:
  void init() { StartOn(false); }
  void cleanup() { rig_.reset(); }

  void lineModeKeepsTheLineSortedAndFull() {
    PickNumbers(*w_, {17, 5, 40, 1, 23});
    QCOMPARE(Row(*w_, 7, 12), "|1|5|17|23|40");
    QVERIFY(!Enabled(*w_, "cmdCheckUpdate"));
    PickNumbers(*w_, {9, 2});  // the seventh pick changes nothing
    QCOMPARE(Row(*w_, 7, 12), "1|5|9|17|23|40");
    QVERIFY(!Picked(2));
    QVERIFY(Enabled(*w_, "cmdCheckUpdate"));
    PickNumbers(*w_, {17});  // unpicking re-sorts with the gap first
    QCOMPARE(Row(*w_, 7, 12), "|1|5|9|23|40");
    QVERIFY(!Enabled(*w_, "cmdCheckUpdate"));
    Click(*w_, "cmdClear");
    QCOMPARE(Row(*w_, 7, 12), "|||||");
    QVERIFY(!Picked(5));
  }

  void drawModeWithBonusPutsTheSeventhInTheBonusSlot() {
    StartOn(true);
    QVERIFY(ChooseTab(w_->ChoiceTabs(), ChoiceTab::kUpdate));
    PickNumbers(*w_, {7});  // no date picked yet: the grid ignores clicks
    QCOMPARE(Row(*w_, 0, 6), "||||||");
    PickDate(*w_, QDate(2020, 6, 20));
    struct Step {
      std::vector<int> picks;
      QString row;
      bool ready;
    } steps[] = {{{30, 20, 10, 40, 45, 49}, "|10|20|30|40|45|49", false},
                 {{3, 1}, "3|10|20|30|40|45|49", true},
                 {{20}, "3||10|30|40|45|49", false},
                 {{25}, "3|10|25|30|40|45|49", true}};  // refills the main row, not the bonus
    for (const Step& step : steps) {
      PickNumbers(*w_, step.picks);
      QCOMPARE(Row(*w_, 0, 6), step.row);
      QCOMPARE(Enabled(*w_, "cmdCheckUpdate"), step.ready);
    }
    Click(*w_, "cmdClear");
    QVERIFY(!Enabled(*w_, "cmdGetNumber10"));
  }

  void theBonusSlotShowsOnlyForADrawWithABonus() {
    for (const bool demo : {true, false}) {  // the demo lottery has a bonus number
      StartOn(demo);
      for (ChoiceTab page : {ChoiceTab::kUpdate, ChoiceTab::kSixFrom49, ChoiceTab::kSingleLine}) {
        QVERIFY(ChooseTab(w_->ChoiceTabs(), page));
        QCOMPARE(!Child(*w_, "lblNumber0").isHidden(), demo && page == ChoiceTab::kUpdate);
      }
    }
  }

  void twelveNumberModeHandsTheNumbersToTheOptimiser() {
    QVERIFY(ChooseTab(w_->ChoiceTabs(), ChoiceTab::kOptimise));
    QVERIFY(!Child(*w_, "Label3").isHidden());
    PickNumbers(*w_, {49, 3, 41, 8, 11, 17, 20, 24, 29, 33, 38});
    QVERIFY(!Enabled(*w_, "cmdCheckUpdate"));
    PickNumbers(*w_, {45, 1});
    QCOMPARE(Row(*w_, 1, 12), "3|8|11|17|20|24|29|33|38|41|45|49");
    Click(*w_, "cmdCheckUpdate");
    QCOMPARE(w_->MainTabs().currentIndex(), int(MainTab::kLineOptimiser));
    QCOMPARE(w_->SelectedNumbers()[0], "3-8-11-17-20-24-29-33-38-41-45-49");
    QVERIFY(ChooseTab(w_->MainTabs(), MainTab::kGeneralServices));
    QVERIFY(!w_->MainTabs().IsTabSelectable(MainTab::kLineOptimiser));
    QCOMPARE(Row(*w_, 1, 12), "|||||||||||");
  }

  void singleLineCheckShowsCountsAndTheRightFace() {
    struct Case {
      std::vector<int> line;
      QString shown;  // three, six, digit, return
      const char* face;
    } cases[] = {{{1, 2, 3, 46, 47, 48}, "9|45|%", "ImageHappyFace"},
                 {{4, 5, 6, 46, 47, 48}, "5|25|%", "ImageMoodyFace"},
                 {{7, 8, 9, 46, 47, 48}, "4|20|%", "ImageVeryMoody"},
                 {{4, 5, 6, 19, 39, 44}, "4|1|20|%+", "ImageHappyFace"}};  // a six
    for (const Case& check : cases) {
      Click(*w_, "cmdClear");
      PickNumbers(*w_, check.line);
      Click(*w_, "cmdCheckUpdate");
      QStringList shown;
      for (const char* name : {"lblHitThree0", "lblHitSix0", "Digit0", "lblReturn0"})
        if (!Caption(*w_, name).isEmpty()) shown << Caption(*w_, name);
      QCOMPARE(shown.join('|'), check.shown);
      QCOMPARE(VisibleFace(*w_), check.face);
    }
    PickNumbers(*w_, {4});  // changing the line keeps the old result until Clear
    QCOMPARE(VisibleFace(*w_), "ImageHappyFace");
    Click(*w_, "cmdClear");
    QCOMPARE(VisibleFace(*w_), "");
    QCOMPARE(Caption(*w_, "Digit0") + Caption(*w_, "lblHitSix0") + Caption(*w_, "lblReturn0"),
             "0%");
  }

  void rightClickListsStatisticsByTheChosenOption() {
    QVERIFY(ChooseTab(w_->ChoiceTabs(), ChoiceTab::kOptimise));
    auto rightClick = [this](int n) {
      QTest::mousePress(&Child(*w_, QStringLiteral("cmdGetNumber%1").arg(n)), Qt::RightButton);
    };
    struct Step {
      const char* option;
      int number;  // right-clicked, or 0
      int size;
      QString first;
    } steps[] = {{"optDoubleTreble0", 0, 49, "  01=  9x"},  // before any right click: 1
                 {"optDoubleTreble1", 4, 45, "  04-05=  5x"},
                 {"optDoubleTreble1", 49, 45, "  04-05=  5x"},  // no doubles above 49
                 {"optDoubleTreble2", 0, 0, ""},
                 {"optDoubleTreble2", 1, 1128, "  01-02-03=  9x"}};
    for (const Step& step : steps) {
      Click(*w_, step.option);
      if (step.number) rightClick(step.number);
      const QStringList lines = ListLines(*w_);
      QCOMPARE(lines.size(), step.size);
      QCOMPARE(lines.value(0), step.first);
    }
    QVERIFY(!Picked(4));  // a right click picks nothing
  }

  void helpMenuAndButtonsOpenTheirTopics() {
    for (const char* item : {"mnuContents", "mnuSingleLine", "mnuUpdate", "mnuOptimise",
                             "mnu6from49", "mnuRandomLineFinder", "mnuLineOptimiser", "mnuImport"})
      Trigger(*w_, item);
    for (const char* button : {"cmdHelpSingle", "cmdHelpUpdate", "cmdHelpRunAll"})
      Click(*w_, button);
    QCOMPARE(rig_->help.topics,
             (std::vector<int>{340, 740, 400, 410, 420, 430, 450, 590, 740, 400, 420}));
  }

  void quitAsksAndYesSavesAndCloses() {
    rig_->session.AppendDraw(kSaved);
    rig_->messages.answers = {MessageAnswer::No};
    Trigger(*w_, "mnuQuit");
    QCOMPARE(Text(rig_->Last()), "Confirm|Do you really want to go?|YesNo|Question|Yes");
    QVERIFY(w_->isVisible() && !w_->IsUnloaded());
    Trigger(*w_, "mnuQuit");  // Yes
    QVERIFY(w_->IsUnloaded() && !w_->isVisible());
    QVERIFY(rig_->folder.Read("Test.opt").ends_with(kSaved + "\r\n"));
    QCOMPARE(rig_->help.closed, 1);
  }

  void reinitialiseNoChangesNothingAndYesDropsOnlyThisIndex() {
    TestFolder& folder = rig_->folder;
    folder.Write("01_S_Other.opt", "010203040506=  1:");
    folder.Write("Other.dnd", "WARNING:- DO NOT DELETE THIS FILE.\r\n");
    rig_->messages.answers = {MessageAnswer::No};
    Trigger(*w_, "mnuInitialise");
    QCOMPARE(rig_->Last().title, "Please confirm...");
    QCOMPARE(rig_->Last().defaultButton, MessageAnswer::No);
    QVERIFY(folder.Exists("Test.dnd") && folder.Exists("01_S_Test.opt"));
    QVERIFY(!w_->IsUnloaded());

    rig_->session.AppendDraw(kSaved);
    Trigger(*w_, "mnuInitialise");              // Yes
    QCOMPARE(rig_->messages.shown.size(), 2u);  // no restart notice
    QVERIFY(w_->IsUnloaded());
    QVERIFY(folder.Read("Test.opt").ends_with(kSaved + "\r\n"));
    QVERIFY(!folder.Exists("Test.dnd") && !folder.Exists("01_S_Test.opt"));
    QVERIFY(folder.Exists("Other.dnd") && folder.Exists("01_S_Other.opt"));
  }

  void importKeepingTheLotteryStaysOpenAndSwitchingEnds() {
    rig_->session.AppendDraw(kSaved);
    Trigger(*w_, "mnuImportCreate");
    QCOMPARE(rig_->dialogShown, 1);
    QVERIFY(rig_->messages.shown.empty() && !w_->IsUnloaded());
    QVERIFY(!rig_->State().historyChanged);  // saved before the dialog

    rig_->dialogAction = [](ProgramState& state) { state.lottoFile = "Other.opt"; };
    Trigger(*w_, "mnuImportCreate");
    QCOMPARE(Text(rig_->Last()),
             "Need to re-start|You are switching to a different lottery. You need to re-start "
             "the program.|Ok|None|Ok");
    QVERIFY(w_->IsUnloaded());
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
