// The keyboard a desktop user knows: Tab walks every page in the order of
// its layout and Shift+Tab walks it back the same way; tables take the arrow
// keys and let Tab go on.
#include <QTableWidget>

#include <QFileDialog>

#include "ui/help_viewer.h"
#include "ui/lottery_dialog.h"
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

// The Alt+letter of a caption ("&File": F), or 0.
QChar Mnemonic(const QString& caption) {
  const QKeySequence keys = QKeySequence::mnemonic(caption);
  return keys.isEmpty() ? QChar() : QChar(keys[0].key()).toUpper();
}

// The captions that can be reached with Alt+letter where `root` is shown:
// its visible buttons, labelled fields and, for a main window, the menu titles.
QStringList ReachableCaptions(const QWidget& root) {
  QStringList captions;
  if (const auto* window = qobject_cast<const QMainWindow*>(&root))
    for (const QAction* menu : window->menuBar()->actions()) captions << menu->text();
  for (const QWidget* control : root.findChildren<QWidget*>()) {
    if (!control->isVisibleTo(&root) || control->window() != &root) continue;
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
      captions << button->text();
    else if (const auto* label = qobject_cast<const QLabel*>(control); label && label->buddy())
      captions << label->text();
    else if (const auto* tabs = qobject_cast<const QTabBar*>(control))
      for (int tab = 0; tab < tabs->count(); ++tab) captions << tabs->tabText(tab);
  }
  return captions;
}

// Captions that share an Alt+letter, "F: &File &From".
QStringList Clashes(const QStringList& captions) {
  QMap<QChar, QStringList> byLetter;
  for (const QString& caption : captions)
    if (const QChar letter = Mnemonic(caption); !letter.isNull()) byLetter[letter] << caption;
  QStringList clashes;
  for (auto letter = byLetter.begin(); letter != byLetter.end(); ++letter)
    if (letter.value().size() > 1)
      clashes << QString(letter.key()) + ": " + letter.value().join(' ');
  return clashes;
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

  // No two controls that can be reached at once share an Alt+letter: the
  // menu titles and the page on show, the items of each menu, each dialog.
  void noTwoControlsShareAnAltLetter() {
    QStringList clashes;
    ForEachPage(*w_, [&] {
      for (const QString& clash : Clashes(ReachableCaptions(*w_)))
        clashes << QStringLiteral("page %1/%2 %3")
                       .arg(w_->MainTabs().currentIndex())
                       .arg(w_->ChoiceTabs().currentIndex())
                       .arg(clash);
    });
    for (const QMenu* menu : w_->findChildren<QMenu*>()) {
      QStringList items;
      for (const QAction* item : menu->actions()) items << item->text();
      for (const QString& clash : Clashes(items)) clashes << menu->title() + " " + clash;
    }
    ui::LotteryDialog dialog(rig_->session, rig_->messages, rig_->help, w_);
    for (const QString& clash : Clashes(ReachableCaptions(dialog))) clashes << "lottery " + clash;
    QCOMPARE(clashes.join('\n'), QString());
  }

  // Enter presses the button drawn as the default: Start on the grid.
  void enterPressesStart() {
    PickNumbers(*w_, {3, 11, 12, 14, 41});
    auto& number = Child(*w_, "cmdGetNumber43");
    number.setFocus(Qt::TabFocusReason);
    QTest::keyClick(&number, Qt::Key_Space);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(Caption(*w_, "lblHitSix0"), "1");
  }

  // The number with the keyboard's focus can be seen, picked or not.
  void focusedNumberCanBeSeen() {
    QVERIFY(QTest::qWaitForWindowExposed(w_));
    const auto focusOn = [this](int number) {
      Child(*w_, QStringLiteral("cmdGetNumber%1").arg(number)).setFocus(Qt::TabFocusReason);
    };
    const auto look = [this](int number) {
      return Child(*w_, QStringLiteral("cmdGetNumber%1").arg(number)).grab().toImage();
    };
    PickNumbers(*w_, {9});
    focusOn(8);
    const QImage plainFocused = look(8), picked = look(9);
    focusOn(9);
    QVERIFY(look(8) != plainFocused);
    QVERIFY(look(9) != picked);
  }

  // Ctrl+O opens the import's file dialog; Escape closes the help window.
  void shortcutsOfADesktopProgram() {
    bool asked = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      asked = dialog != nullptr;
      if (dialog) dialog->reject();
    });
    QTest::keySequence(w_, QKeySequence(Qt::CTRL | Qt::Key_O));
    QVERIFY(asked);

    const std::unique_ptr<HelpViewer> help = ui::MakeHelpViewer(kDemoHelp);
    help->ShowTopic(ui::help_topic::kContents);
    QWidget& window = *HelpPage()->window();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(HelpPage(), Qt::Key_Escape);
    QVERIFY(!window.isVisible());
  }

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
