// The General Services pages: the number grid in each mode, the Single Line
// check with its faces, the statistics list, File and Help menus, what a
// screen reader says, and a keyboard-only walk.

#include "ui/ui_test_support.h"

using namespace bw;
using namespace bw::uitest;

namespace {

const std::string kSaved = "01/05/2001 01 02 03 04 05 06 ";

QString VisibleFace(const QWidget& root) {
  for (const char* face : {"ImageHappyFace", "ImageMoodyFace", "ImageVeryMoody"})
    if (!Child(root, face).isHidden()) return face;
  return {};
}

QString Spoken(const QWidget& root, const QString& name,
               QAccessible::Text kind = QAccessible::Name) {
  return QAccessible::queryAccessibleInterface(&Child(root, name))->text(kind);
}

// Presses the keys on whatever has the focus; names where the focus went.
QString Press(std::initializer_list<Qt::Key> keys) {
  QStringList focused;
  for (Qt::Key key : keys) {
    QTest::keyClick(QApplication::focusWidget(), key);
    focused << QApplication::focusWidget()->objectName();
  }
  return focused.join(' ');
}

struct Step {
  std::vector<int> picks;
  QString row;  // the selected numbers after the picks
  bool ready;   // whether the line can be checked
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT
  std::unique_ptr<WindowRig> rig_;
  ui::MainWindow* w_ = nullptr;

  void StartOn(bool demo) {
    rig_ = std::make_unique<WindowRig>();
    QVERIFY(
        demo ? rig_->StartDemo()
             : rig_->StartTest("stake=1\r\nret3=1\r\nret4=1\r\nret5=1\r\nret5p=1\r\nret6=1\r\n"));
    w_ = &rig_->Window();
    QVERIFY(rig_->Show());
  }
  void Walk(int first, int last, std::initializer_list<Step> steps) {
    for (const Step& step : steps) {
      PickNumbers(*w_, step.picks);
      QCOMPARE(Row(*w_, first, last), step.row);
      QCOMPARE(Enabled(*w_, "cmdCheckUpdate"), step.ready);
    }
  }

 private slots:
  void init() { StartOn(false); }
  void cleanup() { rig_.reset(); }

  void lineModeKeepsTheLineSortedAndFull() {
    Walk(7, 12,
         {{{17, 5, 40, 1, 23}, "|1|5|17|23|40", false},
          {{9, 2}, "1|5|9|17|23|40", true},  // the seventh pick changes nothing
          {{17}, "|1|5|9|23|40", false}});   // re-sorted with the gap first
    Click(*w_, "cmdClear");
    QCOMPARE(Row(*w_, 7, 12), "|||||");
    QCOMPARE(Spoken(*w_, "cmdGetNumber5"), "Number 5");
  }

  void drawModeWithBonusPutsTheSeventhInTheBonusSlot() {
    StartOn(true);
    QVERIFY(ChooseTab(w_->ChoiceTabs(), ChoiceTab::kUpdate));
    Walk(0, 6,
         {{{30, 20, 10, 40, 45, 49}, "|10|20|30|40|45|49", false},
          {{3, 1}, "3|10|20|30|40|45|49", true},
          {{20}, "3||10|30|40|45|49", false},
          {{25}, "3|10|25|30|40|45|49", true}});  // refills the main row, not the bonus
    Click(*w_, "cmdClear");
    QVERIFY(Enabled(*w_, "cmdGetNumber10"));  // the proposed draw day stays
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
    Walk(1, 12,
         {{{49, 3, 41, 8, 11, 17, 20, 24, 29, 33, 38}, "|3|8|11|17|20|24|29|33|38|41|49", false},
          {{45, 1}, "3|8|11|17|20|24|29|33|38|41|45|49", true}});
    Click(*w_, "cmdCheckUpdate");
    QCOMPARE(w_->MainTabs().currentIndex(), int(MainTab::kLineOptimiser));
    QCOMPARE(Caption(*w_, "lblSelected"), "Selected Numbers: [3-8-11-17-20-24-29-33-38-41-45-49]");
    QVERIFY(ChooseTab(w_->MainTabs(), MainTab::kGeneralServices));
    QVERIFY(!w_->MainTabs().IsTabSelectable(MainTab::kLineOptimiser));
    QCOMPARE(Row(*w_, 1, 12), "|||||||||||");
  }

  // Counts, faces and what a screen reader says of them.
  void singleLineCheckShowsCountsAndTheRightFace() {
    struct Case {
      std::vector<int> line;
      QString shown;  // three, six, digit, return
      const char* face;
    } cases[] = {{{4, 5, 6, 46, 47, 48}, "5|25|%", "ImageMoodyFace"},
                 {{7, 8, 9, 46, 47, 48}, "4|20|%", "ImageVeryMoody"},
                 {{4, 5, 6, 19, 39, 44}, "4|1|20|%+", "ImageHappyFace"},  // a six
                 {{1, 2, 3, 46, 47, 48}, "9|45|%", "ImageHappyFace"}};
    for (const Case& check : cases) {
      Click(*w_, "cmdClear");
      CheckLine(*w_, check.line);
      QStringList shown;
      for (const char* name : {"lblHitThree0", "lblHitSix0", "Digit0", "lblReturn0"})
        if (!Caption(*w_, name).isEmpty()) shown << Caption(*w_, name);
      QCOMPARE(shown.join('|'), check.shown);
      QCOMPARE(VisibleFace(*w_), check.face);
    }
    const std::pair<const char*, QString> spoken[] = {
        {"cmdGetNumber47", "Number 47, picked"},
        {"cmdGetNumber17", "Number 17"},
        {"lblNumber10", "Selected number 10: 46"},
        {"lblHitThree0", "3 numbers right: 9 draws"},
        {"Digit0", "Result: 45 percent"},
        {"ImageHappyFace", "Happy face"},
        {"lblHitSix3", "Line 3, 6 numbers right: no draws"},
        {"lblRandom49", "Number not placed: empty"},
        {"OptimiseDigit0", "Print report on all lines: 0 lines"},
    };
    for (const auto& [name, words] : spoken) QCOMPARE(Spoken(*w_, name), words);
    QVERIFY(Spoken(*w_, "ImageHappyFace", QAccessible::Description).contains("45 percent or more"));
    PickNumbers(*w_, {1});  // changing the line keeps the old result until Clear
    QCOMPARE(VisibleFace(*w_), "ImageHappyFace");
    Click(*w_, "cmdClear");
    QCOMPARE(VisibleFace(*w_) + Caption(*w_, "Digit0") + Caption(*w_, "lblHitSix0"), "0");
  }

  // (The Tab order of every page: the keyboard test.)
  void keyboardAloneChecksALine() {
    Child(*w_, "cmdGetNumber1").setFocus(Qt::TabFocusReason);
    // Picks 2, 3 and 1; up from 1 leaves the grid's edge, which is refused.
    QCOMPARE(Press({Qt::Key_Right, Qt::Key_Space, Qt::Key_Right, Qt::Key_Space, Qt::Key_Down,
                    Qt::Key_Up, Qt::Key_Left, Qt::Key_Left, Qt::Key_Space, Qt::Key_Up})
                 .section(' ', -1),
             "cmdGetNumber1");
    PickNumbers(*w_, {46, 47, 48});
    QCOMPARE(Press({Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space}).section(' ', -1), "cmdCheckUpdate");
    QCOMPARE(Caption(*w_, "lblHitThree0"), "9");

    QVERIFY(ChooseTab(w_->ChoiceTabs(), ChoiceTab::kUpdate));
    Child<QCalendarWidget>(*w_, "MonthView1").setFocus();
    QCOMPARE(Press({Qt::Key_Return}), "cmdGetNumber1");  // Enter picks the date
  }

  void rightClickListsStatisticsByTheChosenOption() {
    QVERIFY(ChooseTab(w_->ChoiceTabs(), ChoiceTab::kOptimise));
    struct Step {
      const char* option;
      int number;  // right-clicked, or 0
      int size;
      QString first;
      QString note = {};  // under the options, when the list is empty
    } steps[] = {{"optDoubleTreble0", 0, 49, "  01=  9x"},  // before any right click: 1
                 {"optDoubleTreble1", 4, 45, "  04-05=  5x"},
                 {"optDoubleTreble1", 49, 0, "", "49 starts no double"},
                 {"optDoubleTreble2", 0, 0, "", "49 starts no treble"},
                 {"optDoubleTreble2", 1, 1128, "  01-02-03=  9x"}};
    auto& list = Child<QListWidget>(*w_, "List7");
    for (const Step& step : steps) {
      Click(*w_, step.option);
      if (step.number)
        QTest::mousePress(&Child(*w_, QStringLiteral("cmdGetNumber%1").arg(step.number)),
                          Qt::RightButton);
      QCOMPARE(list.count(), step.size);
      QCOMPARE(list.count() ? list.item(0)->text() : "", step.first);
      const auto& note = Child<QLabel>(*w_, "lblStatsNote");
      QCOMPARE(note.isVisible() ? note.text().left(step.note.size()) : "", step.note);
    }
    QCOMPARE(Spoken(*w_, "cmdGetNumber4"), "Number 4");  // a right click picks nothing
  }

  // The Help menu, the pages' Help buttons and F1 on each page open their topics.
  void helpMenuButtonsAndF1OpenTheirTopics() {
    for (const char* item : {"mnuContents", "mnuSingleLine", "mnuUpdate", "mnuOptimise",
                             "mnu6from49", "mnuRandomLineFinder", "mnuLineOptimiser", "mnuImport"})
      Trigger(*w_, item);
    for (const char* button : {"cmdHelpSingle", "cmdHelpUpdate", "cmdHelpRunAll", "cmdHelpRandom"})
      Click(*w_, button);
    ForEachPage(*w_, [this] { QTest::keyClick(w_, Qt::Key_F1); });
    QCOMPARE(rig_->help.topics,
             (std::vector<int>{340, 740, 400, 410, 420, 430, 450, 590, 740, 400,
                               420, 430, 740, 400, 410, 420, 430, 450, 760, 770}));
  }

  // Quit (the menu, Ctrl+Q or the window's close button) saves and ends at
  // once; only a run still going makes it ask, No by default. Re-initialise
  // asks first and drops this lottery's index, no other.
  void quitAndReinitialiseSaveAndEnd_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("asks");
    QTest::addColumn<bool>("running");
    QTest::newRow("File > Quit") << "mnuQuit" << false << false;
    QTest::newRow("Ctrl+Q") << "Ctrl+Q" << false << false;
    QTest::newRow("close button") << "close" << false << false;
    QTest::newRow("close button while a run goes") << "close" << true << true;
    QTest::newRow("re-initialise") << "mnuInitialise" << true << false;
  }
  void quitAndReinitialiseSaveAndEnd() {
    QFETCH(QString, how);
    QFETCH(bool, asks);
    QFETCH(bool, running);
    const bool quit = how != "mnuInitialise";
    TestFolder& folder = rig_->folder;
    folder.Write("01_S_Other.opt", "010203040506=  1:");
    folder.Write("Other.dnd", "WARNING:- DO NOT DELETE THIS FILE.\r\n");
    if (running) w_->SetTabsEnabled(false);  // as a run locks the pages
    const auto end = [&] {
      if (how == "close")
        w_->close();
      else if (how.startsWith("Ctrl"))
        QTest::keySequence(w_, QKeySequence(how));
      else
        Trigger(*w_, how);
    };
    if (asks) {
      rig_->messages.answers = {MessageAnswer::No};
      end();
      QCOMPARE(rig_->Last().defaultButton, MessageAnswer::No);
      QVERIFY(w_->isVisible() && !w_->IsUnloaded() && folder.Exists("Test.dnd"));
    }
    rig_->session.AddDraw(kSaved);
    end();                                                  // Yes when asked
    QCOMPARE(rig_->messages.shown.size(), asks ? 2u : 0u);  // no restart notice
    QVERIFY(w_->IsUnloaded() && !w_->isVisible());
    QCOMPARE(rig_->help.closed, 1);
    QVERIFY(folder.Read("Test.opt").ends_with(kSaved + "\r\n"));
    QCOMPARE(folder.Exists("Test.dnd"), quit);
    QCOMPARE(folder.Exists("01_S_Test.opt"), quit);
    QVERIFY(folder.Exists("Other.dnd") && folder.Exists("01_S_Other.opt"));
  }

  void importKeepingTheLotteryStaysOpenAndSwitchingEnds() {
    rig_->session.AddDraw(kSaved);
    Trigger(*w_, "mnuImportCreate");
    QCOMPARE(rig_->dialogShown, 1);
    QVERIFY(rig_->messages.shown.empty() && !w_->IsUnloaded());

    rig_->dialogAction = [](ProgramState& state) { state.lottoFile = "Other.opt"; };
    Trigger(*w_, "mnuImportCreate");
    QCOMPARE(rig_->Last().title, "Need to re-start");
    QVERIFY(w_->IsUnloaded());
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
