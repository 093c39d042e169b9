// The Single Line page's hits, balance and standing with their date range,
// and the number statistics page, on the demo history; their tables sorted
// by a click on a heading, copied with the keys and saved, and the name a
// saved chart picture gets.
#include <QBarSeries>
#include <QBarSet>
#include <QClipboard>
#include <QDateEdit>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabBar>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include "ui/balance_chart.h"
#include "ui/date_range_bar.h"
#include "ui/distribution_chart.h"
#include "ui/line_insight_panel.h"
#include "ui/statistics_page.h"
#include "ui/ui_test_support.h"

using namespace bw;
using namespace bw::uitest;

namespace {

const Line kFirstDraw{3, 11, 12, 14, 41, 43};  // the demo's first draw: 72 threes, 5 fours, a six

// Clicks the heading, and reads a column's values as numbers.
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

class InsightTest : public DemoWindowTest {
  Q_OBJECT

  ui::LineInsightPanel& Insight() { return Child<ui::LineInsightPanel>(*w_, "LineInsight"); }
  QTableWidget& HitsTable() { return Child<QTableWidget>(*w_, "tblHits"); }
  void Check(const Line& line) { CheckLine(*w_, std::vector<int>(line.begin(), line.end())); }
  // Hits in the table as the result panel counts them.
  void ExpectTableMatchesPanel() {
    int counted = 0;
    for (const char* hits : {"Three0", "Four0", "Five0", "FivePlus0", "Six0"})
      counted += Caption(*w_, QString("lblHit") + hits).toInt();
    QCOMPARE(HitsTable().rowCount(), counted);
  }

 private slots:
  // A check fills the table and the charts without blocking the page; a
  // range change counts the line again at once. Hits and charts can be
  // copied and saved; the hits sort by a heading, numbers as numbers.
  void checkAndRangeChangeUpdateHitsBalanceAndStanding() {
    Check(kFirstDraw);
    QCOMPARE(Caption(*w_, "Digit0"), "26");
    ExpectTableMatchesPanel();
    QCOMPARE(Insight().Balance().PointCount(), 3799);
    QVERIFY(Insight().Distribution().IsCounting());
    auto& views = Child<QTabWidget>(*w_, "tabLineInsight");
    QTabBar& tabs = *views.tabBar();
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(2).center());
    QCOMPARE(views.currentWidget(), &Insight().Distribution());
    QTRY_VERIFY_WITH_TIMEOUT(!Insight().Distribution().Counts().empty(), 60000);
    int64_t lines = 0;
    for (const PercentageCount& count : Insight().Distribution().Counts()) lines += count.lines;
    QCOMPARE(lines, int64_t{13983816});
    QCOMPARE(Insight().Distribution().Note(),
             "Your line's 26% is better than 75.4% of all lines, 2384540 do better.");
    QVERIFY(TakePicture(*w_, "single-line.png"));

    TypeDate(*w_, "rngLineFrom", QDate(2010, 1, 1));
    const DateRange since2010{ui::DayOfDate(QDate(2010, 1, 1)), std::nullopt};
    const SingleLineResult expected = rig_->session.Check(kFirstDraw, since2010);
    QCOMPARE(Caption(*w_, "Digit0"), QString::number(expected.percent));
    QVERIFY(Caption(*w_, "lblHitSix0").isEmpty());
    ExpectTableMatchesPanel();
    QCOMPARE(Insight().Balance().PointCount(),
             static_cast<int>(rig_->session.DrawsIn(since2010).size()));
    QTRY_VERIFY_WITH_TIMEOUT(Insight().Distribution().MarkedPercent() == expected.percent, 60000);
    TypeDate(*w_, "rngLineTo", QDate(2010, 1, 1));  // a range without draws
    QCOMPARE(HitsTable().rowCount(), 0);
    QCOMPARE(Caption(*w_, "Digit0"), "0");
    Click(*w_, "rngLineWhole");  // the fast check's figures again
    QCOMPARE(Caption(*w_, "Digit0") + Caption(*w_, "lblHitSix0"), "261");

    Click(*w_, "cmdCopyHits");  // the hits and charts copied and saved
    const QStringList rows = QApplication::clipboard()->text().split("\r\n", Qt::SkipEmptyParts);
    QCOMPARE(rows.size(), HitsTable().rowCount() + 1);
    QCOMPARE(rows[1], "12/06/1982,03,11,12,14,41,43,13,6,1000000");
    // File dialogs open in the lottery folder, then where the last file went.
    std::filesystem::create_directory(rig_->folder / "out");
    const QString csv = QString::fromStdString((rig_->folder / "out" / "mine.csv").string());
    QString folder;
    AnswerFileDialog([this] { Click(*w_, "cmdSaveHits"); }, csv, &folder);
    QCOMPARE(folder, QString::fromStdString(rig_->folder.Path().string()));
    QCOMPARE(QString::fromStdString(rig_->folder.Read("out/mine.csv")), rows.join("\r\n") + "\r\n");
    const QString png = QString::fromStdString((rig_->folder / "out" / "balance.png").string());
    AnswerFileDialog([this] { Click(*w_, "BalanceChartSave"); }, png, &folder);
    QCOMPARE(folder, QString::fromStdString((rig_->folder / "out").string()));
    QVERIFY(!QImage(png).isNull());
    Click(*w_, "BalanceChartCopy");
    QVERIFY(!QApplication::clipboard()->pixmap().isNull());

    QTableWidget& table = HitsTable();
    ClickHeading(table, "Return");  // 10 before 1000000
    QList<double> returns = Column(table, 9);
    QVERIFY(std::is_sorted(returns.begin(), returns.end()));
    ClickHeading(table, "Return");
    returns = Column(table, 9);
    QVERIFY(std::is_sorted(returns.rbegin(), returns.rend()));
    table.setFocus(Qt::TabFocusReason);
    QTest::keySequence(&table, QKeySequence::SelectAll);
    QTest::keySequence(&table, QKeySequence::Copy);
    const QStringList copied = QApplication::clipboard()->text().split("\r\n", Qt::SkipEmptyParts);
    QCOMPARE(copied.size(), table.rowCount() + 1);
    QCOMPARE(copied[0], "Date\t1\t2\t3\t4\t5\t6\tBonus\tClass\tReturn");
    QCOMPARE(copied[1], "12/06/1982\t03\t11\t12\t14\t41\t43\t13\t6\t1000000");  // the six
  }

  void statisticsPageCountsTheNumbersOverItsRange() {
    QVERIFY(ChooseTab(w_->MainTabs(), ui::kStatistics));
    QVERIFY(Caption(*w_, "lblFairness").contains("chi-square 52.91 on 48 degrees of freedom"));
    auto& table = Child<QTableWidget>(*w_, "tblFrequency");
    QCOMPARE(table.item(48, 1)->text() + "|" + table.item(48, 5)->text(),
             "471|3");  // 49: count, since
    const auto bars = [this] {
      return qobject_cast<QBarSeries*>(
          Child<ui::StatisticsPage>(*w_, "picStatistics").CountsChart().Chart().series().front());
    };
    QCOMPARE(bars()->barSets().size(), 2);  // main and bonus numbers
    QCOMPARE(bars()->barSets().front()->at(48), 471);
    QVERIFY(TakePicture(*w_, "statistics.png"));
    TypeDate(*w_, "rngStatsFrom", QDate(2020, 1, 1));
    const NumberFrequency since2020 =
        rig_->session.Frequency({ui::DayOfDate(QDate(2020, 1, 1)), std::nullopt});
    QCOMPARE(table.item(48, 1)->text(), QString::number(since2020.numbers[48].mainCount));
    QCOMPARE(bars()->barSets().front()->at(48), since2020.numbers[48].mainCount);
    // The range is kept while the program runs; the table opens at its top.
    table.verticalScrollBar()->setValue(table.verticalScrollBar()->maximum());
    QVERIFY(ChooseTab(w_->MainTabs(), ui::kGeneralServices));
    QVERIFY(ChooseTab(w_->MainTabs(), ui::kStatistics));
    QCOMPARE(Child<QDateEdit>(*w_, "rngStatsFrom").date(), QDate(2020, 1, 1));
    QCOMPARE(table.verticalScrollBar()->value(), 0);
    // A chart picture is offered under a name that says the lottery and range.
    QCOMPARE(AnswerFileDialog([this] { Click(*w_, "CountsChartSave"); }),
             "CountsChart Sample 01-01-2020 to 17-06-2020.png");

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
    AnswerFileDialog([this] { Click(*w_, "cmdSaveStatistics"); }, csv);
    const QStringList saved =
        QString::fromStdString(rig_->folder.Read("numbers.csv")).split("\r\n", Qt::SkipEmptyParts);
    QCOMPARE(saved.size(), 50);
    QCOMPARE(saved[0], "Number,Main,Fair main,Bonus,Fair bonus,Draws since");
    QCOMPARE(w_->statusBar()->currentMessage(), "Saved the table as " + csv);
  }
};

QTEST_MAIN(InsightTest)
#include "insight_test.moc"
