// The Single Line page's hits, balance and standing with their date range,
// and the number statistics page, on the demo history.
#include <QBarSeries>
#include <QBarSet>
#include <QClipboard>
#include <QDateEdit>
#include <QFileDialog>
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

// Answers the next save dialog with that file name.
void AnswerSaveDialog(const QString& path) {
  QTimer::singleShot(0, [path] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    QVERIFY(dialog);
    dialog->findChild<QLineEdit*>("fileNameEdit")->setText(path);
    QTest::keyClick(dialog, Qt::Key_Return);
  });
}

// With BALLWRIGHT_PICTURES set to a folder (scripts/pictures.sh), the
// README's pictures of the window are taken on the way.
void TakePicture(QWidget& window, const char* name) {
  const QString folder = qEnvironmentVariable("BALLWRIGHT_PICTURES");
  if (folder.isEmpty()) return;
  window.resize(1180, 760);  // the size it opens at on a desktop screen
  QCoreApplication::processEvents();
  QVERIFY(window.grab().save(folder + "/" + name));
}

}  // namespace

class InsightTest : public QObject {
  Q_OBJECT
  std::unique_ptr<WindowRig> rig_;
  ui::MainWindow* w_ = nullptr;

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
  void init() {
    rig_ = std::make_unique<WindowRig>();
    QVERIFY(rig_->StartDemo());
    w_ = &rig_->Window();
    QVERIFY(rig_->Show());
  }
  void cleanup() { rig_.reset(); }

  // A check fills the table and the charts without blocking the page; a
  // range change counts the line again at once. Hits and charts can be
  // copied and saved.
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
    TakePicture(*w_, "single-line.png");

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
    const QString csv = QString::fromStdString((rig_->folder.Path() / "mine.csv").string());
    AnswerSaveDialog(csv);
    Click(*w_, "cmdSaveHits");
    QCOMPARE(QString::fromStdString(rig_->folder.Read("mine.csv")), rows.join("\r\n") + "\r\n");
    const QString png = QString::fromStdString((rig_->folder.Path() / "balance.png").string());
    AnswerSaveDialog(png);
    Click(*w_, "BalanceChartSave");
    QVERIFY(!QImage(png).isNull());
    Click(*w_, "BalanceChartCopy");
    QVERIFY(!QApplication::clipboard()->pixmap().isNull());
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
    TakePicture(*w_, "statistics.png");
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
  }
};

QTEST_MAIN(InsightTest)
#include "insight_test.moc"
