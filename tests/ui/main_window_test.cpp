// SPDX-License-Identifier: GPL-3.0-or-later
// The General Services pages: the number grid in each mode, the Single Line
// check with its faces, the statistics list, File and Help menus, what a
// screen reader says, and a keyboard-only walk.

#include "store/history_file.h"
#include "store/settings_files.h"
#include "ui/ui_test_support.h"

using namespace bw;
using namespace bw::uitest;

namespace {

QString VisibleFace(const QWidget& root) {
  for (const char* face : {"ImageHappyFace", "ImageMoodyFace", "ImageVeryMoody"})
    if (!Child(root, face).isHidden()) return face;
  return {};
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

 private slots:
  void init() { StartOn(false); }
  void cleanup() { rig_.reset(); }

  // Each mode keeps its row sorted and full: a pick too many changes nothing,
  // an unpick leaves its gap first; the bonus slot shows only for a draw of a
  // lottery with a bonus (the demo's). Twelve numbers go to the optimiser.
  void gridModesKeepTheirRowSortedAndFull() {
    struct Mode {
      bool demo;
      ChoiceTab page;
      int first, last;
      std::vector<Step> steps;
    } modes[] = {
        {false,
         ChoiceTab::kSingleLine,
         7,
         12,
         {{{17, 5, 40, 1, 23}, "|1|5|17|23|40", false},
          {{9, 2}, "1|5|9|17|23|40", true},
          {{17}, "|1|5|9|23|40", false}}},
        {false, ChoiceTab::kUpdate, 1, 6, {{{4, 2}, "||||2|4", false}}},
        {true,
         ChoiceTab::kUpdate,
         0,
         6,
         {{{30, 20, 10, 40, 45, 49}, "|10|20|30|40|45|49", false},
          {{3, 1}, "3|10|20|30|40|45|49", true},
          {{20}, "3||10|30|40|45|49", false},
          {{25}, "3|10|25|30|40|45|49", true}}},  // refills the main row, not the bonus
        {true,
         ChoiceTab::kOptimise,
         1,
         12,
         {{{49, 3, 41, 8, 11, 17, 20, 24, 29, 33, 38}, "|3|8|11|17|20|24|29|33|38|41|49", false},
          {{45, 1}, "3|8|11|17|20|24|29|33|38|41|45|49", true}}}};
    for (const Mode& mode : modes) {
      StartOn(mode.demo);
      QVERIFY(ChooseTab(w_->ChoiceTabs(), mode.page));
      QCOMPARE(!Child(*w_, "lblNumber0").isHidden(), mode.demo && mode.page == ChoiceTab::kUpdate);
      for (const Step& step : mode.steps) {
        PickNumbers(*w_, step.picks);
        QCOMPARE(Row(*w_, mode.first, mode.last), step.row);
        QCOMPARE(Enabled(*w_, "cmdCheckUpdate"), step.ready);
      }
    }
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

  // F1 on each page (through its Help button) opens the page's topic.
  void f1OpensTheTopicOfThePageInView() {
    ForEachPage(*w_, [this] { QTest::keyClick(w_, Qt::Key_F1); });
    QCOMPARE(rig_->help.topics, (std::vector<int>{740, 400, 410, 420, 430, 450, 760, 770, 460}));
  }

  // Quit (the menu, Ctrl+Q or the window's close button) ends at once and
  // saves the search position; only a run still going makes it ask, No by
  // default, and No keeps the window.
  void quitAsksOnlyWhileARunGoes_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("running");
    QTest::newRow("File > Quit") << "mnuQuit" << false;
    QTest::newRow("Ctrl+Q") << "Ctrl+Q" << false;
    QTest::newRow("close button") << "close" << false;
    QTest::newRow("close button while a run goes") << "close" << true;
  }
  void quitAsksOnlyWhileARunGoes() {
    QFETCH(QString, how);
    QFETCH(bool, running);
    QVERIFY(ChooseTab(w_->ChoiceTabs(), ChoiceTab::kSixFrom49));
    if (running) w_->SetTabsEnabled(false);  // as a run locks the pages
    const auto quit = [&] {
      if (how == "close")
        w_->close();
      else if (how.startsWith("Ctrl"))
        QTest::keySequence(w_, QKeySequence(how));
      else
        Trigger(*w_, how);
    };
    rig_->messages.answers = {MessageAnswer::No};
    quit();
    QCOMPARE(rig_->messages.shown.size(), std::size_t(running));
    QCOMPARE(w_->isVisible(), running);
    if (running) {
      QCOMPARE(rig_->Last().defaultButton, MessageAnswer::No);
      quit();  // Yes
    }
    QVERIFY(w_->IsUnloaded() && !w_->isVisible());
    QCOMPARE(rig_->help.closed, 1);
    QCOMPARE(rig_->folder.Read("Test.ful"), "01 02 03 04 05 06\r\n");
  }

  // The lottery chosen, created or re-initialised is loaded in the running
  // window: a session of its own, nothing of the previous lottery shown, the
  // title following; only a new lottery says where its draws come from.
  void lotteryChangesLoadInTheRunningWindow_data() {
    QTest::addColumn<QStringList>("row");  // change, lottery, dates shown, message titles
    for (const char* row :
         {"none|Test|01 March 2001|20 March 2001|", "ret3|Test|01 March 2001|20 March 2001|",
          "switch|Other|12 June 1982|17 June 2020|", "create|Fresh|||New lottery",
          "reinitialise|Test|01 March 2001|20 March 2001|Please confirm...",
          "running|Test|01 March 2001|20 March 2001|Lottery"})
      QTest::newRow(row) << QString(row).split('|');
  }
  void lotteryChangesLoadInTheRunningWindow() {
    QFETCH(QStringList, row);
    const QString change = row[0], title = row[1] + ".opt", messages = row[4];
    const QString recorded =
        row[2].isEmpty() ? "Recorded Database Entries\r\nnone yet" : kRecorded.arg(row[2], row[3]);
    TestFolder& folder = rig_->folder;
    folder.CopyDemo("Sample.opt");
    std::filesystem::rename(folder / "Sample.opt", folder / "Other.opt");
    folder.Write("Other.ini", "bonus=true\r\nstake=1\r\nret3=10\r\nret4=60\r\n");
    rig_->dialogAction = [&](ProgramState& state) {
      if (change == "ret3") state.settings.ret3 = 2, WriteLotterySettings(state);
      if (change == "switch") state.lottoFile = "Other.opt";
      if (change != "create") return;
      folder.Write("Fresh.opt", "");
      folder.Write("Fresh.ini", "stake=1\r\nret3=1\r\nret4=1\r\n");
      state.lottoFile = "Fresh.opt";
      state.newFileCreated = true;
      QVERIFY(WriteHistoryFile(state, true));
    };
    CheckLine(*w_, {1, 2, 3, 46, 47, 48});
    const QString before = Caption(*w_, "Digit0");
    if (change == "running") w_->SetTabsEnabled(false);
    folder.Write("49_S_Test.opt", "stale");  // an index file a load of Test finds out of place
    Trigger(*w_, change == "reinitialise" ? "mnuInitialise" : "mnuImportCreate");
    QCOMPARE(rig_->Titles(), messages);
    QVERIFY(w_->isVisible() && !w_->IsUnloaded());
    QCOMPARE(w_->windowTitle(), " Ballwright - [Database loaded (" + title + ")]");
    QCOMPARE(Caption(*w_, "lblRecorded"), recorded);
    const bool loaded = change != "none" && change != "running";
    QCOMPARE(&w_->GetSession() != &rig_->session, loaded);
    QCOMPARE(Caption(*w_, "Digit0"), loaded ? "0" : before);  // no result of the previous load
    QCOMPARE(folder.Exists("49_S_Test.opt"), !loaded || title != "Test.opt");  // index rebuilt
    QVERIFY(folder.Exists("01_S_Test.opt") && folder.Exists("Test.dnd"));
    if (change == "create") {
      const std::string text = rig_->Last().text;
      QVERIFY(text.find("File > \"Import Draws from File...\"") != std::string::npos);
      QVERIFY(text.find("Notepad") == std::string::npos && text.find(".doc") == std::string::npos);
    }
    if (!loaded || change == "create") return;
    CheckLine(*w_, {1, 2, 3, 46, 47, 48});  // counted on the lottery now loaded
    QCOMPARE(Caption(*w_, "Digit0"),
             QString::number(w_->GetSession().Check({1, 2, 3, 46, 47, 48}).percent));
    QCOMPARE(Caption(*w_, "Digit0") == before, change == "reinitialise");
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
