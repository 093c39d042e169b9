// SPDX-License-Identifier: GPL-3.0-or-later
// The My Lines page over the demo lottery: lines added by keyboard and from
// the other pages, refusals, "did I win?" after a start and after the Update
// page, and the ticket's totals.
#include "ui/data_table.h"
#include "ui/ui_test_support.h"

using namespace bw;
using namespace bw::uitest;

namespace {

void Type(QWidget& root, const QString& box, const QString& text) {
  auto& field = Child<QLineEdit>(root, box);
  field.setFocus(Qt::TabFocusReason);
  field.selectAll();
  QTest::keyClicks(&field, text);
}

int Rows(const QWidget& root, const QString& table) {
  return Child<QTableWidget>(root, table).rowCount();
}

QString Cell(const QWidget& root, const QString& table, int row, int column) {
  return Child<QTableWidget>(root, table).item(row, column)->text();
}

}  // namespace

class MyLinesTest : public QObject {
  Q_OBJECT
 private slots:
  void linesAreAddedChangedAndRefusedByKeyboard() {
    WindowRig rig;
    QVERIFY(rig.StartDemo());
    QVERIFY(rig.Show());
    ui::MainWindow& w = rig.Window();
    QVERIFY(ChooseTab(w.MainTabs(), MainTab::kMyLines));
    QCOMPARE(Caption(w, "lblMyLinesNote"), "You have no saved lines yet.");
    const struct {
      const char* typed;
      const char* said;  // empty: added
    } rows[] = {
        {"44, 38, 25, 17, 11, 3", ""},
        {"1 2 3 4 5 6", ""},
        {"3 11 17 25 38 44", "among your lines already"},
        {"1 2 3", "is not a line of six numbers: it holds 3 numbers, not 6"},
        {"1 2 3 4 5 50", "\"50\" is not a number from 1 to 49"},
        {"1 1 2 3 4 5", "a number is there twice"},
    };
    for (const auto& row : rows) {
      const std::size_t before = rig.messages.shown.size();
      Type(w, "txtMyLineNumbers", row.typed);
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
      if (*row.said == 0) {
        QCOMPARE(rig.messages.shown.size(), before);
      } else {
        QVERIFY2(rig.Last().text.find(row.said) != std::string::npos, rig.Last().text.c_str());
      }
    }
    QCOMPARE(Rows(w, "tblMyLines"), 2);
    QCOMPARE(Cell(w, "tblMyLines", 0, 1), "03-11-17-25-38-44");
    QCOMPARE(Cell(w, "tblMyLines", 0, 9), "19%");  // as the Single Line check counts it

    // The second row gets a label and date, moves up, the first is removed.
    Child<QTableWidget>(w, "tblMyLines").setCurrentCell(1, 1);
    Type(w, "txtMyLineLabel", "birthdays");
    Type(w, "txtMyLineSince", "01/01/2020");
    Click(w, "cmdMyLineRelabel");
    Click(w, "cmdMyLineUp");
    QCOMPARE(rig.folder.Read("Sample.lines"),
             "01 02 03 04 05 06 | 01/01/2020 | birthdays\r\n03 11 17 25 38 44\r\n");
    Child<QTableWidget>(w, "tblMyLines").setCurrentCell(1, 1);
    Click(w, "cmdMyLineRemove");
    QCOMPARE(rig.folder.Read("Sample.lines"), "01 02 03 04 05 06 | 01/01/2020 | birthdays\r\n");
    QVERIFY(Caption(w, "lblTicketTotals").startsWith("Over 3799 draws: staked 49, returned 10"));

    QTest::keyClick(&w, Qt::Key_F1);
    QCOMPARE(rig.help.topics.back(), ui::help_topic::kMyLines);
  }

  // The window tells what the draws since the last look gave the saved
  // lines: at a start after `add`, and after the Update page; nothing twice.
  void didIWinTellsTheNewDrawsOnce() {
    WindowRig rig;
    for (const char* name : {"Sample.opt", "Sample.ini", "vomrix.ini"}) rig.folder.CopyDemo(name);
    rig.folder.Write("Sample.ini", rig.folder.Read("Sample.ini") + "shown=13/06/2020 1\r\n");
    rig.folder.Write("Sample.lines", "05 10 18 40 41 42 | | near\r\n01 02 03 04 07 08\r\n");
    QVERIFY(rig.Start());
    ui::MainWindow& w = rig.Window();
    QCOMPARE(w.MainTabs().currentIndex(), int(MainTab::kMyLines));
    QCOMPARE(Caption(w, "lblDidIWin"), "Draw of 17/06/2020: 1 of your 2 lines won, 10 in all");
    QCOMPARE(Rows(w, "tblDidIWin"), 1);
    QCOMPARE(Cell(w, "tblMyLines", 0, 10), "3");  // the newest draw's class
    QVERIFY(rig.folder.Read("Sample.ini").find("shown=17/06/2020 1\r\n") != std::string::npos);

    QVERIFY(ChooseTab(w.MainTabs(), MainTab::kGeneralServices));
    QVERIFY(ChooseTab(w.ChoiceTabs(), ChoiceTab::kUpdate));
    PickDate(w, QDate(2020, 6, 20));
    CheckLine(w, {1, 2, 3, 4, 5, 6, 9});
    QCOMPARE(w.statusBar()->currentMessage(),
             "Draw of 20/06/2020: 1 of your 2 lines won, 60 in all");
    QCOMPARE(w.MainTabs().currentIndex(), int(MainTab::kGeneralServices));  // entering goes on
    QCOMPARE(Rows(w, "tblDidIWin"), 1);  // the draw told at the start is not told again
    QCOMPARE(Cell(w, "tblDidIWin", 0, 0), "20/06/2020");
    QVERIFY(ChooseTab(w.MainTabs(), MainTab::kMyLines));
    QVERIFY(TakePicture(w, "my-lines.png"));
  }

  void everyPageAddsTheLinesItShows() {
    WindowRig rig;
    QVERIFY(rig.StartDemo());
    QVERIFY(rig.Show());
    ui::MainWindow& w = rig.Window();
    PickNumbers(w, {3, 11, 12, 14, 41, 43});
    Click(w, "cmdAddToMyLines");
    Click(w, "cmdAddToMyLines");
    QVERIFY(rig.Last().text.find("among your lines already") != std::string::npos);
    QVERIFY(ChooseTab(w.MainTabs(), MainTab::kRandomLineFinder));
    Click(w, "cmdContinue");
    Click(w, "cmdLineToMyLines3");
    Click(w, "cmdLine1");
    Click(w, "cmdLine2");  // the two lines go to the Line Optimiser
    Click(w, "cmdStart");
    QCOMPARE(Rows(w, "tblSystem"), 924);
    auto& system = Child<ui::DataTable>(w, "tblSystem");
    system.sortItems(6, Qt::DescendingOrder);  // the best first
    system.selectRow(0);
    Click(w, "cmdAddPickedSystem");
    Click(w, "cmdAddAllSystem");
    QVERIFY(ChooseTab(w.MainTabs(), MainTab::kMyLines));
    QCOMPARE(Rows(w, "tblMyLines"), 2 + 924);
    QCOMPARE(Cell(w, "tblMyLines", 2, 9), system.item(0, 6)->text());
  }
};

QTEST_MAIN(MyLinesTest)
#include "my_lines_test.moc"
