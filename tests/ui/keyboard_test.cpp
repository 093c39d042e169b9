// The keyboard a desktop user knows: Tab walks every page in the order of
// its layout and Shift+Tab walks it back the same way; tables take the arrow
// keys and let Tab go on.
#include <QTableWidget>

#include "ui/ui_test_support.h"

using namespace bw;
using namespace bw::uitest;

namespace {

QString FocusName() {
  QWidget* focus = QApplication::focusWidget();
  if (!focus) return "(none)";
  // Qt's own parts by the control they belong to.
  if (focus->objectName() == "qt_tabwidget_tabbar")
    return focus->parentWidget()->objectName() + "Bar";
  if (focus->objectName().startsWith("qt_")) return focus->parentWidget()->objectName();
  return focus->objectName();
}

// Presses `key` until the focus comes back to where it started; names the
// stops on the way.
QStringList Walk(Qt::Key key) {
  const QWidget* start = QApplication::focusWidget();
  QStringList stops{FocusName()};
  for (int step = 0; step < 300; ++step) {
    QTest::keyClick(QApplication::focusWidget(), key);
    if (QApplication::focusWidget() == start) return stops;
    stops << FocusName();
  }
  stops << "(no way back)";
  return stops;
}

}  // namespace

class KeyboardTest : public QObject {
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

  void tabWalksEveryPageTheSameWayBothWays_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("choice");
    QTest::addColumn<QStringList>("reached");  // in this order, among the stops
    QTest::newRow("Single Line") << int(ui::kGeneralServices) << int(ui::kSingleLine)
                                 << QStringList{"cmdGetNumber1", "cmdClear",    "cmdHelpSingle",
                                                "rngLineFrom",   "rngLineTo",   "rngLineWhole",
                                                "tblHits",       "cmdCopyHits", "cmdSaveHits"};
    QTest::newRow("Update") << int(ui::kGeneralServices) << int(ui::kUpdate)
                            << QStringList{"DrawDate", "MonthView1", "cmdGetNumber1", "cmdClear",
                                           "cmdHelpUpdate"};
    QTest::newRow("Optimise") << int(ui::kGeneralServices) << int(ui::kOptimise)
                              << QStringList{"cmdGetNumber1", "cmdClear"};
    QTest::newRow("6 from 49") << int(ui::kGeneralServices) << int(ui::kSixFrom49)
                               << QStringList{"cmdGetNumber1", "cmdClear", "cmdHelpRunAll"};
    QTest::newRow("Random Line Finder")
        << int(ui::kRandomLineFinder) << 0 << QStringList{"cmdHelpRandom"};
    QTest::newRow("Statistics") << int(ui::kStatistics) << 0
                                << QStringList{
                                       "rngStatsFrom",   "rngStatsTo",      "rngStatsWhole",
                                       "tblFrequency",   "CountsChartCopy", "CountsChartSave",
                                       "SinceChartCopy", "SinceChartSave",  "cmdHelpStatistics"};
  }
  void tabWalksEveryPageTheSameWayBothWays() {
    QFETCH(int, page);
    QFETCH(int, choice);
    QFETCH(QStringList, reached);
    QVERIFY(ChooseTab(w_->MainTabs(), page));
    if (page == ui::kGeneralServices) QVERIFY(ChooseTab(w_->ChoiceTabs(), choice));
    CheckLine(*w_, {3, 11, 12, 14, 41, 43});  // tables with rows
    w_->MainTabs().tabBar()->setFocus(Qt::TabFocusReason);
    const QStringList forward = Walk(Qt::Key_Tab);
    QStringList backward = Walk(Qt::Key_Backtab);
    std::reverse(backward.begin() + 1, backward.end());
    QCOMPARE(forward.join(' '), backward.join(' '));
    QStringList inOrder;
    for (const QString& stop : forward)
      if (reached.contains(stop)) inOrder << stop;
    QCOMPARE(inOrder, reached);
    for (const char* name : {"tblHits", "tblFrequency"}) {  // one stop; the arrows move inside
      if (!reached.contains(name)) continue;
      QCOMPARE(forward.count(name), 1);
      auto& table = Child<QTableWidget>(*w_, name);
      table.setFocus(Qt::TabFocusReason);
      table.setCurrentCell(0, 0);
      QTest::keyClick(&table, Qt::Key_Down);
      QTest::keyClick(&table, Qt::Key_Right);
      QCOMPARE(QPoint(table.currentColumn(), table.currentRow()), QPoint(1, 1));
    }
  }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
