// The result tables (hits, statistics) as a user works them: sorted by a
// click on a heading, rows selected and copied with the keys, saved as CSV;
// and the name a saved chart picture gets.
#include <QFileDialog>
#include <QHeaderView>
#include <QTableWidget>

#include "ui/ui_test_support.h"

using namespace bw;
using namespace bw::uitest;

namespace {

void ClickHeading(QTableWidget& table, const QString& heading) {
  QHeaderView& header = *table.horizontalHeader();
  for (int column = 0; column < table.columnCount(); ++column) {
    if (table.horizontalHeaderItem(column)->text() != heading) continue;
    const int x = header.sectionViewportPosition(column) + header.sectionSize(column) / 2;
    QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, QPoint(x, header.height() / 2));
    return;
  }
  QFAIL(qPrintable("no heading " + heading));
}

QList<double> Column(const QTableWidget& table, int column) {
  QList<double> values;
  for (int row = 0; row < table.rowCount(); ++row)
    values << table.item(row, column)->text().toDouble();
  return values;
}

}  // namespace

class TableTest : public QObject {
  Q_OBJECT
  std::unique_ptr<WindowRig> rig_;
  ui::MainWindow* w_ = nullptr;

 private slots:
  void init() {
    rig_ = std::make_unique<WindowRig>();
    QVERIFY(rig_->StartDemo());
    w_ = &rig_->Window();
    QVERIFY(rig_->Show());
  }
  void cleanup() { rig_.reset(); }

  void hitsSortByAClickedHeadingAndCopyTheChosenRows() {
    CheckLine(*w_, {3, 11, 12, 14, 41, 43});
    auto& table = Child<QTableWidget>(*w_, "tblHits");
    ClickHeading(table, "Return");  // numbers as numbers: 10 before 1000000
    QList<double> returns = Column(table, 9);
    QVERIFY(std::is_sorted(returns.begin(), returns.end()));
    ClickHeading(table, "Return");
    returns = Column(table, 9);
    QVERIFY(std::is_sorted(returns.rbegin(), returns.rend()));
    QCOMPARE(table.item(0, 0)->text(), "12/06/1982");  // the six
    table.setFocus(Qt::TabFocusReason);
    QTest::keySequence(&table, QKeySequence::SelectAll);
    QTest::keySequence(&table, QKeySequence::Copy);
    const QStringList lines = QApplication::clipboard()->text().split("\r\n", Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), table.rowCount() + 1);
    QCOMPARE(lines[0], "Date\t1\t2\t3\t4\t5\t6\tBonus\tClass\tReturn");
    QCOMPARE(lines[1], "12/06/1982\t03\t11\t12\t14\t41\t43\t13\t6\t1000000");
  }

  void statisticsSortCopyAndSaveAsCsv() {
    QVERIFY(ChooseTab(w_->MainTabs(), ui::kStatistics));
    auto& table = Child<QTableWidget>(*w_, "tblFrequency");
    ClickHeading(table, "Main");
    const QList<double> counts = Column(table, 1);
    QVERIFY(std::is_sorted(counts.begin(), counts.end()));
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {},
                      table.visualItemRect(table.item(0, 0)).center());
    QTest::keyClick(&table, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keySequence(&table, QKeySequence::Copy);
    QCOMPARE(QApplication::clipboard()->text().count("\r\n"), 3);  // headings and two rows
    QCOMPARE(w_->statusBar()->currentMessage(), "Copied 2 rows");

    const QString csv = QString::fromStdString((rig_->folder.Path() / "numbers.csv").string());
    QTimer::singleShot(0, [csv] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      dialog->findChild<QLineEdit*>("fileNameEdit")->setText(csv);
      QTest::keyClick(dialog, Qt::Key_Return);
    });
    Click(*w_, "cmdSaveStatistics");
    const QStringList saved =
        QString::fromStdString(rig_->folder.Read("numbers.csv")).split("\r\n", Qt::SkipEmptyParts);
    QCOMPARE(saved.size(), 50);
    QCOMPARE(saved[0], "Number,Main,Fair main,Bonus,Fair bonus,Draws since");
    QCOMPARE(w_->statusBar()->currentMessage(), "Saved the table as " + csv);
  }

  // A picture is saved under a name that says the lottery and the range.
  void savedPictureIsNamedAfterTheLotteryAndTheRange() {
    QVERIFY(ChooseTab(w_->MainTabs(), ui::kStatistics));
    TypeDate(*w_, "rngStatsFrom", "01/01/2020");
    QString proposed;
    QTimer::singleShot(0, [&proposed] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      proposed = dialog->findChild<QLineEdit*>("fileNameEdit")->text();
      dialog->reject();
    });
    Click(*w_, "CountsChartSave");
    QCOMPARE(proposed, "CountsChart Sample 01-01-2020 to 17-06-2020.png");
  }
};

QTEST_MAIN(TableTest)
#include "table_test.moc"
