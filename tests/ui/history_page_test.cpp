// SPDX-License-Identifier: GPL-3.0-or-later
// The History page: every draw newest first, filtered by dates or a number;
// a draw corrected, deleted and inserted by keyboard, saved at once, undone
// and redone from the Edit menu's keys, and counted at once on the other pages.
#include "ui/data_table.h"
#include "ui/help_viewer.h"
#include "ui/ui_test_support.h"

using namespace bw;
using namespace bw::uitest;

namespace {

const std::string kNewest = "17/06/2020 05 10 18 29 32 48 06\r\n";

void Press(const QKeySequence& keys) {
  QTest::keySequence(QApplication::focusWidget(), keys);
}

// Tabs from the control with the focus until `name` has it.
void TabTo(const QString& name) {
  for (int step = 0; step < 40 && QApplication::focusWidget()->objectName() != name; ++step)
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget()->objectName(), name);
}

// Types a value over the number box's own.
void TypeNumber(const QString& box, int value) {
  TabTo(box);
  Press(QKeySequence::SelectAll);
  QTest::keyClicks(QApplication::focusWidget(), QString::number(value));
}

}  // namespace

class HistoryPageTest : public DemoWindowTest {
  Q_OBJECT

  QTableWidget& Table() { return Child<QTableWidget>(*w_, "tblHistory"); }
  // Clicks the row whose date cell reads `date` (the first of them).
  void PickRow(const QString& date) {
    QTableWidget& table = Table();
    for (int row = 0; row < table.rowCount(); ++row) {
      if (table.item(row, 0)->text() != date) continue;
      table.scrollToItem(table.item(row, 1));
      QTest::mouseClick(table.viewport(), Qt::LeftButton, {},
                        table.visualItemRect(table.item(row, 1)).center());
      return;
    }
    QFAIL("no such row");
  }
  std::string Saved() { return rig_->folder.Read("Sample.opt"); }

 private slots:
  void listsEveryDrawNewestFirstFilteredByDatesOrANumber() {
    QVERIFY(ChooseTab(w_->MainTabs(), ui::kHistory));
    QTableWidget& table = Table();
    QCOMPARE(table.rowCount(), 3799);
    QCOMPARE(table.item(0, 0)->text() + " " + table.item(0, 7)->text(), "17/06/2020 6");
    QCOMPARE(table.item(3798, 0)->text(), "12/06/1982");
    PickRow("17/06/2020");
    QVERIFY(TakePicture(*w_, "history.png"));
    Child<QSpinBox>(*w_, "HistoryWithNumber").setValue(49);
    QVERIFY(table.rowCount() > 0 && table.rowCount() < 3799);
    for (int row = 0; row < table.rowCount(); ++row) {
      QStringList numbers;
      for (int column = 1; column <= 7; ++column) numbers << table.item(row, column)->text();
      QVERIFY2(numbers.contains("49"), qPrintable(numbers.join(' ')));
    }
    Child<QSpinBox>(*w_, "HistoryWithNumber").setValue(0);
    TypeDate(*w_, "rngHistoryFrom", QDate(2020, 6, 10));
    QCOMPARE(table.rowCount(), 3);
    QCOMPARE(Caption(*w_, "lblHistoryNote"), "3 draws shown");
  }

  void correctDeleteInsertByKeyboardSavedAtOnceUndoneAndRedone() {
    const std::string before = Saved();
    QVERIFY(ChooseTab(w_->MainTabs(), ui::kHistory));
    PickRow("17/06/2020");
    QCOMPARE(Child<QSpinBox>(*w_, "HistoryNumber6").value(), 48);
    TypeNumber("HistoryNumber6", 47);
    TabTo("cmdCorrectDraw");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    const std::string corrected =
        before.substr(0, before.size() - kNewest.size()) + "17/06/2020 05 10 18 29 32 47 06\r\n";
    QCOMPARE(Saved(), corrected);
    QCOMPARE(rig_->folder.Read("Sample.old"), before);
    QVERIFY(rig_->messages.shown.empty());  // nothing asked

    Press(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(Saved(), before);
    Press(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    QCOMPARE(Saved(), corrected);

    // Two equal numbers: refused. Another draw moved to a date that has one: asked first.
    TypeNumber("HistoryNumber2", 5);
    TabTo("cmdCorrectDraw");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(rig_->Last().text, "Number 5 is given twice.");
    PickRow("13/06/2020");
    TypeDate(*w_, "HistoryDate", "17/06/2020", Qt::Key_unknown);
    rig_->messages.answers = {MessageAnswer::No, MessageAnswer::Yes};
    TabTo("cmdInsertDraw");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(rig_->Last().title, "Second draw of a day");
    QCOMPARE(Saved(), corrected);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(Saved(), corrected + "17/06/2020 03 31 34 38 45 48 12\r\n");

    // Delete in the table, then undo everything done here, newest first.
    Table().setFocus(Qt::TabFocusReason);
    PickRow("10/06/2020");
    QTest::keyClick(&Table(), Qt::Key_Delete);
    QVERIFY(Saved().find("10/06/2020") == std::string::npos);
    QCOMPARE(Table().rowCount(), 3799);
    for (int undo = 0; undo < 3; ++undo) Press(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(Saved(), before);
    QVERIFY(!Child<QAction>(*w_, "mnuUndo").isEnabled());

    // The other pages count from the history as it now is.
    Press(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    QVERIFY(ChooseTab(w_->MainTabs(), ui::kGeneralServices));
    QVERIFY(ChooseTab(w_->ChoiceTabs(), ChoiceTab::kSingleLine));
    CheckLine(*w_, {5, 10, 18, 29, 32, 47});
    QCOMPARE(Caption(*w_, "lblHitSix0"), "1");
  }

  void helpButtonAndF1OpenTheHistoryTopic() {
    QVERIFY(ChooseTab(w_->MainTabs(), ui::kHistory));
    Click(*w_, "cmdHelpHistory");
    Trigger(*w_, "mnuThisPage");
    QCOMPARE(rig_->help.topics,
             (std::vector<int>{ui::help_topic::kHistory, ui::help_topic::kHistory}));
    QVERIFY(!ui::HelpTopicHtml(kDemoHelp, ui::help_topic::kHistory).empty());
  }
};

QTEST_MAIN(HistoryPageTest)
#include "history_page_test.moc"
