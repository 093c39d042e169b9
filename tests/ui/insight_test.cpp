// SPDX-License-Identifier: GPL-3.0-or-later
// The Single Line page's hits, balance and standing with their date range,
// and the number statistics page, on the demo history; their tables sorted,
// copied and saved, and their charts read at 150%: every label whole, bars
// of 3 device pixels, round ticks, and a picture's name of lottery and range.
#include <QBarSeries>
#include <QBarSet>

#include "ui/balance_chart.h"
#include "ui/distribution_chart.h"
#include "ui/line_insight_panel.h"
#include "ui/statistics_page.h"
#include "ui/ui_test_support.h"

using namespace bw;
using namespace bw::uitest;

namespace {

const Line kFirstDraw{3, 11, 12, 14, 41, 43};  // the demo's first draw: 72 threes, 5 fours, a six

}  // namespace

class InsightTest : public DemoWindowTest {
  Q_OBJECT

  ui::LineInsightPanel& Insight() { return Child<ui::LineInsightPanel>(*w_, "LineInsight"); }
  QTableWidget& HitsTable() { return Child<QTableWidget>(*w_, "tblHits"); }
  void Check(const Line& line) { CheckLine(*w_, std::vector<int>(line.begin(), line.end())); }
  // The charts in view at 1024 pixels wide, here at 150%.
  void ExpectChartsReadable() {
    const QSize size = w_->size();
    w_->resize(1024 / w_->devicePixelRatioF(), w_->height());
    QCoreApplication::processEvents();
    for (ui::ChartPanel* chart : w_->findChildren<ui::ChartPanel*>())
      if (chart->isVisible()) QCOMPARE(ChartFaults(*chart).join(", "), QString());
    w_->resize(size);
  }
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
  // copied and saved under a name of the lottery and range; the hits sort
  // by a heading, numbers as numbers. The charts stay readable.
  void checkAndRangeChangeUpdateHitsBalanceAndStanding() {
    Check(kFirstDraw);
    QCOMPARE(Caption(*w_, "Digit0"), "26");
    ExpectTableMatchesPanel();
    QCOMPARE(Insight().Balance().PointCount(), 3799);
    QVERIFY(Insight().Distribution().IsCounting());
    QTabBar& tabs = *Child<QTabWidget>(*w_, "tabLineInsight").tabBar();
    for (int tab : {1, 2}) {  // after the Hits tab: the balance, then the standing
      QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(tab).center());
      if (tab == 2) QTRY_VERIFY_WITH_TIMEOUT(!Insight().Distribution().Counts().empty(), 60000);
      ExpectChartsReadable();
    }
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
    ExpectChartsReadable();
    TypeDate(*w_, "rngLineTo", QDate(2010, 1, 1));  // a range without draws
    QCOMPARE(HitsTable().rowCount(), 0);
    QCOMPARE(Caption(*w_, "Digit0"), "0");
    Click(*w_, "rngLineWhole");  // the fast check's figures again
    QCOMPARE(Caption(*w_, "Digit0") + Caption(*w_, "lblHitSix0"), "261");

    // File dialogs open in the lottery folder, then where the last file went.
    std::filesystem::create_directory(rig_->folder / "out");
    const QString png = QString::fromStdString((rig_->folder / "out" / "standing.png").string());
    QString folder;
    QCOMPARE(AnswerFileDialog([this] { Click(*w_, "DistributionChartSave"); }, png, &folder),
             "DistributionChart Sample 12-06-1982 to 17-06-2020.png");
    QCOMPARE(folder, QString::fromStdString(rig_->folder.Path().string()));
    QVERIFY(!QImage(png).isNull());
    Click(*w_, "cmdCopyHits");
    const QStringList rows = QApplication::clipboard()->text().split("\r\n", Qt::SkipEmptyParts);
    QCOMPARE(rows.size(), HitsTable().rowCount() + 1);
    QCOMPARE(rows[1], "12/06/1982,03,11,12,14,41,43,13,6,1000000");
    const QString csv = QString::fromStdString((rig_->folder / "out" / "mine.csv").string());
    AnswerFileDialog([this] { Click(*w_, "cmdSaveHits"); }, csv, &folder);
    QCOMPARE(folder, QString::fromStdString((rig_->folder / "out").string()));
    QCOMPARE(QString::fromStdString(rig_->folder.Read("out/mine.csv")), rows.join("\r\n") + "\r\n");
    Click(*w_, "BalanceChartCopy");
    QVERIFY(!QApplication::clipboard()->pixmap().isNull());
    for (const bool up : {true, false}) {  // 10 before 1000000, then the other way
      ClickHeading(HitsTable(), 9);
      const QList<double> returns = Column(HitsTable(), 9);
      QCOMPARE(std::is_sorted(returns.begin(), returns.end()), up);
    }
  }

  void statisticsPageCountsTheNumbersOverItsRange() {
    QVERIFY(ChooseTab(w_->MainTabs(), ui::kStatistics));
    QVERIFY(Caption(*w_, "lblFairness").contains("chi-square 52.91 on 48 degrees of freedom"));
    auto& table = Child<QTableWidget>(*w_, "tblFrequency");
    QCOMPARE(table.item(48, 1)->text() + "|" + table.item(48, 5)->text(), "471|3");  // 49
    const auto bars = [this] {
      return qobject_cast<QBarSeries*>(
          Child<ui::StatisticsPage>(*w_, "picStatistics").CountsChart().Chart().series().front());
    };
    QCOMPARE(bars()->barSets().size(), 2);  // main and bonus numbers
    QCOMPARE(bars()->barSets().front()->at(48), 471);
    ExpectChartsReadable();
    QVERIFY(TakePicture(*w_, "statistics.png"));
    TypeDate(*w_, "rngStatsFrom", QDate(2020, 1, 1));
    const NumberFrequency since2020 =
        rig_->session.Frequency({ui::DayOfDate(QDate(2020, 1, 1)), std::nullopt});
    QCOMPARE(table.item(48, 1)->text(), QString::number(since2020.numbers[48].mainCount));
    QCOMPARE(bars()->barSets().front()->at(48), since2020.numbers[48].mainCount);
    ExpectChartsReadable();
    // The range is kept while the program runs; the table opens at its top.
    table.verticalScrollBar()->setValue(table.verticalScrollBar()->maximum());
    QVERIFY(ChooseTab(w_->MainTabs(), ui::kGeneralServices));
    QVERIFY(ChooseTab(w_->MainTabs(), ui::kStatistics));
    QCOMPARE(Child<QDateEdit>(*w_, "rngStatsFrom").date(), QDate(2020, 1, 1));
    QCOMPARE(table.verticalScrollBar()->value(), 0);
    QCOMPARE(AnswerFileDialog([this] { Click(*w_, "CountsChartSave"); }),
             "CountsChart Sample 01-01-2020 to 17-06-2020.png");

    // Rows selected with the keys are copied as tab-separated text.
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {},
                      table.visualItemRect(table.item(0, 0)).center());
    QTest::keyClick(&table, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keySequence(&table, QKeySequence::Copy);
    QCOMPARE(QApplication::clipboard()->text().section("\r\n", 0, 1),
             "Number\tMain\tFair main\tBonus\tFair bonus\tDraws since\r\n1\t" +
                 table.item(0, 1)->text() + "\t" + table.item(0, 2)->text() + "\t" +
                 table.item(0, 3)->text() + "\t" + table.item(0, 4)->text() + "\t" +
                 table.item(0, 5)->text());
    QCOMPARE(w_->statusBar()->currentMessage(), "Copied 2 rows");
    QTest::keySequence(&table, QKeySequence::SelectAll);
    QTest::keySequence(&table, QKeySequence::Copy);
    QCOMPARE(QApplication::clipboard()->text().count("\r\n"), 50);
    const QString csv = QString::fromStdString((rig_->folder.Path() / "numbers.csv").string());
    AnswerFileDialog([this] { Click(*w_, "cmdSaveStatistics"); }, csv);
    QCOMPARE(QString::fromStdString(rig_->folder.Read("numbers.csv")).count("\r\n"), 50);
    QCOMPARE(w_->statusBar()->currentMessage(), "Saved the table as " + csv);
  }
};

int main(int argc, char** argv) {
  // The charts are checked at 150%; the README's pictures are taken at 100%.
  if (qEnvironmentVariableIsEmpty("BALLWRIGHT_PICTURES")) qputenv("QT_SCALE_FACTOR", "1.5");
  QApplication app(argc, argv);
  InsightTest test;
  return QTest::qExec(&test, argc, argv);
}
#include "insight_test.moc"
